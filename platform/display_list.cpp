#include "platform/display_list.h"

#include <utility>

namespace {

// A picture's first records are kept without reallocating.
constexpr size_t kInitialOps = 4096;
// A million markers' corners: one block of huge pages, touched as it fills.
constexpr size_t kInitialCorners = size_t{1} << 20;

}  // namespace

void DisplayList::Clear() {
  // The capacity stays: the next picture of a window is much like the last.
  ops_.clear();
  corners_.clear();
  pens_.clear();
  texts_.clear();
  origin_ = CPoint();
  has_pen_ = false;
  complete_ = true;
}

void DisplayList::Grow(const DisplayOp& op) {
  if (!complete_) return;
  if (ops_.size() >= kMaxOps) {
    Abandon();
    return;
  }
  ops_.reserve(ops_.empty() ? kInitialOps : ops_.size() * 2);
  ops_.push_back(op);
}

void DisplayList::Abandon() {
  // The picture is lost for replay; its memory is not kept either.
  complete_ = false;
  ops_ = {};
  corners_ = {};
  pens_ = {};
  texts_ = {};
}

void DisplayList::StartMarkers(COLORREF brush, int left, int top, int32_t w,
                               int32_t h) {
  if (!complete_) return;
  if (corners_.size() == corners_.capacity()) {
    if (corners_.size() >= kMaxOps) {
      Abandon();
      return;
    }
    corners_.reserve(corners_.empty() ? kInitialCorners : corners_.size() * 2);
  }
  if (!ops_.empty() && Continues(ops_.back(), brush, w, h)) {
    ++ops_.back().v[1];
  } else {
    Push(DisplayOp(DisplayOpKind::kMarkers, brush,
                   static_cast<int32_t>(corners_.size()), 1, w, h));
    if (!complete_) return;
  }
  corners_.emplace_back(left, top);
}

const std::vector<DisplayOp>& DisplayList::Expanded(
    std::vector<DisplayOp>* storage) const {
  if (corners_.empty()) return ops_;
  storage->clear();
  storage->reserve(ops_.size() + corners_.size());
  for (const DisplayOp& op : ops_) {
    if (op.kind() != DisplayOpKind::kMarkers) {
      storage->push_back(op);
      continue;
    }
    const auto first = static_cast<size_t>(op.v[0]);
    for (size_t k = first; k < first + static_cast<size_t>(op.v[1]); ++k) {
      const MarkerCorner c = corners_[k];
      storage->push_back(DisplayOp(DisplayOpKind::kEllipse, op.arg(), c.left,
                                   c.top, c.left + op.v[2], c.top + op.v[3]));
    }
  }
  return *storage;
}

void DisplayList::AddOrigin(CPoint origin) {
  origin_ = origin;
  Push(DisplayOp(DisplayOpKind::kOrigin, 0, origin.x, origin.y, 0, 0));
}

void DisplayList::AddPen(const Stroke& pen) {
  if (!complete_) return;
  pen_ = pen;
  has_pen_ = true;
  pens_.push_back(pen);
  Push(DisplayOp(DisplayOpKind::kPen, static_cast<uint32_t>(pens_.size() - 1),
                 0, 0, 0, 0));
}

void DisplayList::AddText(CPoint origin, int x, int y, DisplayText text) {
  if (origin.x != origin_.x || origin.y != origin_.y) AddOrigin(origin);
  if (!complete_) return;
  texts_.push_back(std::move(text));
  Push(DisplayOp(DisplayOpKind::kText, static_cast<uint32_t>(texts_.size() - 1),
                 x, y, 0, 0));
}
