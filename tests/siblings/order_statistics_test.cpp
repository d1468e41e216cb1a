// Ranked values by selection against the positions of a full sort.
#include "siblings/korvalib/order_statistics.h"

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "siblings/korvalib/sort_order.h"

namespace korvalib {
namespace {

struct RankCase {
  const char* name;
  std::vector<double> values;
  ValueWindow window;
};

// Shapes for each level of the search: ties, signed zeros, infinities, NaN
// (never inside), runs longer than a gathered bucket, a narrow window, and
// sizes that split more than once.
std::vector<RankCase> RankCases() {
  std::mt19937_64 generator(11);
  std::lognormal_distribution<double> grade(0.0, 1.5);
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  std::vector<RankCase> cases;
  cases.push_back({"one value", {2.5}, {}});
  cases.push_back({"signed zeros", {0.0, -0.0, 1.0, -0.0, 0.0, -1.0}, {}});
  RankCase special{"specials, all windows open", {}, {-inf, inf}};
  for (int i = 0; i < 50000; ++i) {
    const double pick[] = {0.0, -0.0, inf, -inf, nan, 1e-310, -1e300};
    special.values.push_back(i % 13 == 0 ? pick[i % 7] : grade(generator) - 3);
  }
  cases.push_back(special);
  RankCase ties{"long runs of ties", {}, {}};
  for (int i = 0; i < 200000; ++i) ties.values.push_back((i * 7919) % 5);
  cases.push_back(ties);
  RankCase lognormal{"lognormal, window cuts both tails", {}, {0.2, 30.0}};
  for (int i = 0; i < 300000; ++i) lognormal.values.push_back(grade(generator));
  cases.push_back(lognormal);
  RankCase dense{"dense cluster and one outlier", {}, {}};
  for (int i = 0; i < 120000; ++i) dense.values.push_back(1000.0 + i * 1e-9);
  dense.values.push_back(-1e200);
  cases.push_back(dense);
  return cases;
}

TEST(OrderStatisticsTest, RanksMatchFullSort) {
  for (const RankCase& row : RankCases()) {
    Buffer<double> sorted = Select(row.values, row.window);
    SortAscending(sorted.data(), sorted.size());
    const RankedValues ranked(row.values.data(), row.values.size(), row.window);
    ASSERT_EQ(ranked.count(), sorted.size()) << row.name;
    const size_t n = sorted.size();
    std::vector<size_t> ranks = {0,     n - 1, n / 4,     n / 4 + 1,
                                 n / 2, n / 2, 3 * n / 4, n / 3};
    for (size_t& r : ranks) r = std::min(r, n - 1);
    const std::vector<double> found = ranked.ValuesOf(ranks);
    for (size_t i = 0; i < ranks.size(); ++i) {
      // Bit for bit, so that -0.0 and +0.0 count as different.
      EXPECT_EQ(SortKey(found[i]), SortKey(sorted[ranks[i]]))
          << row.name << " rank " << ranks[i];
    }
  }
}

}  // namespace
}  // namespace korvalib
