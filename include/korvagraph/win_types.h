// The few framework types that the exports' signatures use: 32-bit integers,
// colours and the window class. Nothing here is a macro, and nothing of the
// drawing API (device contexts, pens, TRUE/FALSE, RGB) is declared, so a host
// may include other headers that define those names before or after this one.
#ifndef KORVAGRAPH_WIN_TYPES_H_
#define KORVAGRAPH_WIN_TYPES_H_

#include <cstdint>

#include "korvagraph/records.h"  // LONG

using ULONG = uint32_t;
using COLORREF = uint32_t;  // 0x00BBGGRR

// A window the charts draw into. Hosts only pass pointers to it: the one a
// CanvasWindow gives (korvagraph/canvas_window.h).
class CWnd;

// Returns the colour of the given red, green and blue intensities (0 to
// 255) as 0x00BBGGRR.
constexpr COLORREF KvRgb(uint8_t red, uint8_t green, uint8_t blue) {
  return static_cast<COLORREF>(red) | (static_cast<COLORREF>(green) << 8) |
         (static_cast<COLORREF>(blue) << 16);
}

#endif  // KORVAGRAPH_WIN_TYPES_H_
