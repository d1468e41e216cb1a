// Helpers for the tools tests: a temporary directory removed with its scope,
// writing small files into it, and running the korvagraph program.
#ifndef TESTS_TOOLS_TOOLS_TEST_UTIL_H_
#define TESTS_TOOLS_TOOLS_TEST_UTIL_H_

#include <stdlib.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace kgtools {

class TempDir {
 public:
  TempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "kgtools-XXXXXX").string();
    path_ = mkdtemp(pattern.data()) != nullptr ? pattern : "";
  }
  ~TempDir() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

  // Writes text to name inside the directory; returns its path.
  std::string Write(const std::string& name, const std::string& text) const {
    const std::string file = File(name);
    std::ofstream(file, std::ios::binary) << text;
    return file;
  }

 private:
  std::string path_;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in),
                     std::istreambuf_iterator<char>());
}

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
