// One drawing pass of a chart: the window's device context, the pass pen and
// the viewport moved to the plot rectangle's top-left corner; everything is
// given back when the pass ends, on every path.
#ifndef FRAME_DRAW_PASS_H_
#define FRAME_DRAW_PASS_H_

#include <new>
#include <optional>

#include "frame/gdi_guards.h"
#include "frame/plot_frame.h"
#include "platform/pen_spec.h"

class DrawPassScope {
 public:
  // Takes the frame window's device context, selects a new pass pen when one
  // is given, and moves the viewport origin to the plot corner when asked.
  DrawPassScope(const PlotFrame& frame, std::optional<PenSpec> pass_pen,
                bool move_origin = true);
  ~DrawPassScope() = default;
  DrawPassScope(const DrawPassScope&) = delete;
  DrawPassScope& operator=(const DrawPassScope&) = delete;

  CDC* dc() const { return window_dc_.dc(); }
  explicit operator bool() const { return dc() != nullptr; }

 private:
  WindowDC window_dc_;                  // released last
  std::optional<ScopedSelection> pen_;  // restored and destroyed first
};

// Runs draw(dc) as one pass on the frame's window. An allocation failure ends
// the pass; the scope gives back everything the pass took.
template <typename Draw>
void RunDrawPass(const PlotFrame& frame, std::optional<PenSpec> pass_pen,
                 Draw&& draw, bool move_origin = true) {
  DrawPassScope scope(frame, pass_pen, move_origin);
  if (!scope) return;
  try {
    draw(scope.dc());
  } catch (const std::bad_alloc&) {
  }
}

// Runs one of a chart's passes, a member drawing on the pass's context, as
// RunDrawPass runs draw. A chart's Redraw lists its passes by name in order.
template <typename Chart, typename Pass>
void RunChartPass(const PlotFrame& frame, std::optional<PenSpec> pass_pen,
                  Chart* chart, Pass pass) {
  RunDrawPass(frame, pass_pen, [chart, pass](CDC* dc) { (chart->*pass)(dc); });
}

#endif  // FRAME_DRAW_PASS_H_
