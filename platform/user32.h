// Window calls: client rectangle, device contexts, invalidation and repaint.
// A window is an off-screen canvas (canvas_window.h); CWnd (afx_wnd.h) wraps
// its handle.
// Every device context taken with GetDC must be given back with ReleaseDC.
#ifndef PLATFORM_USER32_H_
#define PLATFORM_USER32_H_

#include "platform/afx_wnd.h"
#include "platform/win_types.h"

// Fills rect with the client area (left and top are 0). FALSE for a bad handle.
BOOL GetClientRect(HWND wnd, RECT* rect);
// Returns a device context of the client area, or null for a bad handle.
HDC GetDC(HWND wnd);
// Gives the device context back; 1 when it belonged to the window.
int ReleaseDC(HWND wnd, HDC dc);
// Marks the area (null: whole client area) for repaint.
BOOL InvalidateRect(HWND wnd, const RECT* rect, BOOL erase);
// Repaints an invalidated area with the window's background, as the host's
// paint handler would.
BOOL UpdateWindow(HWND wnd);

#endif  // PLATFORM_USER32_H_
