#include "tools/korvagraph/variogram_charts.h"

#include <string>
#include <vector>

#include "tools/korvagraph/graph_object.h"
#include "tools/korvagraph/host_stats.h"

namespace {

constexpr int kModelKindVariogram = 0;  // the engine returns semivariances
constexpr COLORREF kPointColour = RGB(0, 0, 255);
constexpr COLORREF kModelColour = RGB(255, 0, 0);

struct DirectionStyle {
  COLORREF colour;
  const char* colour_name;
};
// Colours of the four directions, in the order of FourDirections().
const DirectionStyle kDirectionStyles[] = {{RGB(0, 0, 255), "blue"},
                                           {RGB(220, 0, 0), "red"},
                                           {RGB(0, 150, 0), "green"},
                                           {RGB(230, 130, 0), "orange"}};

std::string DirectionName(const VariogramSet& set, int row) {
  return row == 0 ? std::string("omnidirectional")
                  : "azimuth " + set.labels[row];
}

}  // namespace

Status DrawVariogramPlot(ChartContext* context, ChartPictures* pictures,
                         Statistics* stats) {
  const VariogramSet* set = nullptr;
  Status status = context->Variograms(&set);
  if (!status.ok()) return status;
  const int n = set->lags.count;
  const int rows = static_cast<int>(set->rows.size());
  const int current = context->DirectionRow();

  std::vector<Variogram> entries;
  for (const std::vector<Variogram>& row : set->rows) {
    entries.insert(entries.end(), row.begin(), row.end());
  }
  std::vector<CPoint> positions(entries.size());
  std::vector<int> selected(entries.size(), 0);
  // The model curve holds 2n + 4 records: twice the lags at half spacing.
  std::vector<ModIndVrg> curve(2 * static_cast<size_t>(n) + 4, ModIndVrg{});
  _kvCptVModel(ToModelRecord(set->model, set->azimuths[current]),
               set->lags.spacing, n, kModelKindVariogram, curve.data());

  GraphObject graph = CreateGraph(kVariogramGraph);
  if (graph == nullptr) return NoGraph();
  _kvGraphLoadVarmData(graph.get(), entries.data(), curve.data(),
                       positions.data(), selected.data(), n, 1);
  _kvGraphSetAxiName(graph.get(), "Distance", kSemivarianceName);
  _kvGraphSetVrgNug(graph.get(), set->model.nugget);
  _kvGraphSetIsDspLine(graph.get(), 1);
  _kvGraphSetIsDspSill(graph.get(), 1, set->variance);
  _kvGraphSetCutOffNO(graph.get(), rows, current);
  _kvGraphSetColor(graph.get(), kPointColour, kModelColour);
  _kvGraphDrawVarmPlt(graph.get(), pictures->main()->Wnd());

  AddText(stats, "direction", DirectionName(*set, current));
  AddStatistic(stats, "lag spacing", set->lags.spacing);
  AddCount(stats, "lags", n);
  AddCount(stats, "pairs drawn (lags of 30 pairs or more)",
           QualifyingPairs(set->rows[current]));
  AddStatistic(stats, "sill line: sample variance", set->variance);
  AddStatistic(stats, "model nugget", set->model.nugget);
  AddStatistic(stats, "model sill", set->model.sill);
  AddStatistic(stats, "model range", set->model.range);
  return Status::Ok();
}

Status DrawMultipleVariogramPlot(ChartContext* context, ChartPictures* pictures,
                                 Statistics* stats) {
  const VariogramSet* set = nullptr;
  Status status = context->Variograms(&set);
  if (!status.ok()) return status;
  constexpr int kCount = 4;
  Variogram* entries[kCount];
  LONG lag_counts[kCount];
  std::vector<CPoint> positions[kCount];
  CPoint* position_arrays[kCount];
  int show[kCount];
  ULONG colours[kCount];
  // The loader takes non-const arrays; the chart only reads the entries.
  std::vector<Variogram> rows[kCount];
  for (int d = 0; d < kCount; ++d) {
    rows[d] = set->rows[d + 1];
    entries[d] = rows[d].data();
    lag_counts[d] = set->lags.count;
    positions[d].resize(rows[d].size());
    position_arrays[d] = positions[d].data();
    show[d] = 1;
    colours[d] = kDirectionStyles[d].colour;
  }

  GraphObject graph = CreateGraph(kMultipleVariogramGraph);
  if (graph == nullptr) return NoGraph();
  if (_kvGraphLoadMVarmData(graph.get(), entries, lag_counts, position_arrays,
                            kCount, show, 0) != 1) {
    return Status::Error("the chart library refused the four variograms");
  }
  _kvGraphSetAxiName(graph.get(), "Distance", kSemivarianceName);
  _kvGraphSetMVrgNug(graph.get(), set->model.nugget);
  _kvGraphSetMIsDspLine(graph.get(), 1);
  _kvGraphSetMIsDspSill(graph.get(), 1, set->variance);
  _kvGraphSetMCutOffNO(graph.get(), 1, 0);
  _kvGraphSetMColor(graph.get(), colours, colours);
  _kvGraphDrawMVarmPlt(graph.get(), pictures->main()->Wnd());

  AddStatistic(stats, "lag spacing", set->lags.spacing);
  AddCount(stats, "lags", set->lags.count);
  for (int d = 0; d < kCount; ++d) {
    AddCount(stats,
             "azimuth " + set->labels[d + 1] + " (" +
                 kDirectionStyles[d].colour_name + "): pairs drawn",
             QualifyingPairs(set->rows[d + 1]));
  }
  AddStatistic(stats, "sill line: sample variance", set->variance);
  return Status::Ok();
}

void AddHighlightStatistics(const CloudSet& set, Statistics* stats) {
  AddCount(stats, "pairs in cyan", static_cast<long>(set.highlighted.size()));
  AddStatistic(stats, "cyan: largest semivariances closer than",
               set.short_distance);
}

Status DrawVariogramCloud(ChartContext* context, ChartPictures* pictures,
                          Statistics* stats) {
  CloudSet* set = nullptr;
  Status status = context->Cloud(&set);
  if (!status.ok()) return status;
  VariogramCloud& cloud = set->cloud;

  GraphObject graph = CreateGraph(kVariogramCloudGraph);
  if (graph == nullptr) return NoGraph();
  _kvGraphLoadLocPnts(graph.get(), cloud.distance.data(),
                      cloud.semivariance.data(), CountOf(cloud.distance));
  _kvGraphSetDataExtr(graph.get(), set->distances.minimum,
                      set->distances.maximum);
  _kvGraphSetDataExtr2(graph.get(), set->semivariances.minimum,
                       set->semivariances.maximum);
  _kvGraphSetAxiName(graph.get(), "Distance", kSemivarianceName);
  _kvLoadVrgCldSelInfo(graph.get(), set->highlighted.data(),
                       CountOf(set->highlighted));
  _kvGraphDrawVrgCldPlt(graph.get(), pictures->main()->Wnd());

  AddCount(stats, "pairs", CountOf(cloud.distance));
  AddStatistic(stats, "largest distance", WindowOf(cloud.distance).maximum);
  AddStatistic(stats, "largest semivariance",
               WindowOf(cloud.semivariance).maximum);
  AddHighlightStatistics(*set, stats);
  return Status::Ok();
}
