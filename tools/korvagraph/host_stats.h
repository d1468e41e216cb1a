// The small statistics a host works out before handing data to a chart:
// data windows, histogram class counts, a least-squares line, moments.
// All functions take values without missing entries.
#ifndef TOOLS_KORVAGRAPH_HOST_STATS_H_
#define TOOLS_KORVAGRAPH_HOST_STATS_H_

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

// Returns the number of histogram classes for count values: the square root
// of the count, kept between 5 and 40 so that small and large sets both read.
int HistogramClassCount(int count);

double Mean(const std::vector<double>& values);
// Variance with divisor n, as geostatistics programs report it.
double Variance(const std::vector<double>& values);

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
