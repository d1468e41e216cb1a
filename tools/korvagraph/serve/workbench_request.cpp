#include "tools/korvagraph/serve/workbench_request.h"

#include <cstdio>

namespace {

// Bounds of the numbers a page sends: wide enough for any real survey,
// finite so that no step overflows.
constexpr double kHuge = 1e15;
constexpr double kOpen = 1e21;
constexpr int kMaxLags = 1000;  // as --lags
constexpr size_t kMaxDirections = 8;

void ReadView(QueryParams* params, Options* view) {
  view->tmin = params->Number("tmin", view->tmin, -kOpen, kOpen);
  view->tmax = params->Number("tmax", view->tmax, -kOpen, kOpen);
  view->transform = params->Choice("transform", view->transform.c_str(),
                                   {"none", "log", "nscore"});
  view->shift = params->Number("shift", view->shift, -kHuge, kHuge);
  view->lag = params->Number("lag", view->lag, 0.0, kHuge);
  view->lag_count = params->Integer("lags", view->lag_count, 0, kMaxLags);
  view->lag_tolerance =
      params->Number("lagtol", view->lag_tolerance, 0.0, kHuge);
  view->azimuths =
      params->Numbers("dirs", view->azimuths, kMaxDirections, -360.0, 360.0);
  view->angle_tolerance =
      params->Number("atol", view->angle_tolerance, 1e-6, 90.0);
  view->bandwidth = params->Number("bandwidth", view->bandwidth, 0.0, kHuge);
}

void ReadModel(QueryParams* params, WorkbenchRequest* request) {
  request->model_given = params->Has("sill");
  WorkbenchModel& m = request->model;
  const std::string type =
      params->Choice("model", request->view.model_type.c_str(),
                     {"spherical", "exponential", "gaussian", "power", "hole"});
  ParseModelType(type, &m.model.type);
  m.model.nugget = params->Number("nugget", 0.0, 0.0, kHuge);
  m.model.sill = params->Number("sill", 1.0, 0.0, kHuge);
  const double range_max = m.model.type == ModelType::kPower ? 1.999 : kHuge;
  m.model.range = params->Number("range", 1.0, 1e-9, range_max);
  m.minor_range = params->Number("range2", m.model.range, 1e-9, range_max);
  m.azimuth = params->Number("azimuth", 0.0, -360.0, 360.0);
}

}  // namespace

Status ReadWorkbenchRequest(QueryParams* params, const Options& base,
                            WorkbenchRequest* request) {
  request->view = base;
  ReadView(params, &request->view);
  request->direction = params->Integer(
      "dir", 0, 0, static_cast<int>(request->view.azimuths.size()));
  ReadModel(params, request);
  request->pick = params->Integer("pick", -1, -1, kMaxLags + 1);
  request->box_given = params->Has("box");
  const std::vector<double> box =
      params->Numbers("box", {0, 0, 0, 0}, 4, -kHuge, kHuge);
  if (params->status().ok() && request->box_given && box.size() != 4) {
    return Status::Error(
        "box: expected four numbers: smallest and largest distance, "
        "smallest and largest semivariance");
  }
  request->box = {box[0], box[1], box[2], box[3]};
  request->width = params->Integer("w", request->width, kMinSide, kMaxSide);
  request->height = params->Integer("h", request->height, kMinSide, kMaxSide);
  if (params->status().ok() && !(request->view.tmin < request->view.tmax)) {
    return Status::Error("tmin, tmax: expected tmin below tmax");
  }
  return params->status();
}

std::string ViewKey(const Options& o) {
  std::string key;
  char number[40];
  for (double value : {o.tmin, o.tmax, o.shift, o.lag, o.lag_tolerance,
                       o.angle_tolerance, o.bandwidth}) {
    std::snprintf(number, sizeof(number), "%.17g,", value);
    key += number;
  }
  key += o.transform + "," + std::to_string(o.lag_count) + ",";
  for (double azimuth : o.azimuths) {
    std::snprintf(number, sizeof(number), "%.17g;", azimuth);
    key += number;
  }
  return key;
}
