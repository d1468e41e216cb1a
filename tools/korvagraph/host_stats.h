// The small statistics a host works out before handing data to a chart:
// data windows, histogram class counts, a least-squares line, moments.
// All functions take values without missing entries.
#ifndef TOOLS_KORVAGRAPH_HOST_STATS_H_
#define TOOLS_KORVAGRAPH_HOST_STATS_H_

#include <cstddef>
#include <string>
#include <vector>

// The smallest and largest value; a chart's data window.
struct DataWindow {
  double minimum = 0.0;
  double maximum = 0.0;
};

// Returns the window spanning values; {0, 0} for no values.
DataWindow WindowOf(const std::vector<double>& values);
// Returns the window spanning both sets, for charts with one shared extent.
DataWindow WindowOf(const std::vector<double>& a, const std::vector<double>& b);
// Returns window, widened when it has no width (constant data), less than
// a 1e-12 part of its magnitude or less than 1e-290, which no chart can
// scale: by 5% of the value either side, or by 0.5 about zero.
DataWindow Widened(DataWindow window);
// Returns window widened (as above), then outward to multiples of a round
// step (1, 2 or 5 times a power of ten, about a tenth of its width). Charts
// whose axes start at the window's minimum then label round numbers.
// Example: 3.04 .. 113.2 gives 0 .. 120 (step 20).
DataWindow Rounded(DataWindow window);

// Returns the number of histogram classes for count values: the square root
// of the count, kept between 5 and 40 so that small and large sets both read.
int HistogramClassCount(int count);

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

// Returns name whole when it has at most chars characters (UTF-8), else its
// first chars - 1 characters and a period: "Copper", 4 gives "Cop.". For
// axis names that must fit a chart's fixed margins. REQUIRES: chars >= 2.
std::string Abbreviated(const std::string& name, size_t chars);

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

#endif  // TOOLS_KORVAGRAPH_HOST_STATS_H_
