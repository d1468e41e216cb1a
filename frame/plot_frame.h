// The plot frame every chart draws on: plot rectangle from the client area,
// axis scales, the data-to-pixel mapping, labels, frame rectangle, grid and
// the standard tick labels. A chart holds one PlotFrame configured by a
// FrameStyle record and adds only the marks that are its own.
#ifndef FRAME_PLOT_FRAME_H_
#define FRAME_PLOT_FRAME_H_

#include <string>

#include "platform/afx_gdi.h"
#include "platform/user32.h"
#include "platform/win_types.h"

// One axis: its widened data span and its mapping to pixels.
struct AxisScale {
  double range = 0.0;   // widened data span
  double step = 0.0;    // tick step
  double origin = 0.0;  // data value at the left (bottom) edge
  double end = 0.0;     // origin + range
  double pixels_per_unit = 0.0;

  // Returns the number of whole steps in the range (truncated).
  LONG StepCount() const;
  // Returns the number of steps in the range, rounded (the Y grid's count).
  LONG RoundedStepCount() const;
  // True when range, step and pixels per unit are finite and positive.
  bool IsUsable() const;
};

enum class GridStyle {
  kNone,           // no grid lines
  kDotted,         // dotted grey lines at every inner step of both axes
  kSolidVertical,  // solid dark grey lines at the inner X steps only
};

// How a chart's frame differs from the others', built field by field:
//   FrameStyle().Left(35).Top(8).Right(8).BottomPerWidth(50)
//       .Grid(GridStyle::kDotted)
// Margins are in pixels; what is not named keeps the default below.
struct FrameStyle {
  LONG left_margin = 0;
  LONG top_margin = 0;
  LONG right_margin = 0;
  LONG bottom_per_width = 0;  // bottom margin = H * this / W, when non-zero
  LONG bottom_margin = 0;     // the fixed bottom margin otherwise
  bool diagonal = false;      // bottom-left to top-right line over the frame
  GridStyle grid = GridStyle::kNone;
  bool narrow_labels = false;  // label font width (height - 4) / 2, not 0

 private:
  // Returns a copy with one field changed. Declared before the named
  // setters, so that a constant expression can use it through them.
  template <typename Field>
  constexpr FrameStyle With(Field FrameStyle::*field, Field value) const {
    FrameStyle style = *this;
    style.*field = value;
    return style;
  }

 public:
  constexpr FrameStyle Left(LONG pixels) const {
    return With(&FrameStyle::left_margin, pixels);
  }
  constexpr FrameStyle Top(LONG pixels) const {
    return With(&FrameStyle::top_margin, pixels);
  }
  constexpr FrameStyle Right(LONG pixels) const {
    return With(&FrameStyle::right_margin, pixels);
  }
  constexpr FrameStyle BottomPerWidth(LONG pixels) const {
    return With(&FrameStyle::bottom_per_width, pixels);
  }
  constexpr FrameStyle Bottom(LONG pixels) const {
    return With(&FrameStyle::bottom_margin, pixels);
  }
  constexpr FrameStyle Diagonal() const {
    return With(&FrameStyle::diagonal, true);
  }
  constexpr FrameStyle Grid(GridStyle style) const {
    return With(&FrameStyle::grid, style);
  }
  constexpr FrameStyle NarrowLabels() const {
    return With(&FrameStyle::narrow_labels, true);
  }
};

// How CalcScale places an axis origin.
enum class OriginRule {
  kFloored,      // a whole number of steps at or below the minimum
  kDataMinimum,  // the minimum itself
};

// Every label and title is 15 pixels high; the labels stand 5 pixels left of
// the plot or 4 pixels below it (one label step), tops aligned.
constexpr int kLabelHeight = 15;
constexpr LONG kLabelGapX = 5;
constexpr LONG kLabelGapY = 4;

constexpr COLORREF kGridGrey = RGB(180, 180, 180);
constexpr COLORREF kDarkGrey = RGB(100, 100, 100);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

class PlotFrame {
 public:
  explicit PlotFrame(const FrameStyle& style) : style_(style) {}

  const FrameStyle& style() const { return style_; }

  // Reads the window's client rectangle and sets the plot rectangle from the
  // style's margins. Does nothing while the window is null.
  void CalcPlotRect();

  // Sets both axes from data extents: a negative range takes the other
  // axis's range, ranges are widened to nice steps, origins follow `rule`.
  void CalcScale(double min_x, double max_x, double min_y, double max_y,
                 OriginRule rule);
  // Sets pixels per unit of both axes from their ranges and the plot size.
  void UpdatePixelsPerUnit();

  void WorldtoScreen(double x, double y, LONG& sx, LONG& sy) const;
  void ScreentoWorld(LONG sx, LONG sy, double& x, double& y) const;

  LONG PlotWidth() const;
  LONG PlotHeight() const;

  // True when the window is set and the plot area and both scales are usable:
  // the only state in which a chart draws more than the repainted window.
  bool CanDraw() const;

  // Invalidates and updates the whole client area so the host repaints its
  // background. Does nothing while the window is null.
  void Repaint() const;

  // One text at a data point, in a label font of the given height.
  void DrawLabel(CDC* dc, double x, double y, int height, int escapement,
                 const std::string& text) const;

  // The frame rectangle in `color` (and the diagonal where the style has it).
  void DrawFrameRect(CDC* dc, COLORREF color) const;
  // The grid of the style; the grid lines are the ticks.
  void DrawGrid(CDC* dc) const;
  // Axis names and every-second-step tick labels without factors.
  void DrawStandardLabels(CDC* dc, const std::string& x_name,
                          const std::string& y_name) const;
  // Frame, grid and standard labels.
  void DrawAxes(CDC* dc, COLORREF frame_color, const std::string& x_name,
                const std::string& y_name) const;

  // Label offsets in data units: `pixels_x` to the right and `pixels_y` up,
  // measured from the axis origins (ScreentoWorld(px, PH - py) - origins).
  void PixelOffsets(LONG pixels_x, LONG pixels_y, double& dx, double& dy) const;
  // The label gaps kLabelGapX and kLabelGapY in data units.
  void LabelOffsets(double& dx, double& dy) const {
    PixelOffsets(kLabelGapX, kLabelGapY, dx, dy);
  }

  CWnd* window = nullptr;  // the host's window; not owned
  RECT plot{};             // plot rectangle in client pixels
  RECT client{};           // client rectangle as last read
  AxisScale x;
  AxisScale y;

 private:
  FrameStyle style_;
};

#endif  // FRAME_PLOT_FRAME_H_
