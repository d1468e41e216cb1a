// ChartContext: what every chart of one run draws from: the data set, the
// options, the columns chosen, and the host computations that several
// charts share (the variograms), each worked out once when first asked for.
#ifndef TOOLS_KORVAGRAPH_CHART_CONTEXT_H_
#define TOOLS_KORVAGRAPH_CHART_CONTEXT_H_

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "korvagraph/KorvaGraphLib.h"
#include "tools/korvagraph/data_set.h"
#include "tools/korvagraph/experimental_variogram.h"
#include "tools/korvagraph/host_stats.h"
#include "tools/korvagraph/options.h"
#include "tools/korvagraph/status.h"
#include "tools/korvagraph/variogram_cloud.h"
#include "tools/korvagraph/variogram_fit.h"

// The experimental variograms of the primary attribute: row 0 takes every
// direction, the others the azimuths of --dirs (by default 0, 45, 90 and
// 135) with the tolerance of --atol and the bandwidth of --bandwidth.
struct VariogramSet {
  LagSettings lags;
  std::vector<std::string> labels;           // "omni", "0", "45", ...
  std::vector<double> azimuths;              // 0 for the omni row
  std::vector<std::vector<Variogram>> rows;  // lags.count + 2 entries each
  double variance = 0.0;  // of the primary values at the located samples
  ModelFit fit;           // fitted to row 0, with the parameters --model fixes
};

// The variogram cloud of the located samples with the points it
// highlights: the largest semivariances among pairs closer than one lag.
// At most --cloud-max pairs are shown: all of them, or a uniform sample.
struct CloudSet {
  VariogramCloud cloud;
  int64_t total_pairs = 0;        // pairs of the samples, shown or not
  DataWindow distances;           // 0 .. the largest distance
  DataWindow semivariances;       // 0 .. the largest semivariance
  double short_distance = 0.0;    // highlighted pairs are closer than this
  std::vector<LONG> highlighted;  // point numbers in the cloud
  std::vector<KVL_DOT> highlighted_pairs;  // the sample numbers of each
};

// Column number for "no such column".
constexpr int kNoColumn = -1;

// Which columns a chart draws from: the primary attribute, both attributes,
// or the primary attribute at the samples' x and y.
enum class ColumnUse { kPrimary, kBoth, kLocated };

// Returns one record per value holding it as the attribute (value), and
// (*second)[i] as value2 when second is given; every other field is zero.
// REQUIRES: second is null or as long as values.
std::vector<KvDiscPnt> AttributeRecords(
    const std::vector<double>& values,
    const std::vector<double>* second = nullptr);

// One attribute's present values as a chart takes them: a record per value
// and a round data window holding them (see Rounded).
struct AttributeSample {
  std::vector<KvDiscPnt> records;
  DataWindow window;
};

// The histogram and probability plots' bottom margin (pixels per pixel of
// height over width), and the depth their axis title needs: its top stands
// 20 pixels below the plot and it is 15 pixels high.
constexpr int kTitledAxisMargin = 50;
constexpr int kTitledAxisDepth = 35;

class ChartContext {
 public:
  // progress: where long steps report (may be null).
  ChartContext(DataSet data, Options options, std::FILE* progress);

  // Chooses the columns from the options or the defaults (coordinates by
  // their usual names). Call once before anything else; every later step
  // relies on it.
  Status Resolve();

  // Replaces the values of column (a transform's result). REQUIRES: no
  // samples, variograms or cloud worked out yet.
  void ReplaceColumn(int column, std::vector<double> values);

  const DataSet& data() const { return data_; }
  const Options& options() const { return options_; }
  int primary() const { return primary_; }
  int secondary() const { return secondary_; }
  int x_column() const { return x_; }
  int y_column() const { return y_; }
  int z_column() const { return z_; }
  int weight_column() const { return weight_; }
  // Returns the short name of a column: the first word of its name line.
  std::string Name(int column) const;
  // Returns the columns a chart of that use reads (kNoColumn where absent).
  std::vector<int> ColumnsFor(ColumnUse use) const;
  // Returns "V", "V, U" or "V at Xlocation, Ylocation" for that use.
  std::string ColumnsText(ColumnUse use) const;
  // Returns how many values of the use's columns were trimmed as missing.
  long TrimmedFor(ColumnUse use) const;

  // Warnings about the whole run (columns taken by position, transform
  // floors), in the order they arose.
  const std::vector<std::string>& run_warnings() const { return run_warnings_; }
  void WarnRun(const std::string& warning) { run_warnings_.push_back(warning); }
  // Warnings about the chart being drawn, each once: each chart takes its
  // own.
  void Warn(const std::string& warning) const;
  // Warns when the picture is so much wider than tall that the chart's
  // bottom margin (height * margin_per_width / width pixels, the library's
  // layout) is shallower than the depth its horizontal axis title needs.
  void WarnIfAxisTitleCut(int margin_per_width = kTitledAxisMargin,
                          int title_depth = kTitledAxisDepth) const;
  std::vector<std::string> TakeWarnings();

  // The primary values present at rows whose weight is present (not
  // negative), and those weights; fails without a weight column.
  Status WeightedValues(std::vector<double>* values,
                        std::vector<double>* weights) const;

  // The primary values that are present; fails when there are none.
  Status PrimaryValues(std::vector<double>* values) const;
  // The secondary values that are present; fails when there are none or
  // there is no secondary column.
  Status SecondaryValues(std::vector<double>* values) const;
  // The same values as samples.
  Status PrimarySample(AttributeSample* sample) const;
  Status SecondarySample(AttributeSample* sample) const;
  // Primary and secondary values of the rows holding both.
  Status PairedValues(std::vector<double>* first,
                      std::vector<double>* second) const;
  // Rows with x, y and the primary value present, as samples (value2 holds
  // the secondary value, -999 where missing; z is 0 without a z column).
  Status LocatedSamples(const std::vector<KvDiscPnt>** samples);
  // The variograms of the located samples.
  Status Variograms(const VariogramSet** set);
  // The variogram cloud of the located samples. Not const: the chart
  // loaders take non-const arrays, although they only read them.
  Status Cloud(CloudSet** set);
  // Row of the variogram set that --dir names.
  int DirectionRow() const;
  // Returns the settings of the model fit from --model-type and --model.
  FitSettings ModelSettings() const;

 private:
  Status EmptyColumn(const std::string& what) const;
  Status NoSecondColumn() const;
  Status ColumnValues(int column, std::vector<double>* values) const;
  // Warns when values (of column, at least two) are all the same.
  void WarnIfConstant(int column, const std::vector<double>& values) const;
  // Chooses x, y and z from the options, else by name, else (x and y) the
  // first two columns with a warning.
  Status ResolveCoordinates();
  using ValuesGetter = Status (ChartContext::*)(std::vector<double>*) const;
  Status SampleOf(ValuesGetter values_of, AttributeSample* sample) const;
  // Lags from --lag and --lags, else from the extent of samples.
  LagSettings ChosenLags(const std::vector<KvDiscPnt>& samples) const;

  DataSet data_;
  Options options_;
  std::FILE* progress_;
  int primary_ = kNoColumn;
  int secondary_ = kNoColumn;
  int x_ = kNoColumn;
  int y_ = kNoColumn;
  int z_ = kNoColumn;
  int weight_ = kNoColumn;
  std::vector<std::string> run_warnings_;
  mutable std::vector<std::string> chart_warnings_;
  bool have_samples_ = false;
  std::vector<KvDiscPnt> samples_;
  std::unique_ptr<VariogramSet> variograms_;
  std::unique_ptr<CloudSet> cloud_;
};

#endif  // TOOLS_KORVAGRAPH_CHART_CONTEXT_H_
