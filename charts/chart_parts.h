// What several charts share: the engine settings every compute step passes,
// the frame styles and title of the chart families, and small pieces of state
// (a referenced sample array, a data extent, the two axis names).
#ifndef CHARTS_CHART_PARTS_H_
#define CHARTS_CHART_PARTS_H_

#include "frame/exponent_title.h"
#include "frame/plot_frame.h"
#include "korvagraph/KorvaGraphLib.h"

// What every compute step tells the engine the same way: the sample set and
// the axis numbers it fills, and the drawing scale every call site passes
// (0.24 rounded to single precision; the engine stores it and draws nothing).
constexpr int kPrimarySet = 1;
constexpr int kSecondSet = 2;
constexpr int kValueAxis = 1;
constexpr int kEngineXAxis = 2;
constexpr int kEngineYAxis = 3;
constexpr double kEngineScale = static_cast<double>(0.24f);
// The tail factor of an axis window (stored by the engine, changes nothing);
// the Q-Q plots pass their own.
constexpr double kTailFactor = 3.0;

// Axis ranges below this draw nothing but the repainted window (the
// histogram also leaves classes of smaller frequency without a bar).
constexpr double kTiny = 0.00001;
// The small circle of one sample in the sample-distribution plots and of
// one pair in the variogram cloud.
constexpr int kPointMarkerRadius = 2;

// The frame of the sample-distribution charts: room for the tick labels left
// of the plot, 8 pixels above and to the right of it.
constexpr FrameStyle kSamplePlotFrame = FrameStyle().Left(35).Top(8).Right(8);

// The histogram and probability plot: the bottom margin the public header
// tells hosts, and their horizontal title, as deep as it says, its width
// taken as 7.5 pixels per character.
constexpr FrameStyle kTitledAxisFrame =
    kSamplePlotFrame.BottomPerWidth(kKvTitledAxisMargin);
constexpr AxisTitleMetrics kTitledAxisTitle = [] {
  AxisTitleMetrics title;
  title.depth = kKvTitledAxisDepth;
  title.pixels_per_two_characters = 15;
  return title;
}();

// The scatter plot: a bottom margin of 35 pixels per pixel of height over
// width and the dotted grid; the cross and Q-Q plots add the corner-to-corner
// diagonal.
constexpr FrameStyle kScatterPlotFrame =
    kSamplePlotFrame.BottomPerWidth(35).Grid(GridStyle::kDotted);
constexpr FrameStyle kCrossPlotFrame = kScatterPlotFrame.Diagonal();

// The frame of the variogram and cloud charts: the plot corner that their
// recorded positions are relative to, and their right margin.
constexpr FrameStyle kVariogramPlotFrame = FrameStyle()
                                               .Left(kKvVariogramPlotLeft)
                                               .Top(kKvVariogramPlotTop)
                                               .Right(kKvVariogramPlotRight);

// The host's sample array, held by reference.
struct SampleArray {
  KvDiscPnt* samples = nullptr;
  LONG count = 0;

  void Load(KvDiscPnt* new_samples, LONG new_count) {
    samples = new_samples;
    count = new_count;
  }
};

// The lower and upper limits the host sets for a chart's values
// (_kvGraphSetDataExtr, _kvGraphSetDataExtr2), kept as given. Unlike the
// engine's window, it lets a value that is not a number through.
struct DataExtent {
  double minimum = 0.0;
  double maximum = 0.0;

  void Set(double new_minimum, double new_maximum) {
    minimum = new_minimum;
    maximum = new_maximum;
  }
  // True for a value below the minimum or above the maximum; NaN is neither.
  bool Excludes(double value) const {
    return value < minimum || value > maximum;
  }
};

// The horizontal and vertical axis names, copied from the host.
struct AxisNames {
  CString x;
  CString y;

  void Set(const CString& x_name, const CString& y_name) {
    x = x_name;
    y = y_name;
  }
};

#endif  // CHARTS_CHART_PARTS_H_
