// DeviceContext: the state behind an HDC (its window, viewport origin,
// current position, selected objects, text settings) and the drawing calls
// on it. GetDC opens one from a table, ReleaseDC closes it; the CDC wrapper
// and the wrappers of previously selected objects it lends out stay valid
// until then.
#ifndef PLATFORM_DEVICE_CONTEXT_H_
#define PLATFORM_DEVICE_CONTEXT_H_

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/afx_gdi.h"
#include "platform/gdi_object_table.h"
#include "platform/stroke.h"
#include "platform/win_types.h"
#include "platform/window_state.h"

// Wrappers of one kind (CPen, CBrush or CFont) lent out for objects that a
// selection replaced, one per object slot, reused from call to call.
template <typename Wrapper>
class LentWrappers {
 public:
  LentWrappers() = default;
  LentWrappers(const LentWrappers&) = delete;
  LentWrappers& operator=(const LentWrappers&) = delete;
  ~LentWrappers() { DetachAll(); }

  Wrapper* Lend(HGDIOBJ handle) {
    const uint32_t slot = GdiObjectTable::SlotOf(handle);
    for (size_t i = 0; i < slots_.size(); ++i) {
      if (slots_[i] == slot) {
        wrappers_[i].m_hObject = handle;
        return &wrappers_[i];
      }
    }
    slots_.push_back(slot);
    wrappers_.emplace_back();  // a deque: lent pointers never move
    wrappers_.back().m_hObject = handle;
    return &wrappers_.back();
  }
  // The wrappers never own what they wrap.
  void DetachAll() {
    for (Wrapper& wrapper : wrappers_) wrapper.Detach();
  }

 private:
  std::vector<uint32_t> slots_;
  std::deque<Wrapper> wrappers_;
};

class DeviceContext {
 public:
  DeviceContext() = default;
  DeviceContext(const DeviceContext&) = delete;
  DeviceContext& operator=(const DeviceContext&) = delete;

  // Resets to the defaults of a fresh context of the window.
  void Open(HWND window, HDC self);
  // Deselects everything and takes back the lent wrappers.
  void Close();

  HWND window() const { return window_; }
  CDC* cdc() { return &cdc_; }

  CPoint SetViewportOrg(int x, int y);
  // Returns the previously selected object of the kind, or null.
  HGDIOBJ Select(HGDIOBJ object);
  CPen* LendPen(HGDIOBJ handle) { return lent_pens_.Lend(handle); }
  CBrush* LendBrush(HGDIOBJ handle) { return lent_brushes_.Lend(handle); }
  CFont* LendFont(HGDIOBJ handle) { return lent_fonts_.Lend(handle); }

  CPoint MoveTo(int x, int y);
  BOOL LineTo(int x, int y);
  BOOL Rectangle(int left, int top, int right, int bottom);
  BOOL Ellipse(int left, int top, int right, int bottom);
  BOOL TextOut(int x, int y, const char* text, int length);
  UINT SetTextAlign(UINT flags);
  int SetBkMode(int mode);

 private:
  GdiObject& Selected(HGDIOBJ handle) { return *GdiObjects().Find(handle); }
  Stroke PenStroke();
  int64_t DeviceX(int x) const { return int64_t{x} + origin_.x; }
  int64_t DeviceY(int y) const { return int64_t{y} + origin_.y; }
  // The recording line of a Rectangle or Ellipse call.
  std::string ShapeLine(const char* name, int left, int top, int right,
                        int bottom);

  HWND window_ = nullptr;
  CDC cdc_;
  CPoint origin_;
  CPoint position_;
  HGDIOBJ pen_ = nullptr;
  HGDIOBJ brush_ = nullptr;
  HGDIOBJ font_ = nullptr;
  UINT align_ = TA_LEFT | TA_TOP;
  int bk_mode_ = OPAQUE;
  COLORREF bk_color_ = RGB(255, 255, 255);
  COLORREF text_color_ = RGB(0, 0, 0);
  LentWrappers<CPen> lent_pens_;
  LentWrappers<CBrush> lent_brushes_;
  LentWrappers<CFont> lent_fonts_;
};

// Opens a context of the window's client area; null for an unknown window.
HDC OpenDeviceContext(HWND window);
// Closes a context opened for the window; 1 on success, else 0.
int CloseDeviceContext(HWND window, HDC dc);
// Returns the open context, or null.
DeviceContext* FindDeviceContext(HDC dc);
int OpenDeviceContextCount();

#endif  // PLATFORM_DEVICE_CONTEXT_H_
