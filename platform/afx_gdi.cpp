#include "platform/afx_gdi.h"

#include "platform/gdi32.h"

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
