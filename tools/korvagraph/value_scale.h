// ValueScale: the power of ten by which korvagraph divides an attribute
// before a chart draws it, so that ordinary data the chart library cannot
// scale still makes a picture: spans below 1e-4 (the library draws no axis
// range below 1e-5) and magnitudes of 1e150 and more (their squares, behind
// every standard deviation, overflow). The axis name states the division;
// statistics the library returns are multiplied back.
#ifndef TOOLS_KORVAGRAPH_VALUE_SCALE_H_
#define TOOLS_KORVAGRAPH_VALUE_SCALE_H_

#include <string>
#include <vector>

#include "tools/korvagraph/chart_context.h"
#include "tools/korvagraph/statistic.h"

struct ValueScale {
  int exponent = 0;  // values are drawn divided by 10^exponent

  double factor() const;
  // Returns a value or statistic of the drawn data in the data's units.
  double Unscaled(double drawn) const { return drawn * factor(); }
  // Returns name, followed by " / 1e-6" (the division) when scaled.
  std::string Named(const std::string& name) const;
  // Returns values divided by the factor.
  std::vector<double> Scaled(const std::vector<double>& values) const;
  // Returns the scaled values as a chart's sample: records and a round
  // window (see Rounded).
  AttributeSample Sample(const std::vector<double>& values) const;
  // Turns the summary of drawn values into the data's units.
  void Unscale(AxisSummary* summary) const;
  // Appends "NAME drawn as" with the scaled name when there is a division,
  // for charts whose narrow margins cut the axis name.
  void AddNote(const std::string& name, Statistics* stats) const;
};

// Returns the scale that brings values into what the charts draw: exponent
// 0 for ordinary data. REQUIRES: values finite.
ValueScale ScaleFor(const std::vector<double>& values);

#endif  // TOOLS_KORVAGRAPH_VALUE_SCALE_H_
