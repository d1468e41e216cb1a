#include "platform/gdi_object_table.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kStockFontHeight = 16;
constexpr const char* kStockFontFace = "System";

std::string PenStyleName(int style) {
  if (style == PS_SOLID) return "solid";
  if (style == PS_DOT) return "dot";
  return "style" + std::to_string(style);
}

}  // namespace

GdiObjectTable::GdiObjectTable() {
  PenSpec black_pen;
  CreatePen(black_pen);
  CreateBrush(RGB(255, 255, 255));
  FontSpec system_font;
  system_font.height = kStockFontHeight;
  system_font.weight = FW_NORMAL;
  system_font.face = kStockFontFace;
  CreateFont(system_font);
}

GdiObject* GdiObjectTable::NewObject(GdiKind kind, HGDIOBJ* handle) {
  GdiObject* object = nullptr;
  *handle = HandleFromBits<HGDIOBJ>(table_.Allocate(&object));
  if (object == nullptr) return nullptr;
  object->kind = kind;
  object->selections = 0;
  // The first object of each kind, made by the constructor, is the stock one.
  const int k = static_cast<int>(kind);
  object->stock = stock_[k] == nullptr;
  if (object->stock) {
    stock_[k] = *handle;
  } else {
    ++live_[k];
  }
  return object;
}

HGDIOBJ GdiObjectTable::CreatePen(PenSpec pen) {
  HGDIOBJ handle;
  GdiObject* object = NewObject(GdiKind::kPen, &handle);
  if (object == nullptr) return nullptr;
  object->pen = pen;
  // Width 0 paints one pixel; a dotted pen wider than that paints solid.
  object->pen_stroke.color = pen.color;
  object->pen_stroke.width = std::clamp(pen.width, 1, kMaxStrokeWidth);
  object->pen_stroke.dotted =
      pen.style == PS_DOT && object->pen_stroke.width == 1;
  return handle;
}

HGDIOBJ GdiObjectTable::CreateBrush(COLORREF color) {
  HGDIOBJ handle;
  GdiObject* object = NewObject(GdiKind::kBrush, &handle);
  if (object != nullptr) object->brush = color;
  return handle;
}

HGDIOBJ GdiObjectTable::CreateFont(const FontSpec& font) {
  HGDIOBJ handle;
  GdiObject* object = NewObject(GdiKind::kFont, &handle);
  if (object != nullptr) object->font = font;
  return handle;
}

BOOL GdiObjectTable::Delete(HGDIOBJ handle) {
  GdiObject* object = Find(handle);
  if (object == nullptr || object->stock || object->selections > 0) {
    return FALSE;
  }
  --live_[static_cast<int>(object->kind)];
  table_.Release(HandleBits(handle));
  return TRUE;
}

namespace {

// Set once the table exists. Reading it is the drawing calls' whole cost of
// reaching the table: the one-time construction stays out of line, so that
// the calls' quick paths keep no registers for it.
GdiObjectTable* the_table = nullptr;

[[gnu::noinline, gnu::cold]] GdiObjectTable* MakeTable() {
  static GdiObjectTable* const table = new GdiObjectTable;  // never destroyed
  the_table = table;
  return table;
}

}  // namespace

GdiObjectTable& GdiObjects() {
  GdiObjectTable* const table = the_table;
  return __builtin_expect(table != nullptr, 1) ? *table : *MakeTable();
}

std::string HexColor(COLORREF color) {
  char text[8];
  std::snprintf(text, sizeof(text), "%06X", color & 0xFFFFFFu);
  return text;
}

std::string DescribeGdiObject(const GdiObject& object) {
  switch (object.kind) {
    case GdiKind::kPen:
      return "pen " + PenStyleName(object.pen.style) + " " +
             std::to_string(object.pen.width) + " " +
             HexColor(object.pen.color);
    case GdiKind::kBrush:
      return "brush " + HexColor(object.brush);
    case GdiKind::kFont:
      return "font \"" + object.font.face + "\" " +
             std::to_string(object.font.height) + " " +
             std::to_string(object.font.width) + " " +
             std::to_string(object.font.escapement);
  }
  return std::string();
}
