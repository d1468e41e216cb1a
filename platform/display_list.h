// DisplayList: a window's current picture as the drawing calls that made it,
// kept as compact records from the last repaint on, so that the picture can
// be drawn again into other surfaces (vector files, scaled images). Owned by
// the window; a repaint or a resize clears it.
#ifndef PLATFORM_DISPLAY_LIST_H_
#define PLATFORM_DISPLAY_LIST_H_

#include <cstdint>
#include <string>
#include <vector>

#include "base/buffer.h"
#include "korvagraph/cpoint.h"
#include "platform/font_spec.h"
#include "platform/stroke.h"
#include "platform/win_types.h"

enum class DisplayOpKind : uint8_t {
  kOrigin,     // v[0], v[1]: the viewport origin of the calls that follow
  kPen,        // arg: index into pens() of the pen the calls that follow use
  kLine,       // v: from (v[0], v[1]) to (v[2], v[3]), end pixel excluded
  kRectangle,  // v: left, top, right, bottom; arg: the brush colour
  kEllipse,    // as kRectangle
  kText,       // v[0], v[1]: the reference point; arg: index into texts()
  // A run of ellipses of one size and brush, as markers come: arg: the brush
  // colour; v[0]: index of the first corner in corners(); v[1]: how many;
  // v[2], v[3]: right - left and bottom - top of every one.
  kMarkers,
};

// One drawing call in logical coordinates (the origin is added on replay),
// 20 bytes: a picture may hold millions.
struct DisplayOp {
  DisplayOp() = default;
  DisplayOp(DisplayOpKind kind, uint32_t arg, int32_t v0, int32_t v1,
            int32_t v2, int32_t v3)
      : tagged((arg & kArgMask) | (static_cast<uint32_t>(kind) << 24)),
        v{v0, v1, v2, v3} {}

  DisplayOpKind kind() const {
    return static_cast<DisplayOpKind>(tagged >> 24);
  }
  // A colour (24 bits) or an index.
  uint32_t arg() const { return tagged & kArgMask; }

  static constexpr uint32_t kArgMask = 0xFFFFFF;
  uint32_t tagged;
  int32_t v[4];
};
static_assert(sizeof(DisplayOp) == 20, "display records stay compact");

// The left and top of one ellipse of a marker run, in 4 bytes.
struct MarkerCorner {
  // REQUIRES: both fit 16 bits.
  MarkerCorner(int x, int y)
      : left(static_cast<int16_t>(x)), top(static_cast<int16_t>(y)) {}
  int16_t left, top;
};

struct DisplayText {
  std::string text;
  FontSpec font;
  UINT align;
  bool opaque;
  COLORREF background;
  COLORREF color;
};

class DisplayList {
 public:
  // Beyond this many records, or this many marker corners, a picture is not
  // kept (160 MB): saving it as a vector file fails instead of the host
  // running out of memory. Indices of pens and texts fit the records' 24-bit
  // argument.
  static constexpr size_t kMaxOps = size_t{1} << 23;

  DisplayList() = default;
  DisplayList(const DisplayList&) = delete;
  DisplayList& operator=(const DisplayList&) = delete;

  void Clear();

  // The calls below record one drawing call made with the given viewport
  // origin and pen (a shape also with its brush colour).
  void AddLine(CPoint origin, const Stroke& pen, int x0, int y0, int x1,
               int y1) {
    Prepare(origin, pen);
    Push(DisplayOp(DisplayOpKind::kLine, 0, x0, y0, x1, y1));
  }
  void AddShape(DisplayOpKind kind, CPoint origin, const Stroke& pen,
                COLORREF brush, int left, int top, int right, int bottom) {
    Prepare(origin, pen);
    if (kind == DisplayOpKind::kEllipse &&
        AddMarker(brush, left, top, right, bottom)) {
      return;
    }
    Push(DisplayOp(kind, brush, left, top, right, bottom));
  }
  void AddText(CPoint origin, int x, int y, DisplayText text);

  // False once the picture outgrew kMaxOps; it stays so until cleared.
  bool complete() const { return complete_; }
  // The records as kept: a marker run stands for many ellipses.
  const std::vector<DisplayOp>& ops() const { return ops_; }
  // Returns the records with each marker run written out as its ellipses:
  // ops() itself when there is none, else *storage filled with them.
  const std::vector<DisplayOp>& Expanded(std::vector<DisplayOp>* storage) const;
  const std::vector<Stroke>& pens() const { return pens_; }
  const std::vector<DisplayText>& texts() const { return texts_; }

 private:
  // Records an origin or pen change first when the call needs one.
  void Prepare(CPoint origin, const Stroke& pen) {
    if (origin.x != origin_.x || origin.y != origin_.y) AddOrigin(origin);
    if (!SamePen(pen)) AddPen(pen);
  }
  bool SamePen(const Stroke& pen) const {
    return has_pen_ && pen.color == pen_.color && pen.width == pen_.width &&
           pen.dotted == pen_.dotted &&
           (!pen.dotted || (pen.paint_gaps == pen_.paint_gaps &&
                            pen.gap_color == pen_.gap_color));
  }
  // Adds an ellipse to a marker run when its corners fit 16 bits; returns
  // false (nothing kept) otherwise.
  bool AddMarker(COLORREF brush, int left, int top, int right, int bottom) {
    if (!FitsCorner(left) || !FitsCorner(top) || !FitsCorner(right) ||
        !FitsCorner(bottom)) {
      return false;
    }
    const int32_t w = right - left;
    const int32_t h = bottom - top;
    if (!ops_.empty()) {
      DisplayOp& last = ops_.back();
      if (Continues(last, brush, w, h) &&
          corners_.size() < corners_.capacity()) {
        corners_.emplace_back(left, top);
        ++last.v[1];
        return true;
      }
    }
    StartMarkers(brush, left, top, w, h);
    return true;
  }
  // True when an ellipse of this brush and size may join the run.
  static bool Continues(const DisplayOp& run, COLORREF brush, int32_t w,
                        int32_t h) {
    return run.kind() == DisplayOpKind::kMarkers && run.arg() == brush &&
           run.v[2] == w && run.v[3] == h;
  }
  static bool FitsCorner(int v) { return v >= INT16_MIN && v <= INT16_MAX; }
  void Push(const DisplayOp& op) {
    if (ops_.size() < ops_.capacity()) {
      ops_.push_back(op);
    } else {
      Grow(op);
    }
  }
  [[gnu::noinline]] void Grow(const DisplayOp& op);
  [[gnu::noinline]] void AddOrigin(CPoint origin);
  // Adds a corner to the last run, or a new run of one marker, growing the
  // corners as needed.
  [[gnu::noinline]] void StartMarkers(COLORREF brush, int left, int top,
                                      int32_t w, int32_t h);
  // Gives up the picture once it outgrew kMaxOps.
  void Abandon();
  [[gnu::noinline]] void AddPen(const Stroke& pen);

  std::vector<DisplayOp> ops_;
  // On huge pages from the first run on: a million markers fault twice.
  kvbase::Buffer<MarkerCorner> corners_;
  std::vector<Stroke> pens_;
  std::vector<DisplayText> texts_;
  CPoint origin_;
  Stroke pen_;
  bool has_pen_ = false;
  bool complete_ = true;
};

#endif  // PLATFORM_DISPLAY_LIST_H_
