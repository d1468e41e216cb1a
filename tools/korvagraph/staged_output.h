// StagedOutput: a file or directory written under a temporary name beside
// its final place and renamed there only when complete, so a failed run
// leaves nothing that looks finished. Destroying it uncommitted removes the
// partial output.
#ifndef TOOLS_KORVAGRAPH_STAGED_OUTPUT_H_
#define TOOLS_KORVAGRAPH_STAGED_OUTPUT_H_

#include <memory>
#include <string>

#include "korvagraph/analysis/status.h"

namespace korvagraph {

class StagedOutput {
 public:
  enum class Kind { kFile, kDirectory };

  // Prepares output for final_path; for a directory, creates the staging
  // directory. An existing directory at final_path is replaced on commit only
  // when it is empty or holds an earlier gallery (an index.html), so a
  // mistyped --out cannot wipe unrelated files.
  static analysis::Status Create(const std::string& final_path, Kind kind,
                                 std::unique_ptr<StagedOutput>* output);

  ~StagedOutput();
  StagedOutput(const StagedOutput&) = delete;
  StagedOutput& operator=(const StagedOutput&) = delete;

  // Where to write now: the staging file or directory.
  const std::string& path() const { return staging_path_; }
  const std::string& final_path() const { return final_path_; }

  // Moves the output into its final place.
  analysis::Status Commit();

 private:
  StagedOutput(std::string final_path, std::string staging_path, Kind kind)
      : final_path_(std::move(final_path)),
        staging_path_(std::move(staging_path)),
        kind_(kind) {}

  std::string final_path_;
  std::string staging_path_;
  Kind kind_;
  bool committed_ = false;
};

}  // namespace korvagraph

#endif  // TOOLS_KORVAGRAPH_STAGED_OUTPUT_H_
