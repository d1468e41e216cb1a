// A terminal host that includes the chart library's headers first and
// curses after them.
#include <korvagraph/KorvaGraphLib.h>
#include <korvagraph/canvas_window.h>
// Kept after the library's headers on purpose.
#include <curses.h>

int main() {
  CanvasWindow window(64, 48);
  CString name("Copper");
  const bool drawn = window.Pixels() != nullptr && name.GetLength() == 6;
  return drawn == TRUE ? OK : ERR;
}
