// The histogram through the exports: the compute step and its twelve results,
// the output points of both kinds, the drawing on the call log, and the
// drawing-object ledger after every export.
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "korvagraph/KorvaGraphLib.h"
#include "platform/ledger.h"
#include "test_support/host_records.h"
#include "test_support/recording.h"

namespace {

using kgtest::CallsStartingWith;
using kgtest::LinesStartingWith;
using kgtest::MakeSamples;
using kgtest::RecordingWindow;
using kgtest::ScopedGraph;

constexpr double kUnset = -12345.0;
constexpr LONG kUnsetCount = -7;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
const std::vector<std::string> kRepaintOnly = {"InvalidateRect erase=1",
                                               "UpdateWindow"};

// The twelve by-reference results, preset so that a write shows.
struct Results {
  LONG r1 = kUnsetCount;
  LONG r2 = kUnsetCount;
  std::array<double, 10> r{};  // r3 .. r12
  Results() { r.fill(kUnset); }
  double at(int k) const { return r[k - 3]; }  // at(3) is r3
  bool Untouched() const {
    return r1 == kUnsetCount && r2 == kUnsetCount &&
           std::all_of(r.begin(), r.end(),
                       [](double v) { return v == kUnset; });
  }
};

// Runs one export and checks that it gave back every drawing object.
LONG Export(const std::function<LONG()>& call, const std::string& what) {
  const GdiLedger before = CurrentGdiLedger();
  const LONG status = call();
  EXPECT_TRUE(CurrentGdiLedger() == before) << what << " left objects live";
  return status;
}

// A histogram over its own sample records, every export ledger-checked.
class Histogram {
 public:
  Histogram(const std::vector<double>& values, double minimum, double maximum,
            LONG classes, int kind)
      : samples_(MakeSamples(values)), graph_(1) {
    Load(samples_.data(), static_cast<LONG>(samples_.size()));
    SetWindow(minimum, maximum);
    SetClasses(classes);
    Export([&] { return _kvGraphSetHistType(graph(), kind); }, "SetHistType");
    Export([&] { return _kvGraphSetAxiName(graph(), "Lead", "Freq"); },
           "SetAxiName");
  }
  CKorvaGraph* graph() const { return graph_.get(); }

  void Load(KvDiscPnt* samples, LONG count) {
    Export([&] { return _kvGraphLoadDiscPnts(graph(), samples, count); },
           "LoadDiscPnts");
  }
  void SetWindow(double minimum, double maximum) {
    Export([&] { return _kvGraphSetDataExtr(graph(), minimum, maximum); },
           "SetDataExtr");
  }
  void SetClasses(LONG classes) {
    Export([&] { return _kvGraphSetHistNum(graph(), classes); }, "SetHistNum");
  }
  LONG Compute(Results& out) {
    return Export(
        [&] {
          double* r = out.r.data();
          return _kvGraphCptHistParam(graph(), out.r1, out.r2, r[0], r[1], r[2],
                                      r[3], r[4], r[5], r[6], r[7], r[8], r[9]);
        },
        "CptHistParam");
  }
  LONG Compute() {
    Results ignored;
    return Compute(ignored);
  }
  LONG PointCount() {
    LONG count = kUnsetCount;
    EXPECT_EQ(Export([&] { return _kvGraphOutPutHistPntNum(graph(), count); },
                     "OutPutHistPntNum"),
              1);
    return count;
  }
  // Fills arrays of `capacity` entries, preset to kUnset.
  void Points(size_t capacity, std::vector<double>& first,
              std::vector<double>& second) {
    first.assign(capacity, kUnset);
    second.assign(capacity, kUnset);
    EXPECT_EQ(Export(
                  [&] {
                    return _kvGraphOutPutHistPnt(graph(), first.data(),
                                                 second.data());
                  },
                  "OutPutHistPnt"),
              1);
  }
  std::vector<std::string> Draw(RecordingWindow& window) {
    EXPECT_EQ(Export([&] { return _kvGraphDrawHistPlt(graph(), window.Wnd()); },
                     "DrawHistPlt"),
              1);
    EXPECT_TRUE(window.LedgerBalanced());
    return window.Take();
  }
  std::vector<std::string> Draw(int width = 400, int height = 400) {
    RecordingWindow window(width, height);
    return Draw(window);
  }

 private:
  std::vector<KvDiscPnt> samples_;
  ScopedGraph graph_;
};

// Independent statistics, from the definitions the engine and Tallyx follow.
double Mean(const std::vector<double>& v) {
  double sum = 0.0;
  for (double x : v) sum += x;
  return sum / v.size();
}

double CentralMoment(const std::vector<double>& v, int k) {
  const double mean = Mean(v);
  double sum = 0.0;
  for (double x : v) sum += std::pow(x - mean, k);
  return sum / v.size();
}

// Sorted values stand at (i - 0.5) / n; linear between, clamped outside.
double QuantileOfSorted(const std::vector<double>& v, double p) {
  const double n = static_cast<double>(v.size());
  const double t = p * n - 0.5;  // 0-based position
  if (t <= 0.0) return v.front();
  if (t >= n - 1.0) return v.back();
  const size_t i = static_cast<size_t>(t);
  return v[i] + (t - i) * (v[i + 1] - v[i]);
}

double Quantile(std::vector<double> v, double p) {
  std::sort(v.begin(), v.end());
  return QuantileOfSorted(v, p);
}

// The pass-pen calls of a log: the bars and the curve, not frame or grid.
std::vector<std::string> PassPenCalls(const std::vector<std::string>& log,
                                      const std::string& prefix) {
  return kgtest::CallsDrawnWith(log, prefix, "pen solid 1 0000E1");
}

TEST(HistogramComputeTest, FailuresWriteNoStatistic) {
  struct Row {
    const char* name;
    std::vector<double> values;
    double minimum;
    double maximum;
    bool null_points;
    LONG count;
  } rows[] = {
      {"no points", {1, 2, 3}, 0, 10, true, 3},
      {"zero count", {1, 2, 3}, 0, 10, false, 0},
      {"negative count", {1, 2, 3}, 0, 10, false, -5},
      {"minimum equal to maximum", {1, 2, 3}, 2, 2, false, 3},
      {"minimum above maximum", {1, 2, 3}, 10, 0, false, 3},
      {"NaN bound", {1, 2, 3}, kNaN, 10, false, 3},
      {"every value outside the window", {-5, 150, 200}, 0, 100, false, 3},
      {"only NaN values", {kNaN, kNaN}, 0, 100, false, 2},
  };
  for (const Row& row : rows) {
    Histogram hist(row.values, row.minimum, row.maximum, 10, 0);
    std::vector<KvDiscPnt> samples = MakeSamples(row.values);
    hist.Load(row.null_points ? nullptr : samples.data(), row.count);
    Results results;
    EXPECT_EQ(hist.Compute(results), -1) << row.name;
    EXPECT_TRUE(results.Untouched()) << row.name;
    EXPECT_EQ(hist.PointCount(), 0) << row.name;
    EXPECT_EQ(hist.Draw(), kRepaintOnly) << row.name;
  }
}

TEST(HistogramComputeTest, FrequencyPointsAreClassMidpointsAndFrequencies) {
  // Class c of ten over 0 to 100 holds c + 1 of the 55 values.
  std::vector<double> values;
  for (int c = 0; c < 10; ++c) {
    for (int k = 0; k <= c; ++k) values.push_back(10.0 * c + 1.0 + k * 0.5);
  }
  Histogram hist(values, 0, 100, 10, 0);
  Results results;
  ASSERT_EQ(hist.Compute(results), 1);
  EXPECT_EQ(results.r1, 55);
  ASSERT_EQ(hist.PointCount(), 10);
  std::vector<double> first;
  std::vector<double> second;
  hist.Points(11, first, second);
  for (int i = 0; i < 10; ++i) {
    EXPECT_DOUBLE_EQ(first[i], 5.0 + 10.0 * i) << "class " << i;
    EXPECT_DOUBLE_EQ(second[i], (i + 1) / 55.0) << "class " << i;
  }
  EXPECT_EQ(first[10], kUnset);
  EXPECT_EQ(second[10], kUnset);
}

TEST(HistogramComputeTest, CumulativePointsFollowTheQuantileCount) {
  struct Row {
    const char* name;
    int count;
    int expected_points;
  } rows[] = {
      {"25000 values give 10000 quantiles", 25000, 10000},
      {"500 values give themselves", 500, 500},
  };
  for (const Row& row : rows) {
    // A permutation of 0 .. count - 1.
    std::vector<double> values(row.count);
    for (int i = 0; i < row.count; ++i) {
      values[i] =
          static_cast<double>((static_cast<long long>(i) * 7919) % row.count);
    }
    Histogram hist(values, 0, row.count, 10, 1);
    Results results;
    ASSERT_EQ(hist.Compute(results), 1) << row.name;
    EXPECT_EQ(results.r1, row.count) << row.name;
    ASSERT_EQ(hist.PointCount(), row.expected_points) << row.name;
    std::vector<double> first;
    std::vector<double> second;
    hist.Points(row.expected_points + 1, first, second);
    const double n = row.expected_points;
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < row.expected_points; ++i) {
      ASSERT_DOUBLE_EQ(first[i], (i + 0.5) / n) << row.name << " " << i;
      ASSERT_NEAR(second[i], QuantileOfSorted(sorted, (i + 0.5) / n), 1e-9)
          << row.name << " " << i;
    }
    EXPECT_EQ(first[row.expected_points], kUnset) << row.name;

    // The curve joins the points (n - 1 segments), then the line at 1:
    // Y range 1.2000000000000002 puts fraction 1 at 342 - 284 = 58.
    const auto log = hist.Draw();
    const auto lines = PassPenCalls(log, "LineTo ");
    ASSERT_EQ(lines.size(), static_cast<size_t>(row.expected_points))
        << row.name;
    EXPECT_EQ(lines.back(), "LineTo 357 58") << row.name;
    const auto moves = CallsStartingWith(log, "MoveTo ");
    EXPECT_EQ(moves.back(), "MoveTo 0 58") << row.name;
    EXPECT_TRUE(LinesStartingWith(log, "Rectangle ").size() == 1)
        << row.name << ": the frame only, no bars";
  }
}

TEST(HistogramComputeTest, TwelveResultsMatchTheirDefinitions) {
  struct Row {
    const char* name;
    std::vector<double> values;
    double minimum;
    double maximum;
    std::vector<double> inside;
    int kind;
  } rows[] = {
      {"skewed sample with values outside",
       {2, 4, 100, 7, 11, -5, 30},
       0,
       50,
       {2, 4, 7, 11, 30},
       0},
      {"same sample, cumulative kind",
       {2, 4, 100, 7, 11, -5, 30},
       0,
       50,
       {2, 4, 7, 11, 30},
       1},
      {"window bounds are inside",
       {0, 60, 50, 25, 12.5, -1e-9},
       0,
       50,
       {0, 50, 25, 12.5},
       0},
  };
  for (const Row& row : rows) {
    Histogram hist(row.values, row.minimum, row.maximum, 5, row.kind);
    Results r;
    ASSERT_EQ(hist.Compute(r), 1) << row.name;
    const std::vector<double>& v = row.inside;
    const double mean = Mean(v);
    const double m2 = CentralMoment(v, 2);
    const double deviation = std::sqrt(m2);
    const double expected[10] = {
        mean,
        deviation,
        *std::max_element(v.begin(), v.end()),
        Quantile(v, 0.75),
        Quantile(v, 0.5),
        Quantile(v, 0.25),
        *std::min_element(v.begin(), v.end()),
        deviation / mean,
        CentralMoment(v, 4) / (m2 * m2) - 3.0,
        CentralMoment(v, 3) / std::pow(m2, 1.5),
    };
    EXPECT_EQ(r.r1, static_cast<LONG>(v.size())) << row.name;
    EXPECT_EQ(r.r2, static_cast<LONG>(row.values.size() - v.size()))
        << row.name;
    for (int k = 3; k <= 12; ++k) {
      EXPECT_NEAR(r.at(k), expected[k - 3],
                  1e-12 * std::max(1.0, std::fabs(expected[k - 3])))
          << row.name << ": r" << k;
    }
  }
}

TEST(HistogramComputeTest, KnownQuartilesInterpolate) {
  // Five values at 0.1, 0.3, ..., 0.9: the quartiles lie a quarter of the
  // way into their intervals.
  Histogram hist({30, 2, 11, 7, 4}, 0, 50, 5, 0);
  Results r;
  ASSERT_EQ(hist.Compute(r), 1);
  EXPECT_DOUBLE_EQ(r.at(6), 15.75);  // 11 + 0.25 * 19
  EXPECT_DOUBLE_EQ(r.at(7), 7.0);
  EXPECT_DOUBLE_EQ(r.at(8), 3.5);  // 2 + 0.75 * 2
}

TEST(HistogramComputeTest, FailedStepKeepsEarlierResults) {
  Histogram hist({10, 20, 30}, 0, 40, 4, 0);
  ASSERT_EQ(hist.Compute(), 1);
  hist.SetWindow(50, 60);  // every value outside now
  Results r;
  EXPECT_EQ(hist.Compute(r), -1);
  EXPECT_TRUE(r.Untouched());
  EXPECT_EQ(hist.PointCount(), 4);
}

// Regression: the class count had no bound, and the result array and the
// engine's tables were sized by it alone: 2^26 classes over ten samples took
// 1.5 GB, 2^31 - 1 asked for 16 GiB. Above 10^6 classes (or the sample count,
// when larger) the compute step now fails at once and stores nothing.
TEST(HistogramComputeTest, ClassCountAboveTheBoundIsRefused) {
  struct Row {
    const char* name;
    LONG classes;
    LONG status;
  } rows[] = {
      {"the bound itself", 1000000, 1},
      {"one above the bound", 1000001, -1},
      {"2^26", 1 << 26, -1},
      {"largest long", std::numeric_limits<LONG>::max(), -1},
  };
  for (const Row& row : rows) {
    Histogram hist({10, 20, 30}, 0, 40, 4, 0);
    ASSERT_EQ(hist.Compute(), 1) << row.name;
    hist.SetClasses(row.classes);
    Results r;
    EXPECT_EQ(hist.Compute(r), row.status) << row.name;
    EXPECT_EQ(r.Untouched(), row.status == -1) << row.name;
    // A refusal keeps the earlier four classes.
    EXPECT_EQ(hist.PointCount(), row.status == 1 ? row.classes : 4) << row.name;
  }
}

// Data from 0 to 1234: step 200, range 1600, factor 1000, exponent -3.
// Two classes hold 5 and 3 of 8 values: Y range 0.7 (7 steps of 0.1).
TEST(HistogramDrawTest, AxesOfDataFrom0To1234) {
  Histogram hist({100, 200, 300, 400, 500, 700, 800, 900}, 0, 1234, 2, 0);
  ASSERT_EQ(hist.Compute(), 1);
  const auto log = hist.Draw();

  const std::vector<std::string> head = {
      "InvalidateRect erase=1",
      "UpdateWindow",
      "GetDC",
      "SelectObject pen solid 1 0000E1",
      "SetViewportOrg 35 8",
      "SelectObject pen solid 1 000000",
  };
  ASSERT_GE(log.size(), head.size());
  EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + head.size()),
            head);
  EXPECT_EQ(LinesStartingWith(log, "Rectangle ").front(),
            "Rectangle 0 0 357 342 | dev 35 8 392 350 | pen solid 1 000000 | "
            "brush FFFFFF");

  const std::string font15 = " | font \"Times New Roman\" 15 5 0";
  const std::string font10 = " | font \"Times New Roman\" 10 3 0";
  const std::vector<std::string> texts = {
      // The title 20 pixels below the axis, the raised exponent at its
      // estimated right end (60 pixels wide: 30 to the right of centre).
      "TextOut 176 362 \"Lead, 10\" | dev 211 370 | align 6 | bkmode 1" +
          font15,
      "TextOut 206 357 \"-3\" | dev 241 365 | align 6 | bkmode 1" + font10,
      // Every step but the end, divided by 1000.
      "TextOut 0 345 \"0\" | dev 35 353 | align 6 | bkmode 1" + font15,
      "TextOut 44 345 \"0.2\" | dev 79 353 | align 6 | bkmode 1" + font15,
      "TextOut 89 345 \"0.4\" | dev 124 353 | align 6 | bkmode 1" + font15,
      "TextOut 133 345 \"0.6\" | dev 168 353 | align 6 | bkmode 1" + font15,
      "TextOut 178 345 \"0.8\" | dev 213 353 | align 6 | bkmode 1" + font15,
      "TextOut 223 345 \"1\" | dev 258 353 | align 6 | bkmode 1" + font15,
      "TextOut 267 345 \"1.2\" | dev 302 353 | align 6 | bkmode 1" + font15,
      "TextOut 312 345 \"1.4\" | dev 347 353 | align 6 | bkmode 1" + font15,
      // Y: the name, 0, and every second step while j < 7 - 1: no 0.6.
      "TextOut -5 -7 \"Freq\" | dev 30 1 | align 2 | bkmode 1" + font15,
      "TextOut -5 335 \"0\" | dev 30 343 | align 2 | bkmode 1" + font15,
      "TextOut -5 237 \"0.2\" | dev 30 245 | align 2 | bkmode 1" + font15,
      "TextOut -5 139 \"0.4\" | dev 30 147 | align 2 | bkmode 1" + font15,
  };
  EXPECT_EQ(LinesStartingWith(log, "TextOut "), texts);

  // Dotted grid: 7 inner X steps and 6 inner Y steps.
  size_t dotted = 0;
  for (const std::string& line : LinesStartingWith(log, "LineTo ")) {
    if (line.find("pen dot 1 B4B4B4") != std::string::npos) ++dotted;
  }
  EXPECT_EQ(dotted, 13u);

  // The bars, from (x1, 0) to (x2, f), outlined in the pass pen, blue inside.
  const auto bars = LinesStartingWith(log, "Rectangle ");
  const std::vector<std::string> expected_bars = {
      "Rectangle 0 342 137 37 | dev 35 350 172 45 | pen solid 1 0000E1 | "
      "brush FF0000",
      "Rectangle 137 342 275 159 | dev 172 350 310 167 | pen solid 1 0000E1 "
      "| brush FF0000",
  };
  EXPECT_EQ(std::vector<std::string>(bars.begin() + 1, bars.end()),
            expected_bars);
  EXPECT_EQ(std::count(log.begin(), log.end(), "GetDC"), 2);
  EXPECT_EQ(std::count(log.begin(), log.end(), "ReleaseDC"), 2);
  EXPECT_EQ(log.back(), "ReleaseDC");
}

TEST(HistogramDrawTest, ZeroClassLeavesAGap) {
  // Three classes of 30 over 0 to 90: 2, 0 and 3 of 5 values.
  Histogram hist({5, 10, 70, 80, 85}, 0, 90, 3, 0);
  ASSERT_EQ(hist.Compute(), 1);
  RecordingWindow window(400, 400);
  const auto log = hist.Draw(window);
  // X range 110 (step 10): classes end at 97, 194 and 292 pixels; Y range
  // 0.6000000000000001 puts the taller bar one pixel below the top.
  EXPECT_EQ(PassPenCalls(log, "Rectangle "),
            (std::vector<std::string>{"Rectangle 0 342 97 115",
                                      "Rectangle 194 342 292 1"}));
  // Inside the first bar blue, over the empty class the white plot area.
  EXPECT_EQ(window.window().Pixel(35 + 48, 8 + 337), 0xFF0000u);
  EXPECT_EQ(window.window().Pixel(35 + 146, 8 + 337), 0xFFFFFFu);
  EXPECT_EQ(window.window().Pixel(35 + 240, 8 + 337), 0xFF0000u);
}

TEST(HistogramDrawTest, NothingDrawnBeforeASuccessfulComputeStep) {
  Histogram hist({1, 2, 3}, 0, 10, 5, 0);
  EXPECT_EQ(hist.Draw(), kRepaintOnly);
  EXPECT_EQ(hist.PointCount(), 0);
  std::vector<double> first;
  std::vector<double> second;
  hist.Points(5, first, second);
  EXPECT_EQ(first, std::vector<double>(5, kUnset));
  EXPECT_EQ(second, std::vector<double>(5, kUnset));
  // A null window or null output arrays are no faults either.
  EXPECT_EQ(_kvGraphDrawHistPlt(hist.graph(), nullptr), 1);
  EXPECT_EQ(_kvGraphOutPutHistPnt(hist.graph(), nullptr, nullptr), 1);
}

// Regression: the output and the bars read class-count entries of the result
// array; a class count raised after the compute step read past its end.
TEST(HistogramDrawTest, ClassCountRaisedAfterComputeStaysInsideResults) {
  // Two values and 3 classes: a result array of max(2, 3 + 1) = 4 entries.
  Histogram hist({10, 20}, 0, 100, 3, 0);
  ASSERT_EQ(hist.Compute(), 1);
  hist.SetClasses(1000);
  ASSERT_EQ(hist.PointCount(), 3);
  std::vector<double> first;
  std::vector<double> second;
  hist.Points(1000, first, second);
  EXPECT_DOUBLE_EQ(second[0], 1.0);
  EXPECT_DOUBLE_EQ(second[2], 0.0);
  EXPECT_EQ(second[3], kUnset);
  EXPECT_EQ(first[3], kUnset);
  // Entry 1 (both values) becomes one bar of the new width 0.1.
  EXPECT_EQ(PassPenCalls(hist.Draw(), "Rectangle ").size(), 1u);
}

TEST(HistogramDrawTest, DegenerateInputDrawsNothingAndHoldsNothing) {
  struct Row {
    const char* name;
    std::vector<double> values;
    double minimum;
    double maximum;
    LONG classes;
    int kind;
    int width;
    int height;
    LONG status;
  } rows[] = {
      {"class count 0", {1, 2, 3}, 0, 10, 0, 0, 400, 400, 1},
      {"negative class count", {1, 2, 3}, 0, 10, -4, 0, 400, 400, 1},
      {"zero-size window", {1, 2, 3}, 0, 10, 5, 0, 0, 0, 1},
      {"zero-width window", {1, 2, 3}, 0, 10, 5, 1, 0, 300, 1},
      {"infinite data window", {1, 2, 3}, -kInf, kInf, 5, 0, 400, 400, 1},
      {"span beyond doubles",
       {1e308, -1e308},
       -1.7e308,
       1.7e308,
       5,
       1,
       400,
       400,
       1},
      {"range below 0.00001", {1e-7, 5e-7}, 0, 1e-6, 5, 0, 400, 400, 1},
  };
  for (const Row& row : rows) {
    Histogram hist(row.values, row.minimum, row.maximum, row.classes, row.kind);
    EXPECT_EQ(hist.Compute(), row.status) << row.name;
    EXPECT_EQ(hist.Draw(row.width, row.height), kRepaintOnly) << row.name;
    const LONG count = hist.PointCount();
    EXPECT_GE(count, 0) << row.name;
    std::vector<double> first;
    std::vector<double> second;
    hist.Points(static_cast<size_t>(count) + 1, first, second);
    EXPECT_EQ(first[count], kUnset) << row.name;
  }
}

TEST(HistogramDrawTest, NonFiniteValuesAreLeftOut) {
  Histogram hist({kNaN, 4, kInf, 6, -kInf}, 0, 10, 2, 0);
  Results r;
  ASSERT_EQ(hist.Compute(r), 1);
  EXPECT_DOUBLE_EQ(r.at(3), 5.0);  // the mean of 4 and 6
  EXPECT_EQ(PassPenCalls(hist.Draw(), "Rectangle ").size(), 2u);
}

}  // namespace
