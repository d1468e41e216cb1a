// The charts korvagraph draws, in one table: each entry names a subcommand
// and holds the function that sets up the chart's graph object from the
// data, draws it into its pictures and returns the statistics to show.
// Adding a chart is one entry here plus its function.
#ifndef TOOLS_KORVAGRAPH_CHART_TABLE_H_
#define TOOLS_KORVAGRAPH_CHART_TABLE_H_

#include <string>
#include <vector>

#include "tools/korvagraph/chart_context.h"
#include "tools/korvagraph/chart_pictures.h"
#include "tools/korvagraph/statistic.h"
#include "tools/korvagraph/status.h"

// Sets up one chart from context, draws it into pictures->main() (and any
// picture it adds) and appends its statistics.
using DrawChart = Status (*)(ChartContext* context, ChartPictures* pictures,
                             Statistics* stats);

struct ChartEntry {
  const char* name;         // the subcommand and the PNG's base name
  const char* title;        // a heading for the gallery
  const char* description;  // one line for --help
  const char* options;      // the options it reads, for --help
  ColumnUse uses;           // the columns it draws from
  DrawChart draw;
};

// Every chart, in gallery order.
const std::vector<ChartEntry>& ChartTable();

// Returns the entry named name, or null.
const ChartEntry* FindChart(const std::string& name);

#endif  // TOOLS_KORVAGRAPH_CHART_TABLE_H_
