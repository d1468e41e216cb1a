#include "platform/gdi32.h"

#include "platform/context_table.h"
#include "platform/device_context.h"
#include "platform/gdi_object_table.h"

[[gnu::flatten]] HPEN CreatePen(int style, int width, COLORREF color) {
  PenSpec pen;
  pen.style = style;
  pen.width = width;
  pen.color = color;
  return GdiObjects().CreatePen(pen);
}

HBRUSH CreateSolidBrush(COLORREF color) {
  return GdiObjects().CreateBrush(color);
}

HFONT CreateFontA(int height, int width, int escapement, int /*orientation*/,
                  int weight, DWORD /*italic*/, DWORD /*underline*/,
                  DWORD /*strike_out*/, DWORD /*char_set*/,
                  DWORD /*out_precision*/, DWORD /*clip_precision*/,
                  DWORD /*quality*/, DWORD /*pitch_and_family*/,
                  LPCSTR face_name) {
  FontSpec font;
  font.height = height;
  font.width = width;
  font.escapement = escapement;
  font.weight = weight;
  font.face = face_name != nullptr ? face_name : "";
  return GdiObjects().CreateFont(font);
}

[[gnu::flatten]] BOOL DeleteObject(HGDIOBJ object) {
  return GdiObjects().Delete(object);
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  DeviceContext* context = FindDeviceContext(dc);
  return context == nullptr ? nullptr : context->Select(object);
}
