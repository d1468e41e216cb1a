#include "tools/korvagraph/serve/workbench.h"

#include <cmath>

#include "korvagraph/analysis/json.h"
#include "korvagraph/canvas_window.h"
#include "tools/korvagraph/serve/picture_bytes.h"

namespace korvagraph {
namespace {

using analysis::JsonArray;
using analysis::JsonNumber;
using analysis::JsonObject;
using analysis::JsonString;
using analysis::Status;

// Sessions kept for reuse: a page moves between a few settings at a time.
constexpr size_t kCachedViews = 4;
// A click farther than this from every point picks none.
constexpr double kPickRadius = 20.0;
// Pairs listed in a reply at most, and samples named as most involved.
constexpr size_t kListedPairs = 500;
constexpr int kListedSamples = 10;
// The maps whose colour legend is a picture of its own, "NAME-legend".
constexpr const char* kMapsWithLegend[] = {"locmap", "varmap"};
constexpr char kLegendSuffix[] = "-legend";

// Returns the chart that name draws: name itself, or the map whose legend
// "MAP-legend" is (*legend then true).
std::string ChartOf(const std::string& name, bool* legend) {
  for (const char* map : kMapsWithLegend) {
    if (name == std::string(map) + kLegendSuffix) {
      *legend = true;
      return map;
    }
  }
  *legend = false;
  return name;
}

// Returns path's last part: answers name the data file, never where it is.
std::string BaseName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

analysis::Table WithBaseName(analysis::Table table) {
  table.path = BaseName(table.path);
  return table;
}

// Returns the status for the client, the file named without its folder.
std::string ForClient(const Status& status) {
  analysis::Error error = status.error();
  if (error.file.empty()) return error.message;
  return Status::AtLine(BaseName(error.file), error.line, error.message)
      .ToString();
}

std::string EntryJson(const Variogram& entry) {
  return JsonObject()
      .Number("h", entry.h)
      .Number("gamma", entry.gamma)
      .Number("npairs", entry.npairs)
      .str();
}

// Returns a model as JSON with its written-out form (formula) beside it.
JsonObject ModelAnswer(const analysis::VariogramModel& model) {
  return JsonObject()
      .Raw("model", analysis::ModelJson(model))
      .Text("formula", analysis::ModelFormula(model));
}

std::string FitJson(const analysis::ModelFit& fit,
                    const analysis::FitSettings& settings) {
  return ModelAnswer(fit.model)
      .Bool("given", settings.model_given)
      .Bool("fitted", fit.fitted)
      .Number("lags_used", fit.lags_used)
      .Text("description", analysis::ModelDescription(fit, settings))
      .Raw("warnings",
           analysis::JsonStrings(analysis::FitWarnings(fit, settings)))
      .str();
}

// The request's model, else the one fitted to the view's variograms.
const analysis::VariogramModel& ModelOf(const WorkbenchRequest& request,
                                        const analysis::VariogramSet& set) {
  return request.model_given ? request.model : set.fit.model;
}

// Returns the number of the entry whose recorded point lies nearest (x, y)
// within the pick radius, or kNoEntry.
int NearestEntry(const std::vector<CPoint>& positions,
                 const analysis::VariogramRow& row, int x, int y) {
  int best = analysis::kNoEntry;
  double best_distance = kPickRadius;
  for (size_t e = 0; e < positions.size(); ++e) {
    if (positions[e].x == analysis::kNotDrawn ||
        row[e].npairs < analysis::kMinVariogramPairs) {
      continue;
    }
    const double distance = std::hypot(positions[e].x - x, positions[e].y - y);
    if (distance <= best_distance) {
      best = static_cast<int>(e);
      best_distance = distance;
    }
  }
  return best;
}

// Returns the samples in most of the cloud points' pairs, as a JSON array.
std::string InvolvedJson(const analysis::CloudSet& cloud,
                         const analysis::Samples& samples,
                         const std::vector<LONG>& points) {
  std::vector<std::string> involved;
  for (const analysis::Involvement& s :
       analysis::MostInvolved(cloud.cloud, points, kListedSamples)) {
    involved.push_back(
        JsonObject()
            .Number("sample", s.sample)
            .Number("row", static_cast<double>(samples.row[s.sample]))
            .Number("pairs", s.pairs)
            .Number("x", samples.x[s.sample])
            .Number("y", samples.y[s.sample])
            .Number("value", samples.value[s.sample])
            .str());
  }
  return JsonArray(involved);
}

// Returns the lag an entry of a row holds, numbered from 1: entry 1 holds
// the pairs closer than half a lag (lag 0), entry 0 pairs at one place.
double LagOf(int entry) { return entry - 1.0; }

std::string ColumnName(const analysis::Table& table, int column) {
  return column == analysis::kNoColumn ? std::string() : table.names[column];
}

// Returns the columns a user may chart as attributes (every one but the
// coordinates and the weight), as [{"name", "short"}].
std::string AttributesJson(const analysis::Table& table,
                           const analysis::ColumnChoice& columns) {
  std::vector<std::string> attributes;
  for (int c = 0; c < table.ColumnCount(); ++c) {
    if (c == columns.x || c == columns.y || c == columns.z ||
        c == columns.weight) {
      continue;
    }
    attributes.push_back(JsonObject()
                             .Text("name", table.names[c])
                             .Text("short", analysis::ShortName(table.names[c]))
                             .str());
  }
  return JsonArray(attributes);
}

// Returns the excluded rows of table that it holds, with their coordinates
// and primary value as read (null where missing).
std::string ExcludedJson(const analysis::Table& table,
                         const analysis::ColumnChoice& columns,
                         const std::vector<int64_t>& rows) {
  std::vector<std::string> excluded;
  for (int64_t row : rows) {
    if (row < 0 || row >= table.RowCount()) continue;
    excluded.push_back(JsonObject()
                           .Number("row", static_cast<double>(row))
                           .Number("x", table.columns[columns.x][row])
                           .Number("y", table.columns[columns.y][row])
                           .Number("value", table.columns[columns.primary][row])
                           .str());
  }
  return JsonArray(excluded);
}

}  // namespace

Reply Reply::BadRequest(const std::string& message) {
  Reply reply;
  reply.status = 400;
  reply.body = JsonObject().Text("error", message).str();
  return reply;
}

// The table is held under its file's name alone, so that no message the
// library words about it (an unknown column lists the file) tells where it is.
Workbench::Workbench(analysis::Table table)
    : table_(WithBaseName(std::move(table))) {}

Status Workbench::FindView(const WorkbenchRequest& request, View* view) {
  const std::string key = analysis::SettingsKey(request.view);
  auto found = views_.begin();
  while (found != views_.end() && found->first != key) ++found;
  if (found != views_.end()) {
    views_.splice(views_.begin(), views_, found);
  } else {
    std::unique_ptr<analysis::Session> session;
    Status status = analysis::Session::Open(table_, request.view, &session);
    const analysis::VariogramSet* set = nullptr;
    const analysis::CloudSet* cloud = nullptr;
    if (status.ok()) status = session->Variograms(&set);
    if (status.ok()) status = session->Cloud(&cloud);
    if (!status.ok()) return status;
    views_.emplace_front(key, std::move(session));
    if (views_.size() > kCachedViews) views_.pop_back();
  }
  view->session = views_.front().second.get();
  view->session->Variograms(&view->variograms);
  view->session->Cloud(&view->cloud);
  view->session->Located(&view->samples);
  // Each answer reports its own warnings; the session's stay in Info.
  view->session->TakeWarnings();
  return Status::Ok();
}

template <typename Body>
Reply Workbench::Answer(const WorkbenchRequest& request, Body body) {
  std::lock_guard<std::mutex> lock(mutex_);
  View view;
  const Status status = FindView(request, &view);
  if (!status.ok()) return Reply::BadRequest(ForClient(status));
  return body(view);
}

Status Workbench::Prepare(const WorkbenchRequest& request) {
  std::lock_guard<std::mutex> lock(mutex_);
  View view;
  return FindView(request, &view);
}

std::vector<LONG> Workbench::SelectedPoints(const WorkbenchRequest& request,
                                            const View& view) {
  if (request.box_given)
    return analysis::BoxPairs(view.cloud->cloud, request.box);
  if (request.pick < 0) return {};
  return analysis::LagPairs(
      *view.samples, view.cloud->cloud, view.variograms->lags,
      view.variograms->directions[request.direction], request.pick);
}

Status Workbench::Draw(const std::string& name, const WorkbenchRequest& request,
                       const View& view, DrawnPictures* drawn) {
  bool legend = false;
  const analysis::ChartKind* kind =
      analysis::FindChartKind(ChartOf(name, &legend));
  if (kind == nullptr) {
    std::string names;
    for (const char* map : kMapsWithLegend) {
      names += std::string(map) + kLegendSuffix + ", ";
    }
    for (const analysis::ChartKind& k : analysis::ChartKinds()) {
      names += std::string(k.name) +
               (&k == &analysis::ChartKinds().back() ? "" : ", ");
    }
    return Status::Failure("unknown chart \"" + name + "\"; charts: " + names);
  }
  drawn->pictures =
      std::make_unique<analysis::ChartPictures>(request.width, request.height);
  analysis::ChartPictures& pictures = *drawn->pictures;
  analysis::Session* session = view.session;
  session->TakeWarnings();
  Status status;
  // Asked again so that the samples' warnings (a constant attribute) come
  // with this answer.
  const analysis::VariogramSet* variograms = nullptr;
  const analysis::CloudSet* cloud = nullptr;
  session->Variograms(&variograms);
  session->Cloud(&cloud);
  if (name == "vario") {
    const analysis::VariogramSet& set = *variograms;
    if (analysis::QualifyingPairs(set.rows[request.direction]) == 0) {
      return Status::Failure(
          "no lag of this direction holds " +
          std::to_string(analysis::kMinVariogramPairs) +
          " pairs or more: nothing to draw (try a larger lag, lag tolerance "
          "or angle tolerance)");
    }
    analysis::DrawVariogramRow(set, request.direction, ModelOf(request, set),
                               request.pick, pictures.main());
    // What the view's fit could not determine, when it is the model drawn;
    // the page shows the warnings of a model it fitted itself.
    if (!request.model_given) {
      for (const std::string& w :
           analysis::FitWarnings(set.fit, request.view.model)) {
        session->Warn(w);
      }
    }
  } else if (name == "cloud") {
    status = analysis::DrawCloud(*cloud, SelectedPoints(request, view),
                                 pictures.main());
  } else if (name == "cloudmap") {
    std::vector<KVL_DOT> pairs;
    for (LONG p : SelectedPoints(request, view)) {
      pairs.push_back(view.cloud->cloud.pairs[p]);
    }
    status = analysis::DrawCloudPairMap(session, pairs, pictures.main());
  } else {
    analysis::ChartOptions options;
    options.direction = request.direction;
    options.colours = request.colours;
    analysis::DrawnChart chart;
    status = analysis::DrawChart(session, *kind, options, &pictures, &chart);
    drawn->warnings = chart.warnings;
    drawn->stats = std::move(chart.stats);
    return status;
  }
  drawn->warnings = session->TakeWarnings();
  return status;
}

Reply Workbench::Chart(const std::string& name, analysis::ImageFormat format,
                       const WorkbenchRequest& request) {
  return Answer(request, [&](const View& view) {
    DrawnPictures drawn;
    const Status status = Draw(name, request, view, &drawn);
    if (!status.ok()) return Reply::BadRequest(ForClient(status));
    // The legend is the map's second picture.
    const analysis::ChartPictures& pictures = *drawn.pictures;
    bool legend = false;
    ChartOf(name, &legend);
    const int picture = legend ? pictures.count() - 1 : 0;
    Reply reply;
    reply.content_type =
        format == analysis::ImageFormat::kSvg ? "image/svg+xml" : "image/png";
    if (!PictureBytes(
            [&](const std::string& path) {
              return pictures.Save(picture, path, format);
            },
            &reply.body)) {
      reply = Reply{500, "text/plain", "the picture could not be encoded"};
    }
    return reply;
  });
}

Reply Workbench::Warnings(const std::string& name,
                          const WorkbenchRequest& request) {
  return Answer(request, [&](const View& view) {
    DrawnPictures drawn;
    const Status status = Draw(name, request, view, &drawn);
    std::vector<std::string> warnings = drawn.warnings;
    if (!status.ok()) warnings.push_back(ForClient(status));
    return Reply{200, "application/json",
                 JsonObject()
                     .Text("chart", name)
                     .Raw("warnings", analysis::JsonStrings(warnings))
                     .Raw("statistics", analysis::StatisticsJson(drawn.stats))
                     .str()};
  });
}

Reply Workbench::Info(const WorkbenchRequest& request) {
  return Answer(request, [&](const View& view) {
    const analysis::VariogramSet& set = *view.variograms;
    std::vector<std::string> labels, rows;
    for (size_t r = 0; r < set.rows.size(); ++r) {
      labels.push_back(JsonString(set.labels[r]));
      std::vector<std::string> entries;
      for (const Variogram& entry : set.rows[r]) {
        entries.push_back(EntryJson(entry));
      }
      rows.push_back(JsonArray(entries));
    }
    const analysis::Session& session = *view.session;
    const analysis::Table& table = session.table();
    const analysis::ColumnChoice& columns = session.columns();
    const double pairs = static_cast<double>(view.cloud->cloud.pairs.size());
    return Reply{
        200, "application/json",
        JsonObject()
            .Text("title", table.title)
            .Text("path", BaseName(table.path))
            .Number("rows", static_cast<double>(table.RowCount()))
            .Number("samples", static_cast<double>(view.samples->size()))
            .Text("columns", session.ColumnsText(analysis::ColumnUse::kLocated))
            .Raw("attributes", AttributesJson(table, columns))
            .Text("primary", ColumnName(table, columns.primary))
            .Text("secondary", ColumnName(table, columns.secondary))
            .Raw("excluded",
                 ExcludedJson(table_, columns, request.view.excluded_rows))
            .Text("variogram", set.name)
            .Number("variance", set.variance)
            .Number("lag", set.lags.spacing)
            .Number("lags", set.lags.count)
            .Number("reach", set.lags.Reach())
            .Raw("directions", JsonArray(labels))
            .Raw("variograms", JsonArray(rows))
            .Number("cloud_pairs", pairs)
            .Number("min_pairs", analysis::kMinVariogramPairs)
            .Raw("fit", FitJson(set.fit, request.view.model))
            .Raw("choices", ChoicesJson(request))
            .Raw("warnings", analysis::JsonStrings(session.run_warnings()))
            .str()};
  });
}

Reply Workbench::Points(const WorkbenchRequest& request) {
  return Answer(request, [&](const View& view) {
    CanvasWindow window(request.width, request.height);
    const analysis::VariogramSet& set = *view.variograms;
    const std::vector<CPoint> positions = analysis::DrawVariogramRow(
        set, request.direction, ModelOf(request, set), analysis::kNoEntry,
        &window);
    const analysis::VariogramRow& row = set.rows[request.direction];
    std::vector<std::string> points;
    for (size_t e = 0; e < positions.size(); ++e) {
      const bool drawn = positions[e].x != analysis::kNotDrawn;
      points.push_back(
          JsonObject()
              .Number("entry", static_cast<double>(e))
              .Number("lag", LagOf(static_cast<int>(e)))
              .Raw("x", drawn ? JsonNumber(positions[e].x) : "null")
              .Raw("y", drawn ? JsonNumber(positions[e].y) : "null")
              .Raw("variogram", EntryJson(row[e]))
              .str());
    }
    return Reply{200, "application/json",
                 JsonObject().Raw("points", JsonArray(points)).str()};
  });
}

Reply Workbench::Pick(const WorkbenchRequest& request, int x, int y) {
  return Answer(request, [&](const View& view) {
    CanvasWindow window(request.width, request.height);
    const analysis::VariogramSet& set = *view.variograms;
    const std::vector<CPoint> positions = analysis::DrawVariogramRow(
        set, request.direction, ModelOf(request, set), analysis::kNoEntry,
        &window);
    const analysis::VariogramRow& row = set.rows[request.direction];
    const int best = NearestEntry(positions, row, x, y);
    JsonObject reply;
    reply.Number("entry", best);
    if (best != analysis::kNoEntry) {
      reply.Number("lag", LagOf(best));
      WorkbenchRequest picked = request;
      picked.pick = best;
      picked.box_given = false;
      const std::vector<LONG> points = SelectedPoints(picked, view);
      std::vector<std::string> pairs;
      for (size_t p = 0; p < points.size() && p < kListedPairs; ++p) {
        const KVL_DOT& pair = view.cloud->cloud.pairs[points[p]];
        pairs.push_back(
            JsonArray({JsonNumber(pair.first), JsonNumber(pair.second)}));
      }
      reply.Raw("variogram", EntryJson(row[best]))
          .Number("x", positions[best].x)
          .Number("y", positions[best].y)
          .Number("cloud_pairs", static_cast<double>(points.size()))
          .Raw("pairs", JsonArray(pairs))
          .Raw("samples", InvolvedJson(*view.cloud, *view.samples, points));
    }
    return Reply{200, "application/json", reply.str()};
  });
}

Reply Workbench::SelectBox(const WorkbenchRequest& request,
                           const analysis::PixelBox& box) {
  return Answer(request, [&](const View& view) {
    analysis::CloudBox data_box;
    const Status status = analysis::CloudBoxOf(*view.cloud, request.width,
                                               request.height, box, &data_box);
    if (!status.ok()) return Reply::BadRequest(ForClient(status));
    const std::vector<LONG> points =
        analysis::BoxPairs(view.cloud->cloud, data_box);
    return Reply{
        200, "application/json",
        JsonObject()
            .Raw("box", JsonArray({JsonNumber(data_box.distance_min),
                                   JsonNumber(data_box.distance_max),
                                   JsonNumber(data_box.gamma_min),
                                   JsonNumber(data_box.gamma_max)}))
            .Number("cloud_pairs", static_cast<double>(points.size()))
            .Raw("samples", InvolvedJson(*view.cloud, *view.samples, points))
            .str()};
  });
}

Reply Workbench::Fit(const WorkbenchRequest& request) {
  return Answer(request, [&](const View& view) {
    const analysis::VariogramSet& set = *view.variograms;
    const analysis::FitSettings& settings = request.fit;
    analysis::ModelFit fit;
    if (settings.anisotropic) {
      fit = analysis::FitRows(set.rows, set.directions, set.lags, set.variance,
                              settings);
    } else {
      // The shown row alone, taken as the rows of every pair are.
      fit = analysis::FitRows({set.rows[request.direction]},
                              {analysis::Direction()}, set.lags, set.variance,
                              settings);
      // One isotropic structure keeps the azimuth the page shows.
      if (fit.model.structures.size() == 1) {
        fit.model.structures[0].azimuth = request.model.structures[0].azimuth;
      }
    }
    return Reply{200, "application/json", FitJson(fit, settings)};
  });
}

Reply Workbench::ModelText(const WorkbenchRequest& request,
                           const std::string& format) {
  return Answer(request, [&](const View& view) {
    const analysis::VariogramModel& model = ModelOf(request, *view.variograms);
    if (format == "gslib") {
      return Reply{200, "text/plain", analysis::ModelGslib(model)};
    }
    return Reply{200, "application/json", analysis::ModelJson(model)};
  });
}

Reply Workbench::LoadModel(const std::string& text) {
  analysis::VariogramModel model;
  const Status status = analysis::ParseModelText(text, &model);
  if (!status.ok()) return Reply::BadRequest("text: " + ForClient(status));
  return Reply{
      200, "application/json",
      ModelAnswer(model)
          .Number("structures", static_cast<double>(model.structures.size()))
          .str()};
}

}  // namespace korvagraph
