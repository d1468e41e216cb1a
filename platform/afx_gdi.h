// The framework's drawing classes: CGdiObject, CPen, CBrush, CFont and CDC.
// A CGdiObject owns the handle attached to it and destroys it on destruction.
// CDC::FromHandle returns a wrapper owned by the platform, valid until the
// device context is released.
#ifndef PLATFORM_AFX_GDI_H_
#define PLATFORM_AFX_GDI_H_

#include "korvagraph/cpoint.h"
#include "korvagraph/cstring.h"
#include "platform/gdi32.h"
#include "platform/win_types.h"

class CGdiObject {
 public:
  CGdiObject() = default;
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;
  ~CGdiObject();

  BOOL Attach(HGDIOBJ object);
  HGDIOBJ Detach();
  BOOL DeleteObject();
  HGDIOBJ GetSafeHandle() const { return m_hObject; }

  HGDIOBJ m_hObject = nullptr;
};

class CPen : public CGdiObject {
 public:
  CPen() = default;
  CPen(int style, int width, COLORREF color);
  BOOL CreatePen(int style, int width, COLORREF color);
};

class CBrush : public CGdiObject {
 public:
  CBrush() = default;
  explicit CBrush(COLORREF color);
  BOOL CreateSolidBrush(COLORREF color);
};

class CFont : public CGdiObject {};

class CDC {
 public:
  static CDC* FromHandle(HDC dc);
  HDC GetSafeHdc() const { return m_hDC; }

  CPoint SetViewportOrg(int x, int y);
  // Selection returns the previous object of the kind as a temporary wrapper
  // owned by the platform (do not delete it), or null on failure.
  CPen* SelectObject(CPen* pen);
  CBrush* SelectObject(CBrush* brush);
  CFont* SelectObject(CFont* font);
  HGDIOBJ SelectObject(HGDIOBJ object);

  CPoint MoveTo(int x, int y);
  BOOL LineTo(int x, int y);
  BOOL Rectangle(int left, int top, int right, int bottom);
  BOOL Ellipse(int left, int top, int right, int bottom);
  BOOL TextOut(int x, int y, const char* text, int length);
  BOOL TextOut(int x, int y, const CString& text);
  UINT SetTextAlign(UINT flags);
  int SetBkMode(int mode);

  HDC m_hDC = nullptr;
};

#endif  // PLATFORM_AFX_GDI_H_
