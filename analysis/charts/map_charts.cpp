// The maps: the local-mean map of the located samples with its colour
// legend, the cloud's location map linking sample pairs, and the variogram
// map, whose cells the local-mean map draws at their separation vectors.
#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis/charts/chart_parts.h"

namespace korvagraph::analysis {
namespace {

constexpr int kPlaneXY = 0;
constexpr int kLegendWidth = 40;
constexpr char kLegendSuffix[] = "legend";

// The values a map colours, as the colour scale has them: the values
// themselves over their window, or their ranks from 0 (lowest) to 1.
struct Colouring {
  std::vector<double> shown;  // one per value
  DataWindow window;          // of shown
};

Colouring ColouringOf(const std::vector<double>& values, ColourScale scale,
                      DataWindow window) {
  Colouring colouring{values, window};
  if (scale == ColourScale::kLinear || values.size() < 2) return colouring;
  std::vector<size_t> order(values.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&values](size_t a, size_t b) {
    return values[a] < values[b];
  });
  // Ties share the mean of their ranks, so equal values get one colour.
  for (size_t first = 0; first < order.size();) {
    size_t last = first;
    while (last + 1 < order.size() &&
           values[order[last + 1]] == values[order[first]]) {
      ++last;
    }
    const double rank = 0.5 * (first + last) / (order.size() - 1.0);
    for (size_t k = first; k <= last; ++k) colouring.shown[order[k]] = rank;
    first = last + 1;
  }
  colouring.window = {0.0, 1.0};
  return colouring;
}

// Appends the values the legend stands for at its bottom, quarter marks
// and top: evenly spaced over window (linear), or the values' quartiles
// (quantile).
void AddLegendValues(const std::vector<double>& values, ColourScale scale,
                     DataWindow window, Statistics* stats) {
  std::vector<double> sorted = values;
  std::sort(sorted.begin(), sorted.end());
  const char* const kMarks[] = {"legend bottom (blue)", "legend at 1/4",
                                "legend at 1/2", "legend at 3/4",
                                "legend top (red)"};
  for (int k = 4; k >= 0; --k) {
    double value = window.minimum + k / 4.0 * (window.maximum - window.minimum);
    if (scale == ColourScale::kQuantile && !sorted.empty()) {
      const double at = k / 4.0 * (sorted.size() - 1);
      const size_t below = static_cast<size_t>(at);
      const size_t above = std::min(below + 1, sorted.size() - 1);
      value = sorted[below] + (at - below) * (sorted[above] - sorted[below]);
    }
    AddStatistic(stats, kMarks[k], value);
  }
}

// Loads the records, the coordinate box and the colours' window into
// graph. records must outlive graph.
void LoadMap(CKorvaGraph* graph, const std::vector<KvDiscPnt>& records,
             const MapExtent& extent, const DataWindow& colours) {
  _kvGraphLoadDiscPnts(graph, Loaded(records), CountOf(records));
  _kvGraphSetCoordExtr(graph, extent.minimum, extent.maximum);
  _kvGraphSetDataExtr(graph, colours.minimum, colours.maximum);
}

// Draws records as a local-mean map with its legend into pictures.
Status DrawColouredMap(const std::vector<KvDiscPnt>& records,
                       const MapExtent& extent,
                       const std::vector<double>& values, ColourScale scale,
                       ChartPictures* pictures, Statistics* stats) {
  GraphObject graph = CreateGraph(kKvLocalMeanMap);
  if (graph == nullptr) return NoGraph();
  const Colouring colouring = ColouringOf(values, scale, extent.values);
  // The linear scale draws the records as they are; ranks need a copy.
  std::vector<KvDiscPnt> ranked;
  if (scale == ColourScale::kQuantile) {
    ranked = records;
    for (size_t i = 0; i < ranked.size(); ++i) {
      ranked[i].value = colouring.shown[i];
    }
  }
  LoadMap(graph.get(), scale == ColourScale::kQuantile ? ranked : records,
          extent, colouring.window);
  _kvGraphSetCurPlane(graph.get(), kPlaneXY);
  _kvGraphCptLocmParam(graph.get());
  CanvasWindow* map_window = pictures->main();
  CanvasWindow* legend =
      pictures->Add(kLegendSuffix, kLegendWidth, map_window->Height());
  _kvGraphDrawLocmPlt(graph.get(), map_window->Wnd(), legend->Wnd());
  AddText(stats, "colour scale", ColourScaleName(scale));
  AddLegendValues(values, scale, extent.values, stats);
  return Status::Ok();
}

void AddMapStatistics(const Session& session, int64_t samples,
                      const MapExtent& extent, Statistics* stats) {
  const ColumnChoice& columns = session.columns();
  AddCount(stats, "samples", samples);
  AddRange(stats, session.Name(columns.x) + " extent", extent.minimum.x,
           extent.maximum.x);
  AddRange(stats, session.Name(columns.y) + " extent", extent.minimum.y,
           extent.maximum.y);
  AddRange(stats, session.Name(columns.primary) + " window",
           extent.values.minimum, extent.values.maximum);
}

// Draws the pair map of pairs; adds its statistics when stats is given.
Status DrawPairMap(Session* session, const std::vector<KVL_DOT>& pairs,
                   CanvasWindow* window, Statistics* stats) {
  const std::vector<KvDiscPnt>* records = nullptr;
  const Samples* samples = nullptr;
  Status status = session->LocatedRecords(&records);
  if (status.ok()) status = session->Located(&samples);
  if (!status.ok()) return status;
  GraphObject graph = CreateGraph(kKvCloudLocationMap);
  if (graph == nullptr) return NoGraph();
  const MapExtent extent = MapExtentOf(*samples);
  LoadMap(graph.get(), *records, extent, extent.values);
  _kvLoadVrgCldLocSelInfo(graph.get(), Loaded(pairs), CountOf(pairs));
  _kvGraphDrawVrgCldLocmPlt(graph.get(), window->Wnd());
  if (stats != nullptr) {
    AddMapStatistics(*session, samples->size(), extent, stats);
  }
  return Status::Ok();
}

}  // namespace

const char* ColourScaleName(ColourScale scale) {
  return scale == ColourScale::kLinear ? "linear" : "quantile";
}

bool ParseColourScale(const std::string& name, ColourScale* scale) {
  for (ColourScale s : {ColourScale::kLinear, ColourScale::kQuantile}) {
    if (name == ColourScaleName(s)) {
      *scale = s;
      return true;
    }
  }
  return false;
}

Status DrawCloudPairMap(Session* session, const std::vector<KVL_DOT>& pairs,
                        CanvasWindow* window) {
  return DrawPairMap(session, pairs, window, nullptr);
}

Status DrawCloudLocationMap(Session* session, const ChartOptions&,
                            ChartPictures* pictures, Statistics* stats,
                            ChartTable*) {
  const CloudSet* set = nullptr;
  Status status = session->Cloud(&set);
  if (!status.ok()) return status;
  status =
      DrawPairMap(session, set->highlighted_pairs, pictures->main(), stats);
  if (!status.ok()) return status;
  AddHighlightStatistics(*set, stats);
  return Status::Ok();
}

Status DrawLocationMap(Session* session, const ChartOptions& options,
                       ChartPictures* pictures, Statistics* stats,
                       ChartTable*) {
  const std::vector<KvDiscPnt>* records = nullptr;
  const Samples* samples = nullptr;
  Status status = session->LocatedRecords(&records);
  if (status.ok()) status = session->Located(&samples);
  if (!status.ok()) return status;
  const MapExtent extent = MapExtentOf(*samples);
  Statistics legend;
  status = DrawColouredMap(*records, extent, samples->value, options.colours,
                           pictures, &legend);
  if (!status.ok()) return status;
  AddMapStatistics(*session, samples->size(), extent, stats);
  stats->insert(stats->end(), legend.begin(), legend.end());
  return Status::Ok();
}

Status DrawVariogramMap(Session* session, const ChartOptions& options,
                        ChartPictures* pictures, Statistics* stats,
                        ChartTable* table) {
  const VariogramMap* map = nullptr;
  Status status = session->Map(&map);
  if (!status.ok()) return status;
  // Cells of few pairs say little, as a variogram's lags do: left out.
  Samples cells;
  std::vector<KvDiscPnt> records;
  table->columns = {"dx", "dy", "semivariance", "pairs"};
  for (int j = -map->cells; j <= map->cells; ++j) {
    for (int i = -map->cells; i <= map->cells; ++i) {
      const size_t at = map->At(i, j);
      const double dx = i * map->lag, dy = j * map->lag;
      const double gamma = map->semivariance[at];
      if (map->pairs[at] > 0) {
        table->Add({}, {dx, dy, gamma, static_cast<double>(map->pairs[at])});
      }
      if (map->pairs[at] < kMinVariogramPairs || !std::isfinite(gamma)) {
        continue;
      }
      cells.Append(dx, dy, 0.0, gamma, std::nan(""), static_cast<int64_t>(at));
      KvDiscPnt record{};
      record.x = dx;
      record.y = dy;
      record.value = gamma;
      records.push_back(record);
    }
  }
  if (cells.size() == 0) {
    return Status::Failure("no cell of the variogram map holds " +
                           std::to_string(kMinVariogramPairs) +
                           " pairs or more: nothing to draw (try a larger "
                           "lag spacing)");
  }
  MapExtent extent = MapExtentOf(cells);
  // The box is the whole grid, centred on no separation.
  const double half = (map->cells + 0.5) * map->lag;
  extent.minimum = {-half, -half, -0.5};
  extent.maximum = {half, half, 0.5};
  AddStatistic(stats, "lag spacing", map->lag);
  AddCount(stats, "cells each way", map->cells);
  AddCount(stats,
           "cells of " + std::to_string(kMinVariogramPairs) + " pairs or more",
           cells.size());
  return DrawColouredMap(records, extent, cells.value, options.colours,
                         pictures, stats);
}

}  // namespace korvagraph::analysis
