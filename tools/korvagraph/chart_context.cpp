#include "tools/korvagraph/chart_context.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <utility>

#include "tools/korvagraph/progress_line.h"

namespace {

const char* const kDirectionLabels[] = {"omni", "0", "45", "90", "135"};

std::string Lower(std::string text) {
  for (char& c : text)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Returns the first column whose name is one of names (ignoring case).
int ColumnNamed(const DataSet& data, std::initializer_list<const char*> names) {
  for (int c = 0; c < data.ColumnCount(); ++c) {
    const std::string name = Lower(data.names[c]);
    for (const char* wanted : names) {
      if (name == wanted) return c;
    }
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

Status ChartContext::Resolve() {
  const bool located = data_.ColumnCount() >= 3;
  int x = ColumnNamed(data_, {"x", "east", "easting"});
  int y = ColumnNamed(data_, {"y", "north", "northing"});
  if (x == kNoColumn && located) x = 0;
  if (y == kNoColumn && located) y = 1;
  Status status = Choose(data_, options_.x_column, x, &x_);
  if (status.ok()) status = Choose(data_, options_.y_column, y, &y_);
  if (status.ok()) {
    status =
        Choose(data_, options_.z_column,
               ColumnNamed(data_, {"z", "elevation", "elev", "depth"}), &z_);
  }
  if (!status.ok()) return status;

  auto is_coordinate = [this](int c) { return c == x_ || c == y_ || c == z_; };
  int first = kNoColumn, second = kNoColumn;
  for (int c = 0; c < data_.ColumnCount(); ++c) {
    if (is_coordinate(c)) continue;
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

Status ChartContext::EmptyColumn(const std::string& what) const {
  return Status::AtLine(data_.path, data_.header_lines + 1,
                        "expected rows with " + what +
                            " present, found none (values at or below -999 "
                            "are missing)");
}

Status ChartContext::NoSecondColumn() const {
  return Status::Error(data_.path +
                       ": expected a second attribute column for this "
                       "chart; name one with --col2");
}

Status ChartContext::ColumnValues(int column,
                                  std::vector<double>* values) const {
  *values = PresentValues(data_, column);
  if (values->empty()) return EmptyColumn(Name(column));
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
      lags.count = std::max(1, static_cast<int>(defaults.spacing *
                                                defaults.count / options_.lag));
      lags.count = std::min(lags.count, 1000);
    }
  }
  if (options_.lag_count > 0) lags.count = options_.lag_count;
  return lags;
}

Status ChartContext::Variograms(const VariogramSet** set) {
  if (variograms_ == nullptr) {
    const std::vector<KvDiscPnt>* samples = nullptr;
    Status status = LocatedSamples(&samples);
    if (!status.ok()) return status;
    auto result = std::make_unique<VariogramSet>();
    result->lags = ChosenLags(*samples);

    std::vector<VariogramDirection> directions = {{0.0, 90.0}};  // every pair
    for (const VariogramDirection& d : FourDirections())
      directions.push_back(d);
    for (size_t d = 0; d < directions.size(); ++d) {
      result->labels.push_back(kDirectionLabels[d]);
      result->azimuths.push_back(directions[d].azimuth);
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
    if (options_.has_model) {
      result->model = {options_.nugget, options_.sill, options_.range};
    } else {
      result->model =
          FitSpherical(result->rows[0], result->lags, result->variance);
    }
    variograms_ = std::move(result);
  }
  *set = variograms_.get();
  return Status::Ok();
}

Status ChartContext::Cloud(CloudSet** set) {
  if (cloud_ == nullptr) {
    const std::vector<KvDiscPnt>* samples = nullptr;
    Status status = LocatedSamples(&samples);
    if (!status.ok()) return status;
    auto result = std::make_unique<CloudSet>();
    {
      ProgressLine progress("variogram cloud", PairCount(samples->size()),
                            progress_);
      result->cloud = ComputeVariogramCloud(*samples, 0.0, &progress);
    }
    const VariogramCloud& cloud = result->cloud;
    result->distances = Widened({0.0, WindowOf(cloud.distance).maximum});
    result->semivariances =
        Widened({0.0, WindowOf(cloud.semivariance).maximum});
    result->short_distance = ChosenLags(*samples).spacing;
    result->highlighted = LargestAtShortDistance(cloud, result->short_distance,
                                                 options_.highlight);
    for (LONG point : result->highlighted) {
      result->highlighted_pairs.push_back(cloud.pairs[point]);
    }
    cloud_ = std::move(result);
  }
  *set = cloud_.get();
  return Status::Ok();
}

int ChartContext::DirectionRow() const {
  for (int d = 0; d < 5; ++d) {
    if (options_.direction == kDirectionLabels[d]) return d;
  }
  return 0;
}
