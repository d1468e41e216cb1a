// Charts of quantiles: the probability plot, the normal Q-Q plot and the
// Q-Q plot of two attributes.
#include <string>
#include <vector>

#include "analysis/charts/chart_parts.h"

namespace korvagraph::analysis {
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

Status DrawProbabilityPlot(Session* session, const ChartOptions&,
                           ChartPictures* pictures, Statistics* stats,
                           ChartTable*) {
  const AttributeSample* sample = nullptr;
  Status status = session->PrimarySample(&sample);
  if (!status.ok()) return status;

  WarnIfAxisTitleCut(*session, *pictures->main());
  GraphObject graph = CreateGraph(kKvProbability);
  if (graph == nullptr) return NoGraph();
  LoadSample(graph.get(), *sample);
  // The probability axis carries no name.
  _kvGraphSetAxiName(
      graph.get(),
      sample->scale.Named(session->Name(session->columns().primary)), "");
  _kvGraphCptPropParam(graph.get());
  LONG count = 0;
  _kvGraphOutPutPropPntNum(graph.get(), count);
  _kvGraphDrawPropPlt(graph.get(), pictures->main()->Wnd());

  AddCount(stats, "point count", count);
  return Status::Ok();
}

Status DrawNormalQqPlot(Session* session, const ChartOptions&,
                        ChartPictures* pictures, Statistics* stats,
                        ChartTable*) {
  const AttributeSample* sample = nullptr;
  Status status = session->PrimarySample(&sample);
  if (!status.ok()) return status;
  const std::string name = session->Name(session->columns().primary);
  const DataWindow window = sample->present;
  if (window.minimum == window.maximum) {
    // Every score and every value would be one point: no axis has a range.
    return Status::InFile(session->table().path,
                          "cannot draw the normal Q-Q plot of " + name +
                              ": every present value is " +
                              Formatted(window.minimum) +
                              "; the plot needs values that differ");
  }
  const ValueScale& scale = sample->scale;
  // The compute step writes the scores into the first set: a copy.
  std::vector<KvDiscPnt> scores = sample->records;

  GraphObject graph = CreateGraph(kKvNormalQq);
  if (graph == nullptr) return NoGraph();
  _kvGraphLoadDiscPnts(graph.get(), scores.data(), CountOf(scores));
  LoadSample(graph.get(), *sample, SampleSlot::kSecond);
  _kvGraphSetNqqpType(graph.get(), kQuantileForm);
  SetCrossFrameNames(graph.get(), kScoreName, scale.Named(name));
  _kvGraphCptNqqpParam(graph.get());
  LONG count = 0;
  _kvGraphOutPutNqqpPntNum(graph.get(), count);
  _kvGraphDrawNqqpPlt(graph.get(), pictures->main()->Wnd());

  AddCount(stats, "pair count", count);
  const DataWindow range = ScoreWindow(scores);
  AddRange(stats, "score range", range.minimum, range.maximum);
  AddScaleNote(scale, name, stats);
  return Status::Ok();
}

Status DrawQqPlot(Session* session, const ChartOptions&,
                  ChartPictures* pictures, Statistics* stats, ChartTable*) {
  const AttributeSample* first = nullptr;
  const AttributeSample* second = nullptr;
  Status status = session->PrimarySample(&first);
  if (status.ok()) status = session->SecondarySample(&second);
  if (!status.ok()) return status;
  const ValueScale& x_scale = first->scale;
  const ValueScale& y_scale = second->scale;

  GraphObject graph = CreateGraph(kKvQqPp);
  if (graph == nullptr) return NoGraph();
  LoadSample(graph.get(), *first);
  LoadSample(graph.get(), *second, SampleSlot::kSecond);
  _kvGraphSetQqppType(graph.get(), kQuantileForm);
  AxisSummary x{session->Name(session->columns().primary)};
  AxisSummary y{session->Name(session->columns().secondary)};
  SetCrossFrameNames(graph.get(), x_scale.Named(x.name), y_scale.Named(y.name));
  LONG x_count = 0, y_count = 0;
  _kvGraphCptQqppParam(graph.get(), x_count, x.mean, x.deviation, y_count,
                       y.mean, y.deviation);
  _kvGraphDrawQqppPlt(graph.get(), pictures->main()->Wnd());

  x.count = x_count;
  y.count = y_count;
  Unscale(x_scale, &x);
  Unscale(y_scale, &y);
  AddAxisSummaries(stats, x, y);
  AddScaleNote(x_scale, x.name, stats);
  AddScaleNote(y_scale, y.name, stats);
  return Status::Ok();
}

}  // namespace korvagraph::analysis
