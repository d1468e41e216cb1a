#include "siblings/korvalib/normal_quantile.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace korvalib {
namespace {

// Reference quantiles computed independently with mpmath at 40 digits as
// sqrt(2) * erfinv(2p - 1), and for 1e-100 and 1e-300 by solving
// log(ncdf(z)) = log(p) with findroot at 60 digits (which also reproduces
// the 1e-10 and 1e-20 rows to every digit shown).
struct QuantileCase {
  const char* name;
  double p;
  double expected;
};

constexpr QuantileCase kQuantileCases[] = {
    {"median", 0.5, 0.0},
    {"0.975", 0.975, 1.9599639845400542355},
    {"0.999", 0.999, 3.0902323061678135415},
    {"1e-10", 1e-10, -6.3613409024040562047},
    {"0.3 (centre)", 0.3, -0.52440051270804078404},
    {"0.02 (near tail)", 0.02, -2.0537489106318230529},
    {"1e-20 (far tail)", 1e-20, -9.2623400897984075737},
    {"1e-100", 1e-100, -21.27345356096532429512},
    {"1e-300", 1e-300, -37.04709629936119923722},
};

TEST(NormalQuantileTest, MatchesReferenceToRelative1e14) {
  for (const QuantileCase& row : kQuantileCases) {
    const double z = NormalQuantile(row.p);
    if (row.expected == 0.0) {
      EXPECT_EQ(z, 0.0) << row.name;
    } else {
      EXPECT_NEAR(z, row.expected, 1e-14 * std::fabs(row.expected))
          << row.name;
    }
  }
}

TEST(NormalQuantileTest, IsAntisymmetric) {
  // q = 1 - p rounds, but 1 - q is then exact, so G^-1(q) = -G^-1(1 - q)
  // holds for the numbers as stored.
  for (const QuantileCase& row : kQuantileCases) {
    const double q = 1.0 - row.p;
    if (q == 1.0) continue;
    const double z = NormalQuantile(1.0 - q);
    EXPECT_NEAR(NormalQuantile(q), -z, 1e-14 * (1.0 + std::fabs(z)))
        << row.name;
  }
}

TEST(NormalQuantileTest, EndsAndOutsideValues) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(NormalQuantile(0.0), -inf);
  EXPECT_EQ(NormalQuantile(1.0), inf);
  EXPECT_TRUE(std::isnan(NormalQuantile(-0.1)));
  EXPECT_TRUE(std::isnan(NormalQuantile(1.5)));
  EXPECT_TRUE(std::isnan(NormalQuantile(std::nan(""))));
}

}  // namespace
}  // namespace korvalib
