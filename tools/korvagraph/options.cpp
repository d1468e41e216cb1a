#include "tools/korvagraph/options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sstream>

namespace korvagraph {
namespace {

using analysis::Status;

constexpr size_t kHelpWidth = 80;

bool ParseInt(const std::string& text, int* value) {
  char* end = nullptr;
  const long parsed = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || parsed < -1000000000L ||
      parsed > 1000000000L) {
    return false;
  }
  *value = static_cast<int>(parsed);
  return true;
}

bool ParseDouble(const std::string& text, double* value) {
  char* end = nullptr;
  const double parsed = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !std::isfinite(parsed)) return false;
  *value = parsed;
  return true;
}

std::string FormattedNumber(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof(buffer), "%g", value);
  return buffer;
}

std::string ExpectedText(const std::string& what, const std::string& found) {
  return "expected " + what + ", found \"" + found + "\"";
}

Status Expected(const char* option, const std::string& what,
                const std::string& found) {
  return Status::Failure(std::string(option) + ": " +
                         ExpectedText(what, found));
}

// Returns a check of an option's text that CLI11 reports as
// "--NAME: expected WHAT, found "TEXT"". A check may rewrite the text into
// the form CLI11 converts (decimal whole numbers) when added as a
// transform.
CLI::Validator Expect(const std::string& what,
                      std::function<bool(std::string*)> good) {
  return CLI::Validator(
      [what, good](std::string& text) {
        std::string given = text;
        return good(&text) ? std::string() : ExpectedText(what, given);
      },
      "");
}

// A whole number in [lo, hi], read in decimal ("010" is ten).
CLI::Validator Whole(int lo, int hi) {
  return Expect(
      "a whole number from " + std::to_string(lo) + " to " + std::to_string(hi),
      [lo, hi](std::string* text) {
        int value = 0;
        if (!ParseInt(*text, &value) || value < lo || value > hi) {
          return false;
        }
        *text = std::to_string(value);
        return true;
      });
}

// A finite number that good accepts.
CLI::Validator Number(const std::string& what,
                      std::function<bool(double)> good = nullptr) {
  return Expect(what, [good](std::string* text) {
    double value = 0.0;
    return ParseDouble(*text, &value) && (!good || good(value));
  });
}

// Returns "a, b or c".
std::string Listed(const std::vector<std::string>& words) {
  std::string list;
  for (size_t i = 0; i < words.size(); ++i) {
    if (i > 0) list += i + 1 == words.size() ? " or " : ", ";
    list += words[i];
  }
  return list;
}

// One of words.
CLI::Validator OneOf(const std::vector<std::string>& words) {
  return Expect(Listed(words), [words](std::string* text) {
    return std::find(words.begin(), words.end(), *text) != words.end();
  });
}

// Splits text at commas; "a,,b" gives "a", "", "b".
std::vector<std::string> CommaFields(const std::string& text) {
  std::vector<std::string> fields(1);
  for (char c : text) {
    if (c == ',') {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

void ApplySize(const std::string& value, Options* o) {
  const size_t x = value.find('x');
  int w = 0, h = 0;
  const auto fits = [](int side) {
    return side >= analysis::kMinPictureSide &&
           side <= analysis::kMaxPictureSide;
  };
  if (x == std::string::npos || !ParseInt(value.substr(0, x), &w) ||
      !ParseInt(value.substr(x + 1), &h) || !fits(w) || !fits(h)) {
    throw CLI::ValidationError(
        "--size",
        ExpectedText("WIDTHxHEIGHT in pixels, each " +
                         std::to_string(analysis::kMinPictureSide) + " to " +
                         std::to_string(analysis::kMaxPictureSide),
                     value));
  }
  o->width = w;
  o->height = h;
}

void ApplyDirections(const std::string& value, Options* o) {
  std::vector<double> azimuths;
  for (const std::string& field : CommaFields(value)) {
    double azimuth = 0.0;
    if (!ParseDouble(field, &azimuth) || azimuth < -360.0 || azimuth > 360.0 ||
        azimuths.size() == analysis::kMaxDirections) {
      throw CLI::ValidationError(
          "--dirs",
          ExpectedText("1 to " + std::to_string(analysis::kMaxDirections) +
                           " azimuths in degrees, comma-separated",
                       value));
    }
    azimuths.push_back(azimuth);
  }
  o->settings.variogram.azimuths = azimuths;
}

// --model NUGGET,SILL,RANGE: each given value is fixed, blanks are fitted;
// the values follow the library's one rule for fixed parameters. A model
// written out as a sum of structures is drawn as it is.
void ApplyModel(const std::string& value, Options* o) {
  analysis::FitSettings& model = o->settings.model;
  model.model_given = value.find('(') != std::string::npos;
  if (model.model_given) {
    const Status status = analysis::ParseModelFormula(value, &model.given);
    if (!status.ok()) {
      throw CLI::ValidationError(
          "--model", status.error().message + ", found \"" + value + "\"");
    }
    return;
  }
  const std::vector<std::string> fields = CommaFields(value);
  double parsed[3] = {0.0, 0.0, 0.0};
  bool given[3] = {false, false, false};
  bool good = fields.size() == 3;
  for (size_t i = 0; good && i < 3; ++i) {
    given[i] = !fields[i].empty();
    good = !given[i] || ParseDouble(fields[i], &parsed[i]);
  }
  model.fix_nugget = given[0];
  model.fix_sill = given[1];
  model.fix_range = given[2];
  model.nugget = parsed[0];
  model.sill = parsed[1];
  model.range = parsed[2];
  // The type is checked with the exponent later: it may come after.
  analysis::FitSettings values = model;
  values.type = analysis::ModelType::kSpherical;
  if (!good || !(given[0] || given[1] || given[2]) ||
      !analysis::ValidateFitSettings(values).ok()) {
    throw CLI::ValidationError(
        "--model",
        ExpectedText("NUGGET,SILL,RANGE with 0 <= nugget <= sill and range > 0 "
                     "(a blank value is fitted)",
                     value));
  }
}

// --model-type TYPE[,TYPE...]: the first structure's type, then those of
// the nested structures.
void ApplyModelType(const std::string& value, Options* o) {
  analysis::FitSettings& model = o->settings.model;
  model.nested_types.clear();
  const std::vector<std::string> names = CommaFields(value);
  for (size_t i = 0; i < names.size(); ++i) {
    analysis::ModelType type = analysis::ModelType::kSpherical;
    analysis::ParseModelType(names[i], &type);
    if (i == 0) {
      model.type = type;
    } else {
      model.nested_types.push_back(type);
    }
  }
}

// 1 to kMaxStructures model types, comma-separated.
CLI::Validator ModelTypes() {
  return Expect(
      "spherical, exponential, gaussian, power or hole (up to " +
          std::to_string(analysis::kMaxStructures) + ", comma-separated)",
      [](std::string* text) {
        const std::vector<std::string> names = CommaFields(*text);
        analysis::ModelType type;
        return names.size() <= analysis::kMaxStructures &&
               std::all_of(names.begin(), names.end(),
                           [&type](const std::string& name) {
                             return analysis::ParseModelType(name, &type);
                           });
      });
}

void ApplyFit(const std::string& value, Options* o) {
  o->settings.model.anisotropic = value == "directions";
}

void ApplyFitWeights(const std::string& value, Options* o) {
  analysis::ParseFitWeights(value, &o->settings.model.weights);
}

// --indicator T[,T...]: indicator variograms, thresholds or percentiles.
void ApplyIndicator(const std::string& value, Options* o) {
  o->settings.variogram.kind = analysis::VariogramKind::kIndicator;
  o->settings.variogram.thresholds = CommaFields(value);
}

void ApplyColours(const std::string& value, Options* o) {
  analysis::ParseColourScale(value, &o->colours);
}

void ApplyTransform(const std::string& value, Options* o) {
  analysis::ParseTransform(value, &o->settings.transform);
}

// Checks what one option alone cannot: --dir among --dirs, then every
// setting together by the library's rules (the trimming limits in order,
// the power model's exponent).
Status CheckTogether(Options* o) {
  const std::vector<double>& azimuths = o->settings.variogram.azimuths;
  if (o->direction != "omni") {
    double azimuth = 0.0;
    bool found = false;
    if (ParseDouble(o->direction, &azimuth)) {
      for (double a : azimuths) found = found || a == azimuth;
    }
    if (!found) {
      std::vector<std::string> choices = {"omni"};
      for (double a : azimuths) choices.push_back(FormattedNumber(a));
      return Expected("--dir", Listed(choices) + " (the azimuths of --dirs)",
                      o->direction);
    }
  }
  const analysis::TrimLimits& limits = o->settings.limits;
  if (!(limits.lower < limits.upper)) {
    return Status::Failure("--tmin, --tmax: expected tmin below tmax, found " +
                           FormattedNumber(limits.lower) + " and " +
                           FormattedNumber(limits.upper));
  }
  if (o->cross) o->settings.variogram.kind = analysis::VariogramKind::kCross;
  const Status model = o->settings.model.model_given
                           ? analysis::ValidateModel(o->settings.model.given)
                           : analysis::ValidateFitSettings(o->settings.model);
  if (!model.ok()) {
    return Status::Failure("--model: " + model.error().message + ", found \"" +
                           FormattedNumber(o->settings.model.range) + "\"");
  }
  return Status::Ok();
}

// The options of every subcommand, by group, one line each: name, member
// or what parses the value, help, the value's name and its check.
void DefineOptions(CLI::App* app, Options* o) {
  app->set_help_flag();
  app->option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  const auto with = [o](void (*apply)(const std::string&, Options*)) {
    return [o, apply](const std::string& value) { apply(value, o); };
  };
  const char* group = "Input";
  const auto add = [app, &group](const char* name, auto& member,
                                 const char* value_name, const char* help) {
    return app->add_option(name, member, help)
        ->type_name(value_name)
        ->group(group);
  };
  const auto apply = [app, &group](const char* name, auto apply_value,
                                   const char* value_name, const char* help) {
    return app->add_option_function<std::string>(name, apply_value, help)
        ->type_name(value_name)
        ->group(group);
  };
  const auto flag = [app, &group](const char* name, bool& member,
                                  const char* help) {
    return app->add_flag(name, member, help)
        ->check(CLI::Validator(
            [](std::string& text) {
              return text == "true" ? "" : "takes no value";
            },
            ""))
        ->group(group);
  };

  add("--data", o->data_path, "FILE",
      "GeoEAS or CSV data file, - for standard input (default: the bundled "
      "sample)");
  add("--tmin", o->settings.limits.lower, "V",
      "trimming limit: values below V are missing (default -1e21)")
      ->check(Number("a number"));
  add("--tmax", o->settings.limits.upper, "V",
      "trimming limit: values at or above V are missing, such as 1e31 "
      "(default 1e21)")
      ->check(Number("a number"));
  apply("--transform", with(ApplyTransform), "none|log|nscore",
        "applied to the attributes before every chart, by the library "
        "(default none)")
      ->check(OneOf({"none", "log", "nscore"}));
  add("--shift", o->settings.shift, "S",
      "log: added to each value before the logarithm")
      ->check(Number("a number"));

  group = "Columns";
  add("--col", o->settings.columns.primary, "N|NAME",
      "primary attribute: column name or 1-based number (default: the first "
      "column that is not a coordinate, an ID or the weight)");
  add("--col2", o->settings.columns.secondary, "N|NAME",
      "secondary attribute (default: the next column that is not a "
      "coordinate)");
  add("--x", o->settings.columns.x, "N|NAME",
      "x coordinate column (default: X, Xlocation, East, Easting ..., else "
      "column 1)");
  add("--y", o->settings.columns.y, "N|NAME",
      "y coordinate column (default: Y, Ylocation, North, Northing ..., else "
      "column 2)");
  add("--z", o->settings.columns.z, "N|NAME",
      "z coordinate column (default: Z, Elevation or Depth)");
  add("--weight", o->settings.columns.weight, "N|NAME",
      "declustering weight column: weighted mean and variance beside the "
      "statistics");

  group = "Charts";
  add("--classes", o->classes, "N",
      "histogram classes (default: from the sample count)")
      ->transform(Whole(1, 1000));
  flag("--cumulative", o->cumulative, "hist: draw the cumulative curve");
  add("--highlight", o->settings.cloud.highlight, "N",
      "cloud, cloudmap: pairs shown in cyan, the N of largest semivariance "
      "closer than one lag (default 20)")
      ->transform(Whole(0, 100000));
  add("--cloud-max", o->settings.cloud.max_points, "N",
      "cloud, cloudmap: pairs drawn at most, a uniform sample of them "
      "(default 1000000)")
      ->transform(Whole(1, 1000000000));

  group = "Variograms";
  add("--lag", o->settings.variogram.lag, "D",
      "variogram lag spacing (default: from the data extent)")
      ->check(Number("a positive distance", [](double v) { return v > 0.0; }));
  add("--lags", o->settings.variogram.lag_count, "N",
      "number of variogram lags (default: from the extent)")
      ->transform(Whole(1, analysis::kMaxLagCount));
  add("--lagtol", o->settings.variogram.lag_tolerance, "D",
      "lag tolerance: lag k takes every pair with k*lag - D <= distance <= "
      "k*lag + D, both ends included (a pair exactly on a boundary counts in "
      "each lag it touches; with D of half the lag or more a pair may count "
      "in two lags or more), and the first lag the pairs within D (default: "
      "half the lag, each pair in one lag, a pair exactly halfway between "
      "two lags in the upper one)")
      ->check(Number("a positive distance", [](double v) { return v > 0.0; }));
  apply("--dirs", with(ApplyDirections), "LIST",
        "variogram azimuths in degrees clockwise from north, comma-separated "
        "(default 0,45,90,135)");
  add("--atol", o->settings.variogram.angle_tolerance, "DEG",
      "angular tolerance either side of each azimuth (default 22.5)")
      ->check(Number("an angle above 0 and up to 90 degrees",
                     [](double v) { return v > 0.0 && v <= 90.0; }));
  add("--bandwidth", o->settings.variogram.bandwidth, "D",
      "largest distance of a pair from a direction's axis (default: no "
      "limit)")
      ->check(Number("a distance, 0 for no limit",
                     [](double v) { return v >= 0.0; }));
  add("--dir", o->direction, "omni|AZIMUTH",
      "vario: the direction shown, omni or one of --dirs (default omni)");
  apply("--model-type", with(ApplyModelType), "TYPE[,TYPE...]",
        "model fitted and drawn: spherical, exponential, gaussian, power or "
        "hole (default spherical); several, comma-separated, fit nested "
        "structures (up to 3)")
      ->check(ModelTypes());
  apply("--model", with(ApplyModel), "NUGGET,SILL,RANGE|MODEL",
        "fixes the model's parameters; a blank one is fitted (power: "
        "NUGGET,SILL,EXPONENT, the sill at distance 1); or the whole model "
        "written out, drawn as given: NUGGET + C TYPE(RANGE[,MINOR[,AZIMUTH]])"
        " + ..., such as '0.1 + 0.5 sph(120) + 0.4 exp(400,150,30)'");
  apply("--fit", with(ApplyFit), "omni|directions",
        "fit to the omnidirectional variogram (default), or to every "
        "direction at once: the major azimuth, major and minor ranges")
      ->check(OneOf({"omni", "directions"}));
  apply("--fit-weights", with(ApplyFitWeights), "pairs|pairs/h2",
        "weight of each lag in the fit: its pairs (default), or pairs over "
        "distance squared")
      ->check(OneOf({"pairs", "pairs/h2"}));
  apply("--indicator", with(ApplyIndicator), "LIST",
        "indicator variograms of value <= T for each threshold T, or qNN for "
        "a percentile of the primary values (q25,q50,q75): one picture each");
  flag("--cross", o->cross,
       "the cross variogram of the primary and secondary attributes (--col2) "
       "at the samples holding both");

  group = "Output";
  add("--out", o->out, "PATH",
      "output: the gallery's directory (default out) or the chart's PNG "
      "(default NAME.png)");
  apply("--size", with(ApplySize), "WxH",
        "picture size in pixels (default 560x560)");
  add("--table", o->table, "FILE.csv",
      "vario, mvario, varmap: also writes the lags (or cells) drawn as CSV");
  apply("--colours", with(ApplyColours), "linear|quantile",
        "locmap, varmap: colours evenly over the values (default) or by "
        "their ranks, as many samples in each colour")
      ->check(OneOf({"linear", "quantile"}));
  add("--format", o->format, "png|svg|pdf",
      "picture format (default: from the extension of --out, else png)");
  add("--formats", o->formats, "LIST",
      "gallery: picture formats, comma-separated (default png)");
  add("--scale", o->scale, "F",
      "PNG scale factor; above 1 renders the vector picture (default 1)")
      ->check(Number("a factor from 0.25 to 8",
                     [](double v) { return v >= 0.25 && v <= 8.0; }));
  // Both set o->json as they come, so the later of the two holds.
  flag("--json", o->json,
       "write the numbers each chart's compute step returned as JSON on "
       "stdout (gallery: also DIR/stats.json)")
      ->trigger_on_parse();
  apply(
      "--stats", [o](const std::string& form) { o->json = form == "json"; },
      "text|json", "the form of the statistics (--json: json)")
      ->check(OneOf({"json", "text"}))
      ->trigger_on_parse();
  group = "Serve";
  add("--port", o->port, "N",
      "serve: the port of the workbench (default 8080; 0: any free port)")
      ->transform(Whole(0, 65535));
  add("--host", o->host, "ADDRESS",
      "serve: the address listened on (default 127.0.0.1, this machine "
      "only)");

  group = "Output";
  flag("--quiet", o->quiet, "no progress lines on stderr");
  flag("--version", o->version, "print the version and exit");
  flag("-h,--help", o->help, "show this help");

  app->add_option("arguments", o->positional)->group("");
}

// Wraps each option's help at kHelpWidth beside the column of names.
class WrappingFormatter : public CLI::Formatter {
 public:
  std::string make_option_desc(const CLI::Option* option) const override {
    const size_t width = kHelpWidth - get_column_width();
    std::istringstream words(option->get_description());
    std::string text, line, word;
    while (words >> word) {
      if (!line.empty() && line.size() + 1 + word.size() > width) {
        text += line + "\n";
        line.clear();
      }
      line += (line.empty() ? "" : " ") + word;
    }
    return text + line;
  }
};

}  // namespace

Status ParseOptions(const std::vector<std::string>& args, Options* options) {
  CLI::App app;
  DefineOptions(&app, options);
  app.allow_extras();
  try {
    app.parse(std::vector<std::string>(args.rbegin(), args.rend()));
  } catch (const CLI::ParseError& e) {
    return Status::Failure(e.what());
  }
  // Words CLI11 did not take are options it does not know, besides the
  // "--" that ends the options.
  for (const std::string& word : app.remaining()) {
    if (word == "--") continue;
    return Status::Failure(word.substr(0, word.find('=')) +
                           ": unknown option (see --help)");
  }
  return CheckTogether(options);
}

std::string OptionsHelp() {
  Options scratch;
  CLI::App app;
  DefineOptions(&app, &scratch);
  const CLI::App& options = app;
  const WrappingFormatter formatter;
  std::string help;
  for (const std::string& group : options.get_groups()) {
    if (group.empty()) continue;
    help += formatter.make_group(
        group, false, options.get_options([&group](const CLI::Option* option) {
          return option->get_group() == group;
        }));
  }
  return help;
}

int DirectionRow(const Options& options) {
  double azimuth = 0.0;
  if (options.direction == "omni" ||
      std::sscanf(options.direction.c_str(), "%lf", &azimuth) != 1) {
    return 0;
  }
  const std::vector<double>& azimuths = options.settings.variogram.azimuths;
  for (size_t d = 0; d < azimuths.size(); ++d) {
    if (azimuths[d] == azimuth) return static_cast<int>(d) + 1;
  }
  return 0;
}

analysis::ChartOptions ChartOptionsOf(const Options& options) {
  analysis::ChartOptions chart;
  chart.classes = options.classes;
  chart.cumulative = options.cumulative;
  chart.direction = DirectionRow(options);
  chart.colours = options.colours;
  return chart;
}

}  // namespace korvagraph
