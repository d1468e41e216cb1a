// The inverse of the standard normal distribution function, G^-1.
#ifndef SIBLINGS_KORVALIB_NORMAL_QUANTILE_H_
#define SIBLINGS_KORVALIB_NORMAL_QUANTILE_H_

namespace korvalib {

// Returns z with G(z) = p, accurate to about 1e-15 relative over (0, 1).
// Returns -inf at p = 0, +inf at p = 1, and NaN for p outside [0, 1] or NaN.
double NormalQuantile(double p);

}  // namespace korvalib

#endif  // SIBLINGS_KORVALIB_NORMAL_QUANTILE_H_
