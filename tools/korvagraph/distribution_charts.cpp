#include "tools/korvagraph/distribution_charts.h"

#include <cmath>
#include <vector>

#include "tools/korvagraph/graph_object.h"
#include "tools/korvagraph/host_stats.h"

namespace {

constexpr int kFrequencyKind = 0;
constexpr int kCumulativeKind = 1;
// The vertical axis name stands in the narrow left margin: keep it short.
constexpr char kFrequencyName[] = "Freq";
constexpr char kCumulativeName[] = "CDF";

Status NoGraph() {
  return Status::Error("the chart library could not create a graph object");
}

// Widens a window of constant data, which no chart can scale.
DataWindow Widened(DataWindow window) {
  if (window.maximum > window.minimum) return window;
  const double half =
      window.minimum != 0.0 ? 0.05 * std::abs(window.minimum) : 0.5;
  return {window.minimum - half, window.maximum + half};
}

Status DrawHistogramOfKind(ChartContext* context, CanvasWindow* window,
                           Statistics* stats, int kind) {
  std::vector<double> values;
  Status status = context->PrimaryValues(&values);
  if (!status.ok()) return status;
  // The chart reads the attribute of each record; the rest stays zero.
  std::vector<KvDiscPnt> samples(values.size(), KvDiscPnt{});
  for (size_t i = 0; i < values.size(); ++i) samples[i].value = values[i];
  const DataWindow extent = Widened(WindowOf(values));
  const int classes =
      context->options().classes > 0
          ? context->options().classes
          : HistogramClassCount(static_cast<int>(values.size()));

  GraphObject graph = CreateGraph(kHistogramGraph);
  if (graph == nullptr) return NoGraph();
  _kvGraphLoadDiscPnts(graph.get(), samples.data(),
                       static_cast<LONG>(samples.size()));
  _kvGraphSetDataExtr(graph.get(), extent.minimum, extent.maximum);
  _kvGraphSetHistNum(graph.get(), classes);
  _kvGraphSetHistType(graph.get(), kind);
  _kvGraphSetAxiName(graph.get(), context->Name(context->primary()),
                     kind == kFrequencyKind ? kFrequencyName : kCumulativeName);
  LONG count = 0, left_out = 0;
  double mean = 0, deviation = 0, maximum = 0, upper = 0, median = 0;
  double lower = 0, minimum = 0, variation = 0, kurtosis = 0, skewness = 0;
  if (_kvGraphCptHistParam(graph.get(), count, left_out, mean, deviation,
                           maximum, upper, median, lower, minimum, variation,
                           kurtosis, skewness) != 1) {
    return Status::Error("the histogram of " +
                         context->Name(context->primary()) +
                         " could not be computed");
  }
  _kvGraphDrawHistPlt(graph.get(), window->Wnd());

  AddCount(stats, "count", count);
  AddCount(stats, "left out", left_out);
  AddStatistic(stats, "mean", mean);
  AddStatistic(stats, "std dev", deviation);
  AddStatistic(stats, "max", maximum);
  AddStatistic(stats, "upper quartile", upper);
  AddStatistic(stats, "median", median);
  AddStatistic(stats, "lower quartile", lower);
  AddStatistic(stats, "min", minimum);
  AddStatistic(stats, "coefficient of variation", variation);
  AddStatistic(stats, "kurtosis", kurtosis);
  AddStatistic(stats, "skewness", skewness);
  if (kind == kFrequencyKind) AddCount(stats, "classes", classes);
  return Status::Ok();
}

}  // namespace

Status DrawCrossPlot(ChartContext* context, CanvasWindow* window,
                     Statistics* stats) {
  std::vector<double> x, y;
  Status status = context->PairedValues(&x, &y);
  if (!status.ok()) return status;
  const FitLine fit = LeastSquaresLine(x, y);
  const DataWindow extent = Widened(WindowOf(x, y));

  GraphObject graph = CreateGraph(kCrossPlotGraph);
  if (graph == nullptr) return NoGraph();
  _kvGraphLoadCrosData(graph.get(), x.data(), y.data(),
                       static_cast<LONG>(x.size()));
  _kvGraphSetDataExtr(graph.get(), extent.minimum, extent.maximum);
  _kvGraphSetFitLine(graph.get(), fit.slope, fit.intercept);
  _kvGraphSetAxiName(graph.get(), context->Name(context->primary()),
                     context->Name(context->secondary()));
  _kvGraphDrawCrosPlt(graph.get(), window->Wnd());

  AddCount(stats, "pairs", static_cast<long>(x.size()));
  AddStatistic(stats, "fit slope", fit.slope);
  AddStatistic(stats, "fit intercept", fit.intercept);
  AddStatistic(stats, "correlation", fit.correlation);
  AddStatistic(stats, context->Name(context->primary()) + " mean", Mean(x));
  AddStatistic(stats, context->Name(context->secondary()) + " mean", Mean(y));
  return Status::Ok();
}

Status DrawHistogram(ChartContext* context, CanvasWindow* window,
                     Statistics* stats) {
  return DrawHistogramOfKind(
      context, window, stats,
      context->options().cumulative ? kCumulativeKind : kFrequencyKind);
}

Status DrawCumulativeHistogram(ChartContext* context, CanvasWindow* window,
                               Statistics* stats) {
  return DrawHistogramOfKind(context, window, stats, kCumulativeKind);
}
