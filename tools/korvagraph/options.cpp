#include "tools/korvagraph/options.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kMaxSide = 8192;
constexpr size_t kMaxDirections = 8;

using Apply = Status (*)(const std::string& value, Options* options);

struct OptionEntry {
  const char* name;
  const char* value_name;  // null: a flag without a value
  const char* help;
  std::string Options::*text = nullptr;  // stores the value as given
  bool Options::*flag = nullptr;         // set by a flag
  Apply apply = nullptr;                 // parses the value
  double Options::*number = nullptr;     // stores any finite number
};

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

Status Expected(const char* option, const std::string& what,
                const std::string& found) {
  return Status::Error(std::string(option) + ": expected " + what +
                       ", found \"" + found + "\"");
}

Status ApplySize(const std::string& value, Options* o) {
  const size_t x = value.find('x');
  int w = 0, h = 0;
  if (x == std::string::npos || !ParseInt(value.substr(0, x), &w) ||
      !ParseInt(value.substr(x + 1), &h) || w < 16 || h < 16 || w > kMaxSide ||
      h > kMaxSide) {
    return Expected("--size", "WIDTHxHEIGHT in pixels, each 16 to 8192", value);
  }
  o->width = w;
  o->height = h;
  return Status::Ok();
}

Status ApplyClasses(const std::string& value, Options* o) {
  if (!ParseInt(value, &o->classes) || o->classes < 1 || o->classes > 1000) {
    return Expected("--classes", "a whole number from 1 to 1000", value);
  }
  return Status::Ok();
}

Status ApplyLag(const std::string& value, Options* o) {
  if (!ParseDouble(value, &o->lag) || !(o->lag > 0.0)) {
    return Expected("--lag", "a positive distance", value);
  }
  return Status::Ok();
}

Status ApplyLagCount(const std::string& value, Options* o) {
  if (!ParseInt(value, &o->lag_count) || o->lag_count < 1 ||
      o->lag_count > 1000) {
    return Expected("--lags", "a whole number from 1 to 1000", value);
  }
  return Status::Ok();
}

Status ApplyHighlight(const std::string& value, Options* o) {
  if (!ParseInt(value, &o->highlight) || o->highlight < 0 ||
      o->highlight > 100000) {
    return Expected("--highlight", "a whole number from 0 to 100000", value);
  }
  return Status::Ok();
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

std::string FormattedNumber(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof(buffer), "%g", value);
  return buffer;
}

// Returns "0, 45, 90 or 135".
std::string AzimuthList(const std::vector<double>& azimuths) {
  std::string list;
  for (size_t i = 0; i < azimuths.size(); ++i) {
    if (i > 0) list += i + 1 == azimuths.size() ? " or " : ", ";
    list += FormattedNumber(azimuths[i]);
  }
  return list;
}

Status ApplyDirections(const std::string& value, Options* o) {
  std::vector<double> azimuths;
  for (const std::string& field : CommaFields(value)) {
    double azimuth = 0.0;
    if (!ParseDouble(field, &azimuth) || azimuth < -360.0 || azimuth > 360.0 ||
        azimuths.size() == kMaxDirections) {
      return Expected("--dirs",
                      "1 to " + std::to_string(kMaxDirections) +
                          " azimuths in degrees, comma-separated",
                      value);
    }
    azimuths.push_back(azimuth);
  }
  o->azimuths = azimuths;
  return Status::Ok();
}

Status ApplyAngleTolerance(const std::string& value, Options* o) {
  if (!ParseDouble(value, &o->angle_tolerance) || !(o->angle_tolerance > 0.0) ||
      o->angle_tolerance > 90.0) {
    return Expected("--atol", "an angle above 0 and up to 90 degrees", value);
  }
  return Status::Ok();
}

Status ApplyBandwidth(const std::string& value, Options* o) {
  if (!ParseDouble(value, &o->bandwidth) || o->bandwidth < 0.0) {
    return Expected("--bandwidth", "a distance, 0 for no limit", value);
  }
  return Status::Ok();
}

Status ApplyLagTolerance(const std::string& value, Options* o) {
  if (!ParseDouble(value, &o->lag_tolerance) || !(o->lag_tolerance > 0.0)) {
    return Expected("--lagtol", "a positive distance", value);
  }
  return Status::Ok();
}

Status ApplyModel(const std::string& value, Options* o) {
  const std::vector<std::string> fields = CommaFields(value);
  double parsed[3] = {0.0, 0.0, 0.0};
  bool given[3] = {false, false, false};
  bool good = fields.size() == 3;
  for (size_t i = 0; good && i < 3; ++i) {
    given[i] = !fields[i].empty();
    good = !given[i] || ParseDouble(fields[i], &parsed[i]);
  }
  const double n = parsed[0], s = parsed[1], r = parsed[2];
  if (!good || (given[0] && n < 0.0) || (given[0] && given[1] && s < n) ||
      (given[1] && s < 0.0) || (given[2] && !(r > 0.0)) ||
      !(given[0] || given[1] || given[2])) {
    return Expected("--model",
                    "NUGGET,SILL,RANGE with 0 <= nugget <= sill and range > 0 "
                    "(a blank value is fitted)",
                    value);
  }
  o->fix_nugget = given[0];
  o->fix_sill = given[1];
  o->fix_range = given[2];
  o->has_model = given[0] && given[1] && given[2];
  o->nugget = n;
  o->sill = s;
  o->range = r;
  return Status::Ok();
}

Status ApplyModelType(const std::string& value, Options* o) {
  for (const char* type :
       {"spherical", "exponential", "gaussian", "power", "hole"}) {
    if (value == type) {
      o->model_type = value;
      return Status::Ok();
    }
  }
  return Expected("--model-type",
                  "spherical, exponential, gaussian, power or hole", value);
}

Status ApplyTransform(const std::string& value, Options* o) {
  if (value != "none" && value != "log" && value != "nscore") {
    return Expected("--transform", "none, log or nscore", value);
  }
  o->transform = value;
  return Status::Ok();
}

Status ApplyStats(const std::string& value, Options* o) {
  if (value != "json" && value != "text") {
    return Expected("--stats", "json or text", value);
  }
  o->json = value == "json";
  return Status::Ok();
}

// Checks what one option alone cannot: --dir among --dirs, the trimming
// limits in order, the power model's exponent.
Status CheckTogether(Options* o) {
  if (o->direction != "omni") {
    double azimuth = 0.0;
    bool found = false;
    if (ParseDouble(o->direction, &azimuth)) {
      for (double a : o->azimuths) found = found || a == azimuth;
    }
    if (!found) {
      return Expected(
          "--dir",
          "omni, " + AzimuthList(o->azimuths) + " (the azimuths of --dirs)",
          o->direction);
    }
  }
  if (!(o->tmin < o->tmax)) {
    return Status::Error("--tmin, --tmax: expected tmin below tmax, found " +
                         FormattedNumber(o->tmin) + " and " +
                         FormattedNumber(o->tmax));
  }
  if (o->model_type == "power" && o->fix_range && !(o->range < 2.0)) {
    return Expected("--model",
                    "an exponent above 0 and below 2 in the RANGE place of "
                    "a power model",
                    FormattedNumber(o->range));
  }
  return Status::Ok();
}

Status ApplyScale(const std::string& value, Options* o) {
  if (!ParseDouble(value, &o->scale) || o->scale < 0.25 || o->scale > 8.0) {
    return Expected("--scale", "a factor from 0.25 to 8", value);
  }
  return Status::Ok();
}

Status ApplyCloudMax(const std::string& value, Options* o) {
  int parsed = 0;
  if (!ParseInt(value, &parsed) || parsed < 1) {
    return Expected("--cloud-max", "a whole number from 1 to 1000000000",
                    value);
  }
  o->cloud_max = parsed;
  return Status::Ok();
}

// Options that store their text as given, or set a flag, name the member;
// the others parse their value with a function.
const OptionEntry kOptions[] = {
    {"--data", "FILE", "GeoEAS data file (default: the bundled sample)",
     &Options::data_path},
    {"--out", "PATH",
     "output: the gallery's directory (default out) or the chart's PNG "
     "(default NAME.png)",
     &Options::out},
    {"--size", "WxH", "picture size in pixels (default 560x560)", nullptr,
     nullptr, ApplySize},
    {"--col", "N|NAME",
     "primary attribute: column name or 1-based number (default: the first "
     "column that is not a coordinate, an ID or the weight)",
     &Options::column},
    {"--col2", "N|NAME",
     "secondary attribute (default: the next column that is not a "
     "coordinate)",
     &Options::column2},
    {"--x", "N|NAME",
     "x coordinate column (default: X, Xlocation, East, Easting ..., else "
     "column 1)",
     &Options::x_column},
    {"--y", "N|NAME",
     "y coordinate column (default: Y, Ylocation, North, Northing ..., else "
     "column 2)",
     &Options::y_column},
    {"--z", "N|NAME", "z coordinate column (default: Z, Elevation or Depth)",
     &Options::z_column},
    {"--tmin", "V",
     "trimming limit: values below V are missing (default -1e21)", nullptr,
     nullptr, nullptr, &Options::tmin},
    {"--tmax", "V",
     "trimming limit: values at or above V are missing, such as 1e31 "
     "(default 1e21)",
     nullptr, nullptr, nullptr, &Options::tmax},
    {"--weight", "N|NAME",
     "declustering weight column: weighted mean and variance beside the "
     "statistics",
     &Options::weight_column},
    {"--transform", "none|log|nscore",
     "applied to the attributes before every chart, by the library "
     "(default none)",
     nullptr, nullptr, ApplyTransform},
    {"--shift", "S", "log: added to each value before the logarithm", nullptr,
     nullptr, nullptr, &Options::shift},
    {"--classes", "N", "histogram classes (default: from the sample count)",
     nullptr, nullptr, ApplyClasses},
    {"--cumulative", nullptr, "hist: draw the cumulative curve", nullptr,
     &Options::cumulative},
    {"--lag", "D", "variogram lag spacing (default: from the data extent)",
     nullptr, nullptr, ApplyLag},
    {"--lags", "N", "number of variogram lags (default: from the extent)",
     nullptr, nullptr, ApplyLagCount},
    {"--lagtol", "D",
     "lag tolerance: pairs within D of a lag count in it (default: half the "
     "lag)",
     nullptr, nullptr, ApplyLagTolerance},
    {"--dirs", "LIST",
     "variogram azimuths in degrees clockwise from north, comma-separated "
     "(default 0,45,90,135)",
     nullptr, nullptr, ApplyDirections},
    {"--atol", "DEG",
     "angular tolerance either side of each azimuth (default 22.5)", nullptr,
     nullptr, ApplyAngleTolerance},
    {"--bandwidth", "D",
     "largest distance of a pair from a direction's axis (default: no "
     "limit)",
     nullptr, nullptr, ApplyBandwidth},
    {"--dir", "omni|AZIMUTH",
     "vario: the direction shown, omni or one of --dirs (default omni)",
     &Options::direction},
    {"--model-type", "TYPE",
     "model fitted and drawn: spherical, exponential, gaussian, power or "
     "hole (default spherical)",
     nullptr, nullptr, ApplyModelType},
    {"--model", "NUGGET,SILL,RANGE",
     "fixes the model's parameters; a blank one is fitted (power: "
     "NUGGET,SILL,EXPONENT, the sill at distance 1)",
     nullptr, nullptr, ApplyModel},
    {"--highlight", "N",
     "cloud, cloudmap: pairs shown in cyan, the N of largest semivariance "
     "closer than one lag (default 20)",
     nullptr, nullptr, ApplyHighlight},
    {"--format", "png|svg|pdf",
     "picture format (default: from the extension of --out, else png)",
     &Options::format},
    {"--formats", "LIST",
     "gallery: picture formats, comma-separated (default png)",
     &Options::formats},
    {"--scale", "F",
     "PNG scale factor; above 1 renders the vector picture (default 1)",
     nullptr, nullptr, ApplyScale},
    {"--cloud-max", "N",
     "cloud, cloudmap: pairs drawn at most, a uniform sample of them "
     "(default 1000000)",
     nullptr, nullptr, ApplyCloudMax},
    {"--quiet", nullptr, "no progress lines on stderr", nullptr,
     &Options::quiet},
    {"--json", nullptr,
     "write the numbers each chart's compute step returned as JSON on "
     "stdout (gallery: also DIR/stats.json)",
     nullptr, &Options::json},
    {"--stats", "text|json", "the form of the statistics (--json: json)",
     nullptr, nullptr, ApplyStats},
    {"--version", nullptr, "print the version and exit", nullptr,
     &Options::version},
    {"--help", nullptr, "show this help (also -h)", nullptr, &Options::help},
};

const OptionEntry* FindOption(const std::string& name) {
  for (const OptionEntry& entry : kOptions) {
    if (name == entry.name) return &entry;
  }
  return nullptr;
}

}  // namespace

Status ParseOptions(const std::vector<std::string>& args, Options* options) {
  for (size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::string value;
    bool has_value = false;
    if (name == "-h") {
      options->help = true;
      continue;
    }
    if (name.rfind("--", 0) != 0 || name == "--") {
      options->positional.push_back(name);
      continue;
    }
    const size_t equals = name.find('=');
    if (equals != std::string::npos) {
      value = name.substr(equals + 1);
      name = name.substr(0, equals);
      has_value = true;
    }
    const OptionEntry* entry = FindOption(name);
    if (entry == nullptr) {
      return Status::Error(name + ": unknown option (see --help)");
    }
    if (entry->value_name != nullptr && !has_value) {
      if (i + 1 >= args.size()) {
        return Status::Error(name + ": expected " + entry->value_name +
                             " after it");
      }
      value = args[++i];
    } else if (entry->value_name == nullptr && has_value) {
      return Status::Error(name + ": takes no value");
    }
    if (entry->text != nullptr) {
      options->*entry->text = value;
    } else if (entry->flag != nullptr) {
      options->*entry->flag = true;
    } else if (entry->number != nullptr) {
      if (!ParseDouble(value, &(options->*entry->number))) {
        return Expected(entry->name, "a number", value);
      }
    } else {
      Status status = entry->apply(value, options);
      if (!status.ok()) return status;
    }
  }
  return CheckTogether(options);
}

std::string OptionsHelp() {
  std::string help;
  for (const OptionEntry& entry : kOptions) {
    std::string left = std::string("  ") + entry.name;
    if (entry.value_name != nullptr)
      left += std::string(" ") + entry.value_name;
    if (left.size() < 28)
      left.resize(28, ' ');
    else
      left += "\n" + std::string(28, ' ');
    help += left + entry.help + "\n";
  }
  return help;
}
