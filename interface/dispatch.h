// Export dispatch: a null handle gives -1; otherwise the operation runs on the
// chart whose type code the handle carries, when that chart is one of those
// the export serves, and the export returns 1 (or the operation's status).
#ifndef INTERFACE_DISPATCH_H_
#define INTERFACE_DISPATCH_H_

#include <type_traits>

#include "korvagraph/KorvaGraphLib.h"

constexpr LONG kNullHandle = -1;
constexpr LONG kDone = 1;

// Runs op(chart) when graph is a Chart (by type code and dynamic type).
template <typename Chart, typename Operation>
bool RunIfChart(CKorvaGraph* graph, Operation& op, LONG& status) {
  if (graph->GetType() != Chart::kTypeCode) return false;
  Chart* chart = dynamic_cast<Chart*>(graph);
  if (chart == nullptr) return false;
  if constexpr (std::is_void_v<decltype(op(*chart))>) {
    op(*chart);
  } else {
    status = op(*chart);
  }
  return true;
}

// Returns -1 for a null graph; otherwise runs op on the first of Charts that
// the graph is, and returns op's status (when it has one) or 1.
template <typename... Charts, typename Operation>
LONG Dispatch(CKorvaGraph* graph, Operation op) {
  if (graph == nullptr) return kNullHandle;
  LONG status = kDone;
  (RunIfChart<Charts>(graph, op, status) || ...);
  return status;
}

#endif  // INTERFACE_DISPATCH_H_
