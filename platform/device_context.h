// DeviceContext: the state behind an HDC (its window, viewport origin,
// current position, selected objects, text settings) and the drawing calls
// on it. The table of open contexts (context_table.h) owns them; GetDC opens
// one there and ReleaseDC closes it.
#ifndef PLATFORM_DEVICE_CONTEXT_H_
#define PLATFORM_DEVICE_CONTEXT_H_

#include <cstddef>
#include <cstdint>
#include <string>

#include "korvagraph/cpoint.h"
#include "platform/gdi_object_table.h"
#include "platform/stroke.h"
#include "platform/win_types.h"
#include "platform/window_state.h"

class DeviceContext {
 public:
  DeviceContext() = default;
  DeviceContext(const DeviceContext&) = delete;
  DeviceContext& operator=(const DeviceContext&) = delete;

  // Resets to the defaults of a fresh context of the window.
  void Open(HWND window, WindowState* state);
  // Deselects everything.
  void Close();

  HWND window() const { return window_; }
  // Called when the window is destroyed: later drawing fails.
  void ForgetWindowState() { state_ = nullptr; }
  // True when drawing reaches a window that is not logging its calls.
  bool DrawsUnrecorded() const {
    return state_ != nullptr && !state_->recording;
  }

  CPoint SetViewportOrg(int x, int y);
  // Returns the previously selected object of the kind, or null (and the
  // selection unchanged).
  HGDIOBJ Select(HGDIOBJ object);

  CPoint MoveTo(int x, int y);
  BOOL LineTo(int x, int y);
  BOOL Rectangle(int left, int top, int right, int bottom);
  BOOL Ellipse(int left, int top, int right, int bottom);
  // Ellipse for each box in order.
  void Ellipses(const RECT* boxes, size_t count);
  BOOL TextOut(int x, int y, const char* text, int length);
  UINT SetTextAlign(UINT flags);
  int SetBkMode(int mode);

 private:
  static constexpr int kKinds = 3;
  static int KindIndex(GdiKind kind) { return static_cast<int>(kind); }
  const GdiObject& Current(GdiKind kind) const {
    return *current_[KindIndex(kind)];
  }
  // Returns `previous` after recording the selection of `selected` when the
  // window records, so that Select ends in it as a tail call.
  HGDIOBJ RecordSelect(const GdiObject* selected, HGDIOBJ previous) const;
  Stroke PenStroke() const {
    Stroke stroke = Current(GdiKind::kPen).pen_stroke;
    stroke.paint_gaps = bk_mode_ == OPAQUE;
    stroke.gap_color = bk_color_;
    return stroke;
  }
  int64_t DeviceX(int x) const { return int64_t{x} + origin_.x; }
  int64_t DeviceY(int y) const { return int64_t{y} + origin_.y; }
  // Draws a Rectangle or an Ellipse (draw paints it) and records the call.
  // Out of line: the markers' quick path stays small.
  template <typename Draw>
  [[gnu::noinline]] BOOL Shape(Draw draw, DisplayOpKind kind, const char* name,
                               int left, int top, int right, int bottom);
  // True when an Ellipse in this pen may take the markers' quick path.
  bool QuickPathOpen(const Stroke& pen) const;
  // The quick path of a small ellipse wholly inside the window: paints and
  // records it and returns true; else does nothing and returns false.
  bool QuickEllipse(const Stroke& pen, COLORREF brush, int left, int top,
                    int right, int bottom);
  // The recording line of a Rectangle or Ellipse call.
  std::string ShapeLine(const char* name, int left, int top, int right,
                        int bottom) const;

  HWND window_ = nullptr;
  WindowState* state_ = nullptr;  // null once the window is destroyed
  CPoint origin_;
  CPoint position_;
  // The selected pen, brush and font. Their table slots stay put while
  // selected (a selected object cannot be deleted), so drawing reads them
  // without a lookup.
  HGDIOBJ selected_[kKinds] = {};
  GdiObject* current_[kKinds] = {};
  UINT align_ = TA_LEFT | TA_TOP;
  int bk_mode_ = OPAQUE;
  COLORREF bk_color_ = RGB(255, 255, 255);
  COLORREF text_color_ = RGB(0, 0, 0);
};

#endif  // PLATFORM_DEVICE_CONTEXT_H_
