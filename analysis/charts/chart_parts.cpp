#include "analysis/charts/chart_parts.h"

#include <cstdio>

namespace korvagraph::analysis {
namespace {

void AddAxisSummary(Statistics* stats, const char* axis,
                    const AxisSummary& summary) {
  const std::string label = axis;
  AddText(stats, label, summary.name);
  AddCount(stats, label + " count", summary.count);
  AddStatistic(stats, label + " mean", summary.mean);
  AddStatistic(stats, label + " std dev", summary.deviation);
}

}  // namespace

void LoadSample(CKorvaGraph* graph, const AttributeSample& sample,
                SampleSlot slot) {
  if (slot == SampleSlot::kFirst) {
    _kvGraphLoadDiscPnts(graph, Loaded(sample.records),
                         CountOf(sample.records));
    _kvGraphSetDataExtr(graph, sample.window.minimum, sample.window.maximum);
  } else {
    _kvGraphLoadDiscPnts2(graph, Loaded(sample.records),
                          CountOf(sample.records));
    _kvGraphSetDataExtr2(graph, sample.window.minimum, sample.window.maximum);
  }
}

Status NoGraph() {
  return Status::Failure("the chart library could not create a graph object");
}

std::string Abbreviated(const std::string& name, size_t chars) {
  // Byte offset where each character starts; continuation bytes are
  // 10xxxxxx.
  std::vector<size_t> starts;
  for (size_t i = 0; i < name.size(); ++i) {
    if ((static_cast<unsigned char>(name[i]) & 0xC0) != 0x80) {
      starts.push_back(i);
    }
  }
  if (starts.size() <= chars) return name;
  return name.substr(0, starts[chars - 1]) + ".";
}

void SetCrossFrameNames(CKorvaGraph* graph, const std::string& x_name,
                        const std::string& y_name) {
  constexpr size_t kHorizontalChars = 3;
  constexpr size_t kVerticalChars = 4;
  _kvGraphSetAxiName(graph, Abbreviated(x_name, kHorizontalChars),
                     Abbreviated(y_name, kVerticalChars));
}

void WarnIfAxisTitleCut(const Session& session, const CanvasWindow& window) {
  const int margin = window.Height() * kKvTitledAxisMargin / window.Width();
  if (margin >= kKvTitledAxisDepth) return;
  char ratio[32];
  std::snprintf(ratio, sizeof(ratio), "%g",
                kKvTitledAxisMargin * 1.0 / kKvTitledAxisDepth);
  session.Warn("the axis title needs " + std::to_string(kKvTitledAxisDepth) +
               " pixels below the plot and this picture's shape leaves " +
               std::to_string(margin) + ": it is cut off at the bottom (use " +
               "a picture at most " + ratio + " times as wide as tall)");
}

void Unscale(const ValueScale& scale, AxisSummary* summary) {
  summary->mean = scale.Unscaled(summary->mean);
  summary->deviation = scale.Unscaled(summary->deviation);
}

void AddAxisSummaries(Statistics* stats, const AxisSummary& x,
                      const AxisSummary& y) {
  AddAxisSummary(stats, "x", x);
  AddAxisSummary(stats, "y", y);
}

void AddScaleNote(const ValueScale& scale, const std::string& name,
                  Statistics* stats) {
  if (scale.exponent != 0)
    AddText(stats, name + " drawn as", scale.Named(name));
}

}  // namespace korvagraph::analysis
