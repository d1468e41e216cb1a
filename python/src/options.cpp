#include "python/src/options.h"

#include <cmath>
#include <initializer_list>
#include <limits>

#include "korvagraph/analysis/session.h"
#include "korvagraph/analysis/statistic.h"
#include "korvagraph/analysis/variogram.h"

namespace korvagraph::python {
namespace {

using analysis::FitSettings;

// The largest count a whole-number option takes.
constexpr int kMaxWhole = 1000000000;

// One keyword's value, with what reading it needs to say when it is wrong.
class OptionValue {
 public:
  OptionValue(const char* function, const char* name, py::handle value)
      : function_(function), name_(name), value_(value) {}

  // A column: its name, or its 1-based number as the command line takes it.
  std::string Column() const {
    if (py::isinstance<py::str>(value_)) return value_.cast<std::string>();
    if (IsWhole(value_)) return std::to_string(value_.cast<long long>());
    WrongType("a column name (str) or a 1-based column number (int)");
  }
  // A finite number that good (when given) accepts; what describes it.
  double Number(const char* what = "a number",
                bool (*good)(double) = nullptr) const {
    if (!IsNumber(value_)) WrongType("a number");
    const double number = value_.cast<double>();
    if (!std::isfinite(number) || (good != nullptr && !good(number))) {
      Refuse(what, analysis::Formatted(number));
    }
    return number;
  }
  int Whole(int lo, int hi) const {
    if (!IsWhole(value_)) WrongType("a whole number (int)");
    const long long number = value_.cast<long long>();
    if (number < lo || number > hi) {
      Refuse("a whole number from " + std::to_string(lo) + " to " +
                 std::to_string(hi),
             std::to_string(number));
    }
    return static_cast<int>(number);
  }
  bool Flag() const {
    if (!PyBool_Check(value_.ptr()) && !HasKind(value_, "b")) {
      WrongType("True or False");
    }
    return value_.cast<bool>();
  }
  // One of choices.
  std::string Choice(std::initializer_list<const char*> choices) const {
    if (!py::isinstance<py::str>(value_)) WrongType("a str");
    const std::string text = value_.cast<std::string>();
    std::string listed;
    for (const char* choice : choices) {
      if (text == choice) return text;
      listed += std::string(listed.empty() ? "" : ", ") + "\"" + choice + "\"";
    }
    Refuse("one of " + listed, "\"" + text + "\"");
  }
  // A number or a sequence of numbers, each within [lo, hi], 1 to most.
  std::vector<double> Numbers(size_t most, double lo, double hi) const {
    std::vector<double> numbers;
    if (IsNumber(value_)) {
      numbers.push_back(value_.cast<double>());
    } else if (IsSequence(value_)) {
      for (py::handle item : value_) {
        if (!IsNumber(item)) WrongType("numbers");
        numbers.push_back(item.cast<double>());
      }
    } else {
      WrongType("a number or a sequence of numbers");
    }
    const std::string what = "1 to " + std::to_string(most) + " numbers from " +
                             analysis::Formatted(lo) + " to " +
                             analysis::Formatted(hi);
    if (numbers.empty() || numbers.size() > most) {
      Refuse(what, std::to_string(numbers.size()) + " numbers");
    }
    for (double number : numbers) {
      if (!(number >= lo && number <= hi)) {
        Refuse(what, analysis::Formatted(number));
      }
    }
    return numbers;
  }
  // A sequence of whole numbers, exactly count of them, each within
  // [lo, hi].
  std::vector<int> Wholes(size_t count, int lo, int hi) const {
    if (!IsSequence(value_) || py::len(value_) != count) {
      WrongType("a sequence of " + std::to_string(count) + " whole numbers");
    }
    std::vector<int> wholes;
    for (py::handle item : value_) {
      wholes.push_back(OptionValue(function_, name_, item).Whole(lo, hi));
    }
    return wholes;
  }
  // A sequence of strings (a single string stands for itself).
  std::vector<std::string> Texts() const {
    if (py::isinstance<py::str>(value_)) return {value_.cast<std::string>()};
    if (!IsSequence(value_)) WrongType("a str or a sequence of str");
    std::vector<std::string> texts;
    for (py::handle item : value_) {
      if (!py::isinstance<py::str>(item)) WrongType("a sequence of str");
      texts.push_back(item.cast<std::string>());
    }
    return texts;
  }
  // Indicator thresholds: numbers, or texts such as "q25", one or a
  // sequence; a number keeps every digit (Python's repr).
  std::vector<std::string> Thresholds() const {
    std::vector<py::handle> items;
    if (IsSequence(value_)) {
      for (py::handle item : value_) items.push_back(item);
    } else {
      items.push_back(value_);
    }
    std::vector<std::string> thresholds;
    for (py::handle item : items) {
      if (py::isinstance<py::str>(item)) {
        thresholds.push_back(item.cast<std::string>());
      } else if (IsNumber(item)) {
        thresholds.push_back(py::repr(py::float_(item.cast<double>())));
      } else {
        WrongType("numbers or percentiles such as \"q25\"");
      }
    }
    if (thresholds.empty()) Refuse("at least one threshold", "none");
    return thresholds;
  }
  py::handle handle() const { return value_; }
  analysis::VariogramModel Model() const {
    return ModelOf(value_, std::string(function_) + ": " + name_);
  }

  [[noreturn]] void Refuse(const std::string& what,
                           const std::string& found) const {
    throw py::value_error(std::string(function_) + ": " + name_ +
                          ": expected " + what + ", found " + found);
  }

 private:
  static bool HasKind(py::handle value, const char* kinds) {
    if (!py::hasattr(value, "dtype") || !py::hasattr(value, "ndim") ||
        value.attr("ndim").cast<int>() != 0) {
      return false;
    }
    const std::string kind = py::str(value.attr("dtype").attr("kind"));
    return kind.size() == 1 &&
           std::string(kinds).find(kind) != std::string::npos;
  }
  static bool IsWhole(py::handle value) {
    return (PyLong_Check(value.ptr()) && !PyBool_Check(value.ptr())) ||
           HasKind(value, "iu");
  }
  static bool IsNumber(py::handle value) {
    return PyFloat_Check(value.ptr()) || IsWhole(value) || HasKind(value, "f");
  }
  static bool IsSequence(py::handle value) {
    return PySequence_Check(value.ptr()) && !py::isinstance<py::str>(value) &&
           !py::isinstance<py::bytes>(value);
  }
  [[noreturn]] void WrongType(const std::string& what) const {
    throw py::type_error(std::string(function_) + ": " + name_ + ": expected " +
                         what + ", got " + Py_TYPE(value_.ptr())->tp_name);
  }

  const char* function_;
  const char* name_;
  py::handle value_;
};

bool Positive(double value) { return value > 0.0; }
bool NotNegative(double value) { return value >= 0.0; }
bool Angle(double value) { return value > 0.0 && value <= 90.0; }

// One keyword: its name, what it sets (its units and default), whether fit
// takes it, and how it is read into a request.
struct Option {
  const char* name;
  const char* help;
  bool model;
  void (*apply)(const OptionValue& value, ChartRequest* request);
};

// Every keyword, grouped as the command line's options. Adding an option is
// one entry here (and its line in korvagraph/__init__.pyi's Options).
const Option kOptions[] = {
    // Input.
    {"tmin", "trimming limit: values below it are missing (default -1e21)",
     false,
     [](const OptionValue& v, ChartRequest* r) {
       r->settings.limits.lower = v.Number();
     }},
    {"tmax",
     "trimming limit: values at or above it are missing, such as 1e31 "
     "(default 1e21)",
     false,
     [](const OptionValue& v, ChartRequest* r) {
       r->settings.limits.upper = v.Number();
     }},
    {"transform",
     "\"none\", \"log\" or \"nscore\": applied to both attributes before "
     "every chart, through the library's transforms (default \"none\")",
     false,
     [](const OptionValue& v, ChartRequest* r) {
       analysis::ParseTransform(v.Choice({"none", "log", "nscore"}),
                                &r->settings.transform);
     }},
    {"shift", "log: added to each value before the logarithm (default 0)",
     false,
     [](const OptionValue& v, ChartRequest* r) {
       r->settings.shift = v.Number();
     }},
    // Columns: a name (the whole name or its first word, in any case) or a
    // 1-based number.
    {"col",
     "primary attribute (default: the first column that is not a "
     "coordinate, an ID or the weight)",
     false,
     [](const OptionValue& v, ChartRequest* r) {
       r->settings.columns.primary = v.Column();
     }},
    {"col2", "secondary attribute (default: the next such column)", false,
     [](const OptionValue& v, ChartRequest* r) {
       r->settings.columns.secondary = v.Column();
     }},
    {"x", "x coordinate (default: X, Xlocation, East, Easting ...)", false,
     [](const OptionValue& v, ChartRequest* r) {
       r->settings.columns.x = v.Column();
     }},
    {"y", "y coordinate (default: Y, Ylocation, North, Northing ...)", false,
     [](const OptionValue& v, ChartRequest* r) {
       r->settings.columns.y = v.Column();
     }},
    {"z", "z coordinate (default: Z, Elevation or Depth)", false,
     [](const OptionValue& v, ChartRequest* r) {
       r->settings.columns.z = v.Column();
     }},
    {"weight",
     "declustering weights: the histograms add the weighted mean and "
     "standard deviation (default: none)",
     false,
     [](const OptionValue& v, ChartRequest* r) {
       r->settings.columns.weight = v.Column();
     }},
    // Charts.
    {"classes", "histogram classes, 1 to 1000 (default: from the count)", false,
     [](const OptionValue& v, ChartRequest* r) {
       r->chart.classes = v.Whole(1, 1000);
     }},
    {"cumulative", "hist: draw the cumulative curve (default False)", false,
     [](const OptionValue& v, ChartRequest* r) {
       r->chart.cumulative = v.Flag();
     }},
    {"highlight",
     "cloud, cloudmap: pairs in cyan, those of largest semivariance closer "
     "than one lag (default 20)",
     false,
     [](const OptionValue& v, ChartRequest* r) {
       r->settings.cloud.highlight = v.Whole(0, 100000);
     }},
    {"cloud_max",
     "cloud, cloudmap: pairs drawn at most, a uniform sample of them "
     "(default 1000000)",
     false,
     [](const OptionValue& v, ChartRequest* r) {
       r->settings.cloud.max_points = v.Whole(1, kMaxWhole);
     }},
    {"size", "(width, height) of the picture in pixels (default (560, 560))",
     false,
     [](const OptionValue& v, ChartRequest* r) {
       const std::vector<int> size =
           v.Wholes(2, analysis::kMinPictureSide, analysis::kMaxPictureSide);
       r->width = size[0];
       r->height = size[1];
     }},
    // Variograms.
    {"lag",
     "lag spacing in the coordinates' units (default: a round number "
     "giving about a dozen lags)",
     false,
     [](const OptionValue& v, ChartRequest* r) {
       r->settings.variogram.lag = v.Number("a positive distance", Positive);
     }},
    {"lags", "number of lags (default: as far as half the extent's diagonal)",
     false,
     [](const OptionValue& v, ChartRequest* r) {
       r->settings.variogram.lag_count = v.Whole(1, analysis::kMaxLagCount);
     }},
    {"lagtol",
     "lag tolerance in the coordinates' units: pairs within it of a lag "
     "count in it (default: half the lag)",
     false,
     [](const OptionValue& v, ChartRequest* r) {
       r->settings.variogram.lag_tolerance =
           v.Number("a positive distance", Positive);
     }},
    {"dirs",
     "azimuths in degrees clockwise from north, 1 to 8 (default "
     "(0, 45, 90, 135))",
     false,
     [](const OptionValue& v, ChartRequest* r) {
       r->settings.variogram.azimuths =
           v.Numbers(analysis::kMaxDirections, -360.0, 360.0);
     }},
    {"atol",
     "angle tolerance either side of each azimuth, degrees (default 22.5)",
     false,
     [](const OptionValue& v, ChartRequest* r) {
       r->settings.variogram.angle_tolerance =
           v.Number("an angle above 0 and up to 90 degrees", Angle);
     }},
    {"bandwidth",
     "largest distance of a pair from a direction's axis, 0 for no limit "
     "(default 0)",
     false,
     [](const OptionValue& v, ChartRequest* r) {
       r->settings.variogram.bandwidth =
           v.Number("a distance, 0 for no limit", NotNegative);
     }},
    {"dir",
     "vario: the direction shown, \"omni\" or one of dirs (default "
     "\"omni\")",
     false,
     [](const OptionValue& v, ChartRequest* r) {
       r->omni =
           py::isinstance<py::str>(v.handle()) && v.Choice({"omni"}) == "omni";
       if (!r->omni) r->azimuth = v.Number();
     }},
    {"indicator",
     "vario, mvario: indicator variograms of value <= T for each threshold "
     "T, a number or \"qNN\" for the NN-th percentile, up to 8; a chart "
     "each (default: none)",
     false,
     [](const OptionValue& v, ChartRequest* r) {
       r->settings.variogram.kind = analysis::VariogramKind::kIndicator;
       r->settings.variogram.thresholds = v.Thresholds();
     }},
    {"cross",
     "vario, mvario: the cross variogram of col and col2 at the samples "
     "holding both (default False)",
     false,
     [](const OptionValue& v, ChartRequest* r) {
       if (v.Flag()) r->settings.variogram.kind = analysis::VariogramKind::kCross;
     }},
    {"colours",
     "locmap, varmap: \"linear\" colours evenly over the values, or "
     "\"quantile\" by their ranks (default \"linear\")",
     false,
     [](const OptionValue& v, ChartRequest* r) {
       analysis::ParseColourScale(v.Choice({"linear", "quantile"}),
                                  &r->chart.colours);
     }},
    // The model.
    {"model_type",
     "\"spherical\", \"exponential\", \"gaussian\", \"power\" or \"hole\", "
     "or a sequence of up to 3 of them: the structures fitted, nested "
     "(default \"spherical\")",
     true,
     [](const OptionValue& v, ChartRequest* r) {
       std::vector<analysis::ModelType> types;
       for (const std::string& name : v.Texts()) {
         analysis::ModelType type = analysis::ModelType::kSpherical;
         if (!analysis::ParseModelType(name, &type)) {
           v.Refuse("\"spherical\", \"exponential\", \"gaussian\", "
                    "\"power\" or \"hole\"",
                    "\"" + name + "\"");
         }
         types.push_back(type);
       }
       if (types.empty() || types.size() > analysis::kMaxStructures) {
         v.Refuse("1 to " + std::to_string(analysis::kMaxStructures) +
                      " model types",
                  std::to_string(types.size()));
       }
       r->settings.model.type = types.front();
       r->settings.model.nested_types.assign(types.begin() + 1, types.end());
     }},
    {"nugget", "fixes the model's nugget (default: fitted)", true,
     [](const OptionValue& v, ChartRequest* r) {
       r->settings.model.fix_nugget = true;
       r->settings.model.nugget = v.Number();
     }},
    {"sill", "fixes the model's sill, nugget included (default: fitted)", true,
     [](const OptionValue& v, ChartRequest* r) {
       r->settings.model.fix_sill = true;
       r->settings.model.sill = v.Number();
     }},
    {"range",
     "fixes the model's range in the coordinates' units (power: the "
     "exponent) (default: fitted)",
     true,
     [](const OptionValue& v, ChartRequest* r) {
       r->settings.model.fix_range = true;
       r->settings.model.range = v.Number();
     }},
    {"model",
     "a korvagraph.Model, or its text, drawn as it is instead of a fit "
     "(default: none)",
     true,
     [](const OptionValue& v, ChartRequest* r) {
       r->settings.model.model_given = true;
       r->settings.model.given = v.Model();
     }},
    {"fit",
     "\"omni\" or \"directions\": fit to the omnidirectional variogram, or "
     "one anisotropic model (a major azimuth, the ranges along and across "
     "it) to every direction at once (default \"omni\")",
     true,
     [](const OptionValue& v, ChartRequest* r) {
       r->settings.model.anisotropic =
           v.Choice({"omni", "directions"}) == "directions";
     }},
    {"fit_weights",
     "\"pairs\" or \"pairs/h2\": what each lag weighs in a fit (default "
     "\"pairs\")",
     true,
     [](const OptionValue& v, ChartRequest* r) {
       analysis::ParseFitWeights(v.Choice({"pairs", "pairs/h2"}),
                                 &r->settings.model.weights);
     }},
};

// Returns an object's attribute, or raises TypeError naming what.
py::object Member(py::handle object, const char* name,
                  const std::string& what) {
  if (!py::hasattr(object, name)) {
    throw py::type_error(what +
                         ": expected a korvagraph.Model or its text, got " +
                         Py_TYPE(object.ptr())->tp_name);
  }
  return object.attr(name);
}

double NumberMember(py::handle object, const char* name,
                    const std::string& what) {
  return OptionValue(what.c_str(), name, Member(object, name, what)).Number();
}

}  // namespace

void ApplyOptions(const char* function, const py::dict& options,
                  OptionScope scope, ChartRequest* request) {
  for (const auto& [key, value] : options) {
    const std::string name = py::str(key);
    const Option* found = nullptr;
    for (const Option& option : kOptions) {
      if (name == option.name && (scope == OptionScope::kAll || option.model)) {
        found = &option;
      }
    }
    if (found == nullptr) {
      throw py::type_error(std::string(function) +
                           "() got an unexpected keyword argument '" + name +
                           "'");
    }
    if (!value.is_none()) {
      found->apply(OptionValue(function, found->name, value), request);
    }
  }
}

std::vector<OptionHelp> OptionHelps() {
  std::vector<OptionHelp> helps;
  for (const Option& option : kOptions) {
    helps.push_back({option.name, option.help, option.model});
  }
  return helps;
}

analysis::VariogramModel ModelOf(py::handle value, const std::string& what) {
  analysis::VariogramModel model;
  analysis::Status status;
  if (py::isinstance<py::str>(value)) {
    const std::string text = value.cast<std::string>();
    status = analysis::ParseModelText(text, &model);
  } else {
    model.nugget = NumberMember(value, "nugget", what);
    for (py::handle item : Member(value, "structures", what)) {
      analysis::Structure structure;
      const py::object type = Member(item, "type", what);
      if (!py::isinstance<py::str>(type) ||
          !analysis::ParseModelType(type.cast<std::string>(),
                                    &structure.type)) {
        throw py::value_error(
            what +
            ": a structure's type: expected \"spherical\", "
            "\"exponential\", \"gaussian\", \"power\" or \"hole\", "
            "found " +
            std::string(py::repr(type)));
      }
      structure.contribution = NumberMember(item, "contribution", what);
      structure.range = NumberMember(item, "range", what);
      structure.minor_range = NumberMember(item, "minor_range", what);
      structure.azimuth = NumberMember(item, "azimuth", what);
      model.structures.push_back(structure);
    }
    status = analysis::ValidateModel(model);
  }
  if (!status.ok()) throw py::value_error(what + ": " + status.ToString());
  return model;
}

py::tuple ModelTuple(const analysis::VariogramModel& model) {
  py::list structures;
  for (const analysis::Structure& s : model.structures) {
    structures.append(py::make_tuple(analysis::ModelTypeName(s.type),
                                     s.contribution, s.range, s.MinorRange(),
                                     s.azimuth));
  }
  return py::make_tuple(model.nugget, structures);
}

}  // namespace korvagraph::python
