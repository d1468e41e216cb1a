#include "korvagraph/analysis/session.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "analysis/pair_loop.h"
#include "analysis/pair_pass.h"
#include "korvagraph/analysis/variogram_sums.h"

namespace korvagraph::analysis {
namespace {

constexpr double kLargestAzimuth = 360.0;

std::string Number(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof(buffer), "%g", value);
  return buffer;
}

// Returns "name: expected WHAT, found VALUE".
Status Expected(const std::string& name, const std::string& what,
                const std::string& found) {
  return Status::Failure(name + ": expected " + what + ", found " + found);
}

}  // namespace

const char* TransformName(Transform transform) {
  switch (transform) {
    case Transform::kLog:
      return "log";
    case Transform::kNormalScores:
      return "nscore";
    case Transform::kNone:
      break;
  }
  return "none";
}

bool ParseTransform(const std::string& name, Transform* transform) {
  for (Transform t :
       {Transform::kNone, Transform::kLog, Transform::kNormalScores}) {
    if (name == TransformName(t)) {
      *transform = t;
      return true;
    }
  }
  return false;
}

Status ValidateSettings(const Settings& s) {
  if (!(s.limits.lower < s.limits.upper)) {
    return Status::Failure("tmin, tmax: expected tmin below tmax, found " +
                           Number(s.limits.lower) + " and " +
                           Number(s.limits.upper));
  }
  const VariogramSettings& v = s.variogram;
  if (!(v.lag >= 0.0) || !std::isfinite(v.lag)) {
    return Expected("lag", "a spacing of 0 (from the data) or more",
                    Number(v.lag));
  }
  if (v.lag_count < 0 || v.lag_count > kMaxLagCount) {
    return Expected("lags",
                    "a whole number from 0 to " + std::to_string(kMaxLagCount),
                    std::to_string(v.lag_count));
  }
  if (!(v.lag_tolerance >= 0.0) || !std::isfinite(v.lag_tolerance)) {
    return Expected("lagtol", "a tolerance of 0 (half a lag) or more",
                    Number(v.lag_tolerance));
  }
  if (v.azimuths.empty() || v.azimuths.size() > kMaxDirections) {
    return Expected("dirs",
                    "1 to " + std::to_string(kMaxDirections) + " azimuths",
                    std::to_string(v.azimuths.size()));
  }
  for (double azimuth : v.azimuths) {
    if (!(std::fabs(azimuth) <= kLargestAzimuth)) {
      return Expected("dirs", "azimuths from -360 to 360 degrees",
                      Number(azimuth));
    }
  }
  if (!(v.angle_tolerance > 0.0 && v.angle_tolerance <= 90.0)) {
    return Expected("atol", "an angle above 0 and at most 90 degrees",
                    Number(v.angle_tolerance));
  }
  if (!(v.bandwidth >= 0.0) || !std::isfinite(v.bandwidth)) {
    return Expected("bandwidth", "a width of 0 (no limit) or more",
                    Number(v.bandwidth));
  }
  if (s.cloud.max_points < 0 || s.cloud.highlight < 0) {
    return Status::Failure("cloud: expected point counts of 0 or more");
  }
  if (!std::isfinite(s.shift)) {
    return Expected("shift", "a finite number", Number(s.shift));
  }
  const Status model = s.model.model_given ? ValidateModel(s.model.given)
                                           : ValidateFitSettings(s.model);
  if (!model.ok()) return Status::Failure("model: " + model.error().message);
  return Status::Ok();
}

std::string SettingsKey(const Settings& s) {
  std::string key;
  char number[40];
  auto add = [&](double value) {
    std::snprintf(number, sizeof(number), "%.17g,", value);
    key += number;
  };
  const VariogramSettings& v = s.variogram;
  const FitSettings& m = s.model;
  for (double value :
       {s.limits.lower, s.limits.upper, s.shift, v.lag, v.lag_tolerance,
        v.angle_tolerance, v.bandwidth, m.nugget, m.sill, m.range}) {
    add(value);
  }
  for (double azimuth : v.azimuths) add(azimuth);
  key += std::string(TransformName(s.transform)) + "," +
         std::to_string(v.lag_count) + "," +
         std::to_string(s.cloud.max_points) + "," +
         std::to_string(s.cloud.highlight) + "," + ModelTypeName(m.type) + "," +
         std::to_string(m.fix_nugget) + std::to_string(m.fix_sill) +
         std::to_string(m.fix_range);
  // Column names may hold any byte: each is preceded by its length.
  for (const std::string* name :
       {&s.columns.primary, &s.columns.secondary, &s.columns.x, &s.columns.y,
        &s.columns.z, &s.columns.weight}) {
    key += "|" + std::to_string(name->size()) + ":" + *name;
  }
  return key;
}

Session::Session(Table table, const Settings& settings)
    : table_(std::move(table)), settings_(settings) {}

Status Session::Open(Table table, const Settings& settings,
                     std::unique_ptr<Session>* session) {
  Status status = ValidateSettings(settings);
  if (!status.ok()) return status;
  Trim(settings.limits, &table);
  std::unique_ptr<Session> opened(new Session(std::move(table), settings));
  status = ChooseColumns(opened->table_, settings.columns, &opened->columns_);
  if (!status.ok()) return status;
  opened->run_warnings_ = opened->table_.warnings;
  for (const std::string& warning : opened->columns_.warnings) {
    opened->run_warnings_.push_back(warning);
  }
  opened->ApplyTransform();
  *session = std::move(opened);
  return Status::Ok();
}

std::string Session::Name(int column) const {
  return column == kNoColumn ? std::string("(none)")
                             : ShortName(table_.names[column]);
}

std::vector<int> Session::ColumnsFor(ColumnUse use) const {
  switch (use) {
    case ColumnUse::kPrimary:
      return {columns_.primary};
    case ColumnUse::kBoth:
      return {columns_.primary, columns_.secondary};
    case ColumnUse::kLocated:
      break;
  }
  return {columns_.primary, columns_.x, columns_.y};
}

std::string Session::ColumnsText(ColumnUse use) const {
  const std::vector<int> columns = ColumnsFor(use);
  if (use == ColumnUse::kPrimary) return Name(columns[0]);
  if (use == ColumnUse::kBoth)
    return Name(columns[0]) + ", " + Name(columns[1]);
  return Name(columns[0]) + " at " + Name(columns[1]) + ", " + Name(columns[2]);
}

int64_t Session::TrimmedFor(ColumnUse use) const {
  int64_t trimmed = 0;
  for (int c : ColumnsFor(use)) trimmed += table_.TrimmedCount(c);
  return trimmed;
}

void Session::Warn(const std::string& warning) const {
  if (std::find(warnings_.begin(), warnings_.end(), warning) ==
      warnings_.end()) {
    warnings_.push_back(warning);
  }
}

std::vector<std::string> Session::TakeWarnings() {
  std::vector<std::string> taken;
  taken.swap(warnings_);
  return taken;
}

Status Session::EmptyColumn(const std::string& what) const {
  return Status::AtLine(table_.path, table_.header_lines + 1,
                        "expected rows with " + what +
                            " present, found none (values at or below -999 "
                            "or outside the trimming limits are missing)");
}

Status Session::NoSecondColumn() const {
  return Status::InFile(table_.path,
                        "expected a second attribute column for this chart; "
                        "name one");
}

void Session::WarnIfConstant(int column, int64_t count,
                             DataWindow window) const {
  if (count > 1 && window.minimum == window.maximum) {
    Warn(Name(column) + " is constant (every value " + Number(window.minimum) +
         "): the chart shows no spread");
  }
}

Status Session::ColumnValues(int column, std::vector<double>* values) const {
  *values = PresentValues(table_, column);
  if (values->empty()) return EmptyColumn(Name(column));
  WarnIfConstant(column, static_cast<int64_t>(values->size()),
                 WindowOf(*values));
  return Status::Ok();
}

Status Session::PrimaryValues(std::vector<double>* values) const {
  return ColumnValues(columns_.primary, values);
}

Status Session::SecondaryValues(std::vector<double>* values) const {
  if (columns_.secondary == kNoColumn) return NoSecondColumn();
  return ColumnValues(columns_.secondary, values);
}

Status Session::SampleOf(int column, std::unique_ptr<AttributeSample>* cached,
                         const AttributeSample** sample) {
  if (column == kNoColumn) return NoSecondColumn();
  if (*cached == nullptr) {
    // The values are read twice rather than copied: the records are what
    // a large column's memory goes to.
    const std::vector<double>& values = table_.columns[column];
    auto built = std::make_unique<AttributeSample>();
    DataWindow present;
    int64_t count = 0;
    for (double v : values) {
      if (IsMissing(v)) continue;
      present.minimum = count == 0 ? v : std::min(present.minimum, v);
      present.maximum = count == 0 ? v : std::max(present.maximum, v);
      ++count;
    }
    if (count == 0) return EmptyColumn(Name(column));
    built->scale = ScaleFor({present.minimum, present.maximum});
    const double factor = built->scale.factor();
    built->records.assign(static_cast<size_t>(count), KvDiscPnt{});
    size_t next = 0;
    for (double v : values) {
      if (!IsMissing(v)) built->records[next++].value = v / factor;
    }
    built->window =
        Rounded({present.minimum / factor, present.maximum / factor});
    built->present = present;
    *cached = std::move(built);
  }
  const AttributeSample& built = **cached;
  WarnIfConstant(column, static_cast<int64_t>(built.records.size()),
                 built.present);
  *sample = cached->get();
  return Status::Ok();
}

Status Session::PrimarySample(const AttributeSample** sample) {
  return SampleOf(columns_.primary, &primary_sample_, sample);
}

Status Session::SecondarySample(const AttributeSample** sample) {
  return SampleOf(columns_.secondary, &secondary_sample_, sample);
}

Status Session::PairedValues(std::vector<double>* first,
                             std::vector<double>* second) const {
  if (columns_.secondary == kNoColumn) return NoSecondColumn();
  first->clear();
  second->clear();
  const std::vector<double>& a = table_.columns[columns_.primary];
  const std::vector<double>& b = table_.columns[columns_.secondary];
  for (size_t r = 0; r < a.size(); ++r) {
    if (IsMissing(a[r]) || IsMissing(b[r])) continue;
    first->push_back(a[r]);
    second->push_back(b[r]);
  }
  if (first->empty()) {
    return EmptyColumn(Name(columns_.primary) + " and " +
                       Name(columns_.secondary));
  }
  const int64_t count = static_cast<int64_t>(first->size());
  WarnIfConstant(columns_.primary, count, WindowOf(*first));
  WarnIfConstant(columns_.secondary, count, WindowOf(*second));
  return Status::Ok();
}

Status Session::WeightedValues(std::vector<double>* values,
                               std::vector<double>* weights) const {
  if (columns_.weight == kNoColumn) return Status::Failure("no weight column");
  values->clear();
  weights->clear();
  const std::vector<double>& v = table_.columns[columns_.primary];
  const std::vector<double>& w = table_.columns[columns_.weight];
  for (size_t r = 0; r < v.size(); ++r) {
    if (IsMissing(v[r]) || IsMissing(w[r]) || w[r] < 0.0) continue;
    values->push_back(v[r]);
    weights->push_back(w[r]);
  }
  if (values->empty()) {
    return EmptyColumn(Name(columns_.primary) + " and its weight");
  }
  return Status::Ok();
}

Status Session::Located(const Samples** samples) {
  if (columns_.x == kNoColumn || columns_.y == kNoColumn) {
    return Status::InFile(table_.path,
                          "expected x and y coordinate columns for this "
                          "chart; name them");
  }
  if (located_ == nullptr) {
    located_ = std::make_unique<Samples>(LocatedSamples(table_, columns_));
  }
  if (located_->size() < 2) {
    return EmptyColumn("at least two of " + Name(columns_.x) + ", " +
                       Name(columns_.y) + " and " + Name(columns_.primary));
  }
  WarnIfConstant(columns_.primary, located_->size(), WindowOf(located_->value));
  *samples = located_.get();
  return Status::Ok();
}

Status Session::LocatedRecords(const std::vector<KvDiscPnt>** records) {
  const Samples* samples = nullptr;
  Status status = Located(&samples);
  if (!status.ok()) return status;
  if (located_records_ == nullptr) {
    located_records_ =
        std::make_unique<std::vector<KvDiscPnt>>(SampleRecords(*samples));
  }
  *records = located_records_.get();
  return Status::Ok();
}

Status Session::Variograms(const VariogramSet** set) {
  // Asked every time, so that each request gets the samples' warnings.
  const Samples* samples = nullptr;
  Status status = Located(&samples);
  if (!status.ok()) return status;
  if (variograms_ == nullptr) {
    const VariogramSettings& v = settings_.variogram;
    auto result = std::make_unique<VariogramSet>();
    result->lags = ChooseLags(*samples, v.lag, v.lag_count, v.lag_tolerance);
    result->directions.push_back(Direction{0.0, 90.0, 0.0});  // every pair
    result->labels.push_back("omni");
    for (double azimuth : v.azimuths) {
      result->directions.push_back(
          Direction{azimuth, v.angle_tolerance, v.bandwidth});
      result->labels.push_back(Number(azimuth));
    }
    // The pairs the cloud highlights are found in the same pass, unless the
    // cloud has them already.
    const int highlight = cloud_ == nullptr ? settings_.cloud.highlight : 0;
    PairPassResult pass;
    status = RunPairPass(*samples,
                         PairLoop(result->lags, result->directions,
                                  result->lags.spacing, highlight),
                         "variograms", progress_, &pass);
    if (status.ok()) status = VariogramRowsOf(pass.sums, &result->rows);
    if (!status.ok()) return status;
    if (highlight > 0) {
      close_pairs_ =
          std::make_unique<std::vector<int64_t>>(std::move(pass.close_pairs));
    }
    result->variance = Variance(samples->value);
    result->fit = FitRows(result->rows, result->directions, result->lags,
                          result->variance, settings_.model);
    variograms_ = std::move(result);
  }
  *set = variograms_.get();
  return Status::Ok();
}

Status Session::Cloud(const CloudSet** set) {
  // Asked every time, so that each request gets the samples' warnings.
  const Samples* samples = nullptr;
  Status status = Located(&samples);
  if (!status.ok()) return status;
  if (cloud_ == nullptr) {
    const VariogramSettings& v = settings_.variogram;
    auto result = std::make_unique<CloudSet>();
    result->short_distance =
        ChooseLags(*samples, v.lag, v.lag_count, v.lag_tolerance).spacing;
    SampledCloud sampled;
    if (close_pairs_ != nullptr) {
      SampleVariogramCloudAround(*samples, settings_.cloud.max_points,
                                 std::move(*close_pairs_), &sampled);
      close_pairs_.reset();
    } else {
      status = SampleVariogramCloud(
          *samples, settings_.cloud.max_points, result->short_distance,
          settings_.cloud.highlight, &sampled, progress_);
      if (!status.ok()) return status;
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

}  // namespace korvagraph::analysis
