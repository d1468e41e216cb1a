// A host with the Windows-style macros of its own, defined before the chart
// library's headers.
#define TRUE 1
#define FALSE 0
#define BOOL int
#define RGB(r, g, b) ((r) | ((g) << 8) | ((b) << 16))
#define TRANSPARENT 1
#define GetDC(w) 0
#define ReleaseDC(w, dc) 0
#define InvalidateRect(w, r, e) 0

#include <korvagraph/KorvaGraphLib.h>
#include <korvagraph/canvas_window.h>

int main() {
  CanvasWindow window(64, 48, RGB(255, 255, 255));
  BOOL same = window.Pixel(0, 0) == KvRgb(255, 255, 255) ? TRUE : FALSE;
  return same == TRUE ? 0 : 1;
}
