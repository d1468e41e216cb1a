// Variogram models: a nugget plus nested structures of the five types the
// chart library's model curve evaluates, each with its sill contribution,
// its range along a major axis, its range across it and the major axis's
// azimuth (geometric anisotropy); their one validation rule; the model
// record of the chart library's model-curve export; and the texts a user
// saves (JSON, a GSLIB variogram block).
#ifndef KORVAGRAPH_ANALYSIS_MODEL_H_
#define KORVAGRAPH_ANALYSIS_MODEL_H_

#include <string>
#include <vector>

#include "korvagraph/KorvaGraphLib.h"
#include "korvagraph/analysis/status.h"

namespace korvagraph::analysis {

// The structure types, numbered as the model record's type codes.
enum class ModelType : LONG {
  kSpherical = 1,
  kExponential = 2,  // 1 - exp(-3h/a): a is the practical range
  kGaussian = 3,     // 1 - exp(-3(h/a)^2)
  kPower = 4,        // h^w: the exponent w (0 < w < 2) stands in range
  kHoleEffect = 5,   // 1 - cos(pi h/a)
};

// Returns the name of type ("spherical", "exponential", "gaussian",
// "power", "hole").
const char* ModelTypeName(ModelType type);
// Finds the type named name; false for an unknown name.
bool ParseModelType(const std::string& name, ModelType* type);

// A power exponent must lie in (0, kMaxPowerExponent).
constexpr double kMaxPowerExponent = 2.0;
// Structures a model holds at most besides its nugget.
constexpr size_t kMaxStructures = 3;

struct Structure {
  ModelType type = ModelType::kSpherical;
  double contribution = 1.0;  // to the sill (power: the value at h = 1)
  double range = 1.0;         // along the major axis; power: the exponent
  double minor_range = 0.0;   // across the major axis; 0: range (isotropic)
  double azimuth = 0.0;       // of the major axis, clockwise from north

  // Returns the range across the major axis in force.
  double MinorRange() const { return minor_range > 0.0 ? minor_range : range; }
};

struct VariogramModel {
  double nugget = 0.0;
  std::vector<Structure> structures;

  // Returns the nugget plus every contribution.
  double Sill() const;
  // Returns true when no structure's ranges differ.
  bool Isotropic() const;
};

// Returns a model of one isotropic structure reaching sill.
VariogramModel SingleStructure(ModelType type, double nugget, double sill,
                               double range);

// Checks a model: finite values, nugget and contributions not negative,
// ranges above 0, power exponents below kMaxPowerExponent, 1 to
// kMaxStructures structures. The message says what is wrong in a sentence.
Status ValidateModel(const VariogramModel& model);

// Returns the shape of a structure of type at distance h along its major
// axis: 0 at h = 0, rising to 1 at the range (power: h^range; hole effect:
// oscillating about 1).
double StructureShape(ModelType type, double range, double h);

// Returns the model's semivariance at distance h along azimuth (degrees);
// 0 at h = 0.
double ModelSemivariance(const VariogramModel& model, double h,
                         double azimuth = 0.0);

// Returns the chart library's model record whose curve runs along azimuth
// direction (degrees): isotropic structures carry the direction in the
// first structure's angle; an anisotropic model is preceded by a structure
// of no contribution that does.
Kt3dIntp ModelRecord(const VariogramModel& model, double direction);

// Returns the model as JSON: {"type", "nugget", "sill", "range", "range2",
// "azimuth"} of its first structure, and "structures" with every one.
std::string ModelJson(const VariogramModel& model);

// Returns the model as a GSLIB variogram block: "nst nugget", then two
// lines per structure: "it cc ang1 ang2 ang3" and "a_hmax a_hmin a_vert".
std::string ModelGslib(const VariogramModel& model);

// Reads a model back from the text ModelJson, ModelGslib or ModelFormula
// wrote (JSON with "structures", or its one-structure form; the GSLIB
// block; the sum written out), checked by ValidateModel.
Status ParseModelText(const std::string& text, VariogramModel* model);

// Reads a model written out as a sum: the nugget, then for each structure
// its contribution times its type (spherical, exponential, gaussian,
// power, hole; or their first three letters) with its range, and
// optionally its minor range and the azimuth of its major axis:
//   "0.1 + 0.5 sph(120) + 0.4 exp(400, 150, 30)"
// A power structure takes its exponent in the range's place.
Status ParseModelFormula(const std::string& formula, VariogramModel* model);
// Returns the model written out so that ParseModelFormula reads it back:
// "0.1 + 0.5 sph(120) + 0.4 exp(400, 150, 30)" (six significant digits).
std::string ModelFormula(const VariogramModel& model);

}  // namespace korvagraph::analysis

#endif  // KORVAGRAPH_ANALYSIS_MODEL_H_
