// Normal scores through the engine's public operations.
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "siblings/korvalib/korvalib.h"
#include "siblings/korvalib/normal_quantile.h"
#include "tests/siblings/engine_test_util.h"

namespace korvalib_test {
namespace {

constexpr double kNoScore = -999.0;

struct NscoreResult {
  std::vector<double> scores;
  std::vector<double> sorted_values;
  std::vector<double> sorted_scores;
};

NscoreResult RunNscore(const std::vector<double>& values, double minimum,
                       double maximum) {
  ScopedHandle handle(1);
  LoadValues(handle.get(), values);
  _kvSetDataExtr(handle.get(), minimum, maximum);
  _kvSetUseWtFlag(handle.get(), 0, 1);
  NscoreResult result;
  result.scores.assign(values.size(), 0.0);
  result.sorted_values.assign(values.size(), 0.0);
  result.sorted_scores.assign(values.size(), 0.0);
  _kvNscore(handle.get(), result.scores.data(), result.sorted_values.data(),
            result.sorted_scores.data());
  return result;
}

// Sample 3 1 4 1 5 9 2 6 5 3 (n = 10): sorted 1 1 2 3 3 4 5 5 6 9, average
// ranks 1.5 (1), 3 (2), 4.5 (3), 6 (4), 7.5 (5), 9 (6), 10 (9). Scores
// G^-1((r - 0.5) / 10) from mpmath at 40 digits.
constexpr double kScore1 = -1.281551565544600467;   // r 1.5, p 0.10
constexpr double kScore2 = -0.6744897501960817432;  // r 3,   p 0.25
constexpr double kScore3 = -0.2533471031357997988;  // r 4.5, p 0.40
constexpr double kScore4 = 0.12566134685507403421;  // r 6,   p 0.55
constexpr double kScore5 = 0.52440051270804078404;  // r 7.5, p 0.70
constexpr double kScore6 = 1.0364333894937895797;   // r 9,   p 0.85
constexpr double kScore9 = 1.6448536269514727149;   // r 10,  p 0.95

const std::vector<double> kSample = {3, 1, 4, 1, 5, 9, 2, 6, 5, 3};

TEST(NormalScoresTest, TiesShareTheirAverageRank) {
  const NscoreResult result = RunNscore(kSample, -1e21, 1e21);
  const std::vector<double> expected = {kScore3, kScore1, kScore4, kScore1,
                                        kScore5, kScore9, kScore2, kScore6,
                                        kScore5, kScore3};
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_NEAR(result.scores[i], expected[i], 1e-14) << "sample " << i;
  }
}

TEST(NormalScoresTest, TransformationTableIsSortedValuesAndScores) {
  const NscoreResult result = RunNscore(kSample, -1e21, 1e21);
  const std::vector<double> values = {1, 1, 2, 3, 3, 4, 5, 5, 6, 9};
  const std::vector<double> scores = {kScore1, kScore1, kScore2, kScore3,
                                      kScore3, kScore4, kScore5, kScore5,
                                      kScore6, kScore9};
  for (size_t i = 0; i < values.size(); ++i) {
    EXPECT_EQ(result.sorted_values[i], values[i]) << "entry " << i;
    EXPECT_NEAR(result.sorted_scores[i], scores[i], 1e-14) << "entry " << i;
  }
}

TEST(NormalScoresTest, ValuesOutsideTheWindowGetNoScore) {
  // Window [1, 6] drops the 9: n = 9; scores G^-1((r - 0.5) / 9) (mpmath).
  std::vector<double> values = kSample;
  values.push_back(std::nan(""));
  const NscoreResult result = RunNscore(values, 1.0, 6.0);
  EXPECT_EQ(result.scores[5], kNoScore) << "9 outside";
  EXPECT_EQ(result.scores[10], kNoScore) << "NaN";
  EXPECT_NEAR(result.scores[1], -1.2206403488473496983, 1e-14) << "1";
  EXPECT_NEAR(result.scores[7], 1.5932188180230503865, 1e-14) << "6";
  EXPECT_NEAR(result.scores[0], -0.13971029888186204545, 1e-14) << "3";
  EXPECT_EQ(result.sorted_values[8], 6.0);
  EXPECT_EQ(result.sorted_values[9], 0.0) << "entries past n untouched";
}

TEST(NormalScoresTest, EmptyWindowGivesNoScoreEverywhere) {
  const NscoreResult result = RunNscore(kSample, 100.0, 200.0);
  for (double score : result.scores) EXPECT_EQ(score, kNoScore);
}

TEST(NormalScoresTest, LargeSampleIsSymmetric) {
  // 5000 distinct values take the radix-sort path; scores of the i-th and
  // (n+1-i)-th smallest are opposite.
  std::vector<double> values(5000);
  for (size_t i = 0; i < values.size(); ++i) {
    values[i] = static_cast<double>((i * 7919) % 5000) - 2500.0;
  }
  const NscoreResult result = RunNscore(values, -1e21, 1e21);
  for (size_t i = 0; i < values.size(); ++i) {
    EXPECT_NEAR(result.sorted_scores[i],
                -result.sorted_scores[values.size() - 1 - i], 1e-12);
    ASSERT_EQ(result.sorted_values[i], static_cast<double>(i) - 2500.0);
  }
}

TEST(NormalScoresTest, TwoCoreSizesScoreByAverageRank) {
  // Scores are computed on two cores above 65536 values, the halves split
  // between runs of ties: every sample's score is G^-1((r - 0.5) / n) of
  // its average rank r, a run across the middle included.
  const size_t n = 100000;
  const struct {
    const char* name;
    size_t distinct;  // value i is (i * 7919) % distinct
  } rows[] = {{"distinct", n}, {"three runs, one across the middle", 3},
               {"two runs meeting at the middle", 2}};
  for (const auto& row : rows) {
    std::vector<double> values(n);
    std::vector<double> below(row.distinct + 1, 0.0);  // count below value
    for (size_t i = 0; i < n; ++i) {
      values[i] = static_cast<double>((i * 7919) % row.distinct);
      below[static_cast<size_t>(values[i]) + 1] += 1.0;
    }
    for (size_t v = 1; v <= row.distinct; ++v) below[v] += below[v - 1];
    const NscoreResult result = RunNscore(values, -1e21, 1e21);
    for (size_t i = 0; i < n; i += 97) {
      const size_t v = static_cast<size_t>(values[i]);
      const double rank = 0.5 * (below[v] + 1 + below[v + 1]);
      ASSERT_EQ(result.scores[i],
                korvalib::NormalQuantile((rank - 0.5) / static_cast<double>(n)))
          << row.name << " sample " << i;
    }
  }
}

}  // namespace
}  // namespace korvalib_test
