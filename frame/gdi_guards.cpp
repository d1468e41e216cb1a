#include "frame/gdi_guards.h"

namespace {

constexpr char kLabelFace[] = "Times New Roman";

}  // namespace

ScopedSelection::ScopedSelection(CDC* dc, HGDIOBJ created)
    : dc_(dc), created_(created) {
  if (dc_ != nullptr && created_ != nullptr) {
    previous_ = dc_->SelectObject(created_);
  }
}

ScopedSelection::~ScopedSelection() {
  // Deselected first: a selected object cannot be destroyed.
  if (previous_ != nullptr) dc_->SelectObject(previous_);
  if (created_ != nullptr) DeleteObject(created_);
}

ScopedSelection SelectNewPen(CDC* dc, int style, int width, COLORREF color) {
  return ScopedSelection(dc, CreatePen(style, width, color));
}

ScopedSelection SelectNewBrush(CDC* dc, COLORREF color) {
  return ScopedSelection(dc, CreateSolidBrush(color));
}

ScopedSelection SelectNewFont(CDC* dc, int height, int width, int escapement) {
  return ScopedSelection(
      dc, CreateFontA(height, width, escapement, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0,
                      0, 0, kLabelFace));
}

WindowDC::WindowDC(CWnd* window)
    : hwnd_(window != nullptr ? window->GetSafeHwnd() : nullptr) {
  if (hwnd_ == nullptr) return;
  hdc_ = GetDC(hwnd_);
  if (hdc_ != nullptr) dc_ = CDC::FromHandle(hdc_);
}

WindowDC::~WindowDC() {
  if (hdc_ != nullptr) ReleaseDC(hwnd_, hdc_);
}
