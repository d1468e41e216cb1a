// The normal-score transform through its export: scores written back into
// the samples, the score range, and the missing-value mark.
#include <cmath>
#include <cstddef>
#include <cstring>
#include <vector>

#include "gtest/gtest.h"
#include "korvagraph/KorvaGraphLib.h"
#include "test_support/host_records.h"

namespace {

using kgtest::MakeSamples;

constexpr double kNoScore = -999.0;
constexpr double kNoLimit = 1e21;
// The standard normal quantile of 0.75 (and, negated, of 0.25).
constexpr double kQuartileScore = 0.6744897501960817;

struct Scores {
  double max = 123.0;  // anything the transform did not write stays here
  double min = 456.0;
};

Scores Transform(std::vector<KvDiscPnt>& samples, double maximum,
                 double minimum) {
  Scores scores;
  EXPECT_EQ(_kvTranNcore(samples.data(), static_cast<LONG>(samples.size()),
                         maximum, minimum, scores.max, scores.min),
            1);
  return scores;
}

std::vector<double> Values(const std::vector<KvDiscPnt>& samples) {
  std::vector<double> values;
  for (const KvDiscPnt& sample : samples) values.push_back(sample.value);
  return values;
}

TEST(TranNcoreTest, ScoresReplaceTheValues) {
  std::vector<KvDiscPnt> samples = MakeSamples({5, 1, 3});
  const Scores scores = Transform(samples, kNoLimit, -kNoLimit);
  // Ranks 3, 1, 2 of three: G^-1(5/6), G^-1(1/6), G^-1(1/2).
  const double outer = 0.9674215661017010;
  EXPECT_NEAR(samples[0].value, outer, 1e-12);
  EXPECT_NEAR(samples[1].value, -outer, 1e-12);
  EXPECT_NEAR(samples[2].value, 0.0, 1e-12);
  EXPECT_DOUBLE_EQ(scores.max, samples[0].value);
  EXPECT_DOUBLE_EQ(scores.min, samples[1].value);
}

TEST(TranNcoreTest, WindowAndMissingScores) {
  struct Row {
    const char* name;
    std::vector<double> values;
    double maximum;  // passed first, as the export takes it
    double minimum;
    std::vector<double> expected;
    double score_max;
    double score_min;
  } rows[] = {
      // A sample the engine leaves without a score gets -999 and does not
      // count towards the range.
      {"a score of -999 is not counted", {1, 20, 5}, 10, 0,
       {-kQuartileScore, kNoScore, kQuartileScore}, kQuartileScore,
       -kQuartileScore},
      {"every sample missing", {1, 2, 3}, 200, 100,
       {kNoScore, kNoScore, kNoScore}, kNoScore, kNoScore},
      // Upper limit first in the export, lower limit first to the engine:
      // only 5 lies inside [0, 10], a swap would leave nothing inside.
      {"limits reach the engine minimum first", {-5, 5, 15}, 10, 0,
       {kNoScore, 0.0, kNoScore}, 0.0, 0.0},
      // The limits are passed on unchecked: a reversed window holds nothing.
      {"reversed limits are not reordered", {-5, 5, 15}, 0, 10,
       {kNoScore, kNoScore, kNoScore}, kNoScore, kNoScore},
      {"bounds are inside", {0, 10}, 10, 0,
       {-kQuartileScore, kQuartileScore}, kQuartileScore, -kQuartileScore},
  };
  for (Row& row : rows) {
    std::vector<KvDiscPnt> samples = MakeSamples(row.values);
    const Scores scores = Transform(samples, row.maximum, row.minimum);
    const std::vector<double> values = Values(samples);
    ASSERT_EQ(values.size(), row.expected.size()) << row.name;
    for (size_t i = 0; i < values.size(); ++i) {
      EXPECT_NEAR(values[i], row.expected[i], 1e-12) << row.name << " " << i;
    }
    EXPECT_NEAR(scores.max, row.score_max, 1e-12) << row.name;
    EXPECT_NEAR(scores.min, row.score_min, 1e-12) << row.name;
  }
}

TEST(TranNcoreTest, OtherFieldsAreUnchangedByteForByte) {
  std::vector<KvDiscPnt> samples(4);
  for (size_t i = 0; i < samples.size(); ++i) {
    std::memset(&samples[i], static_cast<int>(0xA5 + i), sizeof(KvDiscPnt));
    samples[i].value = i == 2 ? 1e9 : static_cast<double>(i);  // 1e9: no score
  }
  const std::vector<KvDiscPnt> before = samples;
  Transform(samples, 100, 0);
  constexpr size_t kValue = offsetof(KvDiscPnt, value);
  for (size_t i = 0; i < samples.size(); ++i) {
    const auto* now = reinterpret_cast<const unsigned char*>(&samples[i]);
    const auto* was = reinterpret_cast<const unsigned char*>(&before[i]);
    EXPECT_EQ(std::memcmp(now, was, kValue), 0) << "sample " << i;
    EXPECT_EQ(std::memcmp(now + kValue + sizeof(double),
                          was + kValue + sizeof(double),
                          sizeof(KvDiscPnt) - kValue - sizeof(double)),
              0)
        << "sample " << i;
  }
  EXPECT_EQ(samples[2].value, kNoScore);
}

TEST(TranNcoreTest, EmptyAndNullInputDoNotCrash) {
  struct Row {
    const char* name;
    bool null_samples;
    LONG count;
    double score;  // both outputs afterwards
  } rows[] = {
      {"null samples: outputs untouched", true, 5, 123.0},
      {"count 0: no valid score", false, 0, kNoScore},
      {"negative count: no valid score", false, -3, kNoScore},
  };
  for (const Row& row : rows) {
    std::vector<KvDiscPnt> samples = MakeSamples({1, 2, 3});
    double score_max = 123.0;
    double score_min = 123.0;
    EXPECT_EQ(_kvTranNcore(row.null_samples ? nullptr : samples.data(),
                           row.count, kNoLimit, -kNoLimit, score_max,
                           score_min),
              1)
        << row.name;
    EXPECT_EQ(score_max, row.score) << row.name;
    EXPECT_EQ(score_min, row.score) << row.name;
    EXPECT_EQ(Values(samples), (std::vector<double>{1, 2, 3})) << row.name;
  }
}

}  // namespace
