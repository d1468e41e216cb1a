#include "tools/korvagraph/serve/workbench_request.h"

#include <vector>

namespace korvagraph {
namespace {

using analysis::Status;

// Bounds of the numbers a page sends: wide enough for any real survey,
// finite so that no step overflows.
constexpr double kHuge = 1e15;

void ReadView(QueryParams* params, analysis::Settings* view) {
  analysis::TrimLimits& limits = view->limits;
  limits.lower = params->Number("tmin", limits.lower, -analysis::kOpenLimit,
                                analysis::kOpenLimit);
  limits.upper = params->Number("tmax", limits.upper, -analysis::kOpenLimit,
                                analysis::kOpenLimit);
  const std::string transform =
      params->Choice("transform", analysis::TransformName(view->transform),
                     {"none", "log", "nscore"});
  analysis::ParseTransform(transform, &view->transform);
  view->shift = params->Number("shift", view->shift, -kHuge, kHuge);
  analysis::VariogramSettings& v = view->variogram;
  v.lag = params->Number("lag", v.lag, 0.0, kHuge);
  v.lag_count = params->Integer("lags", v.lag_count, 0, analysis::kMaxLagCount);
  v.lag_tolerance = params->Number("lagtol", v.lag_tolerance, 0.0, kHuge);
  v.azimuths = params->Numbers("dirs", v.azimuths, analysis::kMaxDirections,
                               -360.0, 360.0);
  v.angle_tolerance = params->Number("atol", v.angle_tolerance, 1e-6, 90.0);
  v.bandwidth = params->Number("bandwidth", v.bandwidth, 0.0, kHuge);
}

// The model the page shows: one structure, its major range along the
// azimuth and its minor range across it.
Status ReadModel(QueryParams* params, WorkbenchRequest* request) {
  request->model_given = params->Has("sill");
  const std::string type =
      params->Choice("model", analysis::ModelTypeName(request->view.model.type),
                     {"spherical", "exponential", "gaussian", "power", "hole"});
  analysis::ModelType model_type = analysis::ModelType::kSpherical;
  analysis::ParseModelType(type, &model_type);
  const double nugget = params->Number("nugget", 0.0, 0.0, kHuge);
  const double sill = params->Number("sill", 1.0, 0.0, kHuge);
  const double range = params->Number("range", 1.0, 0.0, kHuge);
  request->model = analysis::SingleStructure(model_type, nugget, sill, range);
  analysis::Structure& structure = request->model.structures[0];
  structure.minor_range = params->Number("range2", range, 0.0, kHuge);
  structure.azimuth = params->Number("azimuth", 0.0, -360.0, 360.0);
  if (!params->status().ok()) return Status::Ok();
  const Status valid = analysis::ValidateModel(request->model);
  if (!valid.ok()) return Status::Failure("model: " + valid.error().message);
  return Status::Ok();
}

}  // namespace

Status ReadWorkbenchRequest(QueryParams* params, const Options& base,
                            WorkbenchRequest* request) {
  request->view = base.settings;
  ReadView(params, &request->view);
  request->direction = params->Integer(
      "dir", 0, 0, static_cast<int>(request->view.variogram.azimuths.size()));
  Status status = ReadModel(params, request);
  if (!status.ok()) return status;
  request->pick = params->Integer("pick", -1, -1, analysis::kMaxLagCount + 1);
  request->box_given = params->Has("box");
  const std::vector<double> box =
      params->Numbers("box", {0, 0, 0, 0}, 4, -kHuge, kHuge);
  if (params->status().ok() && request->box_given && box.size() != 4) {
    return Status::Failure(
        "box: expected four numbers: smallest and largest distance, "
        "smallest and largest semivariance");
  }
  request->box = {box[0], box[1], box[2], box[3]};
  request->width =
      params->Integer("w", request->width, kMinServedSide, kMaxServedSide);
  request->height =
      params->Integer("h", request->height, kMinServedSide, kMaxServedSide);
  if (!params->status().ok()) return params->status();
  return analysis::ValidateSettings(request->view);
}

}  // namespace korvagraph
