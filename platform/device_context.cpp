#include "platform/device_context.h"

#include <algorithm>
#include <string>

#include "platform/handle_table.h"
#include "platform/line_raster.h"
#include "platform/shape_raster.h"
#include "platform/text_raster.h"

namespace {

HandleTable<DeviceContext>& Contexts() {
  static auto* const table = new HandleTable<DeviceContext>;  // never destroyed
  return *table;
}

std::string Coordinates(int64_t x, int64_t y) {
  return std::to_string(x) + " " + std::to_string(y);
}

// Returns the window when it exists and is recording, else null.
WindowState* RecordingWindow(HWND window) {
  WindowState* state = FindWindowState(window);
  return state != nullptr && state->recording ? state : nullptr;
}

}  // namespace

void DeviceContext::Open(HWND window, HDC self) {
  window_ = window;
  cdc_.m_hDC = self;
  origin_ = CPoint();
  position_ = CPoint();
  align_ = TA_LEFT | TA_TOP;
  bk_mode_ = OPAQUE;
  bk_color_ = RGB(255, 255, 255);
  text_color_ = RGB(0, 0, 0);
  GdiObjectTable& objects = GdiObjects();
  pen_ = objects.stock(GdiKind::kPen);
  brush_ = objects.stock(GdiKind::kBrush);
  font_ = objects.stock(GdiKind::kFont);
  for (HGDIOBJ selected : {pen_, brush_, font_}) ++Selected(selected).selections;
}

void DeviceContext::Close() {
  for (HGDIOBJ selected : {pen_, brush_, font_}) --Selected(selected).selections;
  pen_ = brush_ = font_ = nullptr;
  lent_pens_.DetachAll();
  lent_brushes_.DetachAll();
  lent_fonts_.DetachAll();
  cdc_.m_hDC = nullptr;
  window_ = nullptr;
}

CPoint DeviceContext::SetViewportOrg(int x, int y) {
  const CPoint previous = origin_;
  origin_ = CPoint(x, y);
  if (WindowState* window = RecordingWindow(window_)) {
    window->Record("SetViewportOrg " + Coordinates(x, y));
  }
  return previous;
}

HGDIOBJ DeviceContext::Select(HGDIOBJ object) {
  GdiObject* selected = GdiObjects().Find(object);
  if (selected == nullptr) return nullptr;
  HGDIOBJ* slot = selected->kind == GdiKind::kPen     ? &pen_
                  : selected->kind == GdiKind::kBrush ? &brush_
                                                      : &font_;
  const HGDIOBJ previous = *slot;
  --Selected(previous).selections;
  ++selected->selections;
  *slot = object;
  if (WindowState* window = RecordingWindow(window_)) {
    window->Record("SelectObject " + DescribeGdiObject(*selected));
  }
  return previous;
}

Stroke DeviceContext::PenStroke() {
  const PenSpec& pen = Selected(pen_).pen;
  Stroke stroke;
  stroke.color = pen.color;
  stroke.width = std::clamp(pen.width, 1, kMaxStrokeWidth);
  stroke.dotted = pen.style == PS_DOT && stroke.width == 1;
  stroke.paint_gaps = bk_mode_ == OPAQUE;
  stroke.gap_color = bk_color_;
  return stroke;
}

CPoint DeviceContext::MoveTo(int x, int y) {
  const CPoint previous = position_;
  position_ = CPoint(x, y);
  if (WindowState* window = RecordingWindow(window_)) {
    window->Record("MoveTo " + Coordinates(x, y));
  }
  return previous;
}

BOOL DeviceContext::LineTo(int x, int y) {
  WindowState* window = FindWindowState(window_);
  if (window == nullptr) return FALSE;
  DrawLine(window->raster, PenStroke(), DeviceX(position_.x),
           DeviceY(position_.y), DeviceX(x), DeviceY(y), 0);
  position_ = CPoint(x, y);
  if (window->recording) {
    window->Record("LineTo " + Coordinates(x, y) + " | dev " +
                   Coordinates(DeviceX(x), DeviceY(y)) + " | " +
                   DescribeGdiObject(Selected(pen_)));
  }
  return TRUE;
}

std::string DeviceContext::ShapeLine(const char* name, int left, int top,
                                     int right, int bottom) {
  return std::string(name) + " " + Coordinates(left, top) + " " +
         Coordinates(right, bottom) + " | dev " +
         Coordinates(DeviceX(left), DeviceY(top)) + " " +
         Coordinates(DeviceX(right), DeviceY(bottom)) + " | " +
         DescribeGdiObject(Selected(pen_)) + " | " +
         DescribeGdiObject(Selected(brush_));
}

BOOL DeviceContext::Rectangle(int left, int top, int right, int bottom) {
  WindowState* window = FindWindowState(window_);
  if (window == nullptr) return FALSE;
  DrawRectangle(window->raster, PenStroke(), Selected(brush_).brush,
                {DeviceX(left), DeviceY(top), DeviceX(right), DeviceY(bottom)});
  if (window->recording) {
    window->Record(ShapeLine("Rectangle", left, top, right, bottom));
  }
  return TRUE;
}

BOOL DeviceContext::Ellipse(int left, int top, int right, int bottom) {
  WindowState* window = FindWindowState(window_);
  if (window == nullptr) return FALSE;
  DrawEllipse(window->raster, PenStroke(), Selected(brush_).brush,
              {DeviceX(left), DeviceY(top), DeviceX(right), DeviceY(bottom)});
  if (window->recording) {
    window->Record(ShapeLine("Ellipse", left, top, right, bottom));
  }
  return TRUE;
}

BOOL DeviceContext::TextOut(int x, int y, const char* text, int length) {
  WindowState* window = FindWindowState(window_);
  if (window == nullptr || text == nullptr || length < 0) return FALSE;
  TextStyle style;
  style.align = align_;
  style.opaque = bk_mode_ == OPAQUE;
  style.background = bk_color_;
  style.color = text_color_;
  const FontSpec& font = Selected(font_).font;
  const bool drawn =
      DrawText(window->raster, font, DeviceX(x), DeviceY(y), text, length,
               style);
  if (window->recording) {
    window->Record("TextOut " + Coordinates(x, y) + " \"" +
                   std::string(text, static_cast<size_t>(length)) +
                   "\" | dev " + Coordinates(DeviceX(x), DeviceY(y)) +
                   " | align " + std::to_string(align_) + " | bkmode " +
                   std::to_string(bk_mode_) + " | " +
                   DescribeGdiObject(Selected(font_)));
  }
  return drawn ? TRUE : FALSE;
}

UINT DeviceContext::SetTextAlign(UINT flags) {
  const UINT previous = align_;
  align_ = flags;
  if (WindowState* window = RecordingWindow(window_)) {
    window->Record("SetTextAlign " + std::to_string(flags));
  }
  return previous;
}

int DeviceContext::SetBkMode(int mode) {
  if (mode != TRANSPARENT && mode != OPAQUE) return 0;
  const int previous = bk_mode_;
  bk_mode_ = mode;
  if (WindowState* window = RecordingWindow(window_)) {
    window->Record("SetBkMode " + std::to_string(mode));
  }
  return previous;
}

HDC OpenDeviceContext(HWND window) {
  WindowState* state = FindWindowState(window);
  if (state == nullptr) return nullptr;
  const uintptr_t bits = Contexts().Allocate();
  const HDC dc = HandleFromBits<HDC>(bits);
  Contexts().Find(bits)->Open(window, dc);
  state->Record("GetDC");
  return dc;
}

int CloseDeviceContext(HWND window, HDC dc) {
  DeviceContext* context = FindDeviceContext(dc);
  if (context == nullptr || context->window() != window) return 0;
  if (WindowState* state = FindWindowState(window)) state->Record("ReleaseDC");
  context->Close();
  Contexts().Release(HandleBits(dc));
  return 1;
}

DeviceContext* FindDeviceContext(HDC dc) {
  return Contexts().Find(HandleBits(dc));
}

int OpenDeviceContextCount() {
  return static_cast<int>(Contexts().live_count());
}
