// The table behind pen, brush and font handles. Creating and destroying an
// object reuses a free slot, so a chart may make a pen per data point. Stock
// objects (a fresh device context's defaults) live in the table for good and
// are not counted as live objects.
#ifndef PLATFORM_GDI_OBJECT_TABLE_H_
#define PLATFORM_GDI_OBJECT_TABLE_H_

#include <cstdint>
#include <string>

#include "platform/font_spec.h"
#include "platform/handle_table.h"
#include "platform/pen_spec.h"
#include "platform/stroke.h"
#include "platform/win_types.h"

enum class GdiKind : uint8_t { kPen, kBrush, kFont };

struct GdiObject {
  GdiObject() = default;
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  GdiKind kind = GdiKind::kPen;
  bool stock = false;
  int selections = 0;  // device contexts the object is selected into
  PenSpec pen;
  Stroke pen_stroke;  // how the pen paints, less the background mode
  COLORREF brush = 0;
  FontSpec font;
};

class GdiObjectTable {
 public:
  GdiObjectTable();
  GdiObjectTable(const GdiObjectTable&) = delete;
  GdiObjectTable& operator=(const GdiObjectTable&) = delete;

  HGDIOBJ CreatePen(PenSpec pen);
  HGDIOBJ CreateBrush(COLORREF color);
  HGDIOBJ CreateFont(const FontSpec& font);
  // Returns the live object, or null.
  GdiObject* Find(HGDIOBJ handle) { return table_.Find(HandleBits(handle)); }
  // Destroys a created object; FALSE for stock, selected or unknown ones.
  BOOL Delete(HGDIOBJ handle);

  HGDIOBJ stock(GdiKind kind) const { return stock_[static_cast<int>(kind)]; }
  // Returns the number of live created objects of the kind.
  int live(GdiKind kind) const { return live_[static_cast<int>(kind)]; }

 private:
  // Returns a fresh object of the kind and its handle; null when full.
  GdiObject* NewObject(GdiKind kind, HGDIOBJ* handle);

  HandleTable<GdiObject> table_{kGdiObjectHandleTag};
  HGDIOBJ stock_[3] = {};
  int live_[3] = {};
};

// The process's one table.
GdiObjectTable& GdiObjects();

// Describes an object as the call recording prints it, e.g.
// "pen solid 1 0000FF", "brush FFFFFF", "font \"System\" 16 0 0".
std::string DescribeGdiObject(const GdiObject& object);
// Six upper-case hex digits of a COLORREF.
std::string HexColor(COLORREF color);

#endif  // PLATFORM_GDI_OBJECT_TABLE_H_
