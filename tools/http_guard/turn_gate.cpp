#include "tools/http_guard/turn_gate.h"

namespace korvagraph {

TurnGate::Entry TurnGate::Enter() {
  std::unique_lock<std::mutex> lock(mutex_);
  if (closed_) return Entry::kClosed;
  if (inside_ >= turns_ && waiting_ >= max_waiting_) return Entry::kBusy;
  ++waiting_;
  turn_.wait(lock, [this] { return inside_ < turns_ || closed_; });
  --waiting_;
  if (closed_) return Entry::kClosed;
  ++inside_;
  return Entry::kEntered;
}

void TurnGate::Leave() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    --inside_;
  }
  turn_.notify_one();
}

void TurnGate::Close() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    closed_ = true;
  }
  turn_.notify_all();
}

}  // namespace korvagraph
