// Drawing objects and the raw drawing calls on device contexts.
// Pens, brushes and fonts are handles into a table; each created object must
// be destroyed with DeleteObject (the ledger, ledger.h, counts the live ones).
#ifndef PLATFORM_GDI32_H_
#define PLATFORM_GDI32_H_

#include "platform/win_types.h"

HPEN CreatePen(int style, int width, COLORREF color);
HBRUSH CreateSolidBrush(COLORREF color);
HFONT CreateFontA(int height, int width, int escapement, int orientation,
                  int weight, DWORD italic, DWORD underline, DWORD strike_out,
                  DWORD char_set, DWORD out_precision, DWORD clip_precision,
                  DWORD quality, DWORD pitch_and_family, LPCSTR face_name);
// Destroys a pen, brush or font; FALSE for an unknown handle or one that is
// selected into a device context.
BOOL DeleteObject(HGDIOBJ object);
// Selects the object into the context; returns the previously selected object
// of the same kind (null on failure).
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);

#endif  // PLATFORM_GDI32_H_
