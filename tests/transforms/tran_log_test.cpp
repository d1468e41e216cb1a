// The logarithmic transform through its export: values inside the window
// become ln(value + shift) (with a fixed floor), the rest become missing.
#include <cmath>
#include <cstddef>
#include <cstring>
#include <limits>
#include <vector>

#include "gtest/gtest.h"
#include "korvagraph/KorvaGraphLib.h"
#include "test_support/host_records.h"

namespace {

using kgtest::MakeSamples;

constexpr double kMissing = -999.0;
constexpr double kFloor = -2.2;
const double kNaN = std::numeric_limits<double>::quiet_NaN();

// Compares doubles, a NaN equal to a NaN.
void ExpectSame(double actual, double expected, const char* name,
                size_t index) {
  if (std::isnan(expected)) {
    EXPECT_TRUE(std::isnan(actual)) << name << " " << index;
  } else {
    EXPECT_NEAR(actual, expected, 1e-12) << name << " " << index;
  }
}

TEST(TranLogTest, ValuesWindowShiftAndRange) {
  struct Row {
    const char* name;
    std::vector<double> values;
    double maximum;  // passed first, as the export takes it
    double minimum;
    double shift;
    std::vector<double> expected;
    double log_max;
    double log_min;
  } rows[] = {
      // Below 0.01 the value is the fixed floor, not ln(0.01) = -4.605;
      // ln(0.05) = -2.996 lies below the floor all the same.
      {"floor, zero and below the floor", {0.005, 1.0, 0.05}, 10, 0, 0,
       {kFloor, 0.0, std::log(0.05)}, 0.0, std::log(0.05)},
      {"bounds are transformed", {2, 8, 9}, 8, 2, 0,
       {std::log(2.0), std::log(8.0), kMissing}, std::log(8.0),
       std::log(2.0)},
      {"nothing accepted", {-1, 20, 30}, 10, 0, 0,
       {kMissing, kMissing, kMissing}, 0.0, 0.0},
      // 12 - 5 would lie inside the window, but the window sees 12.
      {"window on the untransformed value", {12, 9}, 10, 0, -5,
       {kMissing, std::log(4.0)}, std::log(4.0), std::log(4.0)},
      {"shift lifts a value off the floor", {0.0, -0.5}, 10, -1, 1,
       {0.0, std::log(0.5)}, 0.0, std::log(0.5)},
      {"shift drops a value to the floor", {1.0}, 10, 0, -0.995, {kFloor},
       kFloor, kFloor},
      // A NaN fails both window comparisons and is transformed: it counts as
      // accepted, so the range is not the empty list's 0.
      {"nan is not excluded", {kNaN}, 10, 0, 0, {kNaN}, kNaN, kNaN},
  };
  for (const Row& row : rows) {
    std::vector<KvDiscPnt> samples = MakeSamples(row.values);
    double log_max = 123.0;
    double log_min = 123.0;
    EXPECT_EQ(_kvTranLog(samples.data(), static_cast<LONG>(samples.size()),
                         row.maximum, row.minimum, row.shift, log_max,
                         log_min),
              1)
        << row.name;
    ASSERT_EQ(samples.size(), row.expected.size()) << row.name;
    for (size_t i = 0; i < samples.size(); ++i) {
      ExpectSame(samples[i].value, row.expected[i], row.name, i);
    }
    ExpectSame(log_max, row.log_max, row.name, 0);
    ExpectSame(log_min, row.log_min, row.name, 0);
  }
}

// Regression: a NaN that came first made both reported extremes NaN, while
// one that came later was ignored. The NaN stays in its sample; the range is
// that of the numeric values whatever the order.
TEST(TranLogTest, RangeOfTheNumbersWhereverANaNStands) {
  const struct {
    const char* name;
    std::vector<double> values;
  } rows[] = {{"nan first", {kNaN, 1.0, 4.0}},
              {"nan between", {1.0, kNaN, 4.0}},
              {"nan last", {1.0, 4.0, kNaN}}};
  for (const auto& row : rows) {
    std::vector<KvDiscPnt> samples = MakeSamples(row.values);
    double log_max = 123.0;
    double log_min = 123.0;
    _kvTranLog(samples.data(), 3, 10, 0, 0, log_max, log_min);
    EXPECT_NEAR(log_max, std::log(4.0), 1e-12) << row.name;
    EXPECT_NEAR(log_min, 0.0, 1e-12) << row.name;
    size_t nans = 0;
    for (const KvDiscPnt& sample : samples) nans += std::isnan(sample.value);
    EXPECT_EQ(nans, 1u) << row.name;
  }
}

TEST(TranLogTest, BelowTheFloorIsAboutMinus2996) {
  std::vector<KvDiscPnt> samples = MakeSamples({0.05});
  double log_max = 0.0;
  double log_min = 0.0;
  _kvTranLog(samples.data(), 1, 1, 0, 0, log_max, log_min);
  EXPECT_NEAR(samples[0].value, -2.996, 0.001);
  EXPECT_LT(samples[0].value, kFloor);
}

TEST(TranLogTest, OtherFieldsAreUnchangedByteForByte) {
  std::vector<KvDiscPnt> samples(3);
  for (size_t i = 0; i < samples.size(); ++i) {
    std::memset(&samples[i], static_cast<int>(0x5A + i), sizeof(KvDiscPnt));
    samples[i].value = static_cast<double>(i) * 20.0;  // 40 is outside
  }
  const std::vector<KvDiscPnt> before = samples;
  double log_max = 0.0;
  double log_min = 0.0;
  _kvTranLog(samples.data(), 3, 30, 0, 1, log_max, log_min);
  constexpr size_t kValue = offsetof(KvDiscPnt, value);
  constexpr size_t kAfter = kValue + sizeof(double);
  for (size_t i = 0; i < samples.size(); ++i) {
    const auto* now = reinterpret_cast<const unsigned char*>(&samples[i]);
    const auto* was = reinterpret_cast<const unsigned char*>(&before[i]);
    EXPECT_EQ(std::memcmp(now, was, kValue), 0) << "sample " << i;
    EXPECT_EQ(std::memcmp(now + kAfter, was + kAfter,
                          sizeof(KvDiscPnt) - kAfter),
              0)
        << "sample " << i;
  }
  EXPECT_DOUBLE_EQ(samples[1].value, std::log(21.0));
  EXPECT_EQ(samples[2].value, kMissing);
}

TEST(TranLogTest, EmptyAndNullInputDoNotCrash) {
  struct Row {
    const char* name;
    bool null_samples;
    LONG count;
    double range;  // both outputs afterwards
  } rows[] = {
      {"null samples: outputs untouched", true, 3, 123.0},
      {"count 0: empty list", false, 0, 0.0},
      {"negative count: empty list", false, -3, 0.0},
  };
  for (const Row& row : rows) {
    std::vector<KvDiscPnt> samples = MakeSamples({1, 2, 3});
    double log_max = 123.0;
    double log_min = 123.0;
    EXPECT_EQ(_kvTranLog(row.null_samples ? nullptr : samples.data(),
                         row.count, 10, 0, 0, log_max, log_min),
              1)
        << row.name;
    EXPECT_EQ(log_max, row.range) << row.name;
    EXPECT_EQ(log_min, row.range) << row.name;
    EXPECT_EQ(samples[0].value, 1.0) << row.name;
  }
}

}  // namespace
