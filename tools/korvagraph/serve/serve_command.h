// `korvagraph serve`: reads the data once, checks that the workbench can
// show it, and serves the workbench page on --host:--port until SIGINT or
// SIGTERM.
#ifndef TOOLS_KORVAGRAPH_SERVE_SERVE_COMMAND_H_
#define TOOLS_KORVAGRAPH_SERVE_SERVE_COMMAND_H_

#include <string>

#include "tools/korvagraph/options.h"

namespace korvagraph {

// Runs the server on the data at path; returns the exit status.
int RunServe(const Options& options, const std::string& path);

}  // namespace korvagraph

#endif  // TOOLS_KORVAGRAPH_SERVE_SERVE_COMMAND_H_
