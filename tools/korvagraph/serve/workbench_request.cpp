#include "tools/korvagraph/serve/workbench_request.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "korvagraph/analysis/json.h"

namespace korvagraph {
namespace {

using analysis::Status;

// Bounds of the numbers a page sends: wide enough for any real survey,
// finite so that no step overflows.
constexpr double kHuge = 1e15;
constexpr double kLargestRow = 2147483647.0;

// Returns name: expected ..., found "value", as QueryParams words it.
Status Expected(const char* name, const std::string& expected,
                const std::string& found) {
  const std::string shown =
      found.size() > 40 ? found.substr(0, 40) + "..." : found;
  return Status::Failure(std::string(name) + ": expected " + expected +
                         ", found \"" + shown + "\"");
}

// What the variograms are of, by VariogramKind: the values, their indicator
// at a threshold (a number or "qNN"), or the cross variogram with the
// secondary attribute.
constexpr const char* kKinds[] = {"value", "indicator", "cross"};

void ReadKind(QueryParams* params, analysis::VariogramSettings* v) {
  const std::string kind =
      params->Choice("kind", kKinds[static_cast<int>(v->kind)],
                     {kKinds[0], kKinds[1], kKinds[2]});
  for (int k = 0; k < 3; ++k) {
    if (kind == kKinds[k]) v->kind = static_cast<analysis::VariogramKind>(k);
  }
  if (params->Has("threshold")) v->thresholds = {params->Text("threshold", "")};
  if (v->kind == analysis::VariogramKind::kIndicator && v->thresholds.empty()) {
    v->thresholds = {"q50"};
  }
}

// Table rows (numbered from 0) left out of everything.
Status ReadExcluded(QueryParams* params, analysis::Settings* view) {
  if (!params->Has("exclude")) return Status::Ok();
  const std::vector<double> rows =
      params->Numbers("exclude", {}, kMaxExcludedRows, 0.0, kLargestRow);
  for (double row : rows) {
    if (row != std::floor(row)) {
      return Expected("exclude", "table rows, whole numbers from 0",
                      params->Text("exclude", ""));
    }
    view->excluded_rows.push_back(static_cast<int64_t>(row));
  }
  return Status::Ok();
}

Status ReadView(QueryParams* params, analysis::Settings* view) {
  // Columns by name; a name the table lacks fails when the session opens,
  // listing every column.
  view->columns.primary = params->Text("col", view->columns.primary.c_str());
  view->columns.secondary =
      params->Text("col2", view->columns.secondary.c_str());
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
  ReadKind(params, &v);
  v.lag = params->Number("lag", v.lag, 0.0, kHuge);
  v.lag_count = params->Integer("lags", v.lag_count, 0, analysis::kMaxLagCount);
  v.lag_tolerance = params->Number("lagtol", v.lag_tolerance, 0.0, kHuge);
  v.azimuths = params->Numbers("dirs", v.azimuths, analysis::kMaxDirections,
                               -360.0, 360.0);
  v.angle_tolerance = params->Number("atol", v.angle_tolerance, 1e-6, 90.0);
  v.bandwidth = params->Number("bandwidth", v.bandwidth, 0.0, kHuge);
  return ReadExcluded(params, view);
}

// What "fit" fits: the first structure's type, further types (nested),
// the rows (omni: every direction's; directions: an anisotropic fit to
// each azimuth's at once) and the lags' weights; fixed parameters as the
// run's options say.
Status ReadFit(QueryParams* params, analysis::ModelType type,
               WorkbenchRequest* request) {
  analysis::FitSettings& fit = request->fit;
  fit = request->view.model;
  fit.model_given = false;
  fit.type = type;
  if (params->Has("nested")) {
    fit.nested_types.clear();
    const std::string text = params->Text("nested", "");
    size_t start = 0;
    while (start <= text.size()) {
      const size_t comma = std::min(text.find(',', start), text.size());
      analysis::ModelType nested = analysis::ModelType::kSpherical;
      if (fit.nested_types.size() + 1 == analysis::kMaxStructures ||
          !analysis::ParseModelType(text.substr(start, comma - start),
                                    &nested)) {
        return Expected("nested",
                        "1 or 2 comma-separated model types (spherical, "
                        "exponential, gaussian, power, hole)",
                        text);
      }
      fit.nested_types.push_back(nested);
      start = comma + 1;
    }
  }
  const std::string rows = params->Choice(
      "fit", fit.anisotropic ? "directions" : "omni", {"omni", "directions"});
  fit.anisotropic = rows == "directions";
  const std::string weights =
      params->Choice("fitweights", analysis::FitWeightsName(fit.weights),
                     {"pairs", "pairs/h2"});
  analysis::ParseFitWeights(weights, &fit.weights);
  if (!params->status().ok()) return Status::Ok();
  const Status valid = analysis::ValidateFitSettings(fit);
  if (!valid.ok()) return Status::Failure("fit: " + valid.error().message);
  return Status::Ok();
}

// The model the page shows: written out whole (formula), or one structure,
// its major range along the azimuth and its minor range across it.
Status ReadModel(QueryParams* params, WorkbenchRequest* request) {
  const std::string type =
      params->Choice("model", analysis::ModelTypeName(request->view.model.type),
                     {"spherical", "exponential", "gaussian", "power", "hole"});
  analysis::ModelType model_type = analysis::ModelType::kSpherical;
  analysis::ParseModelType(type, &model_type);
  Status status = ReadFit(params, model_type, request);
  if (!status.ok()) return status;
  if (params->Has("formula")) {
    request->model_given = true;
    if (!params->status().ok()) return Status::Ok();
    status =
        analysis::ParseModelFormula(params->Text("formula", ""), &request->model);
    if (!status.ok()) return Status::Failure("formula: " + status.error().message);
    return Status::Ok();
  }
  request->model_given = params->Has("sill");
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
  Status status = ReadView(params, &request->view);
  if (!status.ok()) return status;
  request->direction = params->Integer(
      "dir", 0, 0, static_cast<int>(request->view.variogram.azimuths.size()));
  status = ReadModel(params, request);
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
  const std::string colours =
      params->Choice("colours", analysis::ColourScaleName(base.colours),
                     {"linear", "quantile"});
  analysis::ParseColourScale(colours, &request->colours);
  request->width =
      params->Integer("w", request->width, kMinServedSide, kMaxServedSide);
  request->height =
      params->Integer("h", request->height, kMinServedSide, kMaxServedSide);
  if (!params->status().ok()) return params->status();
  return analysis::ValidateSettings(request->view);
}

std::string ChoicesJson(const WorkbenchRequest& request) {
  const analysis::VariogramSettings& v = request.view.variogram;
  std::string nested;
  for (analysis::ModelType type : request.fit.nested_types) {
    nested += (nested.empty() ? "" : ",") +
              std::string(analysis::ModelTypeName(type));
  }
  return analysis::JsonObject()
      .Text("model", analysis::ModelTypeName(request.fit.type))
      .Text("kind", kKinds[static_cast<int>(v.kind)])
      .Text("threshold", v.thresholds.empty() ? "q50" : v.thresholds[0])
      .Text("colours", analysis::ColourScaleName(request.colours))
      .Text("nested", nested)
      .Text("fit", request.fit.anisotropic ? "directions" : "omni")
      .Text("fitweights", analysis::FitWeightsName(request.fit.weights))
      .str();
}

}  // namespace korvagraph
