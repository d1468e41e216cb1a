#include "tools/korvagraph/chart_table.h"

#include "tools/korvagraph/distribution_charts.h"
#include "tools/korvagraph/variogram_charts.h"

const std::vector<ChartEntry>& ChartTable() {
  static const std::vector<ChartEntry> kCharts = {
      {"cross", "Cross plot",
       "primary against secondary attribute on one shared scale, with the "
       "least-squares line",
       "--col --col2", DrawCrossPlot},
      {"hist", "Histogram",
       "frequency histogram of the primary attribute and its summary "
       "statistics",
       "--col --classes --cumulative", DrawHistogram},
      {"cumhist", "Cumulative histogram",
       "cumulative frequency curve of the primary attribute", "--col",
       DrawCumulativeHistogram},
      {"vario", "Variogram",
       "experimental variogram of the primary attribute with a fitted "
       "spherical model and the sample variance as sill",
       "--col --x --y --lag --lags --dir --model", DrawVariogramPlot},
      {"mvario", "Directional variograms",
       "experimental variograms along azimuths 0, 45, 90 and 135 degrees "
       "(tolerance 22.5), one colour each",
       "--col --x --y --lag --lags", DrawMultipleVariogramPlot},
  };
  return kCharts;
}

const ChartEntry* FindChart(const std::string& name) {
  for (const ChartEntry& entry : ChartTable()) {
    if (name == entry.name) return &entry;
  }
  return nullptr;
}
