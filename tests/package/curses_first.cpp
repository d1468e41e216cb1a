// A terminal host: curses (TRUE, FALSE, OK, ERR and many function macros)
// comes before the chart library's headers.
#include <curses.h>
#include <korvagraph/KorvaGraphLib.h>
#include <korvagraph/canvas_window.h>

int main() {
  CanvasWindow window(64, 48, KvRgb(255, 255, 255));
  CKorvaGraph* graph = _kvCreateKvGraphObj(8);
  const LONG status = _kvGraphDrawCrosPlt(graph, window.Wnd());
  _kvDeleteKvGraphObj(graph);
  return status == 1 ? OK : ERR;
}
