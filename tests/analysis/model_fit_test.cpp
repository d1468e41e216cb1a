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

}  // namespace
}  // namespace korvagraph::analysis
