// Running the korvagraph program as a user would, in a temporary folder,
// with its exit status and what it printed.
#ifndef TESTS_TOOLS_PROGRAM_RUN_H_
#define TESTS_TOOLS_PROGRAM_RUN_H_

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tools_test_util.h"

namespace kgtools {

struct ProgramRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs korvagraph with args (already quoted for the shell) in dir.
inline ProgramRun Korvagraph(const TempDir& dir, const std::string& args) {
  const std::string out = dir.File("stdout.txt"), err = dir.File("stderr.txt");
  const std::string command = "cd '" + dir.path() + "' && '" +
                              KORVAGRAPH_PROGRAM + "' " + args + " >'" + out +
                              "' 2>'" + err + "' </dev/null";
  ProgramRun run;
  const int raw = std::system(command.c_str());
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = ReadFile(out);
  run.err = ReadFile(err);
  std::filesystem::remove(out);
  std::filesystem::remove(err);
  return run;
}

}  // namespace kgtools

#endif  // TESTS_TOOLS_PROGRAM_RUN_H_
