#include "platform/user32.h"

#include "platform/context_table.h"
#include "platform/window_state.h"

BOOL GetClientRect(HWND wnd, RECT* rect) {
  const WindowState* window = FindWindowState(wnd);
  if (window == nullptr || rect == nullptr) return FALSE;
  *rect = RECT{0, 0, window->raster.width(), window->raster.height()};
  return TRUE;
}

HDC GetDC(HWND wnd) { return OpenDeviceContext(wnd); }

int ReleaseDC(HWND wnd, HDC dc) { return CloseDeviceContext(wnd, dc); }

BOOL InvalidateRect(HWND wnd, const RECT* rect, BOOL erase) {
  WindowState* window = FindWindowState(wnd);
  if (window == nullptr) return FALSE;
  // Any area invalidates the whole client area: repaints are whole-window.
  window->invalid = true;
  if (window->recording) {
    std::string line = "InvalidateRect";
    if (rect != nullptr) {
      line += " " + std::to_string(rect->left) + " " +
              std::to_string(rect->top) + " " + std::to_string(rect->right) +
              " " + std::to_string(rect->bottom);
    }
    window->Record(line + " erase=" + (erase ? "1" : "0"));
  }
  return TRUE;
}

BOOL UpdateWindow(HWND wnd) {
  WindowState* window = FindWindowState(wnd);
  if (window == nullptr) return FALSE;
  if (window->invalid) {
    window->Erase();
    window->invalid = false;
  }
  window->Record("UpdateWindow");
  return TRUE;
}
