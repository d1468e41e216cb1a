// ChartContext: what every chart of one run draws from: the data set, the
// options, the columns chosen, and the host computations that several
// charts share (the variograms), each worked out once when first asked for.
#ifndef TOOLS_KORVAGRAPH_CHART_CONTEXT_H_
#define TOOLS_KORVAGRAPH_CHART_CONTEXT_H_

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "include/KorvaGraphLib.h"
#include "tools/korvagraph/data_set.h"
#include "tools/korvagraph/experimental_variogram.h"
#include "tools/korvagraph/options.h"
#include "tools/korvagraph/spherical_fit.h"
#include "tools/korvagraph/status.h"

// The experimental variograms of the primary attribute: row 0 takes every
// direction, rows 1 to 4 the azimuths 0, 45, 90 and 135 (tolerance 22.5).
struct VariogramSet {
  LagSettings lags;
  std::vector<std::string> labels;           // "omni", "0", "45", ...
  std::vector<double> azimuths;              // 0 for the omni row
  std::vector<std::vector<Variogram>> rows;  // lags.count + 2 entries each
  double variance = 0.0;  // of the primary values at the located samples
  SphericalModel model;   // fitted to row 0, or the one given by --model
};

// Column number for "no such column".
constexpr int kNoColumn = -1;

class ChartContext {
 public:
  // progress: where long steps report (may be null).
  ChartContext(DataSet data, Options options, std::FILE* progress);

  // Chooses the columns from the options or the defaults. Call once before
  // anything else; every later step relies on it.
  Status Resolve();

  const DataSet& data() const { return data_; }
  const Options& options() const { return options_; }
  int primary() const { return primary_; }
  int secondary() const { return secondary_; }
  int x_column() const { return x_; }
  int y_column() const { return y_; }
  int z_column() const { return z_; }
  const std::string& Name(int column) const { return data_.names[column]; }

  // The primary values that are present; fails when there are none.
  Status PrimaryValues(std::vector<double>* values) const;
  // Primary and secondary values of the rows holding both.
  Status PairedValues(std::vector<double>* first,
                      std::vector<double>* second) const;
  // Rows with x, y and the primary value present, as samples (value2 holds
  // the secondary value, -999 where missing; z is 0 without a z column).
  Status LocatedSamples(const std::vector<KvDiscPnt>** samples);
  // The variograms of the located samples.
  Status Variograms(const VariogramSet** set);
  // Row of the variogram set that --dir names.
  int DirectionRow() const;

 private:
  Status EmptyColumn(const std::string& what) const;

  DataSet data_;
  Options options_;
  std::FILE* progress_;
  int primary_ = kNoColumn;
  int secondary_ = kNoColumn;
  int x_ = kNoColumn;
  int y_ = kNoColumn;
  int z_ = kNoColumn;
  bool have_samples_ = false;
  std::vector<KvDiscPnt> samples_;
  std::unique_ptr<VariogramSet> variograms_;
};

#endif  // TOOLS_KORVAGRAPH_CHART_CONTEXT_H_
