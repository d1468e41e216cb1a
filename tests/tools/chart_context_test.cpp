#include "tools/korvagraph/chart_context.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

DataSet Table(const std::vector<std::string>& names, int rows) {
  DataSet data;
  data.path = "t.dat";
  for (size_t c = 0; c < names.size(); ++c) {
    std::vector<double> values(rows);
    for (int r = 0; r < rows; ++r) values[r] = 10.0 * c + r;
    data.AddColumn(names[c], values);
  }
  return data;
}

// Four samples 1 apart along x, values 1, 2, 4 and 7.
DataSet LineData() {
  DataSet data;
  data.path = "line.dat";
  data.AddColumn("X", {0, 1, 2, 3});
  data.AddColumn("Y", {0, 0, 0, 0});
  data.AddColumn("V", {1, 2, 4, 7});
  return data;
}

struct ColumnsCase {
  const char* name;
  std::vector<std::string> columns;
  Options options;
  int x, y, z, primary, secondary;
};

Options With(std::string Options::*field, const char* value) {
  Options o;
  o.*field = value;
  return o;
}

TEST(ChartContextTest, ChoosesColumns) {
  const ColumnsCase cases[] = {
      {"sample layout",
       {"X", "Y", "Elevation", "Copper", "Zinc"},
       {},
       0,
       1,
       2,
       3,
       4},
      {"names anywhere", {"Cu", "east", "NORTH", "Zn"}, {}, 1, 2, -1, 0, 3},
      {"positions", {"a", "b", "c", "d"}, {}, 0, 1, -1, 2, 3},
      {"one attribute", {"X", "Y", "V"}, {}, 0, 1, -1, 2, -1},
      {"no coordinates", {"A", "B"}, {}, -1, -1, -1, 0, 1},
      {"--col picks the second attribute",
       {"X", "Y", "Cu", "Zn"},
       With(&Options::column, "Zn"),
       0,
       1,
       -1,
       3,
       2},
      {"--col2 by number",
       {"X", "Y", "Cu", "Zn", "Pb"},
       With(&Options::column2, "5"),
       0,
       1,
       -1,
       2,
       4},
      {"--z by name",
       {"X", "Y", "Depth2", "Cu"},
       With(&Options::z_column, "Depth2"),
       0,
       1,
       2,
       3,
       -1},
  };
  for (const ColumnsCase& c : cases) {
    ChartContext context(Table(c.columns, 3), c.options, nullptr);
    const Status status = context.Resolve();
    ASSERT_TRUE(status.ok()) << c.name << ": " << status.message();
    EXPECT_EQ(context.x_column(), c.x) << c.name;
    EXPECT_EQ(context.y_column(), c.y) << c.name;
    EXPECT_EQ(context.z_column(), c.z) << c.name;
    EXPECT_EQ(context.primary(), c.primary) << c.name;
    EXPECT_EQ(context.secondary(), c.secondary) << c.name;
  }
}

TEST(ChartContextTest, UnknownColumnIsAnError) {
  ChartContext context(Table({"X", "Y", "Cu"}, 3), With(&Options::column, "Au"),
                       nullptr);
  const Status status = context.Resolve();
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.message().rfind("unknown column \"Au\" in t.dat", 0), 0u)
      << status.message();
}

TEST(ChartContextTest, SkipsMissingValuesAndReportsEmptyColumns) {
  DataSet data = Table({"X", "Y", "Cu", "Zn"}, 4);
  const double kMissing = std::nan("");
  data.columns[2][1] = kMissing;
  data.columns[3][2] = kMissing;
  ChartContext context(data, Options(), nullptr);
  ASSERT_TRUE(context.Resolve().ok());
  std::vector<double> first, second;
  ASSERT_TRUE(context.PrimaryValues(&first).ok());
  EXPECT_EQ(first, (std::vector<double>{20, 22, 23}));
  ASSERT_TRUE(context.PairedValues(&first, &second).ok());
  EXPECT_EQ(first, (std::vector<double>{20, 23}));
  EXPECT_EQ(second, (std::vector<double>{30, 33}));
  const std::vector<KvDiscPnt>* samples = nullptr;
  ASSERT_TRUE(context.LocatedSamples(&samples).ok());
  ASSERT_EQ(samples->size(), 3u);
  EXPECT_EQ((*samples)[1].value2, -999.0);

  DataSet empty = Table({"X", "Y", "Cu"}, 2);
  empty.columns[2] = {kMissing, kMissing};
  ChartContext none(empty, Options(), nullptr);
  ASSERT_TRUE(none.Resolve().ok());
  const Status status = none.PrimaryValues(&first);
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.message().rfind("t.dat:6: expected rows with Cu present", 0),
            0u)
      << status.message();
  EXPECT_FALSE(none.PairedValues(&first, &second).ok());  // no second column
  AttributeSample sample;
  const Status no_second = none.SecondarySample(&sample);
  ASSERT_FALSE(no_second.ok());
  EXPECT_EQ(no_second.message(),
            "t.dat: expected a second attribute column for this chart; name "
            "one with --col2");
}

TEST(ChartContextTest, AttributeSamplesHoldEachPresentValue) {
  DataSet data = Table({"X", "Y", "Cu", "Zn"}, 4);  // Cu 20..23, Zn 30..33
  data.columns[3][0] = std::nan("");
  ChartContext context(data, Options(), nullptr);
  ASSERT_TRUE(context.Resolve().ok());
  const struct {
    const char* name;
    Status (ChartContext::*sample_of)(AttributeSample*) const;
    std::vector<double> values;
  } cases[] = {
      {"primary", &ChartContext::PrimarySample, {20, 21, 22, 23}},
      {"secondary skips missing values",
       &ChartContext::SecondarySample,
       {31, 32, 33}},
  };
  for (const auto& row : cases) {
    AttributeSample sample;
    ASSERT_TRUE((context.*row.sample_of)(&sample).ok()) << row.name;
    ASSERT_EQ(sample.records.size(), row.values.size()) << row.name;
    for (size_t i = 0; i < row.values.size(); ++i) {
      EXPECT_EQ(sample.records[i].value, row.values[i]) << row.name << " " << i;
      EXPECT_EQ(sample.records[i].x, 0.0) << row.name << " " << i;
    }
    const DataWindow window = Rounded(WindowOf(row.values));
    EXPECT_EQ(sample.window.minimum, window.minimum) << row.name;
    EXPECT_EQ(sample.window.maximum, window.maximum) << row.name;
  }
}

TEST(ChartContextTest, AttributeRecordsCarryASecondValue) {
  const std::vector<double> x = {1, 2}, y = {5, 6};
  const std::vector<KvDiscPnt> records = AttributeRecords(x, &y);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[1].value, 2.0);
  EXPECT_EQ(records[1].value2, 6.0);
  EXPECT_EQ(AttributeRecords(x)[1].value2, 0.0);
}

TEST(ChartContextTest, CloudHighlightsTheLargestSemivariancesWithinOneLag) {
  Options options;
  options.lag = 1.5;
  options.highlight = 2;
  ChartContext context(LineData(), options, nullptr);
  ASSERT_TRUE(context.Resolve().ok());
  CloudSet* set = nullptr;
  ASSERT_TRUE(context.Cloud(&set).ok());
  EXPECT_EQ(set->cloud.distance.size(), 6u);
  EXPECT_EQ(set->distances.minimum, 0.0);
  EXPECT_EQ(set->distances.maximum, 3.0);
  EXPECT_EQ(set->semivariances.maximum, 18.0);  // (7 - 1)^2 / 2
  EXPECT_EQ(set->short_distance, 1.5);
  // Neighbours 1 apart: (2, 3) differs by 3, (1, 2) by 2, (0, 1) by 1.
  ASSERT_EQ(set->highlighted_pairs.size(), 2u);
  EXPECT_EQ(set->highlighted_pairs[0].first, 2);
  EXPECT_EQ(set->highlighted_pairs[0].second, 3);
  EXPECT_EQ(set->highlighted_pairs[1].first, 1);
  EXPECT_EQ(set->highlighted_pairs[1].second, 2);
  for (size_t k = 0; k < set->highlighted.size(); ++k) {
    const KVL_DOT pair = set->cloud.pairs[set->highlighted[k]];
    EXPECT_EQ(pair.first, set->highlighted_pairs[k].first) << k;
    EXPECT_EQ(pair.second, set->highlighted_pairs[k].second) << k;
  }
}

TEST(ChartContextTest, VariogramsOfEveryDirectionAndTheFourAzimuths) {
  Options options;
  options.lag = 1.0;
  options.lag_count = 3;
  options.direction = "90";
  ChartContext context(LineData(), options, nullptr);
  ASSERT_TRUE(context.Resolve().ok());
  const VariogramSet* set = nullptr;
  ASSERT_TRUE(context.Variograms(&set).ok());
  ASSERT_EQ(set->rows.size(), 5u);
  EXPECT_EQ(set->labels,
            (std::vector<std::string>{"omni", "0", "45", "90", "135"}));
  EXPECT_EQ(context.DirectionRow(), 3);
  EXPECT_EQ(set->rows[0][2].npairs, 3);
  EXPECT_EQ(set->rows[3][2].npairs, 3);
  EXPECT_EQ(set->rows[1][2].npairs, 0);
  EXPECT_DOUBLE_EQ(set->variance, 5.25);  // mean 3.5; (6.25+2.25+.25+12.25)/4
  // Too few lags to fit: the defaults.
  EXPECT_EQ(set->fit.model.sill, set->variance);
}

TEST(ChartContextTest, CloudShowsAtMostCloudMaxPairs) {
  Options options;
  options.lag = 1.5;
  options.highlight = 2;
  options.cloud_max = 3;
  ChartContext context(LineData(), options, nullptr);
  ASSERT_TRUE(context.Resolve().ok());
  CloudSet* set = nullptr;
  ASSERT_TRUE(context.Cloud(&set).ok());
  EXPECT_EQ(set->cloud.distance.size(), 3u);
  EXPECT_EQ(set->total_pairs, 6);
  // The highlighted pairs are still the largest of all close pairs.
  ASSERT_EQ(set->highlighted_pairs.size(), 2u);
  EXPECT_EQ(set->highlighted_pairs[0].first, 2);
  EXPECT_EQ(set->highlighted_pairs[1].first, 1);
}

}  // namespace

namespace {

// Regression: a --lag far below the default spacing made the lag count
// exceed int in the conversion (undefined behaviour).
TEST(ChartContextTest, TinyLagOptionKeepsTheLagCountBounded) {
  Options options;
  options.lag = 1e-300;
  ChartContext context(LineData(), options, nullptr);
  ASSERT_TRUE(context.Resolve().ok());
  const VariogramSet* set = nullptr;
  ASSERT_TRUE(context.Variograms(&set).ok());
  EXPECT_EQ(set->lags.count, 1000);
  EXPECT_EQ(set->lags.spacing, 1e-300);
}

}  // namespace
