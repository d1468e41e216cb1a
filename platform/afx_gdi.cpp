#include "platform/afx_gdi.h"

#include <cstdint>
#include <memory>

#include "platform/context_table.h"
#include "platform/device_context.h"
#include "platform/gdi32.h"
#include "platform/gdi_object_table.h"
#include "platform/handle_table.h"

namespace {

// The framework's temporary objects: one wrapper per slot of a handle table,
// lent out for the handle that now lives in the slot. A wrapper never owns
// its handle; wrappers never move and live as long as the process, so a
// caller may keep one as long as the handle is valid.
template <typename Wrapper, typename Table>
class LentWrappers {
 public:
  template <typename Handle>
  Wrapper* Lend(Handle handle) {
    const uint32_t slot = Table::SlotOf(HandleBits(handle));
    std::unique_ptr<Wrapper[]>& chunk = chunks_[slot >> kChunkBits];
    if (__builtin_expect(chunk == nullptr, 0)) chunk = NewChunk();
    Wrapper& wrapper = chunk[slot & kChunkMask];
    Wrap(wrapper, handle);
    return &wrapper;
  }

 private:
  static constexpr uint32_t kChunkBits = 12;
  static constexpr uint32_t kChunkMask = (1u << kChunkBits) - 1;

  // Out of line: the selections' quick path only indexes.
  [[gnu::noinline, gnu::cold]] static std::unique_ptr<Wrapper[]> NewChunk() {
    return std::make_unique<Wrapper[]>(kChunkMask + 1);
  }
  static void Wrap(CDC& wrapper, HDC dc) { wrapper.m_hDC = dc; }
  static void Wrap(CGdiObject& wrapper, HGDIOBJ object) {
    wrapper.m_hObject = object;
  }

  std::unique_ptr<Wrapper[]> chunks_[(Table::kMaxSlots >> kChunkBits) + 1];
};

using GdiTable = HandleTable<GdiObject>;
using ContextTable = HandleTable<DeviceContext>;

// Returns the process's wrappers of a kind; never destroyed, so that no lent
// wrapper deletes the object it wraps.
template <typename Wrapper, typename Table>
LentWrappers<Wrapper, Table>& Lent() {
  static auto* const wrappers = new LentWrappers<Wrapper, Table>;
  return *wrappers;
}

// Runs a call on the context behind a CDC, or returns `failed`.
template <typename Result, typename Call>
Result OnContext(HDC dc, Result failed, Call call) {
  DeviceContext* context = FindDeviceContext(dc);
  return context == nullptr ? failed : call(*context);
}

// Selects the wrapped object; returns the wrapper lent for the object the
// selection replaced, or null.
template <typename Wrapper>
Wrapper* SelectWrapped(HDC dc, Wrapper* object) {
  DeviceContext* context = FindDeviceContext(dc);
  if (object == nullptr || context == nullptr) return nullptr;
  const HGDIOBJ previous = context->Select(object->m_hObject);
  if (previous == nullptr) return nullptr;
  return Lent<Wrapper, GdiTable>().Lend(previous);
}

}  // namespace

CGdiObject::~CGdiObject() { DeleteObject(); }

BOOL CGdiObject::Attach(HGDIOBJ object) {
  if (object == nullptr || m_hObject != nullptr) return FALSE;
  m_hObject = object;
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  const HGDIOBJ object = m_hObject;
  m_hObject = nullptr;
  return object;
}

[[gnu::flatten]] BOOL CGdiObject::DeleteObject() {
  if (m_hObject == nullptr) return FALSE;
  // Detached even when the delete fails (a selected object), as the
  // framework does: the ledger then shows the object as leaked.
  return ::DeleteObject(Detach());
}

CPen::CPen(int style, int width, COLORREF color) {
  CreatePen(style, width, color);
}

BOOL CPen::CreatePen(int style, int width, COLORREF color) {
  return Attach(::CreatePen(style, width, color));
}

CBrush::CBrush(COLORREF color) { CreateSolidBrush(color); }

BOOL CBrush::CreateSolidBrush(COLORREF color) {
  return Attach(::CreateSolidBrush(color));
}

// The framework's wrapper: each member runs on the context of m_hDC.

CDC* CDC::FromHandle(HDC dc) {
  if (FindDeviceContext(dc) == nullptr) return nullptr;
  return Lent<CDC, ContextTable>().Lend(dc);
}

CPoint CDC::SetViewportOrg(int x, int y) {
  return OnContext(m_hDC, CPoint(),
                   [&](DeviceContext& dc) { return dc.SetViewportOrg(x, y); });
}

[[gnu::flatten]] CPen* CDC::SelectObject(CPen* pen) {
  return SelectWrapped(m_hDC, pen);
}

[[gnu::flatten]] CBrush* CDC::SelectObject(CBrush* brush) {
  return SelectWrapped(m_hDC, brush);
}

[[gnu::flatten]] CFont* CDC::SelectObject(CFont* font) {
  return SelectWrapped(m_hDC, font);
}

[[gnu::flatten]] HGDIOBJ CDC::SelectObject(HGDIOBJ object) {
  return OnContext(m_hDC, HGDIOBJ{nullptr},
                   [&](DeviceContext& dc) { return dc.Select(object); });
}

CPoint CDC::MoveTo(int x, int y) {
  return OnContext(m_hDC, CPoint(),
                   [&](DeviceContext& dc) { return dc.MoveTo(x, y); });
}

BOOL CDC::LineTo(int x, int y) {
  return OnContext(m_hDC, FALSE,
                   [&](DeviceContext& dc) { return dc.LineTo(x, y); });
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom) {
  return OnContext(m_hDC, FALSE, [&](DeviceContext& dc) {
    return dc.Rectangle(left, top, right, bottom);
  });
}

[[gnu::flatten]] BOOL CDC::Ellipse(int left, int top, int right, int bottom) {
  return OnContext(m_hDC, FALSE, [&](DeviceContext& dc) {
    return dc.Ellipse(left, top, right, bottom);
  });
}

BOOL CDC::TextOut(int x, int y, const char* text, int length) {
  return OnContext(m_hDC, FALSE, [&](DeviceContext& dc) {
    return dc.TextOut(x, y, text, length);
  });
}

BOOL CDC::TextOut(int x, int y, const CString& text) {
  return TextOut(x, y, text.GetString(), text.GetLength());
}

UINT CDC::SetTextAlign(UINT flags) {
  // The framework's failure value (GDI_ERROR).
  constexpr UINT kFailed = 0xFFFFFFFFu;
  return OnContext(m_hDC, kFailed,
                   [&](DeviceContext& dc) { return dc.SetTextAlign(flags); });
}

int CDC::SetBkMode(int mode) {
  return OnContext(m_hDC, 0,
                   [&](DeviceContext& dc) { return dc.SetBkMode(mode); });
}
