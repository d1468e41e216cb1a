#include "frame/numeric.h"

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

#include "gtest/gtest.h"

namespace {

TEST(CalcNiceStepTest, StepsAndWidenedRanges) {
  struct Row {
    const char* name;
    double range;
    double step;
    double widened;
  } rows[] = {
      {"37", 37, 5, 40},         {"10", 10, 2, 12},
      {"123", 123, 20, 160},     {"100 gets two extra steps", 100, 20, 140},
      {"0.37", 0.37, 0.05, 0.4}, {"1", 1, 0.2, 1.2},
      {"370", 370, 50, 450},     {"9 steps of 1", 9, 1, 10},
      {"1234", 1234, 200, 1600}, {"50", 50, 10, 70},
  };
  for (const Row& row : rows) {
    double range = row.range;
    double step = -1;
    CalcNiceStep(range, step);
    EXPECT_DOUBLE_EQ(step, row.step) << row.name;
    EXPECT_NEAR(range, row.widened, 1e-12 * row.widened) << row.name;
  }
}

TEST(CalcNiceStepTest, UnusableRangesGiveStepZero) {
  struct Row {
    const char* name;
    double range;
  } rows[] = {
      {"zero", 0.0},
      {"negative", -5.0},
      {"nan", std::nan("")},
      {"infinity", std::numeric_limits<double>::infinity()},
  };
  for (const Row& row : rows) {
    double range = row.range;
    double step = 7;
    CalcNiceStep(range, step);
    EXPECT_EQ(step, 0.0) << row.name;
    if (!std::isnan(row.range)) {
      EXPECT_EQ(range, row.range) << row.name;
    }
  }
}

// Spans at the ends of the double range: a subnormal span used to get a step
// that had lost its digits, and the largest double one that widened to
// infinity. Both now give no step, as a constant column does.
TEST(CalcNiceStepTest, SpansAtTheEndsOfTheDoubleRange) {
  struct Row {
    const char* name;
    double range;
    double step;  // 0: no step, the range left as it was
    double widened;
  } rows[] = {
      {"subnormal", 4.9e-324, 0, 4.9e-324},
      {"largest double", DBL_MAX, 0, DBL_MAX},
      {"smallest normal", DBL_MIN, 2e-309, 2.4e-308},
      {"1e308", 1e308, 2e307, 1.4e308},
  };
  for (const Row& row : rows) {
    double range = row.range;
    double step = 7;
    CalcNiceStep(range, step);
    EXPECT_NEAR(step, row.step, 1e-9 * row.step) << row.name;
    EXPECT_NEAR(range, row.widened, 1e-9 * row.widened) << row.name;
  }
}

TEST(FormatNumberTest, TrailingZerosAndPointRemoved) {
  struct Row {
    double value;
    const char* text;
  } rows[] = {
      {12.5, "12.5"}, {3, "3"},       {0.004, "0"},     {-0.001, "-0"},
      {100, "100"},   {0, "0"},       {1.5, "1.5"},     {0.05, "0.05"},
      {1.25, "1.25"}, {-2.5, "-2.5"}, {1e300, nullptr},
  };
  for (const Row& row : rows) {
    const std::string text = FormatNumber(row.value);
    if (row.text != nullptr) {
      EXPECT_EQ(text, row.text) << row.value;
    } else {
      EXPECT_FALSE(text.empty()) << "a huge value still prints";
    }
  }
}

TEST(ArrayExtremesTest, FirstElementThenLarger) {
  const double values[] = {3, -1, 7, 7, 2};
  EXPECT_EQ(ArrayMax(values, 5), 7);
  EXPECT_EQ(ArrayMin(values, 5), -1);
  EXPECT_EQ(ArrayMax(values, 1), 3);
  EXPECT_EQ(ArrayMax(nullptr, 5), -9999);
  // A count below one reads nothing.
  EXPECT_EQ(ArrayMin(values, 0), -9999);
  EXPECT_EQ(ArrayMax(values, -3), -9999);
}

TEST(CalcAxisExponentTest, FactorsAndExponents) {
  struct Row {
    const char* name;
    double span;
    double factor;
    LONG exponent;
  } rows[] = {
      {"1234", 1234, 1000, -3},     {"0.05", 0.05, 0.1, 1}, {"5", 5, 1, 0},
      {"450", 450, 100, -2},        {"45", 45, 10, -1},     {"0.2", 0.2, 1, 0},
      {"0.0005", 0.0005, 0.001, 3},
  };
  for (const Row& row : rows) {
    double factor = -1;
    LONG exponent = 99;
    CalcAxisExponent(10.0 + row.span, 10.0, factor, exponent);
    EXPECT_DOUBLE_EQ(factor, row.factor) << row.name;
    EXPECT_EQ(exponent, row.exponent) << row.name;
  }
}

TEST(CalcAxisExponentTest, TinyOrUnusableSpansLeaveOutputs) {
  const double spans[] = {1e-21, 0.0, -4.0, std::nan(""),
                          std::numeric_limits<double>::infinity()};
  for (double span : spans) {
    double factor = 42;
    LONG exponent = 42;
    CalcAxisExponent(span, 0.0, factor, exponent);
    EXPECT_EQ(factor, 42) << span;
    EXPECT_EQ(exponent, 42) << span;
  }
}

TEST(ToPixelTest, TruncatesAndSaturates) {
  struct Row {
    const char* name;
    double value;
    LONG pixel;
  } rows[] = {
      {"positive", 12.9, 12},
      {"negative toward zero", -12.9, -12},
      {"nan", std::nan(""), 0},
      {"huge", 1e300, std::numeric_limits<LONG>::max()},
      {"huge negative", -1e300, std::numeric_limits<LONG>::min()},
      {"infinity", std::numeric_limits<double>::infinity(),
       std::numeric_limits<LONG>::max()},
  };
  for (const Row& row : rows)
    EXPECT_EQ(ToPixel(row.value), row.pixel) << row.name;
}

}  // namespace
