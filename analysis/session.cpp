#include "korvagraph/analysis/session.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <utility>

#include "analysis/pair_loop.h"
#include "analysis/pair_pass.h"

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

// Reads an indicator threshold: a number, or "qNN" for the NN-th
// percentile of values (interpolated between the sorted values placed at
// (i - 0.5) / n); *note says which percentile it was.
Status ThresholdOf(const std::string& text, const std::vector<double>& values,
                   double* threshold, std::string* note) {
  const bool quantile = !text.empty() && (text[0] == 'q' || text[0] == 'Q');
  const char* begin = text.c_str() + (quantile ? 1 : 0);
  char* end = nullptr;
  const double number = std::strtod(begin, &end);
  if (end == begin || *end != '\0' || !std::isfinite(number) ||
      (quantile && (number < 0.0 || number > 100.0))) {
    return Status::Failure(
        "indicator: expected a threshold or qNN (a "
        "percentile from 0 to 100), found \"" +
        text + "\"");
  }
  note->clear();
  *threshold = number;
  if (!quantile) return Status::Ok();
  std::vector<double> sorted = values;
  std::sort(sorted.begin(), sorted.end());
  const double n = static_cast<double>(sorted.size());
  const double at = std::clamp(number / 100.0 * n - 0.5, 0.0, n - 1.0);
  const size_t below = static_cast<size_t>(at);
  const size_t above = std::min(below + 1, sorted.size() - 1);
  *threshold = sorted[below] + (at - below) * (sorted[above] - sorted[below]);
  *note = " (" + text + ")";
  return Status::Ok();
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
  key += std::to_string(static_cast<int>(v.kind)) + ",";
  for (int64_t row : s.excluded_rows) key += std::to_string(row) + " ";
  // Texts of any byte (thresholds, column names) are preceded by their
  // length.
  for (const std::string& t : v.thresholds) {
    key += std::to_string(t.size()) + ":" + t;
  }
  key += std::string(TransformName(s.transform)) + "," +
         std::to_string(v.lag_count) + "," +
         std::to_string(s.cloud.max_points) + "," +
         std::to_string(s.cloud.highlight) + "," + ModelTypeName(m.type) + "," +
         std::to_string(m.fix_nugget) + std::to_string(m.fix_sill) +
         std::to_string(m.fix_range) + "," + FitWeightsName(m.weights) + "," +
         std::to_string(m.anisotropic) + std::to_string(m.model_given) + ",";
  for (ModelType type : m.nested_types) {
    key += ModelTypeName(type);
    key += ",";
  }
  if (m.model_given) key += ModelJson(m.given);
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
  for (int64_t row : settings.excluded_rows) {
    if (row < 0 || row >= table.RowCount()) continue;
    for (std::vector<double>& column : table.columns) {
      column[row] = std::numeric_limits<double>::quiet_NaN();
    }
  }
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

int Session::VariogramSetCount() const {
  const VariogramSettings& v = settings_.variogram;
  return v.kind == VariogramKind::kIndicator
             ? std::max(1, static_cast<int>(v.thresholds.size()))
             : 1;
}

Status Session::VariogramParts(int index, std::vector<Samples>* owned,
                               std::vector<Component>* parts, std::string* name,
                               double* variance) {
  const Samples& located = *located_;
  const std::string primary = Name(columns_.primary);
  parts->clear();
  owned->clear();
  owned->reserve(3);
  const VariogramSettings& v = settings_.variogram;
  if (v.kind == VariogramKind::kValue) {
    parts->push_back({&located, 1.0});
    *name = primary;
    *variance = Variance(located.value);
    return Status::Ok();
  }
  if (v.kind == VariogramKind::kIndicator) {
    if (v.thresholds.empty()) {
      return Status::Failure("indicator: expected at least one threshold");
    }
    double threshold = 0.0;
    std::string quantile;
    Status status =
        ThresholdOf(v.thresholds[index], located.value, &threshold, &quantile);
    if (!status.ok()) return status;
    owned->push_back(located);
    int64_t below = 0;
    for (double& value : owned->back().value) {
      value = value <= threshold ? 1.0 : 0.0;
      below += value > 0.0;
    }
    const double p = static_cast<double>(below) / located.size();
    *name = primary + " <= " + Number(threshold) + quantile;
    *variance = p * (1.0 - p);
    parts->push_back({&owned->back(), 1.0});
    return Status::Ok();
  }
  // Cross: 2 gamma_12 = gamma_(1+2) - gamma_1 - gamma_2, over the samples
  // holding both attributes, so that every part has the same pairs.
  if (columns_.secondary == kNoColumn) return NoSecondColumn();
  Samples both;
  for (int64_t i = 0; i < located.size(); ++i) {
    if (IsMissing(located.value2[i])) continue;
    both.Append(located.x[i], located.y[i], located.z[i], located.value[i],
                located.value2[i], located.row[i]);
  }
  if (both.size() < 2) {
    return EmptyColumn("at least two of " + Name(columns_.x) + ", " +
                       Name(columns_.y) + ", " + primary + " and " +
                       Name(columns_.secondary));
  }
  owned->push_back(both);  // the sum of the two
  owned->push_back(both);  // the first
  owned->push_back(both);  // the second
  for (int64_t i = 0; i < both.size(); ++i) {
    (*owned)[0].value[i] = both.value[i] + both.value2[i];
    (*owned)[2].value[i] = both.value2[i];
  }
  const double mean1 = Mean(both.value), mean2 = Mean(both.value2);
  double covariance = 0.0;
  for (int64_t i = 0; i < both.size(); ++i) {
    covariance += (both.value[i] - mean1) * (both.value2[i] - mean2);
  }
  *variance = covariance / both.size();
  *name = primary + " x " + Name(columns_.secondary);
  *parts = {{&(*owned)[0], 0.5}, {&(*owned)[1], -0.5}, {&(*owned)[2], -0.5}};
  return Status::Ok();
}

Status Session::StartSet(int index, std::vector<Samples>* owned,
                         std::vector<Component>* parts, VariogramSet* set) {
  if (index < 0 || index >= VariogramSetCount()) {
    return Status::Failure("variogram set " + std::to_string(index) +
                           ": expected 0 to " +
                           std::to_string(VariogramSetCount() - 1));
  }
  const Samples* samples = nullptr;
  Status status = Located(&samples);
  if (!status.ok()) return status;
  status = VariogramParts(index, owned, parts, &set->name, &set->variance);
  if (!status.ok()) return status;
  const VariogramSettings& v = settings_.variogram;
  set->lags =
      ChooseLags(*(*parts)[0].samples, v.lag, v.lag_count, v.lag_tolerance);
  set->directions.push_back(Direction{0.0, 90.0, 0.0});  // every pair
  set->labels.push_back("omni");
  for (double azimuth : v.azimuths) {
    set->directions.push_back(
        Direction{azimuth, v.angle_tolerance, v.bandwidth});
    set->labels.push_back(Number(azimuth));
  }
  return Status::Ok();
}

Status Session::FinishSet(int index, const std::vector<Component>& parts,
                          const std::vector<VariogramSums>& sums,
                          std::unique_ptr<VariogramSet> set) {
  const int32_t entries = set->lags.count + 2;
  if (sums.size() != parts.size()) {
    return Status::Failure("variogram sums: expected " +
                           std::to_string(parts.size()) + " parts, found " +
                           std::to_string(sums.size()));
  }
  for (size_t p = 0; p < parts.size(); ++p) {
    if (sums[p].directions != static_cast<int32_t>(set->directions.size()) ||
        sums[p].entries != entries) {
      return Status::Failure(
          "variogram sums: expected " + std::to_string(set->directions.size()) +
          " directions of " + std::to_string(entries) + " entries, found " +
          std::to_string(sums[p].directions) + " of " +
          std::to_string(sums[p].entries));
    }
    std::vector<VariogramRow> rows;
    const Status status = VariogramRowsOf(sums[p], &rows);
    if (!status.ok()) return status;
    // Every part holds the same pairs: distances and counts are shared,
    // the semivariances combine.
    if (p == 0) {
      set->rows = std::move(rows);
      for (VariogramRow& row : set->rows) {
        for (Variogram& entry : row) entry.gamma *= parts[p].weight;
      }
      continue;
    }
    for (size_t d = 0; d < rows.size(); ++d) {
      for (size_t e = 0; e < rows[d].size(); ++e) {
        set->rows[d][e].gamma += parts[p].weight * rows[d][e].gamma;
      }
    }
  }
  set->fit =
      FitRows(set->rows, set->directions, set->lags, set->variance,
              settings_.model);
  variograms_.resize(VariogramSetCount());
  variograms_[index] = std::move(set);
  return Status::Ok();
}

Status Session::Variograms(const VariogramSet** set, int index) {
  // Asked every time, so that each request gets the samples' warnings.
  const Samples* samples = nullptr;
  Status status = Located(&samples);
  if (!status.ok()) return status;
  index = std::clamp(index, 0, VariogramSetCount() - 1);
  variograms_.resize(VariogramSetCount());
  if (variograms_[index] == nullptr) {
    auto result = std::make_unique<VariogramSet>();
    std::vector<Samples> owned;
    std::vector<Component> parts;
    status = StartSet(index, &owned, &parts, result.get());
    if (!status.ok()) return status;
    // The pairs the cloud highlights (of the values) are found in the same
    // pass, unless the cloud has them already.
    const int highlight =
        cloud_ == nullptr && settings_.variogram.kind == VariogramKind::kValue
            ? settings_.cloud.highlight
            : 0;
    std::vector<VariogramSums> sums;
    for (const Component& part : parts) {
      PairPassResult pass;
      status = RunPairPass(*part.samples,
                           PairLoop(result->lags, result->directions,
                                    result->lags.spacing, highlight),
                           "variograms", progress_, &pass);
      if (!status.ok()) return status;
      sums.push_back(std::move(pass.sums));
      if (highlight > 0) {
        close_pairs_ = std::make_unique<std::vector<int64_t>>(
            std::move(pass.close_pairs));
      }
    }
    status = FinishSet(index, parts, sums, std::move(result));
    if (!status.ok()) return status;
  }
  *set = variograms_[index].get();
  return Status::Ok();
}

Status Session::PiecesOf(int index, VariogramPieces* pieces) {
  VariogramSet set;
  std::vector<Samples> owned;
  std::vector<Component> parts;
  const Status status = StartSet(index, &owned, &parts, &set);
  if (!status.ok()) return status;
  pieces->name = set.name;
  pieces->lags = set.lags;
  pieces->directions = set.directions;
  pieces->parts.clear();
  pieces->weights.clear();
  for (const Component& part : parts) {
    pieces->parts.push_back(*part.samples);
    pieces->weights.push_back(part.weight);
  }
  return Status::Ok();
}

Status Session::SetVariogramSums(int index,
                                 const std::vector<VariogramSums>& sums) {
  auto set = std::make_unique<VariogramSet>();
  std::vector<Samples> owned;
  std::vector<Component> parts;
  const Status status = StartSet(index, &owned, &parts, set.get());
  if (!status.ok()) return status;
  return FinishSet(index, parts, sums, std::move(set));
}

Status Session::Map(const VariogramMap** map) {
  const VariogramSet* set = nullptr;
  Status status = Variograms(&set);
  if (!status.ok()) return status;
  if (map_ == nullptr) {
    std::vector<Samples> owned;
    std::vector<Component> parts;
    std::string name;
    double variance = 0.0;
    status = VariogramParts(0, &owned, &parts, &name, &variance);
    if (!status.ok()) return status;
    auto result = std::make_unique<VariogramMap>();
    for (const Component& part : parts) {
      VariogramMap one;
      status = ComputeVariogramMap(*part.samples, set->lags.spacing,
                                   set->lags.count, &one, progress_);
      if (!status.ok()) return status;
      if (result->semivariance.empty()) {
        *result = one;
        for (double& g : result->semivariance) g *= part.weight;
        continue;
      }
      for (size_t c = 0; c < one.semivariance.size(); ++c) {
        result->semivariance[c] += part.weight * one.semivariance[c];
      }
    }
    map_ = std::move(result);
  }
  *map = map_.get();
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
