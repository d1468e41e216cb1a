// The command-line options of korvagraph's subcommands, one table for all:
// each subcommand takes the same options and uses those it needs. The
// options that say what to compute go straight into the analysis
// library's settings.
#ifndef TOOLS_KORVAGRAPH_OPTIONS_H_
#define TOOLS_KORVAGRAPH_OPTIONS_H_

#include <string>
#include <vector>

#include "korvagraph/analysis/charts.h"
#include "korvagraph/analysis/session.h"
#include "korvagraph/analysis/status.h"

namespace korvagraph {

struct Options {
  analysis::Settings settings;  // --tmin ... --model: what is computed
  std::string data_path;        // --data; empty: the bundled sample
  std::string out;              // --out; empty: the subcommand's default
  int width = analysis::kDefaultPictureSide;  // --size WxH
  int height = analysis::kDefaultPictureSide;
  int classes = 0;                 // --classes; 0: from the sample count
  bool cumulative = false;         // --cumulative
  std::string direction = "omni";  // --dir: omni or one of --dirs
  bool json = false;               // --json, --stats json
  bool version = false;            // --version
  std::string format;              // --format png|svg|pdf; empty: from --out
  std::string formats;  // --formats png,svg,pdf: the gallery's formats
  double scale = 1.0;   // --scale: vector rendering scale of PNGs
  bool quiet = false;   // --quiet: no progress lines
  bool cross = false;   // --cross: the cross variogram
  std::string table;    // --table FILE.csv: the lags or cells as CSV
  analysis::ColourScale colours = analysis::ColourScale::kLinear;
  int port = 8080;                 // serve: --port; 0 takes any free port
  std::string host = "127.0.0.1";  // serve: --host, the address served
  bool help = false;               // --help, -h
  std::vector<std::string> positional;
};

// Parses args (the words after the subcommand) into *options, and checks
// the options that depend on one another. A failure names the option and
// what it expected, on one line.
analysis::Status ParseOptions(const std::vector<std::string>& args,
                              Options* options);

// Returns the options' help by group, one option per line, for usage
// texts; each group opens with a blank line and its title.
std::string OptionsHelp();

// Returns the variogram row --dir shows: 0 every direction, d the d-th
// azimuth of --dirs.
int DirectionRow(const Options& options);

// Returns the chart options the command line gives.
analysis::ChartOptions ChartOptionsOf(const Options& options);

}  // namespace korvagraph

#endif  // TOOLS_KORVAGRAPH_OPTIONS_H_
