#include "korvagraph/analysis/variogram.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "test_support/samples_at.h"
#include "analysis/variogram_rows.h"

namespace korvagraph::analysis {
namespace {


// The variograms of samples, failing the test when they cannot be computed.
std::vector<VariogramRow> Rows(const Samples& samples, const LagSettings& lags,
                               const std::vector<Direction>& directions) {
  std::vector<VariogramRow> rows;
  EXPECT_TRUE(ExperimentalVariograms(samples, lags, directions, &rows).ok());
  return rows;
}

// Four samples along the x axis (east), one unit apart, values 1, 2, 4, 7.
// By hand, lag 1: pairs (1,2) (2,4) (4,7), gamma = (1 + 4 + 9) / (2 * 3);
// lag 2: (1,4) (2,7), gamma = (9 + 25) / 4; lag 3: (1,7), gamma = 36 / 2.
TEST(VariogramTest, LineOfFourByHand) {
  const auto samples = kgtest::SamplesAt({{0, 0, 1}, {1, 0, 2}, {2, 0, 4}, {3, 0, 7}});
  const LagSettings lags{1.0, 3};
  const std::vector<Direction> directions = {
      {0, 90}, {0, 22.5}, {45, 22.5}, {90, 22.5}, {135, 22.5}};
  const auto rows = Rows(samples, lags, directions);
  ASSERT_EQ(rows.size(), 5u);
  for (int d : {0, 3}) {  // every direction, and east
    const std::vector<Variogram>& row = rows[d];
    ASSERT_EQ(row.size(), 5u) << d;
    EXPECT_EQ(row[0].npairs, 0) << d;
    EXPECT_EQ(row[1].npairs, 0) << d;
    EXPECT_EQ(row[2].npairs, 3) << d;
    EXPECT_DOUBLE_EQ(row[2].h, 1.0) << d;
    EXPECT_DOUBLE_EQ(row[2].gamma, 14.0 / 6.0) << d;
    EXPECT_EQ(row[3].npairs, 2) << d;
    EXPECT_DOUBLE_EQ(row[3].h, 2.0) << d;
    EXPECT_DOUBLE_EQ(row[3].gamma, 8.5) << d;
    EXPECT_EQ(row[4].npairs, 1) << d;
    EXPECT_DOUBLE_EQ(row[4].h, 3.0) << d;
    EXPECT_DOUBLE_EQ(row[4].gamma, 18.0) << d;
  }
  for (int d : {1, 2, 4}) {  // north, north-east and south-east see nothing
    for (const Variogram& v : rows[d]) EXPECT_EQ(v.npairs, 0) << d;
  }
}

TEST(VariogramTest, BinsShortAndSamePlacePairs) {
  // Distances: A-B 0 (same place), A-C 0.3 (below half a lag), A-D 1.4.
  const auto samples =
      kgtest::SamplesAt({{0, 0, 0}, {0, 0, 2}, {0, 0.3, 1}, {0, 1.4, 3}});
  const auto rows = Rows(samples, LagSettings{1.0, 2}, {{90, 22.5}});
  const std::vector<Variogram>& row = rows[0];
  // Pairs at one place count in every direction, even across it.
  EXPECT_EQ(row[0].npairs, 1);
  EXPECT_DOUBLE_EQ(row[0].gamma, 2.0);
  // The rest run north, outside the east direction.
  EXPECT_EQ(row[1].npairs, 0);
  EXPECT_EQ(row[2].npairs, 0);
  const auto all = Rows(samples, LagSettings{1.0, 2}, {{0, 90}});
  EXPECT_EQ(all[0][1].npairs, 2);  // A-C and B-C at 0.3
  EXPECT_EQ(all[0][2].npairs, 3);  // C-D at 1.1, A-D and B-D at 1.4
  EXPECT_DOUBLE_EQ(all[0][2].h, (1.1 + 1.4 + 1.4) / 3);
  EXPECT_EQ(all[0][3].npairs, 0);
}

TEST(VariogramTest, DirectionToleranceWrapsAt180) {
  // A pair at azimuth 170 lies 10 degrees from azimuth 0 (north-south), and
  // directions given as 180 or -180 are that same one.
  const auto samples = kgtest::SamplesAt({{0, 0, 0}, {0.17365, -0.98481, 1}});
  const auto rows =
      Rows(samples, LagSettings{1.0, 1},
           {{0, 22.5}, {135, 22.5}, {180, 22.5}, {-180, 22.5}, {-45, 22.5}});
  EXPECT_EQ(rows[0][2].npairs, 1);
  EXPECT_EQ(rows[1][2].npairs, 0);
  EXPECT_EQ(rows[2][2].npairs, 1);
  EXPECT_EQ(rows[3][2].npairs, 1);
  EXPECT_EQ(rows[4][2].npairs, 0);  // -45 is 135
}

TEST(VariogramTest, DefaultLagsFromTheExtent) {
  // A 1000 x 1000 square: reach 707, spacing 50 (707 / 12 = 59 rounded
  // down to 1, 2, 2.5 or 5 times a power of ten), 14 lags.
  const auto square = kgtest::SamplesAt({{0, 0, 0}, {1000, 1000, 0}});
  const LagSettings lags = DefaultLags(square);
  EXPECT_DOUBLE_EQ(lags.spacing, 50.0);
  EXPECT_EQ(lags.count, 14);
  const auto small = kgtest::SamplesAt({{0, 0, 0}, {3, 4, 0}});  // reach 2.5
  EXPECT_DOUBLE_EQ(DefaultLags(small).spacing, 0.2);
  EXPECT_EQ(DefaultLags(small).count, 12);
  const auto one_place = kgtest::SamplesAt({{5, 5, 0}, {5, 5, 1}});
  EXPECT_EQ(DefaultLags(one_place).count, 1);
}

// Regression: coordinates a few subnormals apart gave a spacing of 0, and
// the lag count converted infinity to int (undefined behaviour).
TEST(VariogramTest, DefaultLagsOfSubnormalExtentsStayUsable) {
  for (double apart : {1e-323, 5e-324, 1e-310}) {
    const LagSettings lags = DefaultLags(kgtest::SamplesAt({{0, 0, 1}, {apart, 0, 2}}));
    EXPECT_GT(lags.spacing, 0.0) << apart;
    EXPECT_GE(lags.count, 1) << apart;
  }
}

TEST(VariogramTest, QualifyingPairsCountsEntriesOfThirtyOrMore) {
  std::vector<Variogram> row(4, Variogram{});
  row[1].npairs = 29;
  row[2].npairs = 30;
  row[3].npairs = 100;
  EXPECT_EQ(QualifyingPairs(row), 130);
}

// The entries of a row a pair at distance h counts in, by the rule written
// out: unset tolerance, the nearest lag; set, every lag within it.
std::vector<size_t> PlainEntries(double h, const LagSettings& lags) {
  if (h <= 1e-6 * lags.spacing) return {0};
  if (lags.tolerance <= 0.0) {
    const double bin = std::floor(h / lags.spacing + 0.5);
    if (bin < 1.0) return {1};
    if (bin > lags.count ||
        std::fabs(h - bin * lags.spacing) > 0.5 * lags.spacing) {
      return {};
    }
    return {static_cast<size_t>(bin) + 1};
  }
  std::vector<size_t> entries;
  if (h <= lags.tolerance) entries.push_back(1);
  for (int k = 1; k <= lags.count; ++k) {
    if (std::fabs(h - k * lags.spacing) <= lags.tolerance) {
      entries.push_back(k + 1);
    }
  }
  return entries;
}

// The definition, as a plain double loop over all pairs: the distance by
// root, the angle by arc tangent, each pair tested in each direction.
std::vector<VariogramRow> PlainVariograms(
    const Samples& s, const LagSettings& lags,
    const std::vector<Direction>& directions) {
  const double pi = std::acos(-1.0);
  std::vector<std::vector<Variogram>> rows(
      directions.size(), std::vector<Variogram>(lags.count + 2, Variogram{}));
  const size_t n = static_cast<size_t>(s.size());
  for (size_t i = 0; i < n; ++i) {
    for (size_t j = i + 1; j < n; ++j) {
      const double dx = s.x[j] - s.x[i], dy = s.y[j] - s.y[i];
      const double dist = std::sqrt(dx * dx + dy * dy);
      const std::vector<size_t> entries = PlainEntries(dist, lags);
      if (entries.empty()) continue;
      const double angle = std::fmod(std::atan2(dx, dy) * 180 / pi + 180, 180);
      for (size_t e : entries) {
        for (size_t d = 0; d < directions.size(); ++d) {
          const Direction& dir = directions[d];
          const double axis = std::fmod(std::fmod(dir.azimuth, 180) + 180, 180);
          const double off =
              std::min(std::fabs(angle - axis), 180 - std::fabs(angle - axis));
          const double a = dir.azimuth * pi / 180;
          const bool in = dir.tolerance >= 90 ||
                          (off <= dir.tolerance + 1e-9 &&
                           (dir.bandwidth <= 0 ||
                            std::fabs(dx * std::cos(a) - dy * std::sin(a)) <=
                                dir.bandwidth));
          if (e != 0 && !in) continue;
          const double diff = s.value[j] - s.value[i];
          rows[d][e].h += dist;  // sums, divided below
          rows[d][e].gamma += 0.5 * diff * diff;
          ++rows[d][e].npairs;
        }
      }
    }
  }
  for (std::vector<Variogram>& row : rows) {
    for (Variogram& v : row) {
      if (v.npairs == 0) continue;
      v.h /= v.npairs;
      v.gamma /= v.npairs;
    }
  }
  return rows;
}

// Pairs at written distances along the x axis, each pair 1000 from the
// others (beyond every lag here), so that only the written ones count.
Samples IsolatedPairs(const std::vector<double>& distances) {
  Samples samples;
  for (size_t i = 0; i < distances.size(); ++i) {
    const double x = 1000.0 * i;
    samples.Append(x, 0.0, 0.0, 1.0, std::nan(""), 2 * i);
    samples.Append(x + distances[i], 0.0, 0.0, 2.0, std::nan(""), 2 * i + 1);
  }
  return samples;
}

// The lag rule on pairs exactly on the boundaries: which entries (0: one
// place, 1: the first lag, k + 1: lag k) a pair at distance h counts in.
TEST(VariogramTest, LagRuleOnBoundaries) {
  const LagSettings half{5.0, 3};           // tolerance not set
  const LagSettings gslib10{10.0, 2, 2.5};  // the first lag: within 2.5
  const LagSettings gslib5{5.0, 3, 3.0};    // windows [2, 8], [7, 13], ...
  const struct {
    LagSettings lags;
    double h;
    std::vector<int> entries;
  } cases[] = {
      {half, 0.0, {0}},      {half, 2.4, {1}},       {half, 2.5, {2}},
      {half, 7.5, {3}},      {half, 15.0, {4}},      {half, 17.5, {}},
      {gslib10, 1.0, {1}},   {gslib10, 2.5, {1}},    {gslib10, 3.0, {}},
      {gslib10, 4.9, {}},    {gslib10, 7.5, {2}},    {gslib10, 12.5, {2}},
      {gslib10, 12.75, {}},  {gslib5, 0.0, {0}},     {gslib5, 2.0, {1, 2}},
      {gslib5, 3.0, {1, 2}}, {gslib5, 5.0, {2}},     {gslib5, 7.0, {2, 3}},
      {gslib5, 8.0, {2, 3}}, {gslib5, 13.0, {3, 4}}, {gslib5, 18.0, {4}},
      {gslib5, 18.5, {}},
  };
  for (const auto& row : cases) {
    const std::string name = std::to_string(row.lags.spacing) + " tol " +
                             std::to_string(row.lags.tolerance) + " h " +
                             std::to_string(row.h);
    std::vector<int> in;
    for (int e = 0; e < row.lags.count + 2; ++e) {
      if (InLagEntry(row.h, row.lags, e)) in.push_back(e);
    }
    EXPECT_EQ(in, row.entries) << name;
    EXPECT_EQ(LagEntry(row.h, row.lags),
              row.entries.empty() ? -1 : row.entries.front())
        << name;
    // The variograms count the pair where the rule says.
    const auto rows = Rows(IsolatedPairs({row.h}), row.lags, {{0, 90}});
    for (int e = 0; e < row.lags.count + 2; ++e) {
      const bool counted = rows[0][e].npairs == 1;
      EXPECT_EQ(counted, InLagEntry(row.h, row.lags, e)) << name << " e " << e;
    }
  }
}

// Lag 10 with tolerance 2.5: the first lag takes only the pairs within 2.5
// (not every pair closer than half a lag), and lag 5 with tolerance 3 lets
// the windows overlap, as the classic rule has it.
TEST(VariogramTest, LagToleranceAsTheClassicRule) {
  const Samples samples =
      IsolatedPairs({1.0, 2.5, 3.0, 4.9, 2.0, 5.0, 7.0, 8.0, 10.0, 13.0});
  const struct {
    LagSettings lags;
    std::vector<int> counts;  // by entry
  } cases[] = {
      {{10.0, 2, 2.5}, {0, 3, 2, 0}},
      {{5.0, 3, 3.0}, {0, 4, 7, 4, 1}},
      {{10.0, 2}, {0, 5, 5, 0}},
  };
  for (const auto& row : cases) {
    const auto rows = Rows(samples, row.lags, {{0, 90}});
    const auto plain = PlainVariograms(samples, row.lags, {{0, 90}});
    for (size_t e = 0; e < row.counts.size(); ++e) {
      EXPECT_EQ(rows[0][e].npairs, row.counts[e])
          << row.lags.spacing << " " << e;
      EXPECT_EQ(plain[0][e].npairs, row.counts[e])
          << row.lags.spacing << " " << e;
    }
  }
}

// The streamed variograms, on every core and over a grid of cells, equal the
// plain loop: the same pair counts, semivariances within 1e-12 relative.
// The large set is laid out for speed (finer cells, samples of a cell out of
// order, sums over copies of the table).
TEST(VariogramTest, StreamedEqualsThePlainLoop) {
  const Samples samples = Scattered(2000, 100.0, 15);
  const Samples large = Scattered(12000, 100.0, 16);
  const std::vector<Direction> many = {
      {0, 90},       {0, 22.5},      {45, 22.5}, {90, 22.5}, {135, 22.5},
      {30, 45},      {-60, 10},      {200, 0},   {90, 45},   {0, 45, 3.0},
      {45, 30, 1.5}, {170, 60, 0.5}, {10, -1}};
  const struct {
    const char* name;
    const Samples& samples;
    LagSettings lags;
    std::vector<Direction> directions;
  } cases[] = {
      {"reach of half the square: one cell", samples, {5.0, 14}, many},
      {"short lags: many cells", samples, {1.0, 4}, many},
      {"narrow lag tolerance", samples, {2.0, 10, 0.3}, many},
      {"lag tolerance of half a lag", samples, {2.0, 10, 1.0}, many},
      {"lag tolerance above half a lag", samples, {2.5, 8, 4.0}, many},
      {"classic tolerance 3 on lags of 5", samples, {5.0, 6, 3.0}, many},
      {"one lag of a tenth: pairs on lag edges", samples, {0.1, 3}, many},
      {"no direction", samples, {5.0, 5}, {}},
      {"large set, short lags", large, {0.5, 4}, {{0, 90}, {45, 22.5, 0.4}}},
      {"large set, overlapping lags", large, {0.5, 3, 0.6}, {{90, 30}}},
  };
  for (const auto& row : cases) {
    ExpectRowsNear(Rows(row.samples, row.lags, row.directions),
                   PlainVariograms(row.samples, row.lags, row.directions),
                   row.name);
  }
}

// The variogram map by its rule in a plain loop: each pair at
// std::round(d / lag) each way and at the mirrored cell.
VariogramMap PlainMap(const Samples& s, double lag, int cells) {
  VariogramMap map;
  map.lag = lag;
  map.cells = cells;
  const size_t size = static_cast<size_t>(map.side()) * map.side();
  std::vector<double> squares(size, 0.0);
  map.pairs.assign(size, 0);
  for (int64_t a = 0; a < s.size(); ++a) {
    for (int64_t b = a + 1; b < s.size(); ++b) {
      const double i = std::round((s.x[b] - s.x[a]) / lag);
      const double j = std::round((s.y[b] - s.y[a]) / lag);
      if (std::fabs(i) > cells || std::fabs(j) > cells) continue;
      const double diff = s.value[b] - s.value[a];
      for (const size_t at : {map.At(int(i), int(j)), map.At(int(-i), int(-j))}) {
        squares[at] += diff * diff;
        ++map.pairs[at];
      }
    }
  }
  map.semivariance.assign(size, 0.0);
  for (size_t c = 0; c < size; ++c) {
    if (map.pairs[c] > 0) map.semivariance[c] = 0.5 * squares[c] / map.pairs[c];
  }
  return map;
}

// Coordinates to a tenth put many separations on a half of the lag and on
// the map's edge: the vector lanes must bin them as the rule does.
TEST(VariogramTest, MapCellsAsThePlainRule) {
  const Samples samples = Scattered(1500, 100.0, 17);
  const struct {
    double lag;
    int cells;
  } cases[] = {{5.0, 14}, {0.2, 6}, {2.5, 3}, {0.3, 40}, {50.0, 1}};
  for (const auto& row : cases) {
    VariogramMap map;
    ASSERT_TRUE(ComputeVariogramMap(samples, row.lag, row.cells, &map).ok());
    const VariogramMap want = PlainMap(samples, row.lag, row.cells);
    EXPECT_EQ(map.pairs, want.pairs) << row.lag;
    for (size_t c = 0; c < want.semivariance.size(); ++c) {
      EXPECT_NEAR(map.semivariance[c], want.semivariance[c],
                  1e-12 * want.semivariance[c])
          << row.lag << " cell " << c;
    }
  }
}

// The pair loop tells its progress on the calling thread and stops when the
// callback says so.
TEST(VariogramTest, ReportsProgressAndCanBeCancelled) {
  const Samples samples = Scattered(3000, 100.0, 3);
  std::vector<ProgressReport> reports;
  std::vector<VariogramRow> rows;
  ASSERT_TRUE(ExperimentalVariograms(samples, {5.0, 10}, {{0, 90}}, &rows,
                                     [&reports](const ProgressReport& r) {
                                       reports.push_back(r);
                                       return true;
                                     })
                  .ok());
  ASSERT_FALSE(reports.empty());
  EXPECT_STREQ(reports.back().step, "variograms");
  EXPECT_EQ(reports.back().done, reports.back().total);
  const Status cancelled =
      ExperimentalVariograms(samples, {5.0, 10}, {{0, 90}}, &rows,
                             [](const ProgressReport&) { return false; });
  EXPECT_TRUE(cancelled.cancelled());
  EXPECT_TRUE(rows.empty());
}

}  // namespace
}  // namespace korvagraph::analysis
