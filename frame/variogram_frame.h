// The frame shared by the variogram charts: the scale rule that starts both
// axes at 0 (or one step below a negative semivariance), power-of-ten label
// factors on both axes, the frame with inward tick marks, the titles with
// their raised exponents, and the line through recorded point positions.
// The tick marks and the labels are separate steps so that a chart with a
// grid instead of ticks can draw the same labels.
#ifndef FRAME_VARIOGRAM_FRAME_H_
#define FRAME_VARIOGRAM_FRAME_H_

#include <string>
#include <vector>

#include "frame/plot_frame.h"
#include "korvagraph/cpoint.h"

// Largest and smallest semivariance and largest lag of the qualifying entries.
struct VariogramExtents {
  double largest_gamma = 0.0;
  double smallest_gamma = 0.0;
  double largest_lag = 0.0;
};

// The extents of the collected semivariances and lags (all 0 when nothing
// was collected), the largest semivariance raised to the sill when
// `sill_flag` is 1.
VariogramExtents SummarizeVariogramExtents(const std::vector<double>& gammas,
                                           const std::vector<double>& lags,
                                           int sill_flag, double sill);

// Sets both axes: X from 0 over the largest lag; Y from 0 with one step of
// headroom, or from one step below a negative smallest semivariance up to the
// largest one. Degenerate extents leave steps of 0 (PlotFrame::CanDraw fails)
// without dividing by zero.
void CalcVariogramScale(PlotFrame& frame, const VariogramExtents& extents);

// The power of ten each axis's tick values are divided by, and the exponent
// printed beside the axis title. Factor 1 and exponent 0 for a span that is
// not above 1e-20.
struct AxisFactors {
  double x_factor = 1.0;
  LONG x_exponent = 0;
  double y_factor = 1.0;
  LONG y_exponent = 0;
};
AxisFactors CalcAxisFactors(const PlotFrame& frame);

enum class XTickLabels {
  kEverySecondTick,  // 0, 2, 4, ... steps, as the Y axis
  kEveryTick,        // every inner step
};

// The frame rectangle in `frame_color` with 5-pixel tick marks pointing
// inward from all four sides at every inner step.
void DrawTickFrame(CDC* dc, const PlotFrame& frame, COLORREF frame_color);

// Axis titles ("name, 10" with the raised X exponent below the axis; name,
// ",", "10" and the Y exponent stacked left of it) and the tick labels divided
// by the factors.
void DrawFactorLabels(CDC* dc, const PlotFrame& frame,
                      const AxisFactors& factors, const std::string& x_name,
                      const std::string& y_name, XTickLabels x_labels);

// Factors, tick frame and labels in one; returns the factors used.
AxisFactors DrawTickAxes(CDC* dc, const PlotFrame& frame, COLORREF frame_color,
                         const std::string& x_name, const std::string& y_name,
                         XTickLabels x_labels);

// A line between two data points through the frame's mapping, in the
// current pen; not clipped to the plot.
void DrawWorldLine(CDC* dc, const PlotFrame& frame, double x1, double y1,
                   double x2, double y2);

// Returns a recorded position (relative to the plot corner) in client
// coordinates, for a context without a viewport origin: the corner is the
// style's left and top margins, as the client area starts at (0, 0).
CPoint RecordedToClient(const PlotFrame& frame, const CPoint& position);

// Joins recorded positions with the current pen, in client coordinates;
// fewer than two points draw nothing.
void DrawRecordedLine(CDC* dc, const PlotFrame& frame,
                      const std::vector<CPoint>& points);

#endif  // FRAME_VARIOGRAM_FRAME_H_
