// DeviceContext: the state behind an HDC (its window, viewport origin,
// current position, selected objects, text settings) and the drawing calls
// on it. GetDC opens one from a table, ReleaseDC closes it; the CDC wrapper
// stays valid until then.
#ifndef PLATFORM_DEVICE_CONTEXT_H_
#define PLATFORM_DEVICE_CONTEXT_H_

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/afx_gdi.h"
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
  void Open(HWND window, WindowState* state, HDC self);
  // Deselects everything.
  void Close();

  HWND window() const { return window_; }
  // Called when the window is destroyed: later drawing fails.
  void ForgetWindowState() { state_ = nullptr; }
  CDC* cdc() { return &cdc_; }
  // True when drawing reaches a window that is not logging its calls.
  bool DrawsUnrecorded() const {
    return state_ != nullptr && !state_->recording;
  }

  CPoint SetViewportOrg(int x, int y);
  // Returns the previously selected object of the kind (and, if asked, its
  // table entry), or null.
  HGDIOBJ Select(HGDIOBJ object, GdiObject** previous_object = nullptr);
  // Select less the recording: returns the object taken, or null (and the
  // selection unchanged); *previous and *previous_object get the handle and
  // the entry of the object it replaced.
  GdiObject* SelectUnrecorded(HGDIOBJ object, HGDIOBJ* previous,
                              GdiObject** previous_object);
  // Returns `result` after recording the selection of `selected` when the
  // window records, so that callers end in it as a tail call.
  template <typename Result>
  Result RecordSelect(const GdiObject* selected, Result result) const;

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
  CDC cdc_;
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

// Opens a context of the window's client area; null for an unknown window.
HDC OpenDeviceContext(HWND window);
// Closes a context opened for the window; 1 on success, else 0.
int CloseDeviceContext(HWND window, HDC dc);
// Makes the window's open contexts fail from now on, as it is destroyed.
void ForgetWindowInContexts(HWND window);
// Returns the open context, or null.
DeviceContext* FindDeviceContext(HDC dc);
int OpenDeviceContextCount();

#endif  // PLATFORM_DEVICE_CONTEXT_H_
