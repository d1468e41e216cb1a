// ProgressLine: one line on a terminal stream telling how far a long step
// is, how fast it goes and how long it has left. It stays silent for the
// first second, so quick steps print nothing, then rewrites itself in place
// and ends with a newline when destroyed. One thread reports.
#ifndef TOOLS_KORVAGRAPH_PROGRESS_LINE_H_
#define TOOLS_KORVAGRAPH_PROGRESS_LINE_H_

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "korvagraph/analysis/progress.h"

namespace korvagraph {

class ProgressLine {
 public:
  // out may be null (no output). delay_seconds: silence before the first
  // line; tests pass 0.
  ProgressLine(std::string label, int64_t total, std::FILE* out,
               double delay_seconds = 1.0);
  ~ProgressLine();
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  // Reports that done of total units are finished. Cheap enough to call
  // for every unit: the clock is read only every few thousand calls.
  void Update(int64_t done) {
    if (out_ == nullptr || ++calls_ < next_check_) return;
    Check(done);
  }
  // Reports done units at once: for callers that report after large pieces
  // of work rather than after every unit.
  void Report(int64_t done) {
    if (out_ != nullptr) Check(done);
  }

  // Changes the number of units the step takes, once it is known.
  void set_total(int64_t total) { total_ = total; }

  bool printed() const { return printed_; }

 private:
  using Clock = std::chrono::steady_clock;
  void Check(int64_t done);
  // Rewrites the line with text, then end.
  void Print(const std::string& text, const char* end);

  std::string label_;
  int64_t total_;
  std::FILE* out_;
  Clock::time_point start_;
  Clock::time_point last_print_;
  double delay_seconds_;
  int64_t calls_ = 0;
  int64_t next_check_ = 0;
  bool printed_ = false;
  int width_ = 0;  // of the longest line printed
};

// TerminalProgress: the analysis library's progress reports as one
// ProgressLine per step on a terminal stream. Never cancels.
class TerminalProgress {
 public:
  explicit TerminalProgress(std::FILE* out) : out_(out) {}
  TerminalProgress(const TerminalProgress&) = delete;
  TerminalProgress& operator=(const TerminalProgress&) = delete;

  // Returns the callback to hand the library; valid while this lives.
  analysis::ProgressCallback Callback();

 private:
  std::FILE* out_;
  std::string step_;
  std::unique_ptr<ProgressLine> line_;
};

}  // namespace korvagraph

#endif  // TOOLS_KORVAGRAPH_PROGRESS_LINE_H_
