#include "tools/korvagraph/map_charts.h"

#include <vector>

#include "tools/korvagraph/graph_object.h"
#include "tools/korvagraph/map_extent.h"
#include "tools/korvagraph/variogram_charts.h"

namespace {

constexpr int kPlaneXY = 0;
constexpr int kLegendWidth = 40;
constexpr char kLegendSuffix[] = "legend";

// What both maps load: the located samples and their extent.
struct MapData {
  // A copy: the loaders take non-const records, and the charts' arrays
  // must outlive the graph object.
  std::vector<KvDiscPnt> samples;
  MapExtent extent;
};

// Loads the located samples, their coordinate box and the window of their
// attribute into graph; map holds the arrays for as long as graph lives.
Status LoadMap(ChartContext* context, CKorvaGraph* graph, MapData* map) {
  const std::vector<KvDiscPnt>* samples = nullptr;
  Status status = context->LocatedSamples(&samples);
  if (!status.ok()) return status;
  map->samples = *samples;
  map->extent = MapExtentOf(map->samples);
  _kvGraphLoadDiscPnts(graph, map->samples.data(), CountOf(map->samples));
  _kvGraphSetCoordExtr(graph, map->extent.minimum, map->extent.maximum);
  _kvGraphSetDataExtr(graph, map->extent.values.minimum,
                      map->extent.values.maximum);
  return Status::Ok();
}

void AddMapStatistics(const ChartContext& context, const MapData& map,
                      Statistics* stats) {
  const MapExtent& extent = map.extent;
  AddCount(stats, "samples", CountOf(map.samples));
  AddRange(stats, context.Name(context.x_column()) + " extent",
           extent.minimum.x, extent.maximum.x);
  AddRange(stats, context.Name(context.y_column()) + " extent",
           extent.minimum.y, extent.maximum.y);
  AddRange(stats, context.Name(context.primary()) + " window",
           extent.values.minimum, extent.values.maximum);
}

}  // namespace

Status DrawCloudPairMap(ChartContext* context, std::vector<KVL_DOT>* pairs,
                        CanvasWindow* window, Statistics* stats) {
  MapData map;
  GraphObject graph = CreateGraph(kCloudLocationMapGraph);
  if (graph == nullptr) return NoGraph();
  Status status = LoadMap(context, graph.get(), &map);
  if (!status.ok()) return status;
  _kvLoadVrgCldLocSelInfo(graph.get(), pairs->data(), CountOf(*pairs));
  _kvGraphDrawVrgCldLocmPlt(graph.get(), window->Wnd());
  if (stats != nullptr) AddMapStatistics(*context, map, stats);
  return Status::Ok();
}

Status DrawCloudLocationMap(ChartContext* context, ChartPictures* pictures,
                            Statistics* stats) {
  CloudSet* set = nullptr;
  Status status = context->Cloud(&set);
  if (!status.ok()) return status;
  status = DrawCloudPairMap(context, &set->highlighted_pairs, pictures->main(),
                            stats);
  if (!status.ok()) return status;
  AddHighlightStatistics(*set, stats);
  return Status::Ok();
}

Status DrawLocationMap(ChartContext* context, ChartPictures* pictures,
                       Statistics* stats) {
  MapData map;
  GraphObject graph = CreateGraph(kLocalMeanMapGraph);
  if (graph == nullptr) return NoGraph();
  Status status = LoadMap(context, graph.get(), &map);
  if (!status.ok()) return status;
  _kvGraphSetCurPlane(graph.get(), kPlaneXY);
  _kvGraphCptLocmParam(graph.get());
  CanvasWindow* map_window = pictures->main();
  CanvasWindow* legend =
      pictures->Add(kLegendSuffix, kLegendWidth, map_window->Height());
  _kvGraphDrawLocmPlt(graph.get(), map_window->Wnd(), legend->Wnd());

  AddMapStatistics(*context, map, stats);
  AddStatistic(stats, "legend top (red)", map.extent.values.maximum);
  AddStatistic(stats, "legend bottom (blue)", map.extent.values.minimum);
  return Status::Ok();
}
