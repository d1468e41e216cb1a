#include "siblings/korvalib/sort_order.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace korvalib {
namespace {

struct SortCase {
  const char* name;
  std::vector<double> values;
};

// Shapes that stress the radix levels: mixed signs and zeros, exponents far
// apart, long runs of ties, a single outlier, and sizes around the
// comparison-sort threshold.
std::vector<SortCase> SortCases() {
  std::mt19937_64 generator(7);
  std::normal_distribution<double> normal(0.0, 1.0);
  std::vector<SortCase> cases;
  SortCase mixed{"mixed signs, zeros and infinities", {}};
  const double inf = std::numeric_limits<double>::infinity();
  for (int i = 0; i < 5000; ++i) {
    const double specials[] = {0.0, -0.0, inf, -inf, 1e-310, -1e300};
    mixed.values.push_back(i % 97 == 0 ? specials[i % 6] : normal(generator));
  }
  cases.push_back(mixed);
  SortCase ties{"long runs of ties", {}};
  for (int i = 0; i < 20000; ++i) ties.values.push_back((i * 7919) % 13);
  cases.push_back(ties);
  SortCase outlier{"one outlier", std::vector<double>(3000, 1.5)};
  outlier.values[1234] = 1e-300;
  for (size_t i = 0; i < outlier.values.size(); i += 3) {
    outlier.values[i] += static_cast<double>(i) * 1e-9;
  }
  cases.push_back(outlier);
  // Large enough for the buckets to be sorted on two cores.
  SortCase large{"large, with ties", {}};
  for (int i = 0; i < 300000; ++i) {
    large.values.push_back(i % 5 == 0 ? 0.25 : normal(generator));
  }
  cases.push_back(large);
  for (int n : {0, 1, 47, 48, 49, 200}) {
    SortCase small{"small", {}};
    for (int i = 0; i < n; ++i) small.values.push_back(normal(generator));
    cases.push_back(small);
  }
  return cases;
}

TEST(SortOrderTest, SortAscendingMatchesComparisonSort) {
  for (const SortCase& row : SortCases()) {
    std::vector<double> sorted = row.values;
    SortAscending(&sorted);
    std::vector<double> expected = row.values;
    std::sort(expected.begin(), expected.end());
    ASSERT_EQ(sorted.size(), expected.size()) << row.name;
    for (size_t i = 0; i < sorted.size(); ++i) {
      ASSERT_EQ(sorted[i], expected[i]) << row.name << " at " << i;
    }
    for (size_t i = 1; i < sorted.size(); ++i) {
      // -0.0 before +0.0.
      ASSERT_FALSE(sorted[i] == 0 && sorted[i - 1] == 0 &&
                   !std::signbit(sorted[i - 1]) && std::signbit(sorted[i]))
          << row.name << " at " << i;
    }
  }
}

TEST(SortOrderTest, SortByValueIsStable) {
  for (const SortCase& row : SortCases()) {
    std::vector<IndexedValue> items;
    for (size_t i = 0; i < row.values.size(); ++i) {
      items.push_back(IndexedValue{row.values[i], static_cast<uint32_t>(i)});
    }
    SortByValue(&items);
    ASSERT_EQ(items.size(), row.values.size()) << row.name;
    for (size_t i = 0; i < items.size(); ++i) {
      ASSERT_EQ(items[i].value, row.values[items[i].index]) << row.name;
      if (i == 0) continue;
      ASSERT_LE(items[i - 1].value, items[i].value) << row.name << " at " << i;
      if (std::signbit(items[i - 1].value) == std::signbit(items[i].value) &&
          items[i - 1].value == items[i].value) {
        ASSERT_LT(items[i - 1].index, items[i].index) << row.name << " at " << i;
      }
    }
  }
}

}  // namespace
}  // namespace korvalib
