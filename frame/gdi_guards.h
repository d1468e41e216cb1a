// RAII guards for what a drawing step takes from the platform: the device
// context of a pass and the pen, brush or font selected for a step. Each
// guard gives back what it took on every path; copies are deleted.
#ifndef FRAME_GDI_GUARDS_H_
#define FRAME_GDI_GUARDS_H_

#include "platform/afx_gdi.h"
#include "platform/user32.h"
#include "platform/win_types.h"

// Selects a newly created object into a device context; on destruction selects
// the previous object back and destroys the created one. A null context or a
// failed creation draws nothing and still frees what was created.
class ScopedSelection {
 public:
  ScopedSelection(CDC* dc, HGDIOBJ created);
  ~ScopedSelection();
  ScopedSelection(const ScopedSelection&) = delete;
  ScopedSelection& operator=(const ScopedSelection&) = delete;

  bool ok() const { return previous_ != nullptr; }

 private:
  CDC* dc_;
  HGDIOBJ created_;
  HGDIOBJ previous_ = nullptr;
};

// Returns a guard over a new pen, solid brush or label font selected into dc.
ScopedSelection SelectNewPen(CDC* dc, int style, int width, COLORREF color);
ScopedSelection SelectNewBrush(CDC* dc, COLORREF color);
ScopedSelection SelectNewFont(CDC* dc, int height, int width, int escapement);

// The device context of one window for the length of a scope.
class WindowDC {
 public:
  explicit WindowDC(CWnd* window);
  ~WindowDC();
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;

  CDC* dc() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND hwnd_ = nullptr;
  HDC hdc_ = nullptr;
  CDC* dc_ = nullptr;
};

#endif  // FRAME_GDI_GUARDS_H_
