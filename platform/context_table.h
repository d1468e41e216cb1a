// The table of open device contexts: what an HDC stands for from GetDC to
// ReleaseDC. The table owns the contexts; a released handle stays invalid,
// even once its slot serves another context. It sits above DeviceContext:
// the window and drawing calls look contexts up here, never the other way.
#ifndef PLATFORM_CONTEXT_TABLE_H_
#define PLATFORM_CONTEXT_TABLE_H_

#include "platform/device_context.h"
#include "platform/win_types.h"

// Opens a context of the window's client area; null for an unknown window.
HDC OpenDeviceContext(HWND window);
// Closes a context opened for the window; 1 on success, else 0.
int CloseDeviceContext(HWND window, HDC dc);
// Makes the window's open contexts fail from now on, as it is destroyed.
void ForgetWindowInContexts(HWND window);
// Returns the open context, or null.
DeviceContext* FindDeviceContext(HDC dc);
int OpenDeviceContextCount();

#endif  // PLATFORM_CONTEXT_TABLE_H_
