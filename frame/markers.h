// Point marks shared by the charts. Each takes its own pen (and brush) for the
// mark and gives them back; marks outside the axes (bounds inside) are not
// drawn.
#ifndef FRAME_MARKERS_H_
#define FRAME_MARKERS_H_

#include <optional>
#include <vector>

#include "frame/plot_frame.h"
#include "korvagraph/cpoint.h"
#include "platform/win_types.h"

// True when (x, y) lies inside both axes' [origin, end]; NaN is outside.
bool InsideAxes(const PlotFrame& frame, double x, double y);

// A circle of the given radius around (x, y), outlined in `outline`, filled
// with a new brush of `fill` when given, else with the context's brush.
// Returns false when the point lies outside the axes.
bool DrawCircleMarker(CDC* dc, const PlotFrame& frame, double x, double y,
                      COLORREF outline, int radius,
                      std::optional<COLORREF> fill = std::nullopt);

// Circle markers drawn in order exactly as DrawCircleMarker draws each,
// gathered into runs that the platform draws at once when it can. Draws
// what it holds when full and on destruction.
// REQUIRES: nothing else draws on the context while the run is alive.
class CircleMarkerRun {
 public:
  CircleMarkerRun(CDC* dc, const PlotFrame& frame, COLORREF outline, int radius,
                  std::optional<COLORREF> fill);
  ~CircleMarkerRun();
  CircleMarkerRun(const CircleMarkerRun&) = delete;
  CircleMarkerRun& operator=(const CircleMarkerRun&) = delete;

  // Adds the marker at (x, y); returns false (nothing added) when the point
  // lies outside the axes.
  bool Add(double x, double y);

 private:
  void Flush();

  CDC* dc_;
  const PlotFrame& frame_;
  COLORREF outline_;
  int radius_;
  std::optional<COLORREF> fill_;
  std::vector<RECT> boxes_;
};

// The two diagonal strokes of a cross centred on pixel (sx, sy), in the
// current pen; with the end pixels excluded it covers sx - 3 .. sx + 3 and
// sy - 3 .. sy + 3.
void StrokeCross(CDC* dc, LONG sx, LONG sy);

// A cross at (x, y) in a pen of `color`. Writes the pixel position into
// `*position` when that is given and the cross is drawn. Returns false when
// the point lies outside the axes (the position is then left as it was).
bool DrawCrossMarker(CDC* dc, const PlotFrame& frame, double x, double y,
                     COLORREF color, CPoint* position);

#endif  // FRAME_MARKERS_H_
