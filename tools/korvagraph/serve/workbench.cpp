#include "tools/korvagraph/serve/workbench.h"

#include <cmath>
#include <limits>

#include "korvagraph/canvas_window.h"
#include "tools/korvagraph/chart_pictures.h"
#include "tools/korvagraph/chart_table.h"
#include "tools/korvagraph/data_transform.h"
#include "tools/korvagraph/experimental_variogram.h"
#include "tools/korvagraph/map_charts.h"
#include "tools/korvagraph/serve/json_object.h"
#include "tools/korvagraph/serve/model_text.h"
#include "tools/korvagraph/serve/pair_selection.h"
#include "tools/korvagraph/serve/picture_bytes.h"
#include "tools/korvagraph/variogram_charts.h"

namespace {

// Views kept for reuse: a page moves between a few settings at a time.
constexpr size_t kCachedViews = 4;
// The variogram and cloud charts' plot corner in their pictures: the
// recorded positions and the cloud's mapping are relative to it.
constexpr int kPlotLeft = 45;
constexpr int kPlotTop = 8;
// A click farther than this from every point picks none.
constexpr double kPickRadius = 20.0;
// Pairs listed in a reply at most, and samples named as most involved.
constexpr size_t kListedPairs = 500;
constexpr int kListedSamples = 10;
constexpr char kLegendChart[] = "locmap-legend";

// Returns data with the values outside [tmin, tmax) of options held missing.
DataSet Trimmed(DataSet data, const Options& options) {
  const TrimLimits limits{options.tmin, options.tmax};
  data.trimmed.resize(data.columns.size(), 0);
  for (size_t c = 0; c < data.columns.size(); ++c) {
    for (double& value : data.columns[c]) {
      if (IsMissing(value) || limits.Keeps(value)) continue;
      value = std::numeric_limits<double>::quiet_NaN();
      ++data.trimmed[c];
    }
  }
  return data;
}

// Returns the direction the variogram row's entries were counted in.
VariogramDirection DirectionOf(const Options& view, int row) {
  if (row == 0) return {0.0, 90.0};
  return {view.azimuths[row - 1], view.angle_tolerance, view.bandwidth};
}

std::string EntryJson(const Variogram& entry) {
  return JsonObject()
      .Number("h", entry.h)
      .Number("gamma", entry.gamma)
      .Number("npairs", entry.npairs)
      .str();
}

WorkbenchModel FromFit(const ModelFit& fit) {
  WorkbenchModel model;
  model.model = fit.model;
  model.minor_range = fit.model.range;
  return model;
}

std::string ModelFitJson(const ModelFit& fit, const WorkbenchModel& model) {
  return JsonObject()
      .Raw("model", ModelJson(model))
      .Bool("fitted", fit.fitted)
      .Number("lags_used", fit.lags_used)
      .Text("description", ModelDescription(fit))
      .str();
}

// The request's model, else the one fitted to the view's variograms.
WorkbenchModel ModelOf(const WorkbenchRequest& request,
                       const VariogramSet& set) {
  return request.model_given ? request.model : FromFit(set.fit);
}

// Draws the request's variogram with entry pick highlighted (none when
// negative); returns the positions the chart recorded for the row.
std::vector<CPoint> DrawVariogram(const VariogramSet& set,
                                  const WorkbenchRequest& request, int pick,
                                  CanvasWindow* window) {
  const WorkbenchModel model = ModelOf(request, set);
  // The omnidirectional curve runs along the model's major axis.
  const double along =
      request.direction == 0 ? model.azimuth : set.azimuths[request.direction];
  return DrawVariogramRow(set, request.direction,
                          AnisotropicModelRecord(model, along),
                          model.model.nugget, pick, window);
}

// Draws the request's variogram off screen; returns the positions the chart
// recorded for the row in the picture's pixels, as the page's picture of
// the same size and settings has them.
std::vector<CPoint> RecordedPoints(const VariogramSet& set,
                                   const WorkbenchRequest& request) {
  CanvasWindow window(request.width, request.height);
  std::vector<CPoint> positions =
      DrawVariogram(set, request, kNoEntry, &window);
  for (CPoint& p : positions) {
    if (p.x == kNotDrawn) continue;
    p.x += kPlotLeft;
    p.y += kPlotTop;
  }
  return positions;
}

// Returns the number of the entry whose recorded point lies nearest (x, y)
// within the pick radius, or kNoEntry.
int NearestEntry(const std::vector<CPoint>& positions,
                 const std::vector<Variogram>& row, int x, int y) {
  int best = kNoEntry;
  double best_distance = kPickRadius;
  for (size_t e = 0; e < positions.size(); ++e) {
    if (positions[e].x == kNotDrawn || row[e].npairs < kMinPairs) continue;
    const double distance = std::hypot(positions[e].x - x, positions[e].y - y);
    if (distance <= best_distance) {
      best = static_cast<int>(e);
      best_distance = distance;
    }
  }
  return best;
}

// Returns the samples in most of the cloud points' pairs, as a JSON array.
std::string InvolvedJson(const CloudSet& cloud,
                         const std::vector<KvDiscPnt>& samples,
                         const std::vector<LONG>& points) {
  std::vector<std::string> involved;
  for (const Involvement& s :
       MostInvolved(cloud.cloud, points, kListedSamples)) {
    const KvDiscPnt& sample = samples[s.sample];
    involved.push_back(JsonObject()
                           .Number("sample", s.sample)
                           .Number("pairs", s.pairs)
                           .Number("x", sample.x)
                           .Number("y", sample.y)
                           .Number("value", sample.value)
                           .str());
  }
  return JsonArray(involved);
}

}  // namespace

Reply Reply::BadRequest(const std::string& message) {
  Reply reply;
  reply.status = 400;
  reply.body = JsonObject().Text("error", message).str();
  return reply;
}

Workbench::Workbench(DataSet data) : data_(std::move(data)) {}

Status Workbench::FindView(const WorkbenchRequest& request, View* view) {
  const std::string key = ViewKey(request.view);
  auto found = views_.begin();
  while (found != views_.end() && found->first != key) ++found;
  if (found != views_.end()) {
    views_.splice(views_.begin(), views_, found);
  } else {
    auto context = std::make_unique<ChartContext>(Trimmed(data_, request.view),
                                                  request.view, nullptr);
    Status status = context->Resolve();
    if (status.ok()) ApplyTransform(context.get());
    const VariogramSet* set = nullptr;
    CloudSet* cloud = nullptr;
    if (status.ok()) status = context->Variograms(&set);
    if (status.ok()) status = context->Cloud(&cloud);
    if (!status.ok()) return status;
    views_.emplace_front(key, std::move(context));
    if (views_.size() > kCachedViews) views_.pop_back();
  }
  view->context = views_.front().second.get();
  view->context->Variograms(&view->variograms);
  view->context->Cloud(&view->cloud);
  view->context->LocatedSamples(&view->samples);
  // Warnings go to the page with the view's information, not per request.
  view->context->TakeWarnings();
  return Status::Ok();
}

template <typename Body>
Reply Workbench::Answer(const WorkbenchRequest& request, Body body) {
  std::lock_guard<std::mutex> lock(mutex_);
  View view;
  const Status status = FindView(request, &view);
  if (!status.ok()) return Reply::BadRequest(status.message());
  return body(view);
}

Status Workbench::Prepare(const WorkbenchRequest& request) {
  std::lock_guard<std::mutex> lock(mutex_);
  View view;
  return FindView(request, &view);
}

std::vector<LONG> Workbench::SelectedPoints(const WorkbenchRequest& request,
                                            const View& view) {
  if (request.box_given) return BoxPairs(view.cloud->cloud, request.box);
  if (request.pick < 0) return {};
  return LagPairs(*view.samples, view.cloud->cloud, view.variograms->lags,
                  DirectionOf(request.view, request.direction), request.pick);
}

Reply Workbench::DrawToPicture(const std::string& name, ImageFormat format,
                               const WorkbenchRequest& request,
                               const View& view) {
  const bool legend = name == kLegendChart;
  const ChartEntry* entry = FindChart(legend ? "locmap" : name);
  if (entry == nullptr) {
    std::string names = kLegendChart;
    for (const ChartEntry& e : ChartTable())
      names += std::string(", ") + e.name;
    return Reply::BadRequest("unknown chart \"" + name +
                             "\"; charts: " + names);
  }
  ChartPictures pictures(request.width, request.height);
  Status status;
  if (name == "vario") {
    if (QualifyingPairs(view.variograms->rows[request.direction]) == 0) {
      return Reply::BadRequest(
          "no lag of this direction holds 30 pairs or more: nothing to draw "
          "(try a larger lag, lag tolerance or angle tolerance)");
    }
    DrawVariogram(*view.variograms, request, request.pick, pictures.main());
  } else if (name == "cloud") {
    std::vector<LONG> selected = SelectedPoints(request, view);
    DrawCloudGraph(view.cloud, &selected, pictures.main());
  } else if (name == "cloudmap") {
    std::vector<KVL_DOT> pairs;
    for (LONG p : SelectedPoints(request, view)) {
      pairs.push_back(view.cloud->cloud.pairs[p]);
    }
    status = DrawCloudPairMap(view.context, &pairs, pictures.main(), nullptr);
  } else {
    Statistics stats;
    status = entry->draw(view.context, &pictures, &stats);
  }
  view.context->TakeWarnings();
  if (!status.ok()) return Reply::BadRequest(status.message());
  // The legend is the map's second picture.
  const int picture = legend ? pictures.count() - 1 : 0;
  Reply reply;
  reply.content_type =
      format == ImageFormat::kSvg ? "image/svg+xml" : "image/png";
  if (!PictureBytes(
          [&](const std::string& path) {
            return pictures.Save(picture, path, format);
          },
          &reply.body)) {
    reply = Reply{500, "text/plain", "the picture could not be encoded"};
  }
  return reply;
}

Reply Workbench::Chart(const std::string& name, ImageFormat format,
                       const WorkbenchRequest& request) {
  return Answer(request, [&](const View& view) {
    return DrawToPicture(name, format, request, view);
  });
}

Reply Workbench::Info(const WorkbenchRequest& request) {
  return Answer(request, [&](const View& view) {
    const VariogramSet& set = *view.variograms;
    std::vector<std::string> labels, rows, warnings;
    for (size_t r = 0; r < set.rows.size(); ++r) {
      labels.push_back(JsonString(set.labels[r]));
      std::vector<std::string> entries;
      for (const Variogram& entry : set.rows[r]) {
        entries.push_back(EntryJson(entry));
      }
      rows.push_back(JsonArray(entries));
    }
    for (const std::string& warning : view.context->run_warnings()) {
      warnings.push_back(JsonString(warning));
    }
    const DataSet& data = view.context->data();
    const double pairs = static_cast<double>(view.cloud->cloud.pairs.size());
    return Reply{
        200, "application/json",
        JsonObject()
            .Text("title", data.title)
            .Text("path", data.path)
            .Number("rows", data.RowCount())
            .Number("samples", static_cast<double>(view.samples->size()))
            .Text("columns", view.context->ColumnsText(ColumnUse::kLocated))
            .Number("variance", set.variance)
            .Number("lag", set.lags.spacing)
            .Number("lags", set.lags.count)
            .Raw("directions", JsonArray(labels))
            .Raw("variograms", JsonArray(rows))
            .Number("cloud_pairs", pairs)
            .Raw("fit", ModelFitJson(set.fit, FromFit(set.fit)))
            .Raw("warnings", JsonArray(warnings))
            .str()};
  });
}

Reply Workbench::Points(const WorkbenchRequest& request) {
  return Answer(request, [&](const View& view) {
    const std::vector<CPoint> positions =
        RecordedPoints(*view.variograms, request);
    const std::vector<Variogram>& row =
        view.variograms->rows[request.direction];
    std::vector<std::string> points;
    for (size_t e = 0; e < positions.size(); ++e) {
      const bool drawn = positions[e].x != kNotDrawn;
      points.push_back(
          JsonObject()
              .Number("entry", static_cast<double>(e))
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
    const std::vector<CPoint> positions =
        RecordedPoints(*view.variograms, request);
    const std::vector<Variogram>& row =
        view.variograms->rows[request.direction];
    const int best = NearestEntry(positions, row, x, y);
    JsonObject reply;
    reply.Number("entry", best);
    if (best != kNoEntry) {
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
                           const PixelBox& box) {
  return Answer(request, [&](const View& view) {
    CanvasWindow window(request.width, request.height);
    std::vector<LONG> none;
    GraphObject graph = DrawCloudGraph(view.cloud, &none, &window);
    if (graph == nullptr) return Reply::BadRequest(NoGraph().message());
    // Two corners of the data windows give the chart's linear mapping.
    const DataWindow& h = view.cloud->distances;
    const DataWindow& g = view.cloud->semivariances;
    int sx0 = 0, sy0 = 0, sx1 = 0, sy1 = 0;
    _kvGraphWorldtoScreen(graph.get(), h.minimum, g.minimum, sx0, sy0);
    _kvGraphWorldtoScreen(graph.get(), h.maximum, g.maximum, sx1, sy1);
    if (sx0 == sx1 || sy0 == sy1) {
      return Reply::BadRequest("the cloud's picture is too small to select in");
    }
    auto distance = [&](int x) {
      return h.minimum + (x - kPlotLeft - sx0) * (h.maximum - h.minimum) /
                             static_cast<double>(sx1 - sx0);
    };
    auto gamma = [&](int y) {
      return g.minimum + (y - kPlotTop - sy0) * (g.maximum - g.minimum) /
                             static_cast<double>(sy1 - sy0);
    };
    CloudBox data_box;
    data_box.distance_min = std::min(distance(box.x0), distance(box.x1));
    data_box.distance_max = std::max(distance(box.x0), distance(box.x1));
    data_box.gamma_min = std::min(gamma(box.y0), gamma(box.y1));
    data_box.gamma_max = std::max(gamma(box.y0), gamma(box.y1));
    const std::vector<LONG> points = BoxPairs(view.cloud->cloud, data_box);
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
    const VariogramSet& set = *view.variograms;
    FitSettings settings;
    settings.start.type = request.model.model.type;
    const ModelFit fit =
        FitModel(set.rows[request.direction], set.lags, set.variance, settings);
    WorkbenchModel model = FromFit(fit);
    model.azimuth = request.model.azimuth;
    return Reply{200, "application/json", ModelFitJson(fit, model)};
  });
}

Reply Workbench::ModelText(const WorkbenchRequest& request,
                           const std::string& format) {
  return Answer(request, [&](const View& view) {
    const WorkbenchModel model = ModelOf(request, *view.variograms);
    if (format == "gslib") return Reply{200, "text/plain", ModelGslib(model)};
    return Reply{200, "application/json", ModelJson(model)};
  });
}
