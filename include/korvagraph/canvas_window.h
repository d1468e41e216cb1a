// CanvasWindow: an off-screen window a host creates and hands to the charts.
// The client area starts at (0, 0); drawing goes into an RGB raster that can
// be read pixel by pixel, saved as PNG, and recorded call by call. It lives
// in libkvplatform, beside libKorvaGraphLib: link both (-lkvplatform).
#ifndef KORVAGRAPH_CANVAS_WINDOW_H_
#define KORVAGRAPH_CANVAS_WINDOW_H_

#include <memory>
#include <string>
#include <vector>

#include "korvagraph/win_types.h"

class CanvasWindow {
 public:
  CanvasWindow(int width, int height,
               COLORREF background = KvRgb(255, 255, 255));
  ~CanvasWindow();
  CanvasWindow(const CanvasWindow&) = delete;
  CanvasWindow& operator=(const CanvasWindow&) = delete;

  CWnd* Wnd();  // what a host passes to the draw exports
  int Width() const;
  int Height() const;
  void Resize(int width, int height);  // the next draw follows the new size
  COLORREF Pixel(int x, int y) const;  // 0x00BBGGRR of a client pixel
  // The client area's pixels, for copying a chart into a host's own window
  // in one go: Height() rows from the top, each of Width() pixels, the rows
  // RowStride() bytes apart. A pixel is one COLORREF 0x00BBGGRR, that is the
  // bytes red, green, blue, 0 in memory (little-endian): SDL's
  // SDL_PIXELFORMAT_XBGR8888, Qt's QImage::Format_RGBX8888 once the fourth
  // byte is 255. Valid until Resize or the window's end; drawing changes
  // the pixels in place.
  const COLORREF* Pixels() const;
  int RowStride() const;
  bool SavePng(const std::string& path) const;
  // The picture drawn since the last repaint, drawn again from its calls as
  // vector graphics (text as text), or as a PNG of `scale` pixels per pixel.
  bool SaveSvg(const std::string& path) const;
  bool SavePdf(const std::string& path) const;
  bool SaveScaledPng(const std::string& path, double scale) const;
  // Logs every drawing call from now on, one text line per call:
  //   GetDC | ReleaseDC | InvalidateRect erase=1 | UpdateWindow
  //   SetViewportOrg 35 8 | SetTextAlign 6 | SetBkMode 1
  //   SelectObject pen solid 1 0000FF | SelectObject brush FF0000
  //   SelectObject font "Times New Roman" 15 5 0   (height width escapement)
  //   MoveTo 10 20
  //   LineTo 10 20 | dev 45 28 | pen solid 1 0000FF
  //   Rectangle 0 0 357 357 | dev 35 8 392 365 | pen solid 1 000000
  //     | brush FFFFFF
  //   Ellipse 8 8 12 12 | dev 43 16 47 20 | pen solid 1 FF0000 | brush FFFFFF
  //   TextOut 10 20 "0" | dev 45 28 | align 6 | bkmode 1
  //     | font "Times New Roman" 15 5 0
  // (a long line is shown wrapped here; the log has it on one line).
  // Coordinates first as given, then after the viewport offset ("dev");
  // colours are the COLORREF value 0xBBGGRR in six hex digits.
  void StartRecording();
  std::vector<std::string> TakeRecording();  // the log so far; clears it

 private:
  struct State;
  std::unique_ptr<State> state_;
};

#endif  // KORVAGRAPH_CANVAS_WINDOW_H_
