// The variogram model curve: what the export adds to the engine's curve for
// each kind, the lags it asks for, and the records it leaves alone.
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "korvagraph/KorvaGraphLib.h"
#include "siblings/korvalib.h"

namespace {

constexpr double kSentinel = -777.0;

// Returns a curve of `size` records with every field at the sentinel.
std::vector<ModIndVrg> SentinelCurve(size_t size) {
  ModIndVrg record{};
  record.unused0 = kSentinel;
  record.h = kSentinel;
  record.value = kSentinel;
  for (double& v : record.unused1) v = kSentinel;
  return std::vector<ModIndVrg>(size, record);
}

bool IsSentinel(const ModIndVrg& r) {
  return r.h == kSentinel && r.value == kSentinel;
}

// One isotropic structure of the given type, contribution and range,
// evaluated along azimuth 0, dip 0.
Kt3dIntp OneStructure(double nugget, int type, double contribution,
                      double range) {
  Kt3dIntp model{};
  model.nst = 1;
  model.nugget = nugget;
  model.cc[0] = contribution;
  model.it[0] = type;
  model.p1[0] = model.p2[0] = model.p3[0] = range;
  return model;
}

// A spherical and an exponential structure along azimuth 30.
Kt3dIntp NestedModel() {
  Kt3dIntp model = OneStructure(0.3, 1, 1.2, 40.0);
  model.nst = 2;
  model.cc[1] = 0.8;
  model.it[1] = 2;
  model.p1[1] = model.p2[1] = model.p3[1] = 90.0;
  model.p4[0] = 30.0;
  return model;
}

// The engine's own curve for the model at half the lag spacing, 2n + 2 lags.
std::vector<ModIndVrg> EngineCurve(const Kt3dIntp& model, double lag, int n) {
  std::vector<ModIndVrg> curve = SentinelCurve(2 * n + 8);
  Kt3dIntp copy = model;
  int lags = 2 * n + 2;
  double spacing = lag * 0.5;
  double azimuth = copy.p4[0];
  double dip = copy.p5[0];
  const int handle = _kvCreateKorvaObj(2);
  _kvSetLagPara(handle, &lags, &spacing, 0, 1);
  _kvSetAzmDip(handle, &azimuth, 0, 0, &dip, 0, 0, 1);
  _kvSetIntpPara(handle, copy.nst, copy.nugget, copy.cc, copy.it, copy.p1,
                 copy.p2, copy.p3, copy.p4, copy.p5, copy.p6);
  _kvVmodel(handle, curve.data());
  _kvDeleteKorvaObj(handle);
  return curve;
}

double SumOfContributions(const Kt3dIntp& model) {
  double sum = 0.0;
  for (int s = 0; s < model.nst; ++s) sum += model.cc[s];
  return sum;
}

TEST(CptVModelTest, EachKindRewritesTheEngineCurve) {
  struct Row {
    const char* name;
    Kt3dIntp model;
    double lag;
    int n;
    int kind;
  } rows[] = {
      {"kind 0: the lag-0 record becomes the nugget", NestedModel(), 10, 4, 0},
      {"kind 1: sill minus covariance", NestedModel(), 10, 4, 1},
      {"kind 1 with nst 0: nugget minus value", OneStructure(0.7, 1, 1, 1), 6,
       3, 1},
      {"kind 2: left as the engine wrote it", NestedModel(), 10, 4, 2},
      {"kind -1: left as the engine wrote it", NestedModel(), 25, 1, -1},
  };
  rows[2].model.nst = 0;
  for (const Row& row : rows) {
    const std::vector<ModIndVrg> engine =
        EngineCurve(row.model, row.lag, row.n);
    std::vector<ModIndVrg> curve = SentinelCurve(engine.size());
    EXPECT_EQ(_kvCptVModel(row.model, row.lag, row.n, row.kind, curve.data()),
              1)
        << row.name;
    const int records = 2 * row.n + 4;
    const double sill = SumOfContributions(row.model);
    for (int k = 0; k < records; ++k) {
      double expected = engine[k].value;
      if (row.kind == 0 && k == 0) expected = row.model.nugget;
      if (row.kind == 1) expected = row.model.nugget - engine[k].value + sill;
      EXPECT_DOUBLE_EQ(curve[k].value, expected) << row.name << " record " << k;
      EXPECT_EQ(curve[k].h, engine[k].h) << row.name << " record " << k;
    }
    for (size_t k = records; k < curve.size(); ++k) {
      EXPECT_TRUE(IsSentinel(curve[k])) << row.name << " record " << k;
    }
  }
}

TEST(CptVModelTest, ZeroLagCountGivesTwoLagsAndFourRecords) {
  const Kt3dIntp model = OneStructure(0.2, 1, 1.0, 30.0);
  std::vector<ModIndVrg> curve = SentinelCurve(8);
  ASSERT_EQ(_kvCptVModel(model, 10.0, 0, 1, curve.data()), 1);
  // Lags at half the spacing: 0, the nugget step, then 5 and 10.
  const double lags[4] = {0.0, 1e-4 * 5.0, 5.0, 10.0};
  for (int k = 0; k < 4; ++k) {
    EXPECT_DOUBLE_EQ(curve[k].h, lags[k]) << k;
    EXPECT_NE(curve[k].value, kSentinel) << k;
  }
  for (int k = 4; k < 8; ++k) EXPECT_TRUE(IsSentinel(curve[k])) << k;
}

TEST(CptVModelTest, HostModelRecordIsUntouched) {
  Kt3dIntp model{};
  model.nst = 20;
  model.nugget = 0.1;
  for (int s = 0; s < 20; ++s) {
    model.cc[s] = 0.05 * (s + 1);
    model.it[s] = 1 + s % 5;
    model.p1[s] = model.p2[s] = model.p3[s] = 10.0 + s;
    model.p4[s] = 3.0 * s;
    model.p5[s] = 0.5 * s;
    model.p6[s] = s;
  }
  const Kt3dIntp before = model;
  std::vector<ModIndVrg> curve = SentinelCurve(20);
  ASSERT_EQ(_kvCptVModel(model, 4.0, 3, 1, curve.data()), 1);
  EXPECT_EQ(std::memcmp(&before, &model, sizeof model), 0);
}

TEST(CptVModelTest, SphericalCurveReachesNuggetPlusSillAtTheRange) {
  // Range 10 and lag 10: records 2.. at lags 5, 10, 15, 20, 25, 30.
  const Kt3dIntp model = OneStructure(0.5, 1, 2.0, 10.0);
  std::vector<ModIndVrg> curve = SentinelCurve(8);
  ASSERT_EQ(_kvCptVModel(model, 10.0, 2, 0, curve.data()), 1);
  EXPECT_DOUBLE_EQ(curve[0].value, 0.5);
  // Just past the nugget jump, at 1e-4 of the spacing.
  const double r = 5e-4 / 10.0;
  EXPECT_NEAR(curve[1].value, 0.5 + 2.0 * (1.5 * r - 0.5 * r * r * r), 1e-12);
  EXPECT_DOUBLE_EQ(curve[2].h, 5.0);
  EXPECT_DOUBLE_EQ(curve[2].value, 0.5 + 2.0 * (1.5 * 0.5 - 0.5 * 0.125));
  EXPECT_DOUBLE_EQ(curve[3].h, 10.0);
  EXPECT_DOUBLE_EQ(curve[3].value, 2.5);
  for (int k = 4; k < 8; ++k) EXPECT_DOUBLE_EQ(curve[k].value, 2.5) << k;
}

// Regression: the working copies hold 20 structures; a structure count
// above 20 copied past them (and read past the host's arrays).
TEST(CptVModelTest, UnusableArgumentsLeaveTheCurveUntouched) {
  struct Row {
    const char* name;
    int nst;
    int n;
    bool null_curve;
  } rows[] = {
      {"nst 21", 21, 2, false},       {"nst far above 20", 1 << 30, 2, false},
      {"negative nst", -1, 2, false}, {"negative lag count", 1, -3, false},
      {"null curve", 1, 2, true},
  };
  for (const Row& row : rows) {
    Kt3dIntp model = OneStructure(0.5, 1, 2.0, 10.0);
    model.nst = row.nst;
    std::vector<ModIndVrg> curve = SentinelCurve(16);
    EXPECT_EQ(_kvCptVModel(model, 10.0, row.n, 1,
                           row.null_curve ? nullptr : curve.data()),
              1)
        << row.name;
    for (size_t k = 0; k < curve.size(); ++k) {
      EXPECT_TRUE(IsSentinel(curve[k])) << row.name << " record " << k;
    }
  }
}

}  // namespace
