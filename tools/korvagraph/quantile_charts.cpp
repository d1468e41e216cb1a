#include "tools/korvagraph/quantile_charts.h"

#include <vector>

#include "tools/korvagraph/graph_object.h"
#include "tools/korvagraph/host_stats.h"

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
  AttributeSample sample;
  Status status = context->PrimarySample(&sample);
  if (!status.ok()) return status;

  GraphObject graph = CreateGraph(kProbabilityGraph);
  if (graph == nullptr) return NoGraph();
  LoadSample(graph.get(), &sample);
  // The probability axis carries no name.
  _kvGraphSetAxiName(graph.get(), context->Name(context->primary()), "");
  _kvGraphCptPropParam(graph.get());
  LONG count = 0;
  _kvGraphOutPutPropPntNum(graph.get(), count);
  _kvGraphDrawPropPlt(graph.get(), pictures->main()->Wnd());

  AddCount(stats, "point count", count);
  return Status::Ok();
}

Status DrawNormalQqPlot(ChartContext* context, ChartPictures* pictures,
                        Statistics* stats) {
  AttributeSample sample;
  Status status = context->PrimarySample(&sample);
  if (!status.ok()) return status;
  std::vector<KvDiscPnt> scores = sample.records;

  GraphObject graph = CreateGraph(kNormalQqGraph);
  if (graph == nullptr) return NoGraph();
  _kvGraphLoadDiscPnts(graph.get(), scores.data(), CountOf(scores));
  LoadSample(graph.get(), &sample, SampleSet::kSecond);
  _kvGraphSetNqqpType(graph.get(), kQuantileForm);
  SetCrossFrameNames(graph.get(), kScoreName,
                     context->Name(context->primary()));
  _kvGraphCptNqqpParam(graph.get());
  LONG count = 0;
  _kvGraphOutPutNqqpPntNum(graph.get(), count);
  _kvGraphDrawNqqpPlt(graph.get(), pictures->main()->Wnd());

  AddCount(stats, "pair count", count);
  const DataWindow range = ScoreWindow(scores);
  AddRange(stats, "score range", range.minimum, range.maximum);
  return Status::Ok();
}

Status DrawQqPlot(ChartContext* context, ChartPictures* pictures,
                  Statistics* stats) {
  AttributeSample first, second;
  Status status = context->PrimarySample(&first);
  if (status.ok()) status = context->SecondarySample(&second);
  if (!status.ok()) return status;

  GraphObject graph = CreateGraph(kQqPpGraph);
  if (graph == nullptr) return NoGraph();
  LoadSample(graph.get(), &first);
  LoadSample(graph.get(), &second, SampleSet::kSecond);
  _kvGraphSetQqppType(graph.get(), kQuantileForm);
  AxisSummary x{context->Name(context->primary())};
  AxisSummary y{context->Name(context->secondary())};
  SetCrossFrameNames(graph.get(), x.name, y.name);
  LONG x_count = 0, y_count = 0;
  _kvGraphCptQqppParam(graph.get(), x_count, x.mean, x.deviation, y_count,
                       y.mean, y.deviation);
  _kvGraphDrawQqppPlt(graph.get(), pictures->main()->Wnd());

  x.count = x_count;
  y.count = y_count;
  AddAxisSummaries(stats, x, y);
  return Status::Ok();
}
