#include "tools/korvagraph/progress_line.h"

#include <utility>

namespace {

constexpr int64_t kCallsBetweenChecks = 4096;
constexpr double kSecondsBetweenPrints = 0.2;

double Seconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double>(d).count();
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
  std::fprintf(out_, "\r%s: done, %lld of %lld in %.1f s\n", label_.c_str(),
               static_cast<long long>(total_), static_cast<long long>(total_),
               Seconds(Clock::now() - start_));
  std::fflush(out_);
}

void ProgressLine::Check(int64_t done) {
  next_check_ = calls_ + kCallsBetweenChecks;
  const Clock::time_point now = Clock::now();
  if (Seconds(now - start_) < delay_seconds_) return;
  if (printed_ && Seconds(now - last_print_) < kSecondsBetweenPrints) return;
  const double percent =
      total_ > 0 ? 100.0 * static_cast<double>(done) / total_ : 100.0;
  std::fprintf(out_, "\r%s: %3.0f%% (%lld of %lld)", label_.c_str(), percent,
               static_cast<long long>(done), static_cast<long long>(total_));
  std::fflush(out_);
  printed_ = true;
  last_print_ = now;
}
