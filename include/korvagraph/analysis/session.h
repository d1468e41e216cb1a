// Session: one data set with one set of settings, and everything a host
// computes from it before drawing, each worked out once when first asked
// for: the columns, the transformed values, the attribute samples the
// charts load, the located samples, the experimental variograms with their
// fitted model, and the variogram cloud. It collects the warnings these
// steps raise: those about the whole session at once (run_warnings), those
// of each request until the asker takes them (TakeWarnings).
//
// Threads: a session is used from one thread at a time; its pair loops use
// every core internally. Pointers it hands out stay valid as long as it.
#ifndef KORVAGRAPH_ANALYSIS_SESSION_H_
#define KORVAGRAPH_ANALYSIS_SESSION_H_

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "korvagraph/KorvaGraphLib.h"
#include "korvagraph/analysis/cloud.h"
#include "korvagraph/analysis/columns.h"
#include "korvagraph/analysis/model_fit.h"
#include "korvagraph/analysis/progress.h"
#include "korvagraph/analysis/samples.h"
#include "korvagraph/analysis/statistics.h"
#include "korvagraph/analysis/status.h"
#include "korvagraph/analysis/table.h"
#include "korvagraph/analysis/variogram.h"

namespace korvagraph::analysis {

// The transform applied to both attributes before anything is computed,
// through the chart library's transforms (_kvTranLog, _kvTranNcore).
enum class Transform { kNone, kLog, kNormalScores };

// Returns "none", "log" or "nscore"; parses the same names.
const char* TransformName(Transform transform);
bool ParseTransform(const std::string& name, Transform* transform);

// Directions a variogram set holds at most besides the omnidirectional.
constexpr size_t kMaxDirections = 8;

struct VariogramSettings {
  double lag = 0.0;            // spacing; 0: from the samples' extent
  int lag_count = 0;           // 0: as far as half the extent's diagonal
  double lag_tolerance = 0.0;  // 0: half the spacing
  std::vector<double> azimuths = {0.0, 45.0, 90.0, 135.0};
  double angle_tolerance = kDirectionTolerance;  // degrees either side
  double bandwidth = 0.0;                        // 0: no limit
};

struct CloudSettings {
  int64_t max_points = 1000000;  // cloud points shown at most
  int highlight = 20;  // pairs of largest semivariance closer than one lag
};

struct Settings {
  TrimLimits limits;
  ColumnRequest columns;
  Transform transform = Transform::kNone;
  double shift = 0.0;  // added before the logarithm
  VariogramSettings variogram;
  CloudSettings cloud;
  FitSettings model;
};

// Checks what no single value shows: the limits in order, lag counts and
// directions within their bounds, tolerances, and the model's fixed
// parameters (ValidateFitSettings). The message names the setting.
Status ValidateSettings(const Settings& settings);

// Returns a text that is equal for two settings exactly when a session
// computes the same from them: a key for keeping sessions of several
// settings.
std::string SettingsKey(const Settings& settings);

// Which columns a chart draws from: the primary attribute, both attributes,
// or the primary attribute at the samples' x and y.
enum class ColumnUse { kPrimary, kBoth, kLocated };

// One attribute's present values as a chart takes them: a record per value
// (its value divided by the scale), a round data window holding them (see
// Rounded) and the scale.
struct AttributeSample {
  std::vector<KvDiscPnt> records;
  DataWindow window;
  ValueScale scale;
  DataWindow present;  // of the values in the data's units, unrounded
};

// The experimental variograms of the located samples: row 0 takes every
// direction, the others the settings' azimuths with their tolerance and
// bandwidth.
struct VariogramSet {
  LagSettings lags;
  std::vector<Direction> directions;  // one per row
  std::vector<std::string> labels;    // "omni", "0", "45", ...
  std::vector<VariogramRow> rows;     // lags.count + 2 entries each
  double variance = 0.0;  // of the primary values at the located samples
  ModelFit fit;           // fitted to row 0 with the settings' model
};

// The variogram cloud of the located samples with the points it
// highlights: the largest semivariances among pairs closer than one lag.
struct CloudSet {
  VariogramCloud cloud;
  int64_t total_pairs = 0;        // pairs of the samples, shown or not
  DataWindow distances;           // 0 .. the largest distance, widened
  DataWindow semivariances;       // 0 .. the largest semivariance, widened
  double short_distance = 0.0;    // highlighted pairs are closer than this
  std::vector<LONG> highlighted;  // point numbers in the cloud
  std::vector<KVL_DOT> highlighted_pairs;  // the sample numbers of each
};

class Session {
 public:
  // Holds table trimmed by settings.limits, chooses its columns and applies
  // the transform. Fails on settings that ValidateSettings refuses or a
  // column name that matches none.
  static Status Open(Table table, const Settings& settings,
                     std::unique_ptr<Session>* session);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Where the pair loops report; may cancel them.
  void SetProgress(ProgressCallback progress) {
    progress_ = std::move(progress);
  }

  const Table& table() const { return table_; }
  const Settings& settings() const { return settings_; }
  const ColumnChoice& columns() const { return columns_; }
  // Returns the short name of a column (see ShortName), "(none)" for none.
  std::string Name(int column) const;
  // Returns the columns a chart of that use reads (kNoColumn where absent).
  std::vector<int> ColumnsFor(ColumnUse use) const;
  // Returns "V", "V, U" or "V at Xlocation, Ylocation" for that use.
  std::string ColumnsText(ColumnUse use) const;
  // Returns how many values of the use's columns were trimmed.
  int64_t TrimmedFor(ColumnUse use) const;
  // Returns what the transform did, for a report ("" without one).
  const std::string& transform_note() const { return transform_note_; }

  // Warnings about the whole session (the reader's, columns taken by
  // position or passed over as IDs, logarithms floored), in order.
  const std::vector<std::string>& run_warnings() const { return run_warnings_; }
  // Records a warning of the current request, once; TakeWarnings hands
  // them over and forgets them.
  void Warn(const std::string& warning) const;
  std::vector<std::string> TakeWarnings();

  // Each of these fails, saying why, when the data hold nothing for it,
  // and warns when its values are constant.
  // The primary (secondary) values that are present.
  Status PrimaryValues(std::vector<double>* values) const;
  Status SecondaryValues(std::vector<double>* values) const;
  // The same as chart records, built once.
  Status PrimarySample(const AttributeSample** sample);
  Status SecondarySample(const AttributeSample** sample);
  // Primary and secondary values of the rows holding both.
  Status PairedValues(std::vector<double>* first,
                      std::vector<double>* second) const;
  // The primary values present at rows whose weight is present and not
  // negative, and those weights; fails without a weight column.
  Status WeightedValues(std::vector<double>* values,
                        std::vector<double>* weights) const;
  // Rows with x, y and the primary value present (at least two).
  Status Located(const Samples** samples);
  // The located samples as chart records, built once.
  Status LocatedRecords(const std::vector<KvDiscPnt>** records);
  // The variograms of the located samples, with the fitted model; the
  // pairs the cloud highlights are found in the same pass over the pairs.
  Status Variograms(const VariogramSet** set);
  // The variogram cloud of the located samples.
  Status Cloud(const CloudSet** set);

 private:
  Session(Table table, const Settings& settings);
  void ApplyTransform();
  Status EmptyColumn(const std::string& what) const;
  Status NoSecondColumn() const;
  Status ColumnValues(int column, std::vector<double>* values) const;
  Status SampleOf(int column, std::unique_ptr<AttributeSample>* cached,
                  const AttributeSample** sample);
  // Warns when count values (at least two) of column span no window.
  void WarnIfConstant(int column, int64_t count, DataWindow window) const;

  Table table_;
  Settings settings_;
  ColumnChoice columns_;
  std::string transform_note_;
  ProgressCallback progress_;
  std::vector<std::string> run_warnings_;
  mutable std::vector<std::string> warnings_;
  std::unique_ptr<AttributeSample> primary_sample_, secondary_sample_;
  std::unique_ptr<Samples> located_;
  std::unique_ptr<std::vector<KvDiscPnt>> located_records_;
  std::unique_ptr<VariogramSet> variograms_;
  // The cloud's highlighted pairs, found in the variograms' pass.
  std::unique_ptr<std::vector<int64_t>> close_pairs_;
  std::unique_ptr<CloudSet> cloud_;
};

}  // namespace korvagraph::analysis

#endif  // KORVAGRAPH_ANALYSIS_SESSION_H_
