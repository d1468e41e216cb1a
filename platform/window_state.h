// WindowState: what a window handle stands for (raster, background, repaint
// flag, call log, display list), and the table that resolves handles to it. The
// state is owned by its CanvasWindow; the table only refers to it, and a
// destroyed window's handle resolves to nothing from then on.
#ifndef PLATFORM_WINDOW_STATE_H_
#define PLATFORM_WINDOW_STATE_H_

#include <string>
#include <utility>
#include <vector>

#include "platform/afx_wnd.h"
#include "platform/display_list.h"
#include "platform/raster.h"
#include "platform/win_types.h"

struct WindowState {
  WindowState(int width, int height, COLORREF background_color)
      : raster(width, height, background_color), background(background_color) {}
  WindowState(const WindowState&) = delete;
  WindowState& operator=(const WindowState&) = delete;

  // Appends a line to the call log when recording. Callers that build a line
  // at some cost check `recording` first.
  void Record(std::string line) {
    if (recording) log.push_back(std::move(line));
  }

  // Repaints the client area with the background; the picture starts anew.
  void Erase() {
    raster.Fill(background);
    display.Clear();
  }

  Raster raster;
  DisplayList display;  // the calls that drew the raster since its erasure
  COLORREF background;
  bool invalid = false;
  bool recording = false;
  std::vector<std::string> log;
  CWnd wnd;
};

// Gives the state a handle (also stored in its CWnd) until unregistered.
HWND RegisterWindow(WindowState* state);
void UnregisterWindow(HWND handle);
// Returns the window's state, or null for an unknown or destroyed window.
WindowState* FindWindowState(HWND handle);

#endif  // PLATFORM_WINDOW_STATE_H_
