#include "korvagraph/analysis/model.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

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

namespace {

// Finds the type a name or its first three letters names, in any case.
bool TypeOfWord(std::string word, ModelType* type) {
  for (char& c : word) c = static_cast<char>(std::tolower(c));
  for (const auto& entry : kTypeNames) {
    const std::string name = entry.name;
    if (word == name || (word.size() == 3 && name.compare(0, 3, word) == 0)) {
      *type = entry.type;
      return true;
    }
  }
  return false;
}

// Returns the numbers that start each line of text, line by line: a GSLIB
// block's lines end in words that say what the numbers are.
std::vector<std::vector<double>> LeadingNumbers(const std::string& text) {
  std::vector<std::vector<double>> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    std::vector<double> numbers;
    const char* p = line.c_str();
    while (true) {
      char* end = nullptr;
      const double v = std::strtod(p, &end);
      if (end == p) break;
      numbers.push_back(v);
      p = end;
    }
    if (!numbers.empty()) lines.push_back(numbers);
  }
  return lines;
}

Status ModelFromGslib(const std::string& text, VariogramModel* model) {
  const std::vector<std::vector<double>> lines = LeadingNumbers(text);
  if (lines.empty() || lines[0].size() < 2) {
    return Status::Failure(
        "GSLIB model: expected \"nst nugget\" on its first line");
  }
  const double nst = lines[0][0];
  if (nst != std::floor(nst) || nst < 1 ||
      nst > static_cast<double>(kMaxStructures) ||
      lines.size() < 1 + 2 * static_cast<size_t>(nst)) {
    return Status::Failure("GSLIB model: expected 1 to " +
                           std::to_string(kMaxStructures) +
                           " structures of two lines each");
  }
  model->nugget = lines[0][1];
  for (size_t i = 0; i < static_cast<size_t>(nst); ++i) {
    const std::vector<double>& kind = lines[1 + 2 * i];
    const std::vector<double>& ranges = lines[2 + 2 * i];
    if (kind.size() < 3 || ranges.size() < 2) {
      return Status::Failure(
          "GSLIB model: expected \"it cc ang\" and \"a_hmax a_hmin\" of "
          "structure " +
          std::to_string(i + 1));
    }
    Structure s;
    s.type = static_cast<ModelType>(static_cast<LONG>(kind[0]));
    s.contribution = kind[1];
    s.azimuth = kind[2];
    s.range = ranges[0];
    s.minor_range = ranges[1];
    model->structures.push_back(s);
  }
  return Status::Ok();
}

// Returns the number member name of object, or fallback.
double NumberOf(const JsonValue& object, const char* name, double fallback) {
  const JsonValue* member = object.Find(name);
  return member != nullptr && member->kind == JsonValue::Kind::kNumber
             ? member->number
             : fallback;
}

Status StructureFromJson(const JsonValue& object, double contribution,
                         Structure* s) {
  const JsonValue* type = object.Find("type");
  if (type == nullptr || !ParseModelType(type->text, &s->type)) {
    return Status::Failure(
        "JSON model: expected a structure \"type\": "
        "spherical, exponential, gaussian, power or hole");
  }
  s->contribution = NumberOf(object, "contribution", contribution);
  s->range = NumberOf(object, "range", 0.0);
  s->minor_range = NumberOf(object, "range2", s->range);
  s->azimuth = NumberOf(object, "azimuth", 0.0);
  return Status::Ok();
}

Status ModelFromJson(const std::string& text, VariogramModel* model) {
  JsonValue document;
  Status status = ParseJson(text, &document);
  if (!status.ok()) return status;
  if (document.kind != JsonValue::Kind::kObject) {
    return Status::Failure("JSON model: expected an object");
  }
  model->nugget = NumberOf(document, "nugget", 0.0);
  const JsonValue* structures = document.Find("structures");
  if (structures != nullptr && structures->kind == JsonValue::Kind::kArray) {
    for (const JsonValue& item : structures->items) {
      Structure s;
      status = StructureFromJson(item, 0.0, &s);
      if (!status.ok()) return status;
      model->structures.push_back(s);
    }
    return Status::Ok();
  }
  // The one-structure form: its sill holds the nugget.
  Structure s;
  status = StructureFromJson(
      document, NumberOf(document, "sill", 0.0) - model->nugget, &s);
  if (status.ok()) model->structures.push_back(s);
  return status;
}

// Splits a written-out model into its terms at each '+' outside
// parentheses that does not sign an exponent ("1e+3").
std::vector<std::string> Terms(const std::string& formula) {
  std::vector<std::string> terms(1);
  int depth = 0;
  for (size_t i = 0; i < formula.size(); ++i) {
    const char c = formula[i];
    depth += c == '(' ? 1 : c == ')' ? -1 : 0;
    const bool exponent_sign =
        i > 1 && (formula[i - 1] == 'e' || formula[i - 1] == 'E') &&
        std::isdigit(static_cast<unsigned char>(formula[i - 2]));
    if (c == '+' && depth == 0 && !exponent_sign) {
      terms.emplace_back();
    } else {
      terms.back() += c;
    }
  }
  return terms;
}

// Reads one term "C TYPE(RANGE[, MINOR[, AZIMUTH]])", or a lone number (the
// nugget, added to *nugget). False when it is neither.
bool ReadTerm(const std::string& term, double* nugget,
              std::vector<Structure>* structures) {
  const char* text = term.c_str();
  char* end = nullptr;
  const double number = std::strtod(text, &end);
  const bool has_number = end != text;
  const size_t after = static_cast<size_t>(end - text);
  const size_t open = term.find('(');
  if (open == std::string::npos) {
    *nugget += number;
    return has_number &&
           term.find_first_not_of(" \t", after) == std::string::npos;
  }
  std::string word = term.substr(after, open - after);
  word.erase(0, word.find_first_not_of(" \t*"));
  word.erase(word.find_last_not_of(" \t") + 1);
  const size_t close = term.find(')', open);
  Structure s;
  if (close == std::string::npos || !TypeOfWord(word, &s.type) ||
      term.find_first_not_of(" \t", close + 1) != std::string::npos) {
    return false;
  }
  std::string inside = term.substr(open + 1, close - open - 1);
  for (char& c : inside) c = c == ',' ? ' ' : c;
  std::istringstream in(inside);
  std::vector<double> args;
  for (double v; in >> v;) args.push_back(v);
  if (args.empty() || args.size() > 3 || !in.eof()) return false;
  s.contribution = has_number ? number : 1.0;
  s.range = args[0];
  if (args.size() > 1) s.minor_range = args[1];
  if (args.size() > 2) s.azimuth = args[2];
  structures->push_back(s);
  return true;
}

}  // namespace

Status ParseModelText(const std::string& text, VariogramModel* model) {
  *model = VariogramModel();
  const size_t first = text.find_first_not_of(" \t\r\n");
  // A formula names its structures' types with a parenthesis; the GSLIB
  // block holds numbers only.
  if (first == std::string::npos || text[first] != '{') {
    if (text.find('(') != std::string::npos) {
      return ParseModelFormula(text, model);
    }
  }
  const Status status = first != std::string::npos && text[first] == '{'
                            ? ModelFromJson(text, model)
                            : ModelFromGslib(text, model);
  return status.ok() ? ValidateModel(*model) : status;
}

std::string ModelFormula(const VariogramModel& model) {
  char text[160];
  std::snprintf(text, sizeof(text), "%.6g", model.nugget);
  std::string formula = text;
  for (const Structure& s : model.structures) {
    const std::string type = std::string(ModelTypeName(s.type)).substr(0, 3);
    if (s.MinorRange() == s.range) {
      std::snprintf(text, sizeof(text), " + %.6g %s(%.6g)", s.contribution,
                    type.c_str(), s.range);
    } else {
      std::snprintf(text, sizeof(text), " + %.6g %s(%.6g, %.6g, %.6g)",
                    s.contribution, type.c_str(), s.range, s.MinorRange(),
                    s.azimuth);
    }
    formula += text;
  }
  return formula;
}

Status ParseModelFormula(const std::string& formula, VariogramModel* model) {
  *model = VariogramModel();
  for (const std::string& term : Terms(formula)) {
    if (!ReadTerm(term, &model->nugget, &model->structures)) {
      return Status::Failure(
          "expected NUGGET + C TYPE(RANGE[, MINOR[, AZIMUTH]]) + ..., such "
          "as \"0.1 + 0.5 sph(120) + 0.4 exp(400, 150, 30)\"");
    }
  }
  return ValidateModel(*model);
}

}  // namespace korvagraph::analysis
