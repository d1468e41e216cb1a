#include "tools/korvagraph/quantile_charts.h"

#include <string>
#include <vector>

#include "tools/korvagraph/graph_object.h"
#include "tools/korvagraph/host_stats.h"
#include "tools/korvagraph/value_scale.h"

namespace {

// Selector of the Q-Q charts: quantiles, not probabilities, on the axes.
constexpr LONG kQuantileForm = 0;
// The score a value without a normal score receives.
constexpr double kNoScore = -999.0;
// The horizontal axis: standard normal scores, named as usual.
constexpr char kScoreName[] = "z";

// Returns the window of the scores written into records.
DataWindow ScoreWindow(const std::vector<KvDiscPnt>& records) {
  std::vector<double> scores;
  for (const KvDiscPnt& record : records) {
    if (record.value != kNoScore) scores.push_back(record.value);
  }
  return WindowOf(scores);
}

}  // namespace

Status DrawProbabilityPlot(ChartContext* context, ChartPictures* pictures,
                           Statistics* stats) {
  std::vector<double> values;
  Status status = context->PrimaryValues(&values);
  if (!status.ok()) return status;
  const ValueScale scale = ScaleFor(values);
  AttributeSample sample = scale.Sample(values);

  context->WarnIfAxisTitleCut();
  GraphObject graph = CreateGraph(kProbabilityGraph);
  if (graph == nullptr) return NoGraph();
  LoadSample(graph.get(), &sample);
  // The probability axis carries no name.
  _kvGraphSetAxiName(graph.get(),
                     scale.Named(context->Name(context->primary())), "");
  _kvGraphCptPropParam(graph.get());
  LONG count = 0;
  _kvGraphOutPutPropPntNum(graph.get(), count);
  _kvGraphDrawPropPlt(graph.get(), pictures->main()->Wnd());

  AddCount(stats, "point count", count);
  return Status::Ok();
}

Status DrawNormalQqPlot(ChartContext* context, ChartPictures* pictures,
                        Statistics* stats) {
  std::vector<double> values;
  Status status = context->PrimaryValues(&values);
  if (!status.ok()) return status;
  const std::string& name = context->Name(context->primary());
  const DataWindow window = WindowOf(values);
  if (window.minimum == window.maximum) {
    // Every score and every value would be one point: no axis has a range.
    return Status::Error(
        context->data().path + ": cannot draw the normal Q-Q plot of " + name +
        ": every present value is " + Formatted(window.minimum) +
        "; the plot needs values that differ");
  }
  const ValueScale scale = ScaleFor(values);
  AttributeSample sample = scale.Sample(values);
  std::vector<KvDiscPnt> scores = sample.records;

  GraphObject graph = CreateGraph(kNormalQqGraph);
  if (graph == nullptr) return NoGraph();
  _kvGraphLoadDiscPnts(graph.get(), scores.data(), CountOf(scores));
  LoadSample(graph.get(), &sample, SampleSet::kSecond);
  _kvGraphSetNqqpType(graph.get(), kQuantileForm);
  SetCrossFrameNames(graph.get(), kScoreName, scale.Named(name));
  _kvGraphCptNqqpParam(graph.get());
  LONG count = 0;
  _kvGraphOutPutNqqpPntNum(graph.get(), count);
  _kvGraphDrawNqqpPlt(graph.get(), pictures->main()->Wnd());

  AddCount(stats, "pair count", count);
  const DataWindow range = ScoreWindow(scores);
  AddRange(stats, "score range", range.minimum, range.maximum);
  scale.AddNote(name, stats);
  return Status::Ok();
}

Status DrawQqPlot(ChartContext* context, ChartPictures* pictures,
                  Statistics* stats) {
  std::vector<double> first_values, second_values;
  Status status = context->PrimaryValues(&first_values);
  if (status.ok()) status = context->SecondaryValues(&second_values);
  if (!status.ok()) return status;
  const ValueScale x_scale = ScaleFor(first_values);
  const ValueScale y_scale = ScaleFor(second_values);
  AttributeSample first = x_scale.Sample(first_values);
  AttributeSample second = y_scale.Sample(second_values);

  GraphObject graph = CreateGraph(kQqPpGraph);
  if (graph == nullptr) return NoGraph();
  LoadSample(graph.get(), &first);
  LoadSample(graph.get(), &second, SampleSet::kSecond);
  _kvGraphSetQqppType(graph.get(), kQuantileForm);
  AxisSummary x{context->Name(context->primary())};
  AxisSummary y{context->Name(context->secondary())};
  SetCrossFrameNames(graph.get(), x_scale.Named(x.name), y_scale.Named(y.name));
  LONG x_count = 0, y_count = 0;
  _kvGraphCptQqppParam(graph.get(), x_count, x.mean, x.deviation, y_count,
                       y.mean, y.deviation);
  _kvGraphDrawQqppPlt(graph.get(), pictures->main()->Wnd());

  x.count = x_count;
  y.count = y_count;
  x_scale.Unscale(&x);
  y_scale.Unscale(&y);
  AddAxisSummaries(stats, x, y);
  x_scale.AddNote(x.name, stats);
  y_scale.AddNote(y.name, stats);
  return Status::Ok();
}
