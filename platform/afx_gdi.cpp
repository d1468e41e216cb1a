#include "platform/afx_gdi.h"

#include "platform/device_context.h"

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

BOOL CGdiObject::DeleteObject() {
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

CDC* CDC::FromHandle(HDC dc) {
  DeviceContext* context = FindDeviceContext(dc);
  return context == nullptr ? nullptr : context->cdc();
}

namespace {

// Runs a call on the context behind the wrapper, or returns `failed`.
template <typename Result, typename Call>
Result OnContext(HDC dc, Result failed, Call call) {
  DeviceContext* context = FindDeviceContext(dc);
  return context == nullptr ? failed : call(*context);
}

}  // namespace

CPoint CDC::SetViewportOrg(int x, int y) {
  return OnContext(m_hDC, CPoint(), [&](DeviceContext& dc) {
    return dc.SetViewportOrg(x, y);
  });
}

CPen* CDC::SelectObject(CPen* pen) {
  if (pen == nullptr) return nullptr;
  return OnContext(m_hDC, static_cast<CPen*>(nullptr), [&](DeviceContext& dc) {
    const HGDIOBJ previous = dc.Select(pen->m_hObject);
    return previous == nullptr ? nullptr : dc.LendPen(previous);
  });
}

CBrush* CDC::SelectObject(CBrush* brush) {
  if (brush == nullptr) return nullptr;
  return OnContext(m_hDC, static_cast<CBrush*>(nullptr),
                   [&](DeviceContext& dc) {
                     const HGDIOBJ previous = dc.Select(brush->m_hObject);
                     return previous == nullptr ? nullptr
                                                : dc.LendBrush(previous);
                   });
}

CFont* CDC::SelectObject(CFont* font) {
  if (font == nullptr) return nullptr;
  return OnContext(m_hDC, static_cast<CFont*>(nullptr),
                   [&](DeviceContext& dc) {
                     const HGDIOBJ previous = dc.Select(font->m_hObject);
                     return previous == nullptr ? nullptr
                                                : dc.LendFont(previous);
                   });
}

HGDIOBJ CDC::SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }

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

BOOL CDC::Ellipse(int left, int top, int right, int bottom) {
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
