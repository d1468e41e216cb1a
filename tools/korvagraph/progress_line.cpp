#include "tools/korvagraph/progress_line.h"

#include <algorithm>
#include <utility>

namespace korvagraph {
namespace {

constexpr int64_t kCallsBetweenChecks = 4096;
constexpr double kSecondsBetweenPrints = 0.2;

double Seconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

// Returns a rate as "950/s", "12.3 k/s", "4.56 M/s" or "1.2 G/s".
std::string Rate(double per_second) {
  const char* const kPrefixes[] = {"", " k", " M", " G"};
  int prefix = 0;
  while (per_second >= 1000.0 && prefix < 3) {
    per_second /= 1000.0;
    ++prefix;
  }
  char text[32];
  std::snprintf(text, sizeof(text), "%.3g%s/s", per_second, kPrefixes[prefix]);
  return text;
}

}  // namespace

ProgressLine::ProgressLine(std::string label, int64_t total, std::FILE* out,
                           double delay_seconds)
    : label_(std::move(label)),
      total_(total),
      out_(out),
      start_(Clock::now()),
      last_print_(start_),
      delay_seconds_(delay_seconds) {}

ProgressLine::~ProgressLine() {
  if (!printed_) return;
  char text[64];
  std::snprintf(text, sizeof(text), ": done, %lld of %lld in %.1f s",
                static_cast<long long>(total_), static_cast<long long>(total_),
                Seconds(Clock::now() - start_));
  Print(label_ + text, "\n");
}

void ProgressLine::Print(const std::string& text, const char* end) {
  // Spaces wipe the end of a longer earlier line.
  const int width = static_cast<int>(text.size());
  std::fprintf(out_, "\r%s%*s%s", text.c_str(), std::max(width_ - width, 0), "",
               end);
  std::fflush(out_);
  width_ = std::max(width_, width);
}

void ProgressLine::Check(int64_t done) {
  next_check_ = calls_ + kCallsBetweenChecks;
  const Clock::time_point now = Clock::now();
  if (Seconds(now - start_) < delay_seconds_) return;
  if (printed_ && Seconds(now - last_print_) < kSecondsBetweenPrints) return;
  const double percent =
      total_ > 0 ? 100.0 * static_cast<double>(done) / total_ : 100.0;
  const double elapsed = Seconds(now - start_);
  const double rate = elapsed > 0.0 ? static_cast<double>(done) / elapsed : 0.0;
  std::string pace = rate > 0.0 ? ", " + Rate(rate) : std::string();
  if (rate > 0.0 && done < total_) {
    char left[32];
    std::snprintf(left, sizeof(left), ", %.0f s left",
                  static_cast<double>(total_ - done) / rate);
    pace += left;
  }
  char text[96];
  std::snprintf(text, sizeof(text), ": %3.0f%% (%lld of %lld)", percent,
                static_cast<long long>(done), static_cast<long long>(total_));
  Print(label_ + text + pace, "");
  printed_ = true;
  last_print_ = now;
}

analysis::ProgressCallback TerminalProgress::Callback() {
  return [this](const analysis::ProgressReport& report) {
    if (line_ == nullptr || step_ != report.step) {
      line_.reset();  // ends the line of the step before
      step_ = report.step;
      line_ = std::make_unique<ProgressLine>(step_, report.total, out_);
    }
    line_->Report(report.done);
    if (report.done >= report.total) line_.reset();
    return true;
  };
}

}  // namespace korvagraph
