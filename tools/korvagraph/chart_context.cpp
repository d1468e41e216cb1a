#include "tools/korvagraph/chart_context.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <utility>

#include "tools/korvagraph/progress_line.h"

namespace {

// Usual names of coordinate columns, matched by a name line's first word.
const char* const kXNames[] = {"x",    "xlocation", "xloc",    "xcoord",
                               "east", "easting",   "xcentre", "xcenter"};
const char* const kYNames[] = {"y",     "ylocation", "yloc",    "ycoord",
                               "north", "northing",  "ycentre", "ycenter"};
const char* const kZNames[] = {"z",         "zlocation", "zloc", "zcoord",
                               "elevation", "elev",      "depth"};
// Columns that number samples rather than measure them: never a default
// attribute.
const char* const kIdNames[] = {"id",   "no",   "number", "sample",
                                "bhid", "dhid", "hole"};

std::string Lower(std::string text) {
  for (char& c : text)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Returns true when column's first word is one of names (ignoring case).
template <size_t N>
bool NamedOneOf(const DataSet& data, int column,
                const char* const (&names)[N]) {
  const std::string name = Lower(ShortName(data.names[column]));
  for (const char* wanted : names) {
    if (name == wanted) return true;
  }
  return false;
}

// Returns the first column named one of names, or kNoColumn.
template <size_t N>
int ColumnNamed(const DataSet& data, const char* const (&names)[N]) {
  for (int c = 0; c < data.ColumnCount(); ++c) {
    if (NamedOneOf(data, c, names)) return c;
  }
  return kNoColumn;
}

// Resolves wanted when given, else takes fallback.
Status Choose(const DataSet& data, const std::string& wanted, int fallback,
              int* column) {
  if (wanted.empty()) {
    *column = fallback;
    return Status::Ok();
  }
  return FindColumn(data, wanted, column);
}

std::string Formatted(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof(buffer), "%g", value);
  return buffer;
}

}  // namespace

std::vector<KvDiscPnt> AttributeRecords(const std::vector<double>& values,
                                        const std::vector<double>* second) {
  std::vector<KvDiscPnt> records(values.size(), KvDiscPnt{});
  for (size_t i = 0; i < values.size(); ++i) {
    records[i].value = values[i];
    if (second != nullptr) records[i].value2 = (*second)[i];
  }
  return records;
}

ChartContext::ChartContext(DataSet data, Options options, std::FILE* progress)
    : data_(std::move(data)),
      options_(std::move(options)),
      progress_(progress) {}

Status ChartContext::ResolveCoordinates() {
  int x = ColumnNamed(data_, kXNames);
  int y = ColumnNamed(data_, kYNames);
  const bool by_position =
      (x == kNoColumn || y == kNoColumn) && options_.x_column.empty() &&
      options_.y_column.empty() && data_.ColumnCount() >= 3;
  if (by_position) {
    x = 0;
    y = 1;
  }
  Status status = Choose(data_, options_.x_column, x, &x_);
  if (status.ok()) status = Choose(data_, options_.y_column, y, &y_);
  if (status.ok()) {
    status = Choose(data_, options_.z_column, ColumnNamed(data_, kZNames), &z_);
  }
  if (status.ok() && by_position) {
    WarnRun(
        "no column is named like a coordinate (X, Y, Xlocation, East, "
        "North, ...): columns 1 (" +
        Name(x_) + ") and 2 (" + Name(y_) +
        ") are taken as x and y; name them with --x and --y");
  }
  return status;
}

Status ChartContext::Resolve() {
  Status status = ResolveCoordinates();
  if (status.ok()) {
    status = Choose(data_, options_.weight_column, kNoColumn, &weight_);
  }
  if (!status.ok()) return status;

  auto taken = [this](int c) {
    return c == x_ || c == y_ || c == z_ || c == weight_;
  };
  int first = kNoColumn, second = kNoColumn;
  for (int c = 0; c < data_.ColumnCount(); ++c) {
    if (taken(c) || NamedOneOf(data_, c, kIdNames)) continue;
    if (first == kNoColumn) {
      first = c;
    } else if (second == kNoColumn) {
      second = c;
    }
  }
  if (first == kNoColumn) first = data_.ColumnCount() - 1;
  status = Choose(data_, options_.column, first, &primary_);
  if (!status.ok()) return status;
  if (options_.column2.empty() && second == primary_) second = first;
  if (second == primary_) second = kNoColumn;
  return Choose(data_, options_.column2, second, &secondary_);
}

void ChartContext::ReplaceColumn(int column, std::vector<double> values) {
  data_.columns[column] = std::move(values);
}

std::string ChartContext::Name(int column) const {
  return ShortName(data_.names[column]);
}

std::vector<int> ChartContext::ColumnsFor(ColumnUse use) const {
  switch (use) {
    case ColumnUse::kPrimary:
      return {primary_};
    case ColumnUse::kBoth:
      return {primary_, secondary_};
    default:  // kLocated
      return {primary_, x_, y_};
  }
}

std::string ChartContext::ColumnsText(ColumnUse use) const {
  auto name = [this](int c) {
    return c == kNoColumn ? std::string("(none)") : Name(c);
  };
  const std::vector<int> columns = ColumnsFor(use);
  if (use == ColumnUse::kPrimary) return name(columns[0]);
  if (use == ColumnUse::kBoth)
    return name(columns[0]) + ", " + name(columns[1]);
  return name(columns[0]) + " at " + name(columns[1]) + ", " + name(columns[2]);
}

long ChartContext::TrimmedFor(ColumnUse use) const {
  long trimmed = 0;
  for (int c : ColumnsFor(use)) {
    trimmed += data_.TrimmedCount(c);
  }
  return trimmed;
}

void ChartContext::Warn(const std::string& warning) const {
  if (std::find(chart_warnings_.begin(), chart_warnings_.end(), warning) ==
      chart_warnings_.end()) {
    chart_warnings_.push_back(warning);
  }
}

std::vector<std::string> ChartContext::TakeWarnings() {
  std::vector<std::string> taken;
  taken.swap(chart_warnings_);
  return taken;
}

Status ChartContext::WeightedValues(std::vector<double>* values,
                                    std::vector<double>* weights) const {
  if (weight_ == kNoColumn) return Status::Error("no weight column");
  values->clear();
  weights->clear();
  const std::vector<double>& v = data_.columns[primary_];
  const std::vector<double>& w = data_.columns[weight_];
  for (size_t r = 0; r < v.size(); ++r) {
    if (IsMissing(v[r]) || IsMissing(w[r]) || w[r] < 0.0) continue;
    values->push_back(v[r]);
    weights->push_back(w[r]);
  }
  if (values->empty()) return EmptyColumn(Name(primary_) + " and its weight");
  return Status::Ok();
}

Status ChartContext::EmptyColumn(const std::string& what) const {
  return Status::AtLine(data_.path, data_.header_lines + 1,
                        "expected rows with " + what +
                            " present, found none (values at or below -999 "
                            "or outside --tmin and --tmax are missing)");
}

Status ChartContext::NoSecondColumn() const {
  return Status::Error(data_.path +
                       ": expected a second attribute column for this "
                       "chart; name one with --col2");
}

void ChartContext::WarnIfAxisTitleCut(int margin_per_width,
                                      int title_depth) const {
  const int margin = options_.height * margin_per_width / options_.width;
  if (margin < title_depth) {
    Warn("the axis title needs " + std::to_string(title_depth) +
         " pixels below the plot and this picture's shape leaves " +
         std::to_string(margin) + ": it is cut off at the bottom (use a " +
         "picture at most " + Formatted(margin_per_width * 1.0 / title_depth) +
         " times as wide as tall)");
  }
}

void ChartContext::WarnIfConstant(int column,
                                  const std::vector<double>& values) const {
  const DataWindow window = WindowOf(values);
  if (values.size() > 1 && window.minimum == window.maximum) {
    Warn(Name(column) + " is constant (every value " +
         Formatted(window.minimum) + "): the chart shows no spread");
  }
}

Status ChartContext::ColumnValues(int column,
                                  std::vector<double>* values) const {
  *values = PresentValues(data_, column);
  if (values->empty()) return EmptyColumn(Name(column));
  WarnIfConstant(column, *values);
  return Status::Ok();
}

Status ChartContext::PrimaryValues(std::vector<double>* values) const {
  return ColumnValues(primary_, values);
}

Status ChartContext::SecondaryValues(std::vector<double>* values) const {
  if (secondary_ == kNoColumn) return NoSecondColumn();
  return ColumnValues(secondary_, values);
}

Status ChartContext::SampleOf(ValuesGetter values_of,
                              AttributeSample* sample) const {
  std::vector<double> values;
  Status status = (this->*values_of)(&values);
  if (!status.ok()) return status;
  sample->records = AttributeRecords(values);
  sample->window = Rounded(WindowOf(values));
  return Status::Ok();
}

Status ChartContext::PrimarySample(AttributeSample* sample) const {
  return SampleOf(&ChartContext::PrimaryValues, sample);
}

Status ChartContext::SecondarySample(AttributeSample* sample) const {
  return SampleOf(&ChartContext::SecondaryValues, sample);
}

Status ChartContext::PairedValues(std::vector<double>* first,
                                  std::vector<double>* second) const {
  if (secondary_ == kNoColumn) return NoSecondColumn();
  first->clear();
  second->clear();
  const std::vector<double>& a = data_.columns[primary_];
  const std::vector<double>& b = data_.columns[secondary_];
  for (size_t r = 0; r < a.size(); ++r) {
    if (IsMissing(a[r]) || IsMissing(b[r])) continue;
    first->push_back(a[r]);
    second->push_back(b[r]);
  }
  if (first->empty()) {
    return EmptyColumn(Name(primary_) + " and " + Name(secondary_));
  }
  WarnIfConstant(primary_, *first);
  WarnIfConstant(secondary_, *second);
  return Status::Ok();
}

Status ChartContext::LocatedSamples(const std::vector<KvDiscPnt>** samples) {
  if (x_ == kNoColumn || y_ == kNoColumn) {
    return Status::Error(data_.path +
                         ": expected x and y coordinate columns for this "
                         "chart; name them with --x and --y");
  }
  if (!have_samples_) {
    const std::vector<double>& xs = data_.columns[x_];
    const std::vector<double>& ys = data_.columns[y_];
    const std::vector<double>& vs = data_.columns[primary_];
    for (int r = 0; r < data_.RowCount(); ++r) {
      if (IsMissing(xs[r]) || IsMissing(ys[r]) || IsMissing(vs[r])) continue;
      KvDiscPnt s{};
      s.x = xs[r];
      s.y = ys[r];
      s.z = z_ == kNoColumn ? 0.0 : data_.columns[z_][r];
      s.value = vs[r];
      const double second = secondary_ == kNoColumn
                                ? kMissingThreshold
                                : data_.columns[secondary_][r];
      s.value2 = IsMissing(second) ? kMissingThreshold : second;
      samples_.push_back(s);
    }
    have_samples_ = true;
  }
  if (samples_.size() < 2) {
    return EmptyColumn("at least two of " + Name(x_) + ", " + Name(y_) +
                       " and " + Name(primary_));
  }
  std::vector<double> values;
  for (const KvDiscPnt& s : samples_) values.push_back(s.value);
  WarnIfConstant(primary_, values);
  *samples = &samples_;
  return Status::Ok();
}

LagSettings ChartContext::ChosenLags(
    const std::vector<KvDiscPnt>& samples) const {
  const LagSettings defaults = DefaultLags(samples);
  LagSettings lags = defaults;
  if (options_.lag > 0.0) {
    lags.spacing = options_.lag;
    if (options_.lag_count == 0) {
      // Keep the reach of the defaults with the new spacing.
      // Clamped as a double: a tiny --lag makes the quotient exceed int.
      lags.count = static_cast<int>(std::clamp(
          defaults.spacing * defaults.count / options_.lag, 1.0, 1000.0));
    }
  }
  if (options_.lag_count > 0) lags.count = options_.lag_count;
  lags.tolerance = options_.lag_tolerance;
  return lags;
}

FitSettings ChartContext::ModelSettings() const {
  FitSettings settings;
  ParseModelType(options_.model_type, &settings.start.type);
  settings.start.nugget = options_.nugget;
  settings.start.sill = options_.sill;
  settings.start.range = options_.range;
  settings.fix_nugget = options_.fix_nugget;
  settings.fix_sill = options_.fix_sill;
  settings.fix_range = options_.fix_range;
  return settings;
}

Status ChartContext::Variograms(const VariogramSet** set) {
  // Asked every time, so that each chart gets the samples' warnings.
  const std::vector<KvDiscPnt>* samples = nullptr;
  Status status = LocatedSamples(&samples);
  if (!status.ok()) return status;
  if (variograms_ == nullptr) {
    auto result = std::make_unique<VariogramSet>();
    result->lags = ChosenLags(*samples);

    std::vector<VariogramDirection> directions = {{0.0, 90.0}};  // every pair
    result->labels.push_back("omni");
    result->azimuths.push_back(0.0);
    for (double azimuth : options_.azimuths) {
      directions.push_back(
          {azimuth, options_.angle_tolerance, options_.bandwidth});
      result->labels.push_back(Formatted(azimuth));
      result->azimuths.push_back(azimuth);
    }
    {
      ProgressLine progress("variograms", PairCount(samples->size()),
                            progress_);
      result->rows =
          ExperimentalVariograms(*samples, result->lags, directions, &progress);
    }
    std::vector<double> values;
    for (const KvDiscPnt& s : *samples) values.push_back(s.value);
    result->variance = Variance(values);
    result->fit = FitModel(result->rows[0], result->lags, result->variance,
                           ModelSettings());
    variograms_ = std::move(result);
  }
  *set = variograms_.get();
  return Status::Ok();
}

Status ChartContext::Cloud(CloudSet** set) {
  // Asked every time, so that each chart gets the samples' warnings.
  const std::vector<KvDiscPnt>* samples = nullptr;
  Status status = LocatedSamples(&samples);
  if (!status.ok()) return status;
  if (cloud_ == nullptr) {
    auto result = std::make_unique<CloudSet>();
    result->short_distance = ChosenLags(*samples).spacing;
    SampledCloud sampled;
    {
      ProgressLine progress("variogram cloud", PairCount(samples->size()),
                            progress_);
      sampled = SampleVariogramCloud(*samples, options_.cloud_max,
                                     result->short_distance, options_.highlight,
                                     &progress);
    }
    result->cloud = std::move(sampled.cloud);
    result->total_pairs = sampled.total_pairs;
    result->highlighted = std::move(sampled.highlighted);
    const VariogramCloud& cloud = result->cloud;
    result->distances = Widened({0.0, WindowOf(cloud.distance).maximum});
    result->semivariances =
        Widened({0.0, WindowOf(cloud.semivariance).maximum});
    for (LONG point : result->highlighted) {
      result->highlighted_pairs.push_back(cloud.pairs[point]);
    }
    cloud_ = std::move(result);
  }
  *set = cloud_.get();
  return Status::Ok();
}

int ChartContext::DirectionRow() const {
  double azimuth = 0.0;
  if (options_.direction == "omni" ||
      std::sscanf(options_.direction.c_str(), "%lf", &azimuth) != 1) {
    return 0;
  }
  for (size_t d = 0; d < options_.azimuths.size(); ++d) {
    if (options_.azimuths[d] == azimuth) return static_cast<int>(d) + 1;
  }
  return 0;
}
