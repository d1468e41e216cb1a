#include "tools/korvagraph/chart_table.h"

#include "tools/korvagraph/distribution_charts.h"
#include "tools/korvagraph/map_charts.h"
#include "tools/korvagraph/quantile_charts.h"
#include "tools/korvagraph/variogram_charts.h"

const std::vector<ChartEntry>& ChartTable() {
  static const std::vector<ChartEntry> kCharts = {
      {"hist", "Histogram",
       "frequency histogram of the primary attribute and its summary "
       "statistics",
       "--col --classes --cumulative", ColumnUse::kPrimary, DrawHistogram},
      {"cumhist", "Cumulative histogram",
       "cumulative frequency curve of the primary attribute", "--col",
       ColumnUse::kPrimary, DrawCumulativeHistogram},
      {"prob", "Probability plot",
       "the primary attribute's values against a normal probability scale",
       "--col", ColumnUse::kPrimary, DrawProbabilityPlot},
      {"nqq", "Normal Q-Q plot",
       "normal scores of the primary attribute against its values", "--col",
       ColumnUse::kPrimary, DrawNormalQqPlot},
      {"qq", "Q-Q plot",
       "quantiles of the primary attribute against those of the secondary, "
       "each with every value it has",
       "--col --col2", ColumnUse::kBoth, DrawQqPlot},
      {"scatter", "Scatter plot",
       "primary against secondary attribute at the samples holding both, "
       "each axis on its own scale",
       "--col --col2", ColumnUse::kBoth, DrawScatterPlot},
      {"cross", "Cross plot",
       "primary against secondary attribute on one shared scale, with the "
       "least-squares line",
       "--col --col2", ColumnUse::kBoth, DrawCrossPlot},
      {"vario", "Variogram",
       "experimental variogram of the primary attribute with a model "
       "fitted by weighted least squares and the sample variance as sill",
       "--col --x --y --lag --lags --lagtol --dirs --atol --bandwidth --dir "
       "--model-type --model",
       ColumnUse::kLocated, DrawVariogramPlot},
      {"mvario", "Directional variograms",
       "experimental variograms along the azimuths of --dirs (by default 0, "
       "45, 90 and 135 degrees, tolerance 22.5), one colour each",
       "--col --x --y --lag --lags --lagtol --dirs --atol --bandwidth",
       ColumnUse::kLocated, DrawMultipleVariogramPlot},
      {"cloud", "Variogram cloud",
       "every pair of samples, distance against semivariance; in cyan the "
       "pairs of largest semivariance closer than one lag",
       "--col --x --y --lag --highlight", ColumnUse::kLocated,
       DrawVariogramCloud},
      {"cloudmap", "Variogram cloud location map",
       "the samples in the x-y plane, the cloud's cyan pairs linked",
       "--col --x --y --lag --highlight", ColumnUse::kLocated,
       DrawCloudLocationMap},
      {"locmap", "Location map",
       "the samples in the x-y plane coloured by the primary attribute, "
       "blue (lowest) to red (highest), and the colour legend beside it "
       "(NAME-legend.png)",
       "--col --x --y", ColumnUse::kLocated, DrawLocationMap},
  };
  return kCharts;
}

const ChartEntry* FindChart(const std::string& name) {
  for (const ChartEntry& entry : ChartTable()) {
    if (name == entry.name) return &entry;
  }
  return nullptr;
}
