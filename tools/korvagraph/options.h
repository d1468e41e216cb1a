// The command-line options of korvagraph's subcommands, one table for all:
// each subcommand takes the same options and uses those it needs.
#ifndef TOOLS_KORVAGRAPH_OPTIONS_H_
#define TOOLS_KORVAGRAPH_OPTIONS_H_

#include <string>
#include <vector>

#include "tools/korvagraph/status.h"

struct Options {
  std::string data_path;  // --data; empty: the bundled sample
  std::string out;        // --out; empty: the subcommand's default
  int width = 560;        // --size WxH; square, so every axis title fits
  int height = 560;
  std::string column;    // --col: the primary attribute
  std::string column2;   // --col2: the secondary attribute
  std::string x_column;  // --x, --y, --z: coordinates
  std::string y_column;
  std::string z_column;
  int classes = 0;                 // --classes; 0: from the sample count
  bool cumulative = false;         // --cumulative
  double lag = 0.0;                // --lag; 0: from the data extent
  int lag_count = 0;               // --lags; 0: from the data extent
  double lag_tolerance = 0.0;      // --lagtol; 0: half the lag
  std::string direction = "omni";  // --dir: omni or one of --dirs
  std::vector<double> azimuths = {0.0, 45.0, 90.0, 135.0};  // --dirs LIST
  double angle_tolerance = 22.5;         // --atol: degrees either side
  double bandwidth = 0.0;                // --bandwidth; 0: no limit
  int highlight = 20;                    // --highlight: cloud points in cyan
  std::string model_type = "spherical";  // --model-type
  // --model NUGGET,SILL,RANGE: each given value is fixed, blanks are fitted;
  // has_model when all three are given.
  bool has_model = false;
  bool fix_nugget = false, fix_sill = false, fix_range = false;
  double nugget = 0.0;
  double sill = 0.0;
  double range = 0.0;
  double tmin = -1e21;        // --tmin, --tmax: values outside [tmin, tmax) are
  double tmax = 1e21;         // missing, as are those at or below -999
  std::string weight_column;  // --weight: declustering weights
  std::string transform = "none";  // --transform none|log|nscore
  double shift = 0.0;              // --shift: added before the logarithm
  bool json = false;               // --json, --stats json
  bool version = false;            // --version
  std::string format;              // --format png|svg|pdf; empty: from --out
  std::string formats;  // --formats png,svg,pdf: the gallery's formats
  double scale = 1.0;   // --scale: vector rendering scale of PNGs
  long long cloud_max = 1000000;   // --cloud-max: cloud pairs drawn at most
  bool quiet = false;              // --quiet: no progress lines
  int port = 8080;                 // serve: --port; 0 takes any free port
  std::string host = "127.0.0.1";  // serve: --host, the address served
  bool help = false;               // --help, -h
  std::vector<std::string> positional;
};

// Parses args (the words after the subcommand) into *options, and checks
// the options that depend on one another. A failure names the option and
// what it expected, on one line.
Status ParseOptions(const std::vector<std::string>& args, Options* options);

// Returns the options' help by group, one option per line, for usage
// texts; each group opens with a blank line and its title.
std::string OptionsHelp();

#endif  // TOOLS_KORVAGRAPH_OPTIONS_H_
