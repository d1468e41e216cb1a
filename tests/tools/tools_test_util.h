// Running the korvagraph program from the tools tests.
#ifndef TESTS_TOOLS_TOOLS_TEST_UTIL_H_
#define TESTS_TOOLS_TOOLS_TEST_UTIL_H_

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "test_support/temp_dir.h"

namespace kgtools {

struct ProgramRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs korvagraph with args (already quoted for the shell) in dir, its
// standard input read from input (a path; default: none).
inline ProgramRun Korvagraph(const TempDir& dir, const std::string& args,
                             const std::string& input = "/dev/null") {
  const std::string out = dir.File("stdout.txt"), err = dir.File("stderr.txt");
  const std::string command = "cd '" + dir.path() + "' && '" +
                              KORVAGRAPH_PROGRAM + "' " + args + " >'" + out +
                              "' 2>'" + err + "' <'" + input + "'";
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

#endif  // TESTS_TOOLS_TOOLS_TEST_UTIL_H_
