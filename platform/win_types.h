// Basic types, handles, constants and colour helpers of the drawing platform.
// Values are those of the Windows headers, so chart code reads as it would
// there; handles are opaque and name entries of the platform's tables. The
// part hosts see (LONG, ULONG, COLORREF, CWnd) is korvagraph/win_types.h.
#ifndef PLATFORM_WIN_TYPES_H_
#define PLATFORM_WIN_TYPES_H_

#include <cstdint>

#include "korvagraph/win_types.h"

using DWORD = uint32_t;
using UINT = unsigned int;
using BYTE = uint8_t;
using WORD = uint16_t;
using BOOL = int;
using LPCSTR = const char*;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

using HWND = struct HWND__*;
using HDC = struct HDC__*;
using HGDIOBJ = struct HGDIOBJ__*;
using HPEN = HGDIOBJ;
using HBRUSH = HGDIOBJ;
using HFONT = HGDIOBJ;

struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};

// Pen styles.
constexpr int PS_SOLID = 0;
constexpr int PS_DOT = 2;

// Text alignment flags (combinable) and background modes.
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_TOP = 0;
constexpr UINT TA_RIGHT = 2;
constexpr UINT TA_CENTER = 6;
constexpr UINT TA_BASELINE = 24;
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

constexpr int FW_NORMAL = 400;

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) { return KvRgb(r, g, b); }
constexpr BYTE GetRValue(COLORREF c) { return static_cast<BYTE>(c & 0xFF); }
constexpr BYTE GetGValue(COLORREF c) {
  return static_cast<BYTE>((c >> 8) & 0xFF);
}
constexpr BYTE GetBValue(COLORREF c) {
  return static_cast<BYTE>((c >> 16) & 0xFF);
}

#endif  // PLATFORM_WIN_TYPES_H_
