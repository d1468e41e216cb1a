#include "platform/device_context.h"

#include <string>

#include "platform/line_raster.h"
#include "platform/shape_raster.h"
#include "platform/text_raster.h"

namespace {

std::string Coordinates(int64_t x, int64_t y) {
  return std::to_string(x) + " " + std::to_string(y);
}

// Logs the line that `line` builds when the window exists and records.
// The string work is out of line, off the drawing path.
template <typename Line>
[[gnu::noinline]] void LogLine(WindowState* window, Line line) {
  window->Record(line());
}

template <typename Line>
void RecordCall(WindowState* window, Line line) {
  if (window != nullptr && window->recording) LogLine(window, line);
}

// Records a selection; out of line, off the drawing path.
[[gnu::noinline]] HGDIOBJ LogSelect(WindowState* window,
                                    const GdiObject* selected,
                                    HGDIOBJ previous) {
  window->Record("SelectObject " + DescribeGdiObject(*selected));
  return previous;
}

}  // namespace

void DeviceContext::Open(HWND window, WindowState* state) {
  window_ = window;
  state_ = state;
  origin_ = CPoint();
  position_ = CPoint();
  align_ = TA_LEFT | TA_TOP;
  bk_mode_ = OPAQUE;
  bk_color_ = RGB(255, 255, 255);
  text_color_ = RGB(0, 0, 0);
  GdiObjectTable& objects = GdiObjects();
  for (GdiKind kind : {GdiKind::kPen, GdiKind::kBrush, GdiKind::kFont}) {
    const HGDIOBJ stock = objects.stock(kind);
    GdiObject* object = objects.Find(stock);
    ++object->selections;
    selected_[KindIndex(kind)] = stock;
    current_[KindIndex(kind)] = object;
  }
}

void DeviceContext::Close() {
  for (int k = 0; k < kKinds; ++k) {
    --current_[k]->selections;
    selected_[k] = nullptr;
    current_[k] = nullptr;
  }
  window_ = nullptr;
  state_ = nullptr;
}

CPoint DeviceContext::SetViewportOrg(int x, int y) {
  const CPoint previous = origin_;
  origin_ = CPoint(x, y);
  RecordCall(state_, [x, y] { return "SetViewportOrg " + Coordinates(x, y); });
  return previous;
}

HGDIOBJ DeviceContext::RecordSelect(const GdiObject* selected,
                                    HGDIOBJ previous) const {
  WindowState* window = state_;
  if (window != nullptr && window->recording) {
    return LogSelect(window, selected, previous);
  }
  return previous;
}

HGDIOBJ DeviceContext::Select(HGDIOBJ object) {
  GdiObject* selected = GdiObjects().Find(object);
  if (selected == nullptr) return nullptr;
  const int k = KindIndex(selected->kind);
  const HGDIOBJ previous = selected_[k];
  --current_[k]->selections;
  ++selected->selections;
  selected_[k] = object;
  current_[k] = selected;
  return RecordSelect(selected, previous);
}

CPoint DeviceContext::MoveTo(int x, int y) {
  const CPoint previous = position_;
  position_ = CPoint(x, y);
  RecordCall(state_, [x, y] { return "MoveTo " + Coordinates(x, y); });
  return previous;
}

BOOL DeviceContext::LineTo(int x, int y) {
  WindowState* window = state_;
  if (window == nullptr) return FALSE;
  const Stroke pen = PenStroke();
  DrawLine(window->raster, pen, DeviceX(position_.x), DeviceY(position_.y),
           DeviceX(x), DeviceY(y), 0);
  window->display.AddLine(origin_, pen, position_.x, position_.y, x, y);
  position_ = CPoint(x, y);
  RecordCall(window, [&] {
    return "LineTo " + Coordinates(x, y) + " | dev " +
           Coordinates(DeviceX(x), DeviceY(y)) + " | " +
           DescribeGdiObject(Current(GdiKind::kPen));
  });
  return TRUE;
}

std::string DeviceContext::ShapeLine(const char* name, int left, int top,
                                     int right, int bottom) const {
  return std::string(name) + " " + Coordinates(left, top) + " " +
         Coordinates(right, bottom) + " | dev " +
         Coordinates(DeviceX(left), DeviceY(top)) + " " +
         Coordinates(DeviceX(right), DeviceY(bottom)) + " | " +
         DescribeGdiObject(Current(GdiKind::kPen)) + " | " +
         DescribeGdiObject(Current(GdiKind::kBrush));
}

template <typename Draw>
BOOL DeviceContext::Shape(Draw draw, DisplayOpKind kind, const char* name,
                          int left, int top, int right, int bottom) {
  WindowState* window = state_;
  if (window == nullptr) return FALSE;
  const Stroke pen = PenStroke();
  const COLORREF brush = Current(GdiKind::kBrush).brush;
  draw(window->raster, pen, brush,
       ShapeBox{DeviceX(left), DeviceY(top), DeviceX(right), DeviceY(bottom)});
  window->display.AddShape(kind, origin_, pen, brush, left, top, right, bottom);
  RecordCall(window, [&] { return ShapeLine(name, left, top, right, bottom); });
  return TRUE;
}

BOOL DeviceContext::Rectangle(int left, int top, int right, int bottom) {
  auto draw = [](auto&&... args) { DrawRectangle(args...); };
  return Shape(draw, DisplayOpKind::kRectangle, "Rectangle", left, top, right,
               bottom);
}

bool DeviceContext::QuickPathOpen(const Stroke& pen) const {
  return state_ != nullptr && !state_->recording && pen.width == 1 &&
         !pen.dotted;
}

bool DeviceContext::QuickEllipse(const Stroke& pen, COLORREF brush, int left,
                                 int top, int right, int bottom) {
  COLORREF* corner = nullptr;
  const EllipseShape* shape =
      FindSmallEllipseInside(state_->raster, DeviceX(left), DeviceY(top),
                             DeviceX(right), DeviceY(bottom), &corner);
  if (shape == nullptr) return false;
  state_->display.AddShape(DisplayOpKind::kEllipse, origin_, pen, brush, left,
                           top, right, bottom);
  WriteSmallEllipse(*shape, corner, pen.color, brush);
  return true;
}

BOOL DeviceContext::Ellipse(int left, int top, int right, int bottom) {
  // Markers take a quick path: a chart may draw a million of them.
  const Stroke& pen = Current(GdiKind::kPen).pen_stroke;
  if (QuickPathOpen(pen) && QuickEllipse(pen, Current(GdiKind::kBrush).brush,
                                         left, top, right, bottom)) {
    return TRUE;
  }
  auto draw = [](auto&&... args) { DrawEllipse(args...); };
  return Shape(draw, DisplayOpKind::kEllipse, "Ellipse", left, top, right,
               bottom);
}

void DeviceContext::Ellipses(const RECT* boxes, size_t count) {
  // Pen, brush and window stay over the run: the quick path is checked once.
  const Stroke& pen = Current(GdiKind::kPen).pen_stroke;
  const COLORREF brush = Current(GdiKind::kBrush).brush;
  const bool quick = QuickPathOpen(pen);
  for (size_t i = 0; i < count; ++i) {
    const RECT& b = boxes[i];
    if (!quick || !QuickEllipse(pen, brush, b.left, b.top, b.right, b.bottom)) {
      Ellipse(b.left, b.top, b.right, b.bottom);
    }
  }
}

BOOL DeviceContext::TextOut(int x, int y, const char* text, int length) {
  WindowState* window = state_;
  if (window == nullptr || text == nullptr || length < 0) return FALSE;
  TextStyle style;
  style.align = align_;
  style.opaque = bk_mode_ == OPAQUE;
  style.background = bk_color_;
  style.color = text_color_;
  const FontSpec& font = Current(GdiKind::kFont).font;
  const bool drawn = DrawText(window->raster, font, DeviceX(x), DeviceY(y),
                              text, length, style);
  if (drawn) {
    window->display.AddText(
        origin_, x, y,
        {std::string(text, static_cast<size_t>(length)), font, style.align,
         style.opaque, style.background, style.color});
  }
  RecordCall(window, [&] {
    return "TextOut " + Coordinates(x, y) + " \"" +
           std::string(text, static_cast<size_t>(length)) + "\" | dev " +
           Coordinates(DeviceX(x), DeviceY(y)) + " | align " +
           std::to_string(align_) + " | bkmode " + std::to_string(bk_mode_) +
           " | " + DescribeGdiObject(Current(GdiKind::kFont));
  });
  return drawn ? TRUE : FALSE;
}

UINT DeviceContext::SetTextAlign(UINT flags) {
  const UINT previous = align_;
  align_ = flags;
  RecordCall(state_,
             [flags] { return "SetTextAlign " + std::to_string(flags); });
  return previous;
}

int DeviceContext::SetBkMode(int mode) {
  if (mode != TRANSPARENT && mode != OPAQUE) return 0;
  const int previous = bk_mode_;
  bk_mode_ = mode;
  RecordCall(state_, [mode] { return "SetBkMode " + std::to_string(mode); });
  return previous;
}
