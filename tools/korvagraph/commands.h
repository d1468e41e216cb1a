// The korvagraph command line: `gallery`, one subcommand per chart of the
// chart table, and `check-gallery`.
#ifndef TOOLS_KORVAGRAPH_COMMANDS_H_
#define TOOLS_KORVAGRAPH_COMMANDS_H_

#include <string>
#include <vector>

namespace korvagraph {

// Exit statuses: success, a failed check or internal failure, and an error
// in what the user gave (data, columns, options).
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUserError = 2;

// Runs the command in args (the words after the program name); returns the
// exit status.
int RunKorvagraph(const std::vector<std::string>& args);

}  // namespace korvagraph

#endif  // TOOLS_KORVAGRAPH_COMMANDS_H_
