// The analysis library: what a host computes before it draws KorvaGraphLib's
// charts, shared by every host (the command line, the browser workbench, a
// GUI, Python). Link KorvaGraph::Analysis (CMake) or korvagraph-analysis
// (pkg-config); everything is in namespace korvagraph::analysis.
//
// The road of a host:
//   Table table;                                  // table.h
//   ReadTable("walker.csv", {}, &table);          // GeoEAS or CSV
//   Settings settings;                            // session.h
//   settings.columns.primary = "V";
//   settings.variogram.azimuths = {0, 45, 90, 135};
//   std::unique_ptr<Session> session;
//   Session::Open(std::move(table), settings, &session);
//   const VariogramSet* set = nullptr;
//   session->Variograms(&set);                    // rows, lags, fitted model
//   ChartPictures pictures(560, 560);             // charts.h
//   DrawnChart drawn;
//   DrawChart(session.get(), *FindChartKind("vario"), {}, &pictures, &drawn);
//   pictures.Save(0, "vario.png");
// or draws set->rows itself through the chart exports (KorvaGraphLib.h).
//
// The parts, one header each:
//   status.h      errors as plain values: message, file, line; whoever prints
//                 them escapes them for the place they go.
//   table.h       GeoEAS and CSV tables, missing values (NaN), trimming
//                 limits, finding a column by name or number.
//   columns.h     the default choice of attributes and coordinates; ID
//                 columns passed over by name and by content, with reasons.
//   samples.h     located samples (x, y, z, values) and the maps' extent.
//   statistics.h  data windows, class counts, moments, a least-squares line,
//                 the power of ten the charts need.
//   variogram.h   experimental variograms over directions: azimuths in
//                 degrees clockwise from north, angle tolerance either side,
//                 bandwidth across the direction's axis, lags of a spacing
//                 with a tolerance (which pairs a lag holds is written there).
//   variogram_sums.h  the same in pieces: the sums of a tile of sample
//                 blocks, merged in a fixed order, on any number of machines.
//   cloud.h       the bounded variogram cloud, its highlighted pairs, the
//                 pairs of a lag or a box, the samples most involved.
//   model.h       nested variogram models, their one validation rule, the
//                 chart library's model record, JSON and GSLIB texts.
//   model_fit.h   weighted least-squares fits and their warnings.
//   session.h     one data set with one set of settings, computed once and
//                 cached, with the warnings each request raises.
//   progress.h    a callback told how far the pair loops are; it may cancel.
//   charts.h      every chart drawn from a session into CanvasWindows, with
//                 the statistics its compute step returns.
//   statistic.h   a chart's named results; json.h the JSON writers.
//
// Units: distances and ranges in the units of the coordinates; angles in
// degrees; semivariances in the attribute's units squared.
// Ownership: functions return values or fill the caller's objects; a
// Session owns its table and everything it computed, and the pointers it
// hands out live as long as it.
// Threads: any function may be called from any thread; a Session, and the
// chart library behind charts.h, from one thread at a time. The pair loops
// use every core internally; their results do not depend on the core count.
#ifndef KORVAGRAPH_ANALYSIS_H_
#define KORVAGRAPH_ANALYSIS_H_

#include "korvagraph/analysis/charts.h"
#include "korvagraph/analysis/cloud.h"
#include "korvagraph/analysis/columns.h"
#include "korvagraph/analysis/json.h"
#include "korvagraph/analysis/model.h"
#include "korvagraph/analysis/model_fit.h"
#include "korvagraph/analysis/progress.h"
#include "korvagraph/analysis/samples.h"
#include "korvagraph/analysis/session.h"
#include "korvagraph/analysis/statistic.h"
#include "korvagraph/analysis/statistics.h"
#include "korvagraph/analysis/status.h"
#include "korvagraph/analysis/table.h"
#include "korvagraph/analysis/variogram.h"
#include "korvagraph/analysis/variogram_sums.h"

#endif  // KORVAGRAPH_ANALYSIS_H_
