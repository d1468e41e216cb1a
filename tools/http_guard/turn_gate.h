// TurnGate: lets a fixed number of callers through at a time, with a
// bounded number waiting for their turn. Closing it sends the waiting
// callers away, so that a server stops without first doing every piece of
// work queued up.
#ifndef TOOLS_HTTP_GUARD_TURN_GATE_H_
#define TOOLS_HTTP_GUARD_TURN_GATE_H_

#include <condition_variable>
#include <cstddef>
#include <mutex>

namespace korvagraph {

class TurnGate {
 public:
  enum class Entry { kEntered, kBusy, kClosed };

  TurnGate(size_t turns, size_t max_waiting)
      : turns_(turns), max_waiting_(max_waiting) {}
  TurnGate(const TurnGate&) = delete;
  TurnGate& operator=(const TurnGate&) = delete;

  // Waits for the caller's turn. kBusy: max_waiting callers wait already;
  // kClosed: the gate was closed before the turn came.
  Entry Enter();
  // Ends the turn of a caller that entered.
  void Leave();
  // Sends every waiting caller away, and every later one.
  void Close();

 private:
  const size_t turns_;
  const size_t max_waiting_;
  std::mutex mutex_;
  std::condition_variable turn_;
  size_t waiting_ = 0;
  size_t inside_ = 0;
  bool closed_ = false;
};

// Holds a turn for the life of the object when Enter gave one.
class GateTurn {
 public:
  explicit GateTurn(TurnGate* gate) : gate_(gate), entry_(gate->Enter()) {}
  ~GateTurn() {
    if (entry_ == TurnGate::Entry::kEntered) gate_->Leave();
  }
  GateTurn(const GateTurn&) = delete;
  GateTurn& operator=(const GateTurn&) = delete;

  TurnGate::Entry entry() const { return entry_; }

 private:
  TurnGate* gate_;
  const TurnGate::Entry entry_;
};

}  // namespace korvagraph

#endif  // TOOLS_HTTP_GUARD_TURN_GATE_H_
