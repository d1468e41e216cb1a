// Helpers for the platform tests: a window with a device context taken for
// the test's duration, and pixel areas rendered as text grids.
#ifndef TESTS_PLATFORM_CANVAS_TEST_UTIL_H_
#define TESTS_PLATFORM_CANVAS_TEST_UTIL_H_

#include <initializer_list>
#include <string>
#include <utility>

#include "korvagraph/canvas_window.h"
#include "platform/afx_gdi.h"
#include "platform/raster.h"
#include "platform/user32.h"

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGrey = RGB(180, 180, 180);

// A window and one device context of it, released at the end of the scope.
class PaintSession {
 public:
  explicit PaintSession(int width = 32, int height = 32,
                        COLORREF background = kGrey)
      : window_(width, height, background),
        hdc_(GetDC(window_.Wnd()->m_hWnd)),
        dc_(CDC::FromHandle(hdc_)) {}
  ~PaintSession() {
    if (hdc_ != nullptr) ReleaseDC(window_.Wnd()->m_hWnd, hdc_);
  }
  PaintSession(const PaintSession&) = delete;
  PaintSession& operator=(const PaintSession&) = delete;

  CanvasWindow& window() { return window_; }
  HWND hwnd() { return window_.Wnd()->m_hWnd; }
  HDC hdc() const { return hdc_; }
  CDC* dc() const { return dc_; }

 private:
  CanvasWindow window_;
  HDC hdc_;
  CDC* dc_;
};

// Renders pixels of [x0, x0 + width) x [y0, y0 + height) one row per line,
// each pixel as the symbol of its colour in `symbols`, others as ' '.
template <typename Surface>
std::string Grid(const Surface& surface, int x0, int y0, int width, int height,
                 std::initializer_list<std::pair<COLORREF, char>> symbols) {
  std::string grid;
  for (int y = y0; y < y0 + height; ++y) {
    for (int x = x0; x < x0 + width; ++x) {
      char symbol = ' ';
      for (const auto& entry : symbols) {
        if (surface.Pixel(x, y) == entry.first) symbol = entry.second;
      }
      grid += symbol;
    }
    grid += '\n';
  }
  return grid;
}

// Gives a Raster the Pixel(x, y) query of a CanvasWindow, for Grid.
class RasterView {
 public:
  explicit RasterView(const Raster& raster) : raster_(raster) {}
  COLORREF Pixel(int x, int y) const {
    return raster_.Contains(x, y) ? raster_.At(x, y) : 0xFFFFFFFFu;
  }

 private:
  const Raster& raster_;
};

// Counts the pixels of the whole window in the colour.
inline int CountPixels(const CanvasWindow& window, COLORREF color) {
  int count = 0;
  for (int y = 0; y < window.Height(); ++y) {
    for (int x = 0; x < window.Width(); ++x)
      count += window.Pixel(x, y) == color;
  }
  return count;
}

#endif  // TESTS_PLATFORM_CANVAS_TEST_UTIL_H_
