// CPoint: the framework's point, two signed 32-bit pixel coordinates.
#ifndef KORVAGRAPH_CPOINT_H_
#define KORVAGRAPH_CPOINT_H_

#include "korvagraph/win_types.h"

struct CPoint {
  LONG x = 0;
  LONG y = 0;
  CPoint() = default;
  CPoint(LONG px, LONG py) : x(px), y(py) {}
  friend bool operator==(const CPoint& a, const CPoint& b) {
    return a.x == b.x && a.y == b.y;
  }
};
static_assert(sizeof(CPoint) == 8, "CPoint is two 32-bit integers");

#endif  // KORVAGRAPH_CPOINT_H_
