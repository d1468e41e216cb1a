#include "platform/display_list.h"

#include <utility>

namespace {

// A picture's first records are kept without reallocating.
constexpr size_t kInitialOps = 4096;

}  // namespace

void DisplayList::Clear() {
  // The capacity stays: the next picture of a window is much like the last.
  ops_.clear();
  pens_.clear();
  texts_.clear();
  origin_ = CPoint();
  has_pen_ = false;
  complete_ = true;
}

void DisplayList::Grow(const DisplayOp& op) {
  if (!complete_) return;
  if (ops_.size() >= kMaxOps) {
    // The picture is lost for replay; its memory is not kept either.
    complete_ = false;
    ops_ = {};
    pens_ = {};
    texts_ = {};
    return;
  }
  ops_.reserve(ops_.empty() ? kInitialOps : ops_.size() * 2);
  ops_.push_back(op);
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
