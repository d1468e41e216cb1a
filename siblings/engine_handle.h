// EngineHandle: one statistics-engine handle, created with a kind and deleted
// when the owner goes. A handle of 0 means the engine gave none.
#ifndef SIBLINGS_ENGINE_HANDLE_H_
#define SIBLINGS_ENGINE_HANDLE_H_

#include "siblings/korvalib.h"

// The kinds of handle the engine makes (_kvCreateKorvaObj).
enum EngineKind : int {
  kNormalScoreEngine = 1,  // one normal-score computation
  kModelEngine = 2,        // one model-curve evaluation
  kChartEngine = 3,        // a chart's long-lived handle
};

class EngineHandle {
 public:
  explicit EngineHandle(EngineKind kind) : handle_(_kvCreateKorvaObj(kind)) {}
  ~EngineHandle() {
    if (handle_ != 0) _kvDeleteKorvaObj(handle_);
  }
  EngineHandle(const EngineHandle&) = delete;
  EngineHandle& operator=(const EngineHandle&) = delete;

  int get() const { return handle_; }

 private:
  int handle_;
};

#endif  // SIBLINGS_ENGINE_HANDLE_H_
