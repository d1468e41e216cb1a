// The small statistics a host works out before handing data to a chart:
// data windows, histogram class counts, a least-squares line, moments, and
// the power of ten that brings values into what the charts can draw.
// Functions take values without missing entries unless they say otherwise.
#ifndef KORVAGRAPH_ANALYSIS_STATISTICS_H_
#define KORVAGRAPH_ANALYSIS_STATISTICS_H_

#include <cstddef>
#include <string>
#include <vector>

namespace korvagraph::analysis {

// The smallest and largest value; a chart's data window.
struct DataWindow {
  double minimum = 0.0;
  double maximum = 0.0;
};

// Returns the window spanning values; {0, 0} for no values. NaN is skipped.
DataWindow WindowOf(const std::vector<double>& values);
// Returns the window spanning both sets, for charts with one shared extent.
DataWindow WindowOf(const std::vector<double>& a, const std::vector<double>& b);
// Returns window, widened when it has no width (constant data), less than a
// 1e-12 part of its magnitude or less than 1e-290, which no chart can
// scale: by 5% of the value either side, or by 0.5 about zero (also where 5%
// of a subnormal value is no width).
DataWindow Widened(DataWindow window);
// Returns window widened (as above), then outward to multiples of a round
// step (1, 2 or 5 times a power of ten, about a tenth of its width). Charts
// whose axes start at the window's minimum then label round numbers.
// Example: 3.04 .. 113.2 gives 0 .. 120 (step 20).
DataWindow Rounded(DataWindow window);

// Returns window with its maximum raised just enough (and a minimum in
// (-1e-5, 0) lowered to -2e-5) that the axis of a chart that floors its
// origin to the tick step, and ends it a whole number of steps later,
// reaches the maximum. Given the exact extent such an axis may end below
// it: x from 3.3 to 41.7 gets an axis from 0 to 40, and the sample at 41.7
// is not drawn. A window without width or finite span comes back as it is.
DataWindow AxisExtent(DataWindow window);

// Returns the number of histogram classes for count values: the square root
// of the count, kept between 5 and 40 so that small and large sets both read.
int HistogramClassCount(int64_t count);

double Mean(const std::vector<double>& values);
// Variance with divisor n, as geostatistics programs report it.
double Variance(const std::vector<double>& values);

// The declustered mean and variance: each value counts with its weight.
// REQUIRES: weights as long as values, none negative. Zeros when the
// weights add up to nothing.
struct WeightedMoments {
  double mean = 0.0;
  double variance = 0.0;
};
WeightedMoments WeightedMomentsOf(const std::vector<double>& values,
                                  const std::vector<double>& weights);

// y = slope * x + intercept fitted to pairs by ordinary least squares.
struct FitLine {
  double slope = 0.0;
  double intercept = 0.0;
  double correlation = 0.0;  // Pearson's r; 0 without variance
};

// REQUIRES: x.size() == y.size(). Returns a flat line through the mean of y
// when x has no variance, and zeros for no pairs.
FitLine LeastSquaresLine(const std::vector<double>& x,
                         const std::vector<double>& y);

// ValueScale: the power of ten by which a host divides an attribute before
// a chart draws it, so that ordinary data the charts cannot scale still make
// a picture: spans below 1e-4 (the charts draw no axis range below 1e-5)
// and magnitudes of 1e150 and more (their squares, behind every standard
// deviation, overflow). The axis name states the division; statistics the
// charts return are multiplied back.
struct ValueScale {
  int exponent = 0;  // values are drawn divided by 10^exponent

  double factor() const;
  // Returns a value or statistic of the drawn data in the data's units.
  double Unscaled(double drawn) const { return drawn * factor(); }
  // Returns name, followed by " / 1e-6" (the division) when scaled.
  std::string Named(const std::string& name) const;
  // Returns values divided by the factor.
  std::vector<double> Scaled(const std::vector<double>& values) const;
};

// Returns the scale that brings values into what the charts draw: exponent
// 0 for ordinary data. REQUIRES: values finite.
ValueScale ScaleFor(const std::vector<double>& values);

}  // namespace korvagraph::analysis

#endif  // KORVAGRAPH_ANALYSIS_STATISTICS_H_
