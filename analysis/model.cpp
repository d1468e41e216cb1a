#include "korvagraph/analysis/model.h"

#include <cmath>
#include <cstdio>

#include "korvagraph/analysis/json.h"

namespace korvagraph::analysis {
namespace {

constexpr double kPi = 3.14159265358979323846;

const struct {
  ModelType type;
  const char* name;
} kTypeNames[] = {{ModelType::kSpherical, "spherical"},
                  {ModelType::kExponential, "exponential"},
                  {ModelType::kGaussian, "gaussian"},
                  {ModelType::kPower, "power"},
                  {ModelType::kHoleEffect, "hole"}};

// Returns the distance h along azimuth stretched to the structure's major
// range: across the major axis distances count major / minor times more.
double Stretched(const Structure& s, double h, double azimuth) {
  if (s.MinorRange() == s.range) return h;
  const double angle = (azimuth - s.azimuth) * kPi / 180.0;
  const double along = h * std::cos(angle);
  const double across = h * std::sin(angle) * s.range / s.MinorRange();
  return std::hypot(along, across);
}

}  // namespace

double StructureShape(ModelType type, double range, double h) {
  if (h <= 0.0) return 0.0;
  if (type == ModelType::kPower) return std::pow(h, range);
  if (!(range > 0.0)) return 1.0;
  const double r = h / range;
  switch (type) {
    case ModelType::kSpherical:
      return r >= 1.0 ? 1.0 : 1.5 * r - 0.5 * r * r * r;
    case ModelType::kExponential:
      return 1.0 - std::exp(-3.0 * r);
    case ModelType::kGaussian:
      return 1.0 - std::exp(-3.0 * r * r);
    default:  // kHoleEffect
      return 1.0 - std::cos(kPi * r);
  }
}

const char* ModelTypeName(ModelType type) {
  for (const auto& entry : kTypeNames) {
    if (entry.type == type) return entry.name;
  }
  return "unknown";
}

bool ParseModelType(const std::string& name, ModelType* type) {
  for (const auto& entry : kTypeNames) {
    if (name == entry.name) {
      *type = entry.type;
      return true;
    }
  }
  return false;
}

double VariogramModel::Sill() const {
  double sill = nugget;
  for (const Structure& s : structures) sill += s.contribution;
  return sill;
}

bool VariogramModel::Isotropic() const {
  for (const Structure& s : structures) {
    if (s.MinorRange() != s.range) return false;
  }
  return true;
}

VariogramModel SingleStructure(ModelType type, double nugget, double sill,
                               double range) {
  VariogramModel model;
  model.nugget = nugget;
  Structure structure;
  structure.type = type;
  structure.contribution = sill - nugget;
  structure.range = range;
  model.structures.push_back(structure);
  return model;
}

Status ValidateModel(const VariogramModel& model) {
  if (!std::isfinite(model.nugget) || model.nugget < 0.0) {
    return Status::Failure("the nugget must be a number of 0 or more");
  }
  if (model.structures.empty() || model.structures.size() > kMaxStructures) {
    return Status::Failure("a model holds 1 to " +
                           std::to_string(kMaxStructures) + " structures");
  }
  for (const Structure& s : model.structures) {
    const bool power = s.type == ModelType::kPower;
    if (!std::isfinite(s.contribution) || s.contribution < 0.0) {
      return Status::Failure(
          "a structure's sill contribution must be a number of 0 or more");
    }
    if (!std::isfinite(s.range) || !(s.range > 0.0) ||
        !std::isfinite(s.minor_range) || s.minor_range < 0.0 ||
        !std::isfinite(s.azimuth)) {
      return Status::Failure(power ? "a power exponent must be above 0"
                                   : "a range must be a number above 0");
    }
    if (power && !(s.range < kMaxPowerExponent)) {
      return Status::Failure("a power exponent must be above 0 and below 2");
    }
  }
  return Status::Ok();
}

double ModelSemivariance(const VariogramModel& model, double h,
                         double azimuth) {
  if (h <= 0.0) return 0.0;
  double value = model.nugget;
  for (const Structure& s : model.structures) {
    value += s.contribution *
             StructureShape(s.type, s.range, Stretched(s, h, azimuth));
  }
  return value;
}

Kt3dIntp ModelRecord(const VariogramModel& model, double direction) {
  Kt3dIntp record{};
  record.nugget = model.nugget;
  // An anisotropic model keeps its structures' own angles: a first
  // structure without contribution names the direction of evaluation.
  const int first = model.Isotropic() ? 0 : 1;
  if (first == 1) {
    const ModelType type = model.structures.empty() ? ModelType::kSpherical
                                                    : model.structures[0].type;
    record.it[0] = static_cast<LONG>(type);
    record.p1[0] = record.p2[0] = record.p3[0] = 1.0;
  }
  int n = first;
  for (const Structure& s : model.structures) {
    record.cc[n] = s.contribution;
    record.it[n] = static_cast<LONG>(s.type);
    record.p1[n] = s.range;
    record.p2[n] = s.MinorRange();
    record.p3[n] = s.range;
    record.p4[n] = first == 1 ? s.azimuth : direction;
    ++n;
  }
  record.nst = n;
  record.p4[0] = direction;
  return record;
}

std::string ModelJson(const VariogramModel& model) {
  std::vector<std::string> structures;
  for (const Structure& s : model.structures) {
    structures.push_back(JsonObject()
                             .Text("type", ModelTypeName(s.type))
                             .Number("contribution", s.contribution)
                             .Number("range", s.range)
                             .Number("range2", s.MinorRange())
                             .Number("azimuth", s.azimuth)
                             .str());
  }
  const Structure first =
      model.structures.empty() ? Structure() : model.structures.front();
  return JsonObject()
      .Text("type", ModelTypeName(first.type))
      .Number("nugget", model.nugget)
      .Number("sill", model.Sill())
      .Number("range", first.range)
      .Number("range2", first.MinorRange())
      .Number("azimuth", first.azimuth)
      .Raw("structures", JsonArray(structures))
      .str();
}

std::string ModelGslib(const VariogramModel& model) {
  char line[200];
  std::snprintf(line, sizeof(line), "%zu  %.6g  - nst, nugget effect\n",
                model.structures.size(), model.nugget);
  std::string text = line;
  for (const Structure& s : model.structures) {
    std::snprintf(line, sizeof(line),
                  "%d  %.6g  %.6g  0.0  0.0  - it, cc, ang1, ang2, ang3\n"
                  "%.6g  %.6g  %.6g  - a_hmax, a_hmin, a_vert\n",
                  static_cast<int>(s.type), s.contribution, s.azimuth, s.range,
                  s.MinorRange(), s.range);
    text += line;
  }
  return text;
}

}  // namespace korvagraph::analysis
