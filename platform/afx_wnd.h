// CWnd: the framework's window, a wrapper of the window's handle. A host gets
// one from its CanvasWindow (korvagraph/canvas_window.h); the charts only
// read its handle.
#ifndef PLATFORM_AFX_WND_H_
#define PLATFORM_AFX_WND_H_

#include "platform/win_types.h"

class CWnd {
 public:
  HWND m_hWnd = nullptr;
  HWND GetSafeHwnd() const { return m_hWnd; }
};

#endif  // PLATFORM_AFX_WND_H_
