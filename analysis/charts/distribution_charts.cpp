// Charts of one attribute's distribution and of two attributes together:
// the histograms, the scatter plot and the cross plot.
#include <cmath>
#include <string>
#include <vector>

#include "analysis/charts/chart_parts.h"

namespace korvagraph::analysis {
namespace {

constexpr int kFrequencyKind = 0;
constexpr int kCumulativeKind = 1;
// The vertical axis name stands in the narrow left margin: keep it short.
constexpr char kFrequencyName[] = "Freq";
constexpr char kCumulativeName[] = "CDF";

// With a weight column, appends the declustered mean and standard deviation
// that the host works out: the library's statistics are unweighted.
void AddWeightedMoments(const Session& session, Statistics* stats) {
  std::vector<double> values, weights;
  const int weight = session.columns().weight;
  if (weight == kNoColumn || !session.WeightedValues(&values, &weights).ok()) {
    return;
  }
  const WeightedMoments moments = WeightedMomentsOf(values, weights);
  AddText(stats, "weights",
          session.Name(weight) +
              ": the weighted mean and std dev below (the library's "
              "statistics above are unweighted)");
  AddStatistic(stats, "weighted mean", moments.mean);
  AddStatistic(stats, "weighted std dev", std::sqrt(moments.variance));
}

Status DrawHistogramOfKind(Session* session, const ChartOptions& options,
                           ChartPictures* pictures, Statistics* stats,
                           int kind) {
  const AttributeSample* sample = nullptr;
  Status status = session->PrimarySample(&sample);
  if (!status.ok()) return status;
  const ValueScale& scale = sample->scale;
  const int classes =
      options.classes > 0
          ? options.classes
          : HistogramClassCount(static_cast<int64_t>(sample->records.size()));
  const std::string name = session->Name(session->columns().primary);

  WarnIfAxisTitleCut(*session, *pictures->main());
  GraphObject graph = CreateGraph(kKvHistogram);
  if (graph == nullptr) return NoGraph();
  LoadSample(graph.get(), *sample);
  _kvGraphSetHistNum(graph.get(), classes);
  _kvGraphSetHistType(graph.get(), kind);
  _kvGraphSetAxiName(graph.get(), scale.Named(name),
                     kind == kFrequencyKind ? kFrequencyName : kCumulativeName);
  LONG count = 0, left_out = 0;
  double mean = 0, deviation = 0, maximum = 0, upper = 0, median = 0;
  double lower = 0, minimum = 0, variation = 0, kurtosis = 0, skewness = 0;
  if (_kvGraphCptHistParam(graph.get(), count, left_out, mean, deviation,
                           maximum, upper, median, lower, minimum, variation,
                           kurtosis, skewness) != 1) {
    return Status::InFile(
        session->table().path,
        "cannot compute the histogram of " + name +
            ": the chart library refused its " +
            std::to_string(sample->records.size()) + " values in " +
            std::to_string(classes) + " classes over " +
            Formatted(scale.Unscaled(sample->window.minimum)) + " to " +
            Formatted(scale.Unscaled(sample->window.maximum)));
  }
  _kvGraphDrawHistPlt(graph.get(), pictures->main()->Wnd());

  AddCount(stats, "count", count);
  AddCount(stats, "left out", left_out);
  AddStatistic(stats, "mean", scale.Unscaled(mean));
  AddStatistic(stats, "std dev", scale.Unscaled(deviation));
  AddStatistic(stats, "max", scale.Unscaled(maximum));
  AddStatistic(stats, "upper quartile", scale.Unscaled(upper));
  AddStatistic(stats, "median", scale.Unscaled(median));
  AddStatistic(stats, "lower quartile", scale.Unscaled(lower));
  AddStatistic(stats, "min", scale.Unscaled(minimum));
  AddStatistic(stats, "coefficient of variation", variation);
  AddStatistic(stats, "kurtosis", kurtosis);
  AddStatistic(stats, "skewness", skewness);
  if (kind == kFrequencyKind) AddCount(stats, "classes", classes);
  AddWeightedMoments(*session, stats);
  return Status::Ok();
}

}  // namespace

Status DrawCrossPlot(Session* session, const ChartOptions&,
                     ChartPictures* pictures, Statistics* stats, ChartTable*) {
  std::vector<double> x, y;
  Status status = session->PairedValues(&x, &y);
  if (!status.ok()) return status;
  const FitLine fit = LeastSquaresLine(x, y);
  // One extent serves both axes, so one scale serves both attributes; the
  // slope does not change with it.
  std::vector<double> both = x;
  both.insert(both.end(), y.begin(), y.end());
  const ValueScale scale = ScaleFor(both);
  std::vector<double> drawn_x = scale.Scaled(x), drawn_y = scale.Scaled(y);
  const DataWindow extent = AxisExtent(Widened(WindowOf(drawn_x, drawn_y)));
  const std::string x_name = session->Name(session->columns().primary);
  const std::string y_name = session->Name(session->columns().secondary);

  GraphObject graph = CreateGraph(kKvCrossPlot);
  if (graph == nullptr) return NoGraph();
  _kvGraphLoadCrosData(graph.get(), drawn_x.data(), drawn_y.data(),
                       CountOf(drawn_x));
  _kvGraphSetDataExtr(graph.get(), extent.minimum, extent.maximum);
  _kvGraphSetFitLine(graph.get(), fit.slope, fit.intercept / scale.factor());
  SetCrossFrameNames(graph.get(), scale.Named(x_name), scale.Named(y_name));
  _kvGraphDrawCrosPlt(graph.get(), pictures->main()->Wnd());

  AddCount(stats, "pairs", static_cast<int64_t>(x.size()));
  AddStatistic(stats, "fit slope", fit.slope);
  AddStatistic(stats, "fit intercept", fit.intercept);
  AddStatistic(stats, "correlation", fit.correlation);
  AddStatistic(stats, x_name + " mean", Mean(x));
  AddStatistic(stats, y_name + " mean", Mean(y));
  AddScaleNote(scale, x_name, stats);
  AddScaleNote(scale, y_name, stats);
  return Status::Ok();
}

Status DrawScatterPlot(Session* session, const ChartOptions&,
                       ChartPictures* pictures, Statistics* stats,
                       ChartTable*) {
  std::vector<double> x, y;
  Status status = session->PairedValues(&x, &y);
  if (!status.ok()) return status;
  const ValueScale x_scale = ScaleFor(x), y_scale = ScaleFor(y);
  const std::vector<double> drawn_x = x_scale.Scaled(x);
  const std::vector<double> drawn_y = y_scale.Scaled(y);
  std::vector<KvDiscPnt> points(drawn_x.size(), KvDiscPnt{});
  for (size_t i = 0; i < points.size(); ++i) {
    points[i].value = drawn_x[i];
    points[i].value2 = drawn_y[i];
  }
  const DataWindow x_window = Rounded(WindowOf(drawn_x));
  const DataWindow y_window = Rounded(WindowOf(drawn_y));

  GraphObject graph = CreateGraph(kKvScatter);
  if (graph == nullptr) return NoGraph();
  _kvGraphLoadDiscPnts(graph.get(), points.data(), CountOf(points));
  _kvGraphSetDataExtr(graph.get(), x_window.minimum, x_window.maximum);
  _kvGraphSetDataExtr2(graph.get(), y_window.minimum, y_window.maximum);
  AxisSummary xs{session->Name(session->columns().primary)};
  AxisSummary ys{session->Name(session->columns().secondary)};
  SetCrossFrameNames(graph.get(), x_scale.Named(xs.name),
                     y_scale.Named(ys.name));
  double correlation = 0, rank_correlation = 0;
  LONG x_count = 0, y_count = 0;
  _kvGraphCptScatParam(graph.get(), correlation, x_count, xs.mean, xs.deviation,
                       y_count, ys.mean, ys.deviation, rank_correlation);
  _kvGraphDrawScatPlt(graph.get(), pictures->main()->Wnd());

  xs.count = x_count;
  ys.count = y_count;
  Unscale(x_scale, &xs);
  Unscale(y_scale, &ys);
  AddStatistic(stats, "correlation", correlation);
  AddAxisSummaries(stats, xs, ys);
  AddStatistic(stats, "rank correlation", rank_correlation);
  AddScaleNote(x_scale, xs.name, stats);
  AddScaleNote(y_scale, ys.name, stats);
  return Status::Ok();
}

Status DrawHistogram(Session* session, const ChartOptions& options,
                     ChartPictures* pictures, Statistics* stats, ChartTable*) {
  return DrawHistogramOfKind(
      session, options, pictures, stats,
      options.cumulative ? kCumulativeKind : kFrequencyKind);
}

Status DrawCumulativeHistogram(Session* session, const ChartOptions& options,
                               ChartPictures* pictures, Statistics* stats,
                               ChartTable*) {
  return DrawHistogramOfKind(session, options, pictures, stats,
                             kCumulativeKind);
}

}  // namespace korvagraph::analysis
