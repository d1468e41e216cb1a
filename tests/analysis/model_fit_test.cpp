#include "korvagraph/analysis/model_fit.h"

#include <gtest/gtest.h>

#include <vector>

namespace korvagraph::analysis {
namespace {

// A spherical model of one structure: nugget, sill, range.
VariogramModel Sph(double nugget, double sill, double range) {
  return SingleStructure(ModelType::kSpherical, nugget, sill, range);
}

double RangeOf(const VariogramModel& model) {
  return model.structures.front().range;
}

// A row of lags 1..count at spacing, following model exactly.
std::vector<Variogram> ExactRow(const VariogramModel& model,
                                const LagSettings& lags, int pairs) {
  std::vector<Variogram> row(lags.count + 2, Variogram{});
  for (int k = 1; k <= lags.count; ++k) {
    row[k + 1].h = k * lags.spacing;
    row[k + 1].gamma = ModelSemivariance(model, row[k + 1].h);
    row[k + 1].npairs = pairs;
  }
  return row;
}

TEST(ModelFitTest, ShapeOfTheModel) {
  const VariogramModel model = Sph(0.1, 1.0, 300.0);
  EXPECT_EQ(ModelSemivariance(model, 0.0), 0.0);
  // At half the range: 0.1 + 0.9 * (0.75 - 0.0625).
  EXPECT_DOUBLE_EQ(ModelSemivariance(model, 150.0), 0.1 + 0.9 * 0.6875);
  EXPECT_DOUBLE_EQ(ModelSemivariance(model, 300.0), 1.0);
  EXPECT_DOUBLE_EQ(ModelSemivariance(model, 1e9), 1.0);
}

TEST(ModelFitTest, RecoversAnExactModel) {
  const struct {
    const char* name;
    VariogramModel model;
  } cases[] = {{"with nugget", Sph(0.2, 1.5, 333.0)},
               {"without nugget", Sph(0.0, 4.0, 250.0)}};
  const LagSettings lags{50.0, 14};
  for (const auto& c : cases) {
    const VariogramModel fit =
        FitModel(ExactRow(c.model, lags, 100), lags, /*variance=*/9.0).model;
    EXPECT_NEAR(fit.nugget, c.model.nugget, 0.02) << c.name;
    EXPECT_NEAR(fit.Sill(), c.model.Sill(), 0.02) << c.name;
    EXPECT_NEAR(RangeOf(fit), RangeOf(c.model), 3.0) << c.name;
  }
}

TEST(ModelFitTest, IgnoresLagsOfFewPairs) {
  const LagSettings lags{10.0, 6};
  const VariogramModel truth = Sph(0.0, 2.0, 40.0);
  std::vector<Variogram> row = ExactRow(truth, lags, 50);
  row[2].gamma = 100.0;  // an outlier the charts would not draw
  row[2].npairs = 29;
  const VariogramModel fit = FitModel(row, lags, 1.0).model;
  EXPECT_NEAR(fit.Sill(), 2.0, 0.02);
  EXPECT_NEAR(RangeOf(fit), 40.0, 1.0);
}

TEST(ModelFitTest, DefaultsWithTooFewLags) {
  const LagSettings lags{10.0, 6};
  std::vector<Variogram> row(8, Variogram{});
  row[3] = Variogram{0, 20.0, 1.0, 40, 0, {}};
  const VariogramModel fit = FitModel(row, lags, 2.5).model;
  EXPECT_EQ(fit.nugget, 0.0);
  EXPECT_EQ(fit.Sill(), 2.5);
  EXPECT_EQ(RangeOf(fit), 30.0);
}

struct FixCase {
  const char* name;
  bool fix_nugget, fix_sill, fix_range;
};

// Fixed parameters keep the given values; the free ones still find the
// model the row follows.
TEST(ModelFitTest, FixedParametersStayAndTheOthersAreFitted) {
  const LagSettings lags{10.0, 12};
  const VariogramModel truth = Sph(0.2, 1.0, 50.0);
  const FixCase cases[] = {{"nugget", true, false, false},
                           {"sill", false, true, false},
                           {"range", false, false, true},
                           {"nugget and sill", true, true, false}};
  for (const FixCase& c : cases) {
    FitSettings settings;
    settings.nugget = truth.nugget;
    settings.sill = truth.Sill();
    settings.range = RangeOf(truth);
    settings.fix_nugget = c.fix_nugget;
    settings.fix_sill = c.fix_sill;
    settings.fix_range = c.fix_range;
    const ModelFit fit =
        FitModel(ExactRow(truth, lags, 100), lags, 9.0, settings);
    EXPECT_NEAR(fit.model.nugget, truth.nugget, 0.01) << c.name;
    EXPECT_NEAR(fit.model.Sill(), truth.Sill(), 0.01) << c.name;
    EXPECT_NEAR(RangeOf(fit.model), RangeOf(truth), 0.5) << c.name;
    EXPECT_FALSE(fit.range_at_bound) << c.name;
    EXPECT_EQ(fit.largest_lag, 120.0) << c.name;
  }
}

// A variogram that rises without a sill does not determine a range: the
// fit says that its range ends at the search's bound.
TEST(ModelFitTest, RangeWithoutASillEndsAtTheBound) {
  const LagSettings lags{10.0, 10};
  std::vector<Variogram> row(lags.count + 2, Variogram{});
  for (int k = 1; k <= lags.count; ++k) {
    row[k + 1] =
        Variogram{0, k * lags.spacing, 0.01 * k * lags.spacing, 100, 0, {}};
  }
  const ModelFit fit = FitModel(row, lags, 1.0);
  EXPECT_TRUE(fit.range_at_bound);
  EXPECT_NEAR(RangeOf(fit.model), 157.5, 1e-6);
}

TEST(ModelFitTest, ModelRecordHoldsOneSphericalStructure) {
  const Kt3dIntp record = ModelRecord(Sph(0.25, 1.0, 333.0), 45.0);
  EXPECT_EQ(record.nst, 1);
  EXPECT_EQ(record.nugget, 0.25);
  EXPECT_EQ(record.cc[0], 0.75);
  EXPECT_EQ(record.it[0], 1);
  EXPECT_EQ(record.p1[0], 333.0);
  EXPECT_EQ(record.p2[0], 333.0);
  EXPECT_EQ(record.p3[0], 333.0);
  EXPECT_EQ(record.p4[0], 45.0);
  EXPECT_EQ(record.p5[0], 0.0);
  EXPECT_EQ(record.cc[1], 0.0);
}

struct ModelCase {
  const char* name;
  VariogramModel truth;
};

// Each model is fitted to the semivariances of the library's own curve
// (every 5 units to 130) and must come back within 2 per cent.
TEST(ModelFitTest, EveryModelTypeIsRecoveredFromItsOwnCurve) {
  const ModelCase cases[] = {
      {"spherical", SingleStructure(ModelType::kSpherical, 0.2, 1.5, 40.0)},
      {"exponential", SingleStructure(ModelType::kExponential, 0.1, 2.0, 35.0)},
      {"gaussian", SingleStructure(ModelType::kGaussian, 0.3, 1.2, 45.0)},
      {"power", SingleStructure(ModelType::kPower, 0.1, 0.15, 1.5)},
      {"hole effect", SingleStructure(ModelType::kHoleEffect, 0.1, 1.0, 30.0)},
  };
  const LagSettings lags{10.0, 12};
  for (const ModelCase& c : cases) {
    std::vector<ModIndVrg> curve(2 * lags.count + 4, ModIndVrg{});
    _kvCptVModel(ModelRecord(c.truth, 0.0), lags.spacing, lags.count, 0,
                 curve.data());
    std::vector<Variogram> row(1, Variogram{});
    for (size_t k = 2; k < curve.size(); ++k) {
      row.push_back(Variogram{0, curve[k].h, curve[k].value, 100, 0, {}});
    }
    const Structure& truth = c.truth.structures[0];
    FitSettings settings;
    settings.type = truth.type;
    const ModelFit fit = FitModel(row, lags, 1.0, settings);
    const VariogramModel& m = fit.model;
    const double sill = c.truth.Sill();
    EXPECT_TRUE(fit.fitted) << c.name;
    EXPECT_EQ(m.structures[0].type, truth.type) << c.name;
    EXPECT_NEAR(m.nugget, c.truth.nugget, 0.02 * sill) << c.name;
    EXPECT_NEAR(m.Sill(), sill, 0.02 * sill) << c.name;
    EXPECT_NEAR(RangeOf(m), truth.range, 0.02 * truth.range) << c.name;
  }
}

// Rows of lags 1..count along each direction, following model exactly.
std::vector<VariogramRow> ExactRows(const VariogramModel& model,
                                    const std::vector<Direction>& directions,
                                    const LagSettings& lags) {
  std::vector<VariogramRow> rows;
  for (const Direction& d : directions) {
    VariogramRow row(lags.count + 2, Variogram{});
    for (int k = 1; k <= lags.count; ++k) {
      row[k + 1].h = k * lags.spacing;
      row[k + 1].gamma = ModelSemivariance(model, row[k + 1].h, d.azimuth);
      row[k + 1].npairs = 100;
    }
    rows.push_back(row);
  }
  return rows;
}

TEST(ModelFitTest, NestedStructuresComeBackFromTheirOwnCurve) {
  VariogramModel truth;
  truth.nugget = 0.1;
  truth.structures = {{ModelType::kSpherical, 0.3, 60.0},
                      {ModelType::kExponential, 0.6, 240.0}};
  const LagSettings lags{10.0, 30};
  const std::vector<Direction> omni = {{0.0, 90.0}};
  NestedFitSettings settings;
  settings.types = {ModelType::kSpherical, ModelType::kExponential};
  for (FitWeights weights :
       {FitWeights::kPairs, FitWeights::kPairsOverDistanceSquared}) {
    settings.weights = weights;
    const NestedFit fit =
        FitNestedModel(ExactRows(truth, omni, lags), omni, lags, 1.0, settings);
    const char* name = FitWeightsName(weights);
    ASSERT_TRUE(fit.fitted) << name;
    ASSERT_EQ(fit.model.structures.size(), 2u) << name;
    EXPECT_NEAR(fit.model.nugget, 0.1, 0.01) << name;
    for (size_t i = 0; i < 2; ++i) {
      const Structure& got = fit.model.structures[i];
      const Structure& want = truth.structures[i];
      EXPECT_EQ(got.type, want.type) << name << " " << i;
      EXPECT_NEAR(got.contribution, want.contribution, 0.03)
          << name << " " << i;
      EXPECT_NEAR(got.range, want.range, 0.03 * want.range) << name << " " << i;
    }
    EXPECT_LT(fit.residual, 1e-6) << name;
    EXPECT_TRUE(fit.warnings.empty()) << name << ": " << fit.warnings[0];
  }
}

TEST(ModelFitTest, AnisotropyComesBackFromFourDirections) {
  VariogramModel truth =
      SingleStructure(ModelType::kSpherical, 0.1, 1.0, 300.0);
  truth.structures[0].minor_range = 120.0;
  truth.structures[0].azimuth = 30.0;
  const LagSettings lags{20.0, 20};
  std::vector<Direction> directions = {{0.0, 90.0}};
  for (double azimuth : {0.0, 45.0, 90.0, 135.0}) {
    directions.push_back({azimuth, 22.5});
  }
  NestedFitSettings settings;
  settings.anisotropic = true;
  const NestedFit fit = FitNestedModel(ExactRows(truth, directions, lags),
                                       directions, lags, 1.0, settings);
  ASSERT_TRUE(fit.fitted);
  const Structure& s = fit.model.structures[0];
  EXPECT_NEAR(s.azimuth, 30.0, 5.0);
  EXPECT_NEAR(s.range, 300.0, 0.05 * 300.0);
  EXPECT_NEAR(s.MinorRange(), 120.0, 0.05 * 120.0);
  EXPECT_NEAR(fit.model.Sill(), 1.0, 0.02);
}

TEST(ModelFitTest, NestedFitWarnsOfWhatTheDataCannotShow) {
  const LagSettings lags{10.0, 12};
  const std::vector<Direction> omni = {{0.0, 90.0}};
  NestedFitSettings settings;
  settings.types = {ModelType::kExponential};
  // A structure shorter than the first lag: no lag shows it rise.
  VariogramModel truth =
      SingleStructure(ModelType::kExponential, 0.0, 1.0, 8.0);
  NestedFit fit =
      FitNestedModel(ExactRows(truth, omni, lags), omni, lags, 1.0, settings);
  ASSERT_EQ(fit.warnings.size(), 1u);
  EXPECT_NE(fit.warnings[0].find("shorter than the first lag used (10)"),
            std::string::npos)
      << fit.warnings[0];
  // Two lags only: nothing to fit.
  std::vector<VariogramRow> rows = ExactRows(truth, omni, lags);
  for (size_t e = 4; e < rows[0].size(); ++e) rows[0][e].npairs = 10;
  fit = FitNestedModel(rows, omni, lags, 1.0, settings);
  EXPECT_FALSE(fit.fitted);
  ASSERT_EQ(fit.warnings.size(), 1u);
  EXPECT_NE(fit.warnings[0].find("fewer than three lags"), std::string::npos);
}

}  // namespace
}  // namespace korvagraph::analysis
