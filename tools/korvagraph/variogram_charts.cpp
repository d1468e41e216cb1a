#include "tools/korvagraph/variogram_charts.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "tools/korvagraph/experimental_variogram.h"
#include "tools/korvagraph/graph_object.h"
#include "tools/korvagraph/host_stats.h"

namespace {

constexpr int kModelKindVariogram = 0;  // the engine returns semivariances
constexpr COLORREF kPointColour = KvRgb(0, 0, 255);
constexpr COLORREF kModelColour = KvRgb(255, 0, 0);
constexpr int kFewLags = 3;  // fewer qualifying lags show no structure

struct DirectionStyle {
  COLORREF colour;
  const char* colour_name;
};
// Colours of the directions, in the order of --dirs.
const DirectionStyle kDirectionStyles[] = {
    {KvRgb(0, 0, 255), "blue"},     {KvRgb(220, 0, 0), "red"},
    {KvRgb(0, 150, 0), "green"},    {KvRgb(230, 130, 0), "orange"},
    {KvRgb(150, 0, 200), "purple"}, {KvRgb(0, 170, 190), "teal"},
    {KvRgb(130, 80, 20), "brown"},  {KvRgb(120, 120, 120), "grey"}};

std::string DirectionName(const VariogramSet& set, int row) {
  return row == 0 ? std::string("omnidirectional")
                  : "azimuth " + set.labels[row];
}

// Returns the number of lags (entries past the first) of 30 pairs or more.
int QualifyingLags(const std::vector<Variogram>& row) {
  int lags = 0;
  for (size_t e = 1; e < row.size(); ++e) lags += row[e].npairs >= kMinPairs;
  return lags;
}

// Warns when the row has so few qualifying lags that it shows no structure;
// fails when it has none, since the chart would show no point.
Status CheckLags(const ChartContext& context, const VariogramSet& set,
                 int row) {
  const int lags = QualifyingLags(set.rows[row]);
  const std::string name = "the " + DirectionName(set, row) + " variogram";
  if (lags == 0) {
    return Status::Error("no lag of " + name +
                         " holds 30 pairs or more: nothing to draw (try a "
                         "larger --lag, --atol or --lagtol)");
  }
  if (lags < kFewLags) {
    context.Warn("only " + std::to_string(lags) + " lag(s) of " + name +
                 " hold 30 pairs or more: too few to show a structure");
  }
  return Status::Ok();
}

// Warns about a model that the data do not determine.
void CheckModel(const ChartContext& context, const VariogramSet& set) {
  const ModelFit& fit = set.fit;
  const FitSettings settings = context.ModelSettings();
  char text[200];
  if (settings.fix_range) return;
  if (!fit.fitted) {
    context.Warn(
        "too few lags of 30 pairs to fit a model: the model drawn "
        "holds default parameters");
    return;
  }
  if (fit.range_at_bound) {
    std::snprintf(text, sizeof(text),
                  "the fitted %s %g ends at a bound of the search: the data "
                  "do not determine it",
                  fit.model.type == ModelType::kPower ? "exponent" : "range",
                  fit.model.range);
    context.Warn(text);
  } else if (fit.model.type != ModelType::kPower &&
             fit.model.range > fit.largest_lag) {
    std::snprintf(text, sizeof(text),
                  "the fitted range %g lies beyond the largest lag used "
                  "(%g): no lag shows the sill",
                  fit.model.range, fit.largest_lag);
    context.Warn(text);
  }
}

bool AllFinite(const std::vector<double>& values) {
  return std::all_of(values.begin(), values.end(),
                     [](double v) { return std::isfinite(v); });
}

bool AllFinite(const VariogramSet& set) {
  std::vector<double> values = {set.variance};
  for (const std::vector<Variogram>& row : set.rows) {
    for (const Variogram& entry : row) values.push_back(entry.gamma);
  }
  return AllFinite(values);
}

// Returns OK when the semivariances are finite, else why the chart cannot
// be drawn: differences of 1e154 and more overflow when squared.
Status Drawable(const ChartContext& context, const char* chart, bool finite) {
  if (finite) return Status::Ok();
  return Status::Error(context.data().path + ": cannot draw the " + chart +
                       " of " + context.Name(context.primary()) +
                       ": its values differ by 1e154 or more, and the squared "
                       "differences overflow; divide them by a power of ten");
}

}  // namespace

std::vector<CPoint> DrawVariogramRow(const VariogramSet& set, int row,
                                     const Kt3dIntp& model, double nugget,
                                     int selected, CanvasWindow* window) {
  const int n = set.lags.count;
  const int rows = static_cast<int>(set.rows.size());
  std::vector<Variogram> entries;
  for (const std::vector<Variogram>& r : set.rows) {
    entries.insert(entries.end(), r.begin(), r.end());
  }
  const CPoint unset{kNotDrawn, kNotDrawn};
  std::vector<CPoint> positions(entries.size(), unset);
  std::vector<int> flags(entries.size(), 0);
  const size_t first = static_cast<size_t>(row) * (n + 2);
  if (selected >= 0 && selected < n + 2) flags[first + selected] = 1;
  // The model curve holds 2n + 4 records: twice the lags at half spacing.
  std::vector<ModIndVrg> curve(2 * static_cast<size_t>(n) + 4, ModIndVrg{});
  _kvCptVModel(model, set.lags.spacing, n, kModelKindVariogram, curve.data());

  GraphObject graph = CreateGraph(kVariogramGraph);
  if (graph == nullptr) return {};
  _kvGraphLoadVarmData(graph.get(), entries.data(), curve.data(),
                       positions.data(), flags.data(), n, 1);
  _kvGraphSetAxiName(graph.get(), "Distance", kSemivarianceName);
  _kvGraphSetVrgNug(graph.get(), nugget);
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
  return std::vector<CPoint>(positions.begin() + first,
                             positions.begin() + first + n + 2);
}

Status DrawVariogramPlot(ChartContext* context, ChartPictures* pictures,
                         Statistics* stats) {
  const VariogramSet* set = nullptr;
  Status status = context->Variograms(&set);
  if (status.ok()) status = Drawable(*context, "variogram", AllFinite(*set));
  if (!status.ok()) return status;
  const int n = set->lags.count;
  const int current = context->DirectionRow();
  status = CheckLags(*context, *set, current);
  if (!status.ok()) return status;
  CheckModel(*context, *set);

  const VariogramModel& model = set->fit.model;
  DrawVariogramRow(*set, current, ToModelRecord(model, set->azimuths[current]),
                   model.nugget, kNoEntry, pictures->main());

  AddText(stats, "direction", DirectionName(*set, current));
  AddStatistic(stats, "lag spacing", set->lags.spacing);
  AddCount(stats, "lags", n);
  AddCount(stats, "lags of 30 pairs or more",
           QualifyingLags(set->rows[current]));
  AddCount(stats, "pairs drawn (lags of 30 pairs or more)",
           QualifyingPairs(set->rows[current]));
  AddStatistic(stats, "sill line: sample variance", set->variance);
  AddText(stats, "model", ModelDescription(set->fit, context->ModelSettings()));
  AddText(stats, "model type", ModelTypeName(model.type));
  AddStatistic(stats, "model nugget", model.nugget);
  AddStatistic(stats, "model sill", model.sill);
  AddStatistic(
      stats, model.type == ModelType::kPower ? "model exponent" : "model range",
      model.range);
  return Status::Ok();
}

Status DrawMultipleVariogramPlot(ChartContext* context, ChartPictures* pictures,
                                 Statistics* stats) {
  const VariogramSet* set = nullptr;
  Status status = context->Variograms(&set);
  if (status.ok()) status = Drawable(*context, "variograms", AllFinite(*set));
  if (!status.ok()) return status;
  const int count = static_cast<int>(set->rows.size()) - 1;
  int drawable = 0;
  for (int d = 1; d <= count; ++d) {
    const int lags = QualifyingLags(set->rows[d]);
    drawable += lags > 0;
    if (lags < kFewLags) {
      context->Warn("only " + std::to_string(lags) + " lag(s) of the " +
                    DirectionName(*set, d) +
                    " variogram hold 30 pairs or more");
    }
  }
  if (drawable == 0) {
    return Status::Error(
        "no direction has a lag of 30 pairs or more: the frame would be "
        "empty (try a larger --lag, --atol or --bandwidth)");
  }
  std::vector<Variogram*> entries(count);
  std::vector<LONG> lag_counts(count, set->lags.count);
  std::vector<std::vector<CPoint>> positions(count);
  std::vector<CPoint*> position_arrays(count);
  std::vector<int> show(count, 1);
  std::vector<ULONG> colours(count);
  // The loader takes non-const arrays; the chart only reads the entries.
  std::vector<std::vector<Variogram>> rows(set->rows.begin() + 1,
                                           set->rows.end());
  for (int d = 0; d < count; ++d) {
    entries[d] = rows[d].data();
    positions[d].resize(rows[d].size());
    position_arrays[d] = positions[d].data();
    colours[d] = kDirectionStyles[d].colour;
  }

  GraphObject graph = CreateGraph(kMultipleVariogramGraph);
  if (graph == nullptr) return NoGraph();
  if (_kvGraphLoadMVarmData(graph.get(), entries.data(), lag_counts.data(),
                            position_arrays.data(), count, show.data(),
                            0) != 1) {
    return Status::Error(
        context->data().path + ": cannot draw the directional variograms of " +
        context->Name(context->primary()) + ": the chart library refused them");
  }
  _kvGraphSetAxiName(graph.get(), "Distance", kSemivarianceName);
  _kvGraphSetMVrgNug(graph.get(), set->fit.model.nugget);
  _kvGraphSetMIsDspLine(graph.get(), 1);
  _kvGraphSetMIsDspSill(graph.get(), 1, set->variance);
  _kvGraphSetMCutOffNO(graph.get(), 1, 0);
  _kvGraphSetMColor(graph.get(), colours.data(), colours.data());
  _kvGraphDrawMVarmPlt(graph.get(), pictures->main()->Wnd());

  AddStatistic(stats, "lag spacing", set->lags.spacing);
  AddCount(stats, "lags", set->lags.count);
  for (int d = 0; d < count; ++d) {
    AddCount(stats,
             "azimuth " + set->labels[d + 1] + " (" +
                 kDirectionStyles[d].colour_name + "): pairs drawn",
             QualifyingPairs(set->rows[d + 1]));
  }
  AddStatistic(stats, "sill line: sample variance", set->variance);
  return Status::Ok();
}

void AddHighlightStatistics(const CloudSet& set, Statistics* stats) {
  AddCount(stats, "pairs in cyan", static_cast<long>(set.highlighted.size()));
  AddStatistic(stats, "cyan: largest semivariances closer than",
               set.short_distance);
}

GraphObject DrawCloudGraph(CloudSet* set, std::vector<LONG>* selected,
                           CanvasWindow* window) {
  VariogramCloud& cloud = set->cloud;
  GraphObject graph = CreateGraph(kVariogramCloudGraph);
  if (graph == nullptr) return graph;
  _kvGraphLoadLocPnts(graph.get(), cloud.distance.data(),
                      cloud.semivariance.data(), CountOf(cloud.distance));
  _kvGraphSetDataExtr(graph.get(), set->distances.minimum,
                      set->distances.maximum);
  _kvGraphSetDataExtr2(graph.get(), set->semivariances.minimum,
                       set->semivariances.maximum);
  _kvGraphSetAxiName(graph.get(), "Distance", kSemivarianceName);
  _kvLoadVrgCldSelInfo(graph.get(), selected->data(), CountOf(*selected));
  _kvGraphDrawVrgCldPlt(graph.get(), window->Wnd());
  return graph;
}

Status DrawVariogramCloud(ChartContext* context, ChartPictures* pictures,
                          Statistics* stats) {
  CloudSet* set = nullptr;
  Status status = context->Cloud(&set);
  if (status.ok()) {
    status = Drawable(*context, "variogram cloud",
                      AllFinite(set->cloud.semivariance));
  }
  if (!status.ok()) return status;
  if (DrawCloudGraph(set, &set->highlighted, pictures->main()) == nullptr) {
    return NoGraph();
  }
  const VariogramCloud& cloud = set->cloud;

  AddCount(stats, "pairs", static_cast<long>(set->total_pairs));
  AddText(stats, "shown",
          ShownPairs(CountOf(cloud.distance), set->total_pairs));
  AddStatistic(stats, "largest distance", WindowOf(cloud.distance).maximum);
  AddStatistic(stats, "largest semivariance",
               WindowOf(cloud.semivariance).maximum);
  AddHighlightStatistics(*set, stats);
  return Status::Ok();
}
