#include "korvagraph/analysis/session.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace korvagraph::analysis {
namespace {

// Opens a session of table with settings; fails the test when it cannot.
std::unique_ptr<Session> Open(Table table, const Settings& settings = {}) {
  std::unique_ptr<Session> session;
  const Status status = Session::Open(std::move(table), settings, &session);
  EXPECT_TRUE(status.ok()) << status.ToString();
  return session;
}

// Columns c of values 10 c + 2 r: rising by 2, so none is an ID.
Table Columns(const std::vector<std::string>& names, int rows) {
  Table data;
  data.path = "t.dat";
  for (size_t c = 0; c < names.size(); ++c) {
    std::vector<double> values(rows);
    for (int r = 0; r < rows; ++r) values[r] = 10.0 * c + 2 * r;
    data.AddColumn(names[c], values);
  }
  return data;
}

// Four samples 1 apart along x, values 1, 2, 4 and 7.
Table LineData() {
  Table data;
  data.path = "line.dat";
  data.AddColumn("X", {0, 1, 2, 3});
  data.AddColumn("Y", {0, 0, 0, 0});
  data.AddColumn("V", {1, 2, 4, 7});
  return data;
}

struct ColumnsCase {
  const char* name;
  std::vector<std::string> columns;
  ColumnRequest request;
  int x, y, z, primary, secondary;
};

ColumnRequest With(std::string ColumnRequest::*field, const char* value) {
  ColumnRequest request;
  request.*field = value;
  return request;
}

TEST(SessionTest, ChoosesColumns) {
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
       With(&ColumnRequest::primary, "Zn"),
       0,
       1,
       -1,
       3,
       2},
      {"--col2 by number",
       {"X", "Y", "Cu", "Zn", "Pb"},
       With(&ColumnRequest::secondary, "5"),
       0,
       1,
       -1,
       2,
       4},
      {"--z by name",
       {"X", "Y", "Depth2", "Cu"},
       With(&ColumnRequest::z, "Depth2"),
       0,
       1,
       2,
       3,
       -1},
  };
  for (const ColumnsCase& c : cases) {
    ColumnChoice choice;
    const Status status =
        ChooseColumns(Columns(c.columns, 3), c.request, &choice);
    ASSERT_TRUE(status.ok()) << c.name << ": " << status.ToString();
    EXPECT_EQ(choice.x, c.x) << c.name;
    EXPECT_EQ(choice.y, c.y) << c.name;
    EXPECT_EQ(choice.z, c.z) << c.name;
    EXPECT_EQ(choice.primary, c.primary) << c.name;
    EXPECT_EQ(choice.secondary, c.secondary) << c.name;
  }
}

TEST(SessionTest, UnknownColumnIsAnError) {
  Settings settings;
  settings.columns.primary = "Au";
  std::unique_ptr<Session> session;
  const Status status =
      Session::Open(Columns({"X", "Y", "Cu"}, 3), settings, &session);
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.ToString().rfind("unknown column \"Au\" in t.dat", 0), 0u)
      << status.ToString();
}

TEST(SessionTest, SkipsMissingValuesAndReportsEmptyColumns) {
  Table data = Columns({"X", "Y", "Cu", "Zn"}, 4);
  const double kMissing = std::nan("");
  data.columns[2][1] = kMissing;
  data.columns[3][2] = kMissing;
  std::unique_ptr<Session> context = Open(data);
  std::vector<double> first, second;
  ASSERT_TRUE(context->PrimaryValues(&first).ok());
  EXPECT_EQ(first, (std::vector<double>{20, 24, 26}));
  ASSERT_TRUE(context->PairedValues(&first, &second).ok());
  EXPECT_EQ(first, (std::vector<double>{20, 26}));
  EXPECT_EQ(second, (std::vector<double>{30, 36}));
  const std::vector<KvDiscPnt>* samples = nullptr;
  ASSERT_TRUE(context->LocatedRecords(&samples).ok());
  ASSERT_EQ(samples->size(), 3u);
  EXPECT_EQ((*samples)[1].value2, -999.0);

  Table empty = Columns({"X", "Y", "Cu"}, 2);
  empty.columns[2] = {kMissing, kMissing};
  std::unique_ptr<Session> none = Open(empty);
  const Status status = none->PrimaryValues(&first);
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(
      status.ToString().rfind("t.dat:6: expected rows with Cu present", 0), 0u)
      << status.ToString();
  EXPECT_FALSE(none->PairedValues(&first, &second).ok());  // no second column
  const AttributeSample* sample = nullptr;
  const Status no_second = none->SecondarySample(&sample);
  ASSERT_FALSE(no_second.ok());
  EXPECT_EQ(no_second.ToString(),
            "t.dat: expected a second attribute column for this chart; name "
            "one");
}

TEST(SessionTest, AttributeSamplesHoldEachPresentValue) {
  Table data = Columns({"X", "Y", "Cu", "Zn"}, 4);  // Cu 20..26, Zn 30..36
  data.columns[3][0] = std::nan("");
  std::unique_ptr<Session> context = Open(data);
  const struct {
    const char* name;
    Status (Session::*sample_of)(const AttributeSample**);
    std::vector<double> values;
  } cases[] = {
      {"primary", &Session::PrimarySample, {20, 22, 24, 26}},
      {"secondary skips missing values",
       &Session::SecondarySample,
       {32, 34, 36}},
  };
  for (const auto& row : cases) {
    const AttributeSample* sample = nullptr;
    ASSERT_TRUE(((*context).*row.sample_of)(&sample).ok()) << row.name;
    ASSERT_EQ(sample->records.size(), row.values.size()) << row.name;
    for (size_t i = 0; i < row.values.size(); ++i) {
      EXPECT_EQ(sample->records[i].value, row.values[i])
          << row.name << " " << i;
      EXPECT_EQ(sample->records[i].x, 0.0) << row.name << " " << i;
    }
    const DataWindow window = Rounded(WindowOf(row.values));
    EXPECT_EQ(sample->window.minimum, window.minimum) << row.name;
    EXPECT_EQ(sample->window.maximum, window.maximum) << row.name;
  }
}

TEST(SessionTest, CloudHighlightsTheLargestSemivariancesWithinOneLag) {
  Settings options;
  options.variogram.lag = 1.5;
  options.cloud.highlight = 2;
  std::unique_ptr<Session> context = Open(LineData(), options);
  const CloudSet* set = nullptr;
  ASSERT_TRUE(context->Cloud(&set).ok());
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

TEST(SessionTest, VariogramsOfEveryDirectionAndTheFourAzimuths) {
  Settings options;
  options.variogram.lag = 1.0;
  options.variogram.lag_count = 3;
  std::unique_ptr<Session> context = Open(LineData(), options);
  const VariogramSet* set = nullptr;
  ASSERT_TRUE(context->Variograms(&set).ok());
  ASSERT_EQ(set->rows.size(), 5u);
  EXPECT_EQ(set->labels,
            (std::vector<std::string>{"omni", "0", "45", "90", "135"}));
  EXPECT_EQ(set->directions[3].azimuth, 90.0);
  EXPECT_EQ(set->rows[0][2].npairs, 3);
  EXPECT_EQ(set->rows[3][2].npairs, 3);
  EXPECT_EQ(set->rows[1][2].npairs, 0);
  EXPECT_DOUBLE_EQ(set->variance, 5.25);  // mean 3.5; (6.25+2.25+.25+12.25)/4
  // Too few lags to fit: the defaults.
  EXPECT_EQ(set->fit.model.Sill(), set->variance);
}

TEST(SessionTest, CloudShowsAtMostCloudMaxPairs) {
  Settings options;
  options.variogram.lag = 1.5;
  options.cloud.highlight = 2;
  options.cloud.max_points = 3;
  std::unique_ptr<Session> context = Open(LineData(), options);
  const CloudSet* set = nullptr;
  ASSERT_TRUE(context->Cloud(&set).ok());
  EXPECT_EQ(set->cloud.distance.size(), 3u);
  EXPECT_EQ(set->total_pairs, 6);
  // The highlighted pairs are still the largest of all close pairs.
  ASSERT_EQ(set->highlighted_pairs.size(), 2u);
  EXPECT_EQ(set->highlighted_pairs[0].first, 2);
  EXPECT_EQ(set->highlighted_pairs[1].first, 1);
}

// Regression: a --lag far below the default spacing made the lag count
// exceed int in the conversion (undefined behaviour).
TEST(SessionTest, TinyLagOptionKeepsTheLagCountBounded) {
  Settings options;
  options.variogram.lag = 1e-300;
  std::unique_ptr<Session> context = Open(LineData(), options);
  const VariogramSet* set = nullptr;
  ASSERT_TRUE(context->Variograms(&set).ok());
  EXPECT_EQ(set->lags.count, 1000);
  EXPECT_EQ(set->lags.spacing, 1e-300);
}

// Indicator and cross variograms, by hand on the line of four: values V 1,
// 2, 4, 7 and U 2, 1, 5, 5 at x = 0, 1, 2, 3.
TEST(SessionTest, IndicatorAndCrossVariogramsByHand) {
  Table data = LineData();
  data.AddColumn("U", {2, 1, 5, 5});
  const struct {
    const char* name;
    VariogramKind kind;
    std::vector<std::string> thresholds;
    int set;
    const char* set_name;
    double lag1_gamma;  // the first lag's semivariance
    double sill;
  } cases[] = {
      // Indicators 1, 1, 0, 0: one of three neighbours differs.
      {"indicator at 3",
       VariogramKind::kIndicator,
       {"3", "q50"},
       0,
       "V <= 3",
       1.0 / 6.0,
       0.25},
      // The median of 1, 2, 4, 7 is 3: the same indicators.
      {"indicator at the median",
       VariogramKind::kIndicator,
       {"3", "q50"},
       1,
       "V <= 3 (q50)",
       1.0 / 6.0,
       0.25},
      // Differences (1, -1), (2, 4), (3, 0): half their mean product.
      {"cross",
       VariogramKind::kCross,
       {},
       0,
       "V x U",
       0.5 * (-1 + 8 + 0) / 3,
       (-2.5 * -1.25 + -1.5 * -2.25 + 0.5 * 1.75 + 3.5 * 1.75) / 4},
  };
  for (const auto& c : cases) {
    Settings settings;
    settings.variogram.kind = c.kind;
    settings.variogram.thresholds = c.thresholds;
    settings.variogram.lag = 1.0;
    settings.variogram.lag_count = 3;
    settings.columns.secondary = "U";
    std::unique_ptr<Session> session = Open(data, settings);
    const VariogramSet* set = nullptr;
    ASSERT_TRUE(session->Variograms(&set, c.set).ok()) << c.name;
    EXPECT_EQ(set->name, c.set_name) << c.name;
    EXPECT_EQ(set->rows[0][2].npairs, 3) << c.name;
    EXPECT_NEAR(set->rows[0][2].gamma, c.lag1_gamma, 1e-12) << c.name;
    EXPECT_NEAR(set->variance, c.sill, 1e-12) << c.name;
  }
}

// A field that changes only across azimuth 60: its variogram map is lowest
// along 60 (and 240), highest across it.
TEST(SessionTest, VariogramMapIsLowestAlongTheMajorAxis) {
  Table data;
  std::vector<double> x, y, v;
  const double pi = std::acos(-1.0);
  const double east = std::sin(60 * pi / 180), north = std::cos(60 * pi / 180);
  for (int i = 0; i < 40; ++i) {
    for (int j = 0; j < 40; ++j) {
      x.push_back(i);
      y.push_back(j);
      const double across = i * north - j * east;  // distance off the axis
      v.push_back(std::sin(across / 2.0));
    }
  }
  data.AddColumn("X", x);
  data.AddColumn("Y", y);
  data.AddColumn("V", v);
  Settings settings;
  settings.variogram.lag = 1.0;
  settings.variogram.lag_count = 6;
  std::unique_ptr<Session> session = Open(data, settings);
  const VariogramMap* map = nullptr;
  ASSERT_TRUE(session->Map(&map).ok());
  ASSERT_EQ(map->side(), 13);
  // Cells 5 lags out along azimuths 60 and 150.
  const auto at = [&](double azimuth) {
    const double a = azimuth * pi / 180;
    return map
        ->semivariance[map->At(static_cast<int>(std::lround(5 * std::sin(a))),
                               static_cast<int>(std::lround(5 * std::cos(a))))];
  };
  EXPECT_LT(at(60), 0.2 * at(150))
      << at(60) << " along, " << at(150) << " across";
  EXPECT_EQ(map->semivariance[map->At(2, -3)],
            map->semivariance[map->At(-2, 3)]);
}

// A set computed elsewhere from its pieces, in tiles of 97 samples merged
// in tile order, equals the set the session computes: pair counts
// identical, semivariances within 1e-12 relative, the same fit.
TEST(SessionTest, SetFromTiledPiecesEqualsTheSession) {
  Table data;
  std::vector<double> x, y, v, u;
  for (int i = 0; i < 400; ++i) {
    x.push_back(std::fmod(i * 37.7, 101.0));
    y.push_back(std::fmod(i * 53.3, 97.0));
    v.push_back(std::sin(i * 0.37) * 5 + x.back() * 0.05);
    u.push_back(std::cos(i * 0.11) + v.back());
  }
  data.AddColumn("X", x);
  data.AddColumn("Y", y);
  data.AddColumn("V", v);
  data.AddColumn("U", u);
  const struct {
    VariogramKind kind;
    std::vector<std::string> thresholds;
  } cases[] = {{VariogramKind::kValue, {}},
               {VariogramKind::kIndicator, {"q25", "1.5"}},
               {VariogramKind::kCross, {}}};
  for (const auto& c : cases) {
    Settings settings;
    settings.variogram.kind = c.kind;
    settings.variogram.thresholds = c.thresholds;
    auto whole = Open(data, settings), tiled = Open(data, settings);
    for (int index = 0; index < whole->VariogramSetCount(); ++index) {
      VariogramPieces pieces;
      ASSERT_TRUE(tiled->PiecesOf(index, &pieces).ok());
      std::vector<VariogramSums> sums(pieces.parts.size());
      for (size_t p = 0; p < pieces.parts.size(); ++p) {
        std::vector<Samples> blocks;
        const Samples& part = pieces.parts[p];
        for (int64_t at = 0; at < part.size(); at += 97) {
          blocks.emplace_back();
          for (int64_t k = at; k < std::min<int64_t>(at + 97, part.size());
               ++k) {
            blocks.back().Append(part.x[k], part.y[k], part.z[k],
                                 part.value[k], part.value2[k], part.row[k]);
          }
        }
        for (size_t i = 0; i < blocks.size(); ++i) {
          for (size_t j = i; j < blocks.size(); ++j) {
            VariogramSums tile;
            ASSERT_TRUE((i == j ? VariogramTileSums(blocks[i], pieces.lags,
                                                    pieces.directions, &tile)
                                : VariogramTileSums(blocks[i], blocks[j],
                                                    pieces.lags,
                                                    pieces.directions, &tile))
                            .ok());
            ASSERT_TRUE(MergeVariogramSums(tile, &sums[p]).ok());
          }
        }
      }
      ASSERT_TRUE(tiled->SetVariogramSums(index, sums).ok());
      const VariogramSet* a = nullptr;
      const VariogramSet* b = nullptr;
      ASSERT_TRUE(whole->Variograms(&a, index).ok());
      ASSERT_TRUE(tiled->Variograms(&b, index).ok());
      EXPECT_EQ(a->name, b->name);
      ASSERT_EQ(a->rows.size(), b->rows.size());
      for (size_t d = 0; d < a->rows.size(); ++d) {
        for (size_t e = 0; e < a->rows[d].size(); ++e) {
          const Variogram &one = a->rows[d][e], &two = b->rows[d][e];
          EXPECT_EQ(one.npairs, two.npairs) << a->name << d << " " << e;
          EXPECT_NEAR(one.gamma, two.gamma, 1e-12 * std::fabs(one.gamma));
          EXPECT_NEAR(one.h, two.h, 1e-12 * one.h);
        }
      }
      EXPECT_NEAR(a->fit.model.nugget, b->fit.model.nugget,
                  1e-6 * (1 + a->fit.model.nugget));
    }
  }
  // Sums of another shape are refused.
  auto session = Open(data);
  EXPECT_FALSE(session->SetVariogramSums(0, {VariogramSums::Zero(2, 3)}).ok());
  EXPECT_FALSE(session->SetVariogramSums(0, {}).ok());
}

// Sessions are kept by their settings' key: settings that compute
// differently must never share one.
TEST(SessionTest, SettingsThatComputeDifferentlyHaveDifferentKeys) {
  const std::vector<void (*)(Settings*)> changes = {
      [](Settings* s) { s->model.nested_types = {ModelType::kExponential}; },
      [](Settings* s) { s->model.anisotropic = true; },
      [](Settings* s) { s->model.weights = FitWeights::kPairsOverDistanceSquared; },
      [](Settings* s) {
        s->model.model_given = true;
        s->model.given = SingleStructure(ModelType::kSpherical, 1, 2, 3);
      },
      [](Settings* s) { s->variogram.thresholds = {"1;2"}; },
      [](Settings* s) { s->variogram.thresholds = {"1", "2"}; },
      [](Settings* s) { s->excluded_rows = {4}; },
  };
  std::vector<std::string> keys = {SettingsKey(Settings{})};
  for (auto change : changes) {
    Settings settings;
    change(&settings);
    keys.push_back(SettingsKey(settings));
  }
  for (size_t i = 0; i < keys.size(); ++i) {
    for (size_t j = 0; j < i; ++j) EXPECT_NE(keys[i], keys[j]) << i << " " << j;
  }
}

}  // namespace
}  // namespace korvagraph::analysis
