// The maps of the located samples: the local-mean map with its colour
// legend, and the cloud's location map linking sample pairs.
#include <vector>

#include "analysis/charts/chart_parts.h"

namespace korvagraph::analysis {
namespace {

constexpr int kPlaneXY = 0;
constexpr int kLegendWidth = 40;
constexpr char kLegendSuffix[] = "legend";

// Loads the located samples, their coordinate box and the window of their
// attribute into graph; returns their extent. The records stay with the
// session, which outlives graph.
Status LoadMap(Session* session, CKorvaGraph* graph, MapExtent* extent) {
  const std::vector<KvDiscPnt>* samples = nullptr;
  const Samples* located = nullptr;
  Status status = session->LocatedRecords(&samples);
  if (status.ok()) status = session->Located(&located);
  if (!status.ok()) return status;
  *extent = MapExtentOf(*located);
  _kvGraphLoadDiscPnts(graph, Loaded(*samples), CountOf(*samples));
  _kvGraphSetCoordExtr(graph, extent->minimum, extent->maximum);
  _kvGraphSetDataExtr(graph, extent->values.minimum, extent->values.maximum);
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
  GraphObject graph = CreateGraph(kKvCloudLocationMap);
  if (graph == nullptr) return NoGraph();
  MapExtent extent;
  Status status = LoadMap(session, graph.get(), &extent);
  if (!status.ok()) return status;
  _kvLoadVrgCldLocSelInfo(graph.get(), Loaded(pairs), CountOf(pairs));
  _kvGraphDrawVrgCldLocmPlt(graph.get(), window->Wnd());
  if (stats != nullptr) {
    const Samples* samples = nullptr;
    session->Located(&samples);
    AddMapStatistics(*session, samples->size(), extent, stats);
  }
  return Status::Ok();
}

}  // namespace

Status DrawCloudPairMap(Session* session, const std::vector<KVL_DOT>& pairs,
                        CanvasWindow* window) {
  return DrawPairMap(session, pairs, window, nullptr);
}

Status DrawCloudLocationMap(Session* session, const ChartOptions&,
                            ChartPictures* pictures, Statistics* stats) {
  const CloudSet* set = nullptr;
  Status status = session->Cloud(&set);
  if (!status.ok()) return status;
  status =
      DrawPairMap(session, set->highlighted_pairs, pictures->main(), stats);
  if (!status.ok()) return status;
  AddHighlightStatistics(*set, stats);
  return Status::Ok();
}

Status DrawLocationMap(Session* session, const ChartOptions&,
                       ChartPictures* pictures, Statistics* stats) {
  GraphObject graph = CreateGraph(kKvLocalMeanMap);
  if (graph == nullptr) return NoGraph();
  MapExtent extent;
  Status status = LoadMap(session, graph.get(), &extent);
  if (!status.ok()) return status;
  _kvGraphSetCurPlane(graph.get(), kPlaneXY);
  _kvGraphCptLocmParam(graph.get());
  CanvasWindow* map_window = pictures->main();
  CanvasWindow* legend =
      pictures->Add(kLegendSuffix, kLegendWidth, map_window->Height());
  _kvGraphDrawLocmPlt(graph.get(), map_window->Wnd(), legend->Wnd());

  const Samples* samples = nullptr;
  session->Located(&samples);
  AddMapStatistics(*session, samples->size(), extent, stats);
  AddStatistic(stats, "legend top (red)", extent.values.maximum);
  AddStatistic(stats, "legend bottom (blue)", extent.values.minimum);
  return Status::Ok();
}

}  // namespace korvagraph::analysis
