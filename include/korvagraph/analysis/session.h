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
#include "korvagraph/analysis/variogram_sums.h"

namespace korvagraph::analysis {

// The transform applied to both attributes before anything is computed,
// through the chart library's transforms (_kvTranLog, _kvTranNcore).
enum class Transform { kNone, kLog, kNormalScores };

// Returns "none", "log" or "nscore"; parses the same names.
const char* TransformName(Transform transform);
bool ParseTransform(const std::string& name, Transform* transform);

// Directions a variogram set holds at most besides the omnidirectional.
constexpr size_t kMaxDirections = 8;

// What the variograms are of: the primary attribute, its indicators (1
// where the value is at most a threshold, else 0; one set per threshold),
// or the cross variogram of the primary and secondary attributes at the
// samples holding both: half the mean product of their differences.
enum class VariogramKind { kValue, kIndicator, kCross };

struct VariogramSettings {
  VariogramKind kind = VariogramKind::kValue;
  // Indicator thresholds: numbers, or "qNN" for the NN-th percentile of
  // the primary values at the located samples ("q25", "q50", "q75").
  std::vector<std::string> thresholds;
  double lag = 0.0;            // spacing; 0: from the samples' extent
  int lag_count = 0;           // 0: as far as half the extent's diagonal
  double lag_tolerance = 0.0;  // 0: half the spacing
  std::vector<double> azimuths = {0.0, 45.0, 90.0, 135.0};
  double angle_tolerance = kDirectionTolerance;  // degrees either side
  double bandwidth = 0.0;                        // 0: no limit
};

// The pair loop of one variogram set in pieces (Session::PiecesOf): its
// parts, samples at the same places each with its own values (the values;
// an indicator; the three parts of a cross variogram), whose semivariances
// add with these weights, and the lags and directions of every part.
struct VariogramPieces {
  std::string name;
  LagSettings lags;
  std::vector<Direction> directions;
  std::vector<Samples> parts;
  std::vector<double> weights;
};

struct CloudSettings {
  int64_t max_points = 1000000;  // cloud points shown at most
  int highlight = 20;  // pairs of largest semivariance closer than one lag
};

struct Settings {
  TrimLimits limits;
  // Table rows (0-based) left out of everything: samples a user excluded.
  std::vector<int64_t> excluded_rows;
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
  std::string name;  // of what: "Cu", "Cu <= 12.5 (q25)", "Cu x Zn"
  LagSettings lags;
  std::vector<Direction> directions;  // one per row
  std::vector<std::string> labels;    // "omni", "0", "45", ...
  std::vector<VariogramRow> rows;     // lags.count + 2 entries each
  // The sill line: the variance of the values at the located samples (of
  // the indicators: p (1 - p); cross: the covariance).
  double variance = 0.0;
  ModelFit fit;  // fitted with the settings' model
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
  // The number of variogram sets: one per indicator threshold, else one.
  int VariogramSetCount() const;
  // The variograms of the located samples (set `index` of several
  // indicator thresholds), with the fitted model; for the values, the
  // pairs the cloud highlights are found in the same pass over the pairs.
  Status Variograms(const VariogramSet** set, int index = 0);
  // The pair loop of set `index` in pieces, for a host that runs it
  // elsewhere: VariogramTileSums over blocks of each part, merged per part
  // (see variogram_sums.h), then handed back to SetVariogramSums.
  Status PiecesOf(int index, VariogramPieces* pieces);
  // Makes set `index` the variograms of sums (one per part of PiecesOf, in
  // its order) and fits the model, as Variograms would. Fails when the
  // sums' count or shape is not the pieces'.
  Status SetVariogramSums(int index, const std::vector<VariogramSums>& sums);
  // The variogram map of the located samples (of the first indicator, or
  // of the cross variogram), on cells of the variograms' lag spacing, as
  // many each way as they have lags.
  Status Map(const VariogramMap** map);
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
  // The located samples whose values the variograms combine, and the
  // weight of each one's semivariances: the samples themselves (value), their
  // indicators, or the three parts of a cross variogram. Fails on an
  // unreadable threshold or without a secondary column.
  // Values of the samples that are not the located samples' own are held
  // in *owned (which must not grow while parts are in use).
  struct Component {
    const Samples* samples;
    double weight;
  };
  Status VariogramParts(int index, std::vector<Samples>* owned,
                        std::vector<Component>* parts, std::string* name,
                        double* variance);
  // Fills set's name, sill line, lags and directions and the parts of set
  // `index`; FinishSet turns each part's sums into the set's rows, fits
  // the model and keeps the set.
  Status StartSet(int index, std::vector<Samples>* owned,
                  std::vector<Component>* parts, VariogramSet* set);
  Status FinishSet(int index, const std::vector<Component>& parts,
                   const std::vector<VariogramSums>& sums,
                   std::unique_ptr<VariogramSet> set);
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
  std::vector<std::unique_ptr<VariogramSet>> variograms_;
  std::unique_ptr<VariogramMap> map_;
  // The cloud's highlighted pairs, found in the variograms' pass.
  std::unique_ptr<std::vector<int64_t>> close_pairs_;
  std::unique_ptr<CloudSet> cloud_;
};

}  // namespace korvagraph::analysis

#endif  // KORVAGRAPH_ANALYSIS_SESSION_H_
