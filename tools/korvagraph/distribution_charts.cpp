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

// With a weight column, appends the declustered mean and standard deviation
// that the host works out: the library's statistics are unweighted.
void AddWeightedMoments(const ChartContext& context, Statistics* stats) {
  std::vector<double> values, weights;
  if (context.weight_column() == kNoColumn ||
      !context.WeightedValues(&values, &weights).ok()) {
    return;
  }
  const WeightedMoments moments = WeightedMomentsOf(values, weights);
  AddText(stats, "weights",
          context.Name(context.weight_column()) +
              ": the weighted mean and std dev below (the library's "
              "statistics above are unweighted)");
  AddStatistic(stats, "weighted mean", moments.mean);
  AddStatistic(stats, "weighted std dev", std::sqrt(moments.variance));
}

Status DrawHistogramOfKind(ChartContext* context, ChartPictures* pictures,
                           Statistics* stats, int kind) {
  AttributeSample sample;
  Status status = context->PrimarySample(&sample);
  if (!status.ok()) return status;
  const int classes =
      context->options().classes > 0
          ? context->options().classes
          : HistogramClassCount(static_cast<int>(sample.records.size()));

  GraphObject graph = CreateGraph(kHistogramGraph);
  if (graph == nullptr) return NoGraph();
  LoadSample(graph.get(), &sample);
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
  _kvGraphDrawHistPlt(graph.get(), pictures->main()->Wnd());

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
  AddWeightedMoments(*context, stats);
  return Status::Ok();
}

}  // namespace

Status DrawCrossPlot(ChartContext* context, ChartPictures* pictures,
                     Statistics* stats) {
  std::vector<double> x, y;
  Status status = context->PairedValues(&x, &y);
  if (!status.ok()) return status;
  const FitLine fit = LeastSquaresLine(x, y);
  const DataWindow extent = Widened(WindowOf(x, y));

  GraphObject graph = CreateGraph(kCrossPlotGraph);
  if (graph == nullptr) return NoGraph();
  _kvGraphLoadCrosData(graph.get(), x.data(), y.data(), CountOf(x));
  _kvGraphSetDataExtr(graph.get(), extent.minimum, extent.maximum);
  _kvGraphSetFitLine(graph.get(), fit.slope, fit.intercept);
  SetCrossFrameNames(graph.get(), context->Name(context->primary()),
                     context->Name(context->secondary()));
  _kvGraphDrawCrosPlt(graph.get(), pictures->main()->Wnd());

  AddCount(stats, "pairs", static_cast<long>(x.size()));
  AddStatistic(stats, "fit slope", fit.slope);
  AddStatistic(stats, "fit intercept", fit.intercept);
  AddStatistic(stats, "correlation", fit.correlation);
  AddStatistic(stats, context->Name(context->primary()) + " mean", Mean(x));
  AddStatistic(stats, context->Name(context->secondary()) + " mean", Mean(y));
  return Status::Ok();
}

Status DrawScatterPlot(ChartContext* context, ChartPictures* pictures,
                       Statistics* stats) {
  std::vector<double> x, y;
  Status status = context->PairedValues(&x, &y);
  if (!status.ok()) return status;
  std::vector<KvDiscPnt> points = AttributeRecords(x, &y);
  const DataWindow x_window = Rounded(WindowOf(x));
  const DataWindow y_window = Rounded(WindowOf(y));

  GraphObject graph = CreateGraph(kScatterGraph);
  if (graph == nullptr) return NoGraph();
  _kvGraphLoadDiscPnts(graph.get(), points.data(), CountOf(points));
  _kvGraphSetDataExtr(graph.get(), x_window.minimum, x_window.maximum);
  _kvGraphSetDataExtr2(graph.get(), y_window.minimum, y_window.maximum);
  AxisSummary xs{context->Name(context->primary())};
  AxisSummary ys{context->Name(context->secondary())};
  SetCrossFrameNames(graph.get(), xs.name, ys.name);
  double correlation = 0, rank_correlation = 0;
  LONG x_count = 0, y_count = 0;
  _kvGraphCptScatParam(graph.get(), correlation, x_count, xs.mean, xs.deviation,
                       y_count, ys.mean, ys.deviation, rank_correlation);
  _kvGraphDrawScatPlt(graph.get(), pictures->main()->Wnd());

  xs.count = x_count;
  ys.count = y_count;
  AddStatistic(stats, "correlation", correlation);
  AddAxisSummaries(stats, xs, ys);
  AddStatistic(stats, "rank correlation", rank_correlation);
  return Status::Ok();
}

Status DrawHistogram(ChartContext* context, ChartPictures* pictures,
                     Statistics* stats) {
  return DrawHistogramOfKind(
      context, pictures, stats,
      context->options().cumulative ? kCumulativeKind : kFrequencyKind);
}

Status DrawCumulativeHistogram(ChartContext* context, ChartPictures* pictures,
                               Statistics* stats) {
  return DrawHistogramOfKind(context, pictures, stats, kCumulativeKind);
}
