// Charts of variogram analysis: the variogram plot with its model curve,
// the multiple-variogram plot of the directions and the variogram cloud.
//
// Cut-off rows: the variogram plot gets every variogram of the session's
// VariogramSet (every direction, then each azimuth) as cut-off rows of
// lags + 2 entries and shows the one asked for, so that its axes hold
// every direction and stay put when switching. The multiple-variogram plot
// gets the azimuths as variograms of one row each.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "analysis/charts/chart_parts.h"

namespace korvagraph::analysis {
namespace {

constexpr int kModelKindVariogram = 0;  // the engine returns semivariances
constexpr COLORREF kPointColour = KvRgb(0, 0, 255);
constexpr COLORREF kModelColour = KvRgb(255, 0, 0);
constexpr int kFewLags = 3;  // fewer qualifying lags show no structure

struct DirectionStyle {
  COLORREF colour;
  const char* colour_name;
};
// Colours of the directions, in the order of the settings' azimuths.
const DirectionStyle kDirectionStyles[] = {
    {KvRgb(0, 0, 255), "blue"},     {KvRgb(220, 0, 0), "red"},
    {KvRgb(0, 150, 0), "green"},    {KvRgb(230, 130, 0), "orange"},
    {KvRgb(150, 0, 200), "purple"}, {KvRgb(0, 170, 190), "teal"},
    {KvRgb(130, 80, 20), "brown"},  {KvRgb(120, 120, 120), "grey"}};

std::string DirectionName(const VariogramSet& set, int row) {
  return row == 0 ? std::string("omnidirectional")
                  : "azimuth " + set.labels[row];
}

std::string PairsText() {
  return std::to_string(kMinVariogramPairs) + " pairs or more";
}

// Warns when the row has so few qualifying lags that it shows no structure;
// fails when it has none, since the chart would show no point.
Status CheckLags(const Session& session, const VariogramSet& set, int row) {
  const int lags = QualifyingLags(set.rows[row]);
  const std::string name = "the " + DirectionName(set, row) + " variogram";
  if (lags == 0) {
    return Status::Failure("no lag of " + name + " holds " + PairsText() +
                           ": nothing to draw (try a larger lag spacing, "
                           "angle tolerance or lag tolerance)");
  }
  if (lags < kFewLags) {
    session.Warn("only " + std::to_string(lags) + " lag(s) of " + name +
                 " hold " + PairsText() + ": too few to show a structure");
  }
  return Status::Ok();
}

bool AllFinite(const std::vector<double>& values) {
  return std::all_of(values.begin(), values.end(),
                     [](double v) { return std::isfinite(v); });
}

bool AllFinite(const VariogramSet& set) {
  std::vector<double> values = {set.variance};
  for (const VariogramRow& row : set.rows) {
    for (const Variogram& entry : row) values.push_back(entry.gamma);
  }
  return AllFinite(values);
}

// Returns OK when the semivariances are finite, else why the chart cannot
// be drawn: differences of 1e154 and more overflow when squared.
Status Drawable(const Session& session, const char* chart, bool finite) {
  if (finite) return Status::Ok();
  return Status::InFile(
      session.table().path,
      std::string("cannot draw the ") + chart + " of " +
          session.Name(session.columns().primary) +
          ": its values differ by 1e154 or more, and the squared "
          "differences overflow; divide them by a power of ten");
}

// Returns the azimuth a row's model curve runs along: the row's direction,
// or for every direction the major axis of the model's first structure.
double CurveAzimuth(const VariogramSet& set, int row,
                    const VariogramModel& model) {
  if (row != 0) return set.directions[row].azimuth;
  return model.structures.empty() ? 0.0 : model.structures[0].azimuth;
}

// Draws the cloud of set with the points numbered in selected in cyan;
// returns the graph object, which keeps the mapping it drew with.
GraphObject CloudGraph(const CloudSet& set, const std::vector<LONG>& selected,
                       CanvasWindow* window) {
  const VariogramCloud& cloud = set.cloud;
  GraphObject graph = CreateGraph(kKvVariogramCloud);
  if (graph == nullptr) return graph;
  _kvGraphLoadLocPnts(graph.get(), Loaded(cloud.distance),
                      Loaded(cloud.semivariance), CountOf(cloud.distance));
  _kvGraphSetDataExtr(graph.get(), set.distances.minimum,
                      set.distances.maximum);
  _kvGraphSetDataExtr2(graph.get(), set.semivariances.minimum,
                       set.semivariances.maximum);
  _kvGraphSetAxiName(graph.get(), "Distance", kSemivarianceName);
  _kvLoadVrgCldSelInfo(graph.get(), Loaded(selected), CountOf(selected));
  _kvGraphDrawVrgCldPlt(graph.get(), window->Wnd());
  return graph;
}

}  // namespace

void AddHighlightStatistics(const CloudSet& set, Statistics* stats) {
  AddCount(stats, "pairs in cyan",
           static_cast<int64_t>(set.highlighted.size()));
  AddStatistic(stats, "cyan: largest semivariances closer than",
               set.short_distance);
}

std::vector<CPoint> DrawVariogramRow(const VariogramSet& set, int row,
                                     const VariogramModel& model, int selected,
                                     CanvasWindow* window) {
  const int n = set.lags.count;
  const int rows = static_cast<int>(set.rows.size());
  std::vector<Variogram> entries;
  for (const VariogramRow& r : set.rows) {
    entries.insert(entries.end(), r.begin(), r.end());
  }
  const CPoint unset{kNotDrawn, kNotDrawn};
  std::vector<CPoint> positions(entries.size(), unset);
  std::vector<int> flags(entries.size(), 0);
  const size_t first = static_cast<size_t>(row) * (n + 2);
  if (selected >= 0 && selected < n + 2) flags[first + selected] = 1;
  // The model curve holds 2n + 4 records: twice the lags at half spacing.
  std::vector<ModIndVrg> curve(2 * static_cast<size_t>(n) + 4, ModIndVrg{});
  _kvCptVModel(ModelRecord(model, CurveAzimuth(set, row, model)),
               set.lags.spacing, n, kModelKindVariogram, curve.data());

  GraphObject graph = CreateGraph(kKvVariogram);
  if (graph == nullptr) return {};
  _kvGraphLoadVarmData(graph.get(), entries.data(), curve.data(),
                       positions.data(), flags.data(), n, 1);
  _kvGraphSetAxiName(graph.get(), "Distance", kSemivarianceName);
  _kvGraphSetVrgNug(graph.get(), model.nugget);
  _kvGraphSetIsDspLine(graph.get(), 1);
  _kvGraphSetIsDspSill(graph.get(), 1, set.variance);
  _kvGraphSetCutOffNO(graph.get(), rows, row);
  _kvGraphSetColor(graph.get(), kPointColour, kModelColour);
  _kvGraphDrawVarmPlt(graph.get(), window->Wnd());
  // The highlight stands where the point was drawn; a point off the axes
  // has no position to mark.
  if (selected >= 0 && selected < n + 2 &&
      positions[first + selected].x != kNotDrawn) {
    _kvGraphDrawSelectPoint(graph.get());
  }
  std::vector<CPoint> drawn(positions.begin() + first,
                            positions.begin() + first + n + 2);
  for (CPoint& p : drawn) {
    if (p.x == kNotDrawn) continue;
    p.x += kKvVariogramPlotLeft;
    p.y += kKvVariogramPlotTop;
  }
  return drawn;
}

namespace {

// Returns the name the sill line goes by for the session's variograms.
std::string SillName(const Session& session) {
  switch (session.settings().variogram.kind) {
    case VariogramKind::kIndicator:
      return "sill line: indicator variance";
    case VariogramKind::kCross:
      return "sill line: covariance";
    case VariogramKind::kValue:
      break;
  }
  return "sill line: sample variance";
}

// Appends every lag of every row of set: lag numbers from 1 (row entry 2),
// the variogram's name first when there are several.
void AddLagTable(const VariogramSet& set, bool named, ChartTable* table) {
  if (table->columns.empty()) {
    table->label_names =
        named ? std::vector<std::string>{"variogram", "direction"}
              : std::vector<std::string>{"direction"};
    table->columns = {"lag", "distance", "semivariance", "pairs"};
  }
  for (size_t d = 0; d < set.rows.size(); ++d) {
    for (size_t e = 2; e < set.rows[d].size(); ++e) {
      const Variogram& v = set.rows[d][e];
      std::vector<std::string> labels = {set.labels[d]};
      if (named) labels.insert(labels.begin(), set.name);
      table->Add(labels, {static_cast<double>(e - 1), v.h, v.gamma,
                          static_cast<double>(v.npairs)});
    }
  }
}

// Draws each of the session's variogram sets with draw_one, the first into
// the main picture and each further one into a picture of its own (suffix
// "2", "3", ...); with several, their statistics go under their names.
template <typename DrawOne>
Status ForEachSet(Session* session, ChartPictures* pictures, Statistics* stats,
                  ChartTable* table, DrawOne draw_one) {
  const int count = session->VariogramSetCount();
  CanvasWindow* main = pictures->main();
  for (int i = 0; i < count; ++i) {
    const VariogramSet* set = nullptr;
    Status status = session->Variograms(&set, i);
    if (!status.ok()) return status;
    CanvasWindow* window = i == 0
                               ? main
                               : pictures->Add(std::to_string(i + 1),
                                               main->Width(), main->Height());
    Statistics own;
    status = draw_one(*set, window, &own);
    if (!status.ok()) return status;
    for (Statistic& stat : own) {
      if (count > 1) stat.name = set->name + ": " + stat.name;
      stats->push_back(std::move(stat));
    }
    AddLagTable(*set, count > 1, table);
  }
  return Status::Ok();
}

// Draws the row options ask for of one variogram set with its model.
Status DrawOneVariogram(Session* session, const ChartOptions& options,
                        const VariogramSet& set, CanvasWindow* window,
                        Statistics* stats) {
  Status status = Drawable(*session, "variogram", AllFinite(set));
  if (!status.ok()) return status;
  const int n = set.lags.count;
  const int current =
      std::clamp(options.direction, 0, static_cast<int>(set.rows.size()) - 1);
  status = CheckLags(*session, set, current);
  if (!status.ok()) return status;
  const FitSettings& settings = session->settings().model;
  for (const std::string& warning : FitWarnings(set.fit, settings)) {
    session->Warn(warning);
  }

  const VariogramModel& model = set.fit.model;
  DrawVariogramRow(set, current, model, kNoEntry, window);

  const Structure& structure = model.structures.front();
  AddText(stats, "direction", DirectionName(set, current));
  AddStatistic(stats, "lag spacing", set.lags.spacing);
  AddCount(stats, "lags", n);
  AddCount(stats, "lags of " + PairsText(), QualifyingLags(set.rows[current]));
  AddCount(stats, "pairs drawn (lags of " + PairsText() + ")",
           QualifyingPairs(set.rows[current]));
  AddStatistic(stats, SillName(*session), set.variance);
  AddText(stats, "model", ModelDescription(set.fit, settings));
  AddText(stats, "model type", ModelTypeName(structure.type));
  AddStatistic(stats, "model nugget", model.nugget);
  AddStatistic(stats, "model sill", model.Sill());
  AddStatistic(
      stats,
      structure.type == ModelType::kPower ? "model exponent" : "model range",
      structure.range);
  return Status::Ok();
}

// Draws the directional rows of one variogram set, a colour each.
Status DrawOneMultiple(Session* session, const VariogramSet& set,
                       CanvasWindow* window, Statistics* stats) {
  Status status = Drawable(*session, "variograms", AllFinite(set));
  if (!status.ok()) return status;
  const int count = static_cast<int>(set.rows.size()) - 1;
  int drawable = 0;
  for (int d = 1; d <= count; ++d) {
    const int lags = QualifyingLags(set.rows[d]);
    drawable += lags > 0;
    if (lags < kFewLags) {
      session->Warn("only " + std::to_string(lags) + " lag(s) of the " +
                    DirectionName(set, d) + " variogram hold " + PairsText());
    }
  }
  if (drawable == 0) {
    return Status::Failure("no direction has a lag of " + PairsText() +
                           ": the frame would be empty (try a larger lag "
                           "spacing, angle tolerance or bandwidth)");
  }
  std::vector<Variogram*> entries(count);
  std::vector<LONG> lag_counts(count, set.lags.count);
  std::vector<std::vector<CPoint>> positions(count);
  std::vector<CPoint*> position_arrays(count);
  std::vector<int> show(count, 1);
  std::vector<ULONG> colours(count);
  for (int d = 0; d < count; ++d) {
    entries[d] = Loaded(set.rows[d + 1]);
    positions[d].resize(set.rows[d + 1].size());
    position_arrays[d] = positions[d].data();
    colours[d] = kDirectionStyles[d].colour;
  }

  GraphObject graph = CreateGraph(kKvMultipleVariogram);
  if (graph == nullptr) return NoGraph();
  if (_kvGraphLoadMVarmData(graph.get(), entries.data(), lag_counts.data(),
                            position_arrays.data(), count, show.data(),
                            0) != 1) {
    return Status::InFile(session->table().path,
                          "cannot draw the directional variograms of " +
                              set.name + ": the chart library refused them");
  }
  _kvGraphSetAxiName(graph.get(), "Distance", kSemivarianceName);
  _kvGraphSetMVrgNug(graph.get(), set.fit.model.nugget);
  _kvGraphSetMIsDspLine(graph.get(), 1);
  _kvGraphSetMIsDspSill(graph.get(), 1, set.variance);
  _kvGraphSetMCutOffNO(graph.get(), 1, 0);
  _kvGraphSetMColor(graph.get(), colours.data(), colours.data());
  _kvGraphDrawMVarmPlt(graph.get(), window->Wnd());

  AddStatistic(stats, "lag spacing", set.lags.spacing);
  AddCount(stats, "lags", set.lags.count);
  for (int d = 0; d < count; ++d) {
    AddCount(stats,
             "azimuth " + set.labels[d + 1] + " (" +
                 kDirectionStyles[d].colour_name + "): pairs drawn",
             QualifyingPairs(set.rows[d + 1]));
  }
  AddStatistic(stats, SillName(*session), set.variance);
  return Status::Ok();
}

}  // namespace

Status DrawVariogramPlot(Session* session, const ChartOptions& options,
                         ChartPictures* pictures, Statistics* stats,
                         ChartTable* table) {
  return ForEachSet(
      session, pictures, stats, table,
      [&](const VariogramSet& set, CanvasWindow* window, Statistics* own) {
        return DrawOneVariogram(session, options, set, window, own);
      });
}

Status DrawMultipleVariogramPlot(Session* session, const ChartOptions&,
                                 ChartPictures* pictures, Statistics* stats,
                                 ChartTable* table) {
  return ForEachSet(
      session, pictures, stats, table,
      [&](const VariogramSet& set, CanvasWindow* window, Statistics* own) {
        return DrawOneMultiple(session, set, window, own);
      });
}

Status DrawCloud(const CloudSet& set, const std::vector<LONG>& selected,
                 CanvasWindow* window) {
  return CloudGraph(set, selected, window) == nullptr ? NoGraph()
                                                      : Status::Ok();
}

Status CloudBoxOf(const CloudSet& set, int width, int height,
                  const PixelBox& pixels, CloudBox* box) {
  CanvasWindow window(width, height);
  GraphObject graph = CloudGraph(set, {}, &window);
  if (graph == nullptr) return NoGraph();
  // Two corners of the data windows give the chart's linear mapping.
  const DataWindow& h = set.distances;
  const DataWindow& g = set.semivariances;
  int sx0 = 0, sy0 = 0, sx1 = 0, sy1 = 0;
  _kvGraphWorldtoScreen(graph.get(), h.minimum, g.minimum, sx0, sy0);
  _kvGraphWorldtoScreen(graph.get(), h.maximum, g.maximum, sx1, sy1);
  if (sx0 == sx1 || sy0 == sy1) {
    return Status::Failure("the cloud's picture is too small to select in");
  }
  auto distance = [&](int x) {
    return h.minimum + (x - kKvVariogramPlotLeft - sx0) *
                           (h.maximum - h.minimum) /
                           static_cast<double>(sx1 - sx0);
  };
  auto gamma = [&](int y) {
    return g.minimum + (y - kKvVariogramPlotTop - sy0) *
                           (g.maximum - g.minimum) /
                           static_cast<double>(sy1 - sy0);
  };
  box->distance_min = std::min(distance(pixels.x0), distance(pixels.x1));
  box->distance_max = std::max(distance(pixels.x0), distance(pixels.x1));
  box->gamma_min = std::min(gamma(pixels.y0), gamma(pixels.y1));
  box->gamma_max = std::max(gamma(pixels.y0), gamma(pixels.y1));
  return Status::Ok();
}

Status DrawVariogramCloud(Session* session, const ChartOptions&,
                          ChartPictures* pictures, Statistics* stats,
                          ChartTable*) {
  const CloudSet* set = nullptr;
  Status status = session->Cloud(&set);
  if (status.ok()) {
    status = Drawable(*session, "variogram cloud",
                      AllFinite(set->cloud.semivariance));
  }
  if (status.ok()) status = DrawCloud(*set, set->highlighted, pictures->main());
  if (!status.ok()) return status;
  const VariogramCloud& cloud = set->cloud;

  AddCount(stats, "pairs", set->total_pairs);
  AddText(stats, "shown",
          ShownPairs(CountOf(cloud.distance), set->total_pairs));
  AddStatistic(stats, "largest distance", WindowOf(cloud.distance).maximum);
  AddStatistic(stats, "largest semivariance",
               WindowOf(cloud.semivariance).maximum);
  AddHighlightStatistics(*set, stats);
  return Status::Ok();
}

}  // namespace korvagraph::analysis
