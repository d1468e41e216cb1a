// Numeric routines shared by every chart and the transforms, none of them
// about pixels: tick steps, label texts, array extremes and power-of-ten axis
// factors.
#ifndef BASE_NUMERIC_H_
#define BASE_NUMERIC_H_

#include <string>

#include "korvagraph/records.h"

// Chooses a tick step of 2, 5 or 10 times a power of ten for `range` and
// widens `range` to a whole number of steps plus one (two for steps of 9 or
// more). Worked example: 37 -> step 5, range 40; 100 -> step 20, range 140;
// 0.37 -> step 0.05, range 0.4. A range without a usable step (not positive,
// subnormal, not finite, or one whose widening overflows) is left as it is,
// with the step 0, as for a constant column: the charts then draw nothing.
void CalcNiceStep(double& range, double& step);

// Returns x printed with two decimals, trailing zeros and a bare '.' removed:
// 12.5 -> "12.5", 3 -> "3", 0.004 -> "0", -0.001 -> "-0".
std::string FormatNumber(double x);

// Returns the largest (smallest) of values[0 .. count-1]; -9999 when values is
// null or count is below 1.
double ArrayMax(const double* values, LONG count);
double ArrayMin(const double* values, LONG count);
// The same with NaNs left out wherever they stand (ArrayMax keeps a NaN that
// comes first): NaN only when every value is NaN. For ranges reported to a
// host, which must not depend on the order of the values.
double NumericMax(const double* values, LONG count);
double NumericMin(const double* values, LONG count);

// For the span end - origin above 1e-20 and finite: e = trunc(log10(span)),
// factor = 10^e (exact, by repeated squaring), exponent = -e. Otherwise both
// outputs keep their values.
void CalcAxisExponent(double end, double origin, double& factor,
                      LONG& exponent);

#endif  // BASE_NUMERIC_H_
