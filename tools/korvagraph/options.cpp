#include "tools/korvagraph/options.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kMaxSide = 8192;

using Apply = Status (*)(const std::string& value, Options* options);

struct OptionEntry {
  const char* name;
  const char* value_name;  // null: a flag without a value
  const char* help;
  std::string Options::*text = nullptr;  // stores the value as given
  bool Options::*flag = nullptr;         // set by a flag
  Apply apply = nullptr;                 // parses the value
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

Status ApplyDirection(const std::string& value, Options* o) {
  for (const char* d : {"omni", "0", "45", "90", "135"}) {
    if (value == d) {
      o->direction = value;
      return Status::Ok();
    }
  }
  return Expected("--dir", "omni, 0, 45, 90 or 135", value);
}

Status ApplyModel(const std::string& value, Options* o) {
  double n = 0, s = 0, r = 0;
  char tail = 0;
  if (std::sscanf(value.c_str(), "%lf,%lf,%lf%c", &n, &s, &r, &tail) != 3 ||
      !std::isfinite(n) || !std::isfinite(s) || !std::isfinite(r) || n < 0.0 ||
      s < n || !(r > 0.0)) {
    return Expected("--model",
                    "NUGGET,SILL,RANGE with 0 <= nugget <= sill and range > 0",
                    value);
  }
  o->has_model = true;
  o->nugget = n;
  o->sill = s;
  o->range = r;
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
     "column that is not a coordinate)",
     &Options::column},
    {"--col2", "N|NAME",
     "secondary attribute (default: the next column that is not a "
     "coordinate)",
     &Options::column2},
    {"--x", "N|NAME", "x coordinate column (default: X, or column 1)",
     &Options::x_column},
    {"--y", "N|NAME", "y coordinate column (default: Y, or column 2)",
     &Options::y_column},
    {"--z", "N|NAME", "z coordinate column (default: Z or Elevation)",
     &Options::z_column},
    {"--classes", "N", "histogram classes (default: from the sample count)",
     nullptr, nullptr, ApplyClasses},
    {"--cumulative", nullptr, "hist: draw the cumulative curve", nullptr,
     &Options::cumulative},
    {"--lag", "D", "variogram lag spacing (default: from the data extent)",
     nullptr, nullptr, ApplyLag},
    {"--lags", "N", "number of variogram lags (default: from the extent)",
     nullptr, nullptr, ApplyLagCount},
    {"--dir", "omni|0|45|90|135",
     "vario: the direction shown, azimuth in degrees (default omni)", nullptr,
     nullptr, ApplyDirection},
    {"--model", "NUGGET,SILL,RANGE",
     "vario: spherical model to draw (default: fitted to the variogram)",
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
    {"--help", nullptr, "show this help", nullptr, &Options::help},
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
    } else {
      Status status = entry->apply(value, options);
      if (!status.ok()) return status;
    }
  }
  return Status::Ok();
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
