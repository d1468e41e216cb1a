// The nested variogram model curve through the public operations.
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "siblings/korvalib/korvalib.h"
#include "tests/siblings/engine_test_util.h"

namespace korvalib_test {
namespace {

constexpr double kPi = 3.14159265358979323846;

struct StructureSpec {
  int type;
  double contribution;
  double major, minor, vertical;  // ranges (type 4: the exponent in major)
  double azimuth, dip, rake;
};

// Evaluates the model along (azimuth, dip) at lags spacing, 2 spacing, ...
// lag_count spacing, with the model curve's call sequence; returns the
// lag_count + 2 records.
std::vector<ModIndVrg> ModelCurve(double nugget,
                                  const std::vector<StructureSpec>& wanted_list,
                                  int lag_count, double spacing,
                                  double azimuth, double dip) {
  double cc[20] = {}, p1[20] = {}, p2[20] = {}, p3[20] = {}, p4[20] = {},
         p5[20] = {}, p6[20] = {};
  int it[20] = {};
  for (size_t i = 0; i < wanted_list.size(); ++i) {
    const StructureSpec& s = wanted_list[i];
    cc[i] = s.contribution;
    it[i] = s.type;
    p1[i] = s.major;
    p2[i] = s.minor;
    p3[i] = s.vertical;
    p4[i] = s.azimuth;
    p5[i] = s.dip;
    p6[i] = s.rake;
  }
  ScopedHandle handle(2);
  _kvSetLagPara(handle.get(), &lag_count, &spacing, 0, 1);
  _kvSetAzmDip(handle.get(), &azimuth, 0, 0, &dip, 0, 0, 1);
  _kvSetIntpPara(handle.get(), static_cast<int>(wanted_list.size()), nugget, cc, it,
                 p1, p2, p3, p4, p5, p6);
  std::vector<ModIndVrg> curve(lag_count + 3, ModIndVrg{});
  curve.back().value = -7.0;
  _kvVmodel(handle.get(), curve.data());
  return curve;
}

// Closed forms at h = a / 2, a and 3a for range a = 10 and sill 2.
struct TypeCase {
  const char* name;
  int type;
  double at_half, at_range, at_triple;  // unit-sill values
};

const TypeCase kTypeCases[] = {
    // 1.5 r - 0.5 r^3 at r = 1/2: 0.75 - 0.0625.
    {"spherical", 1, 0.6875, 1.0, 1.0},
    {"exponential", 2, 1 - std::exp(-1.5), 1 - std::exp(-3.0),
     1 - std::exp(-9.0)},
    {"gaussian", 3, 1 - std::exp(-0.75), 1 - std::exp(-3.0),
     1 - std::exp(-27.0)},
    // 1 - cos(pi r): 1 - cos(pi / 2), 1 - cos(pi), 1 - cos(3 pi).
    {"hole effect", 5, 1.0, 2.0, 2.0},
    {"unknown code", 9, 0.0, 0.0, 0.0},
};

TEST(VariogramModelTest, EachTypeAgainstItsClosedForm) {
  for (const TypeCase& row : kTypeCases) {
    // Spacing a / 2: record k stands at lag (k - 1) a / 2.
    const std::vector<ModIndVrg> curve =
        ModelCurve(0.0, {{row.type, 2.0, 10, 10, 10, 0, 0, 0}}, 6, 5.0, 0, 0);
    EXPECT_EQ(curve[0].h, 0.0) << row.name;
    EXPECT_EQ(curve[0].value, 0.0) << row.name << " h = 0";
    EXPECT_DOUBLE_EQ(curve[2].h, 5.0) << row.name;
    EXPECT_NEAR(curve[2].value, 2 * row.at_half, 1e-13) << row.name << " a/2";
    EXPECT_NEAR(curve[3].value, 2 * row.at_range, 1e-13) << row.name << " a";
    EXPECT_DOUBLE_EQ(curve[7].h, 30.0) << row.name;
    EXPECT_NEAR(curve[7].value, 2 * row.at_triple, 1e-13) << row.name << " 3a";
    EXPECT_EQ(curve[8].value, -7.0) << row.name << " only L + 2 records";
  }
}

TEST(VariogramModelTest, NuggetJumpsRightAfterTheOrigin) {
  const std::vector<ModIndVrg> curve =
      ModelCurve(0.5, {{1, 2.0, 10, 10, 10, 0, 0, 0}}, 2, 4.0, 0, 0);
  EXPECT_EQ(curve[0].value, 0.0);
  EXPECT_DOUBLE_EQ(curve[1].h, 4e-4);
  // 0.5 + 2 (1.5 r - 0.5 r^3) with r = 4e-5.
  const double r = 4e-5;
  EXPECT_NEAR(curve[1].value, 0.5 + 2 * (1.5 * r - 0.5 * r * r * r), 1e-15);
  EXPECT_NEAR(curve[3].value, 0.5 + 2 * (1.5 * 0.8 - 0.5 * 0.512), 1e-14);
}

TEST(VariogramModelTest, PowerModelKeepsNuggetAndOtherStructures) {
  // 0.5 + 2 h^1.5 + spherical (sill 1, range 10): at h = 4,
  // 0.5 + 2 * 8 + (1.5 * 0.4 - 0.5 * 0.064) = 17.068.
  const std::vector<ModIndVrg> curve = ModelCurve(
      0.5, {{4, 2.0, 1.5, 1.5, 1.5, 0, 0, 0}, {1, 1.0, 10, 10, 10, 0, 0, 0}},
      4, 1.0, 0, 0);
  EXPECT_NEAR(curve[2].value, 0.5 + 2.0 + 0.1495, 1e-13) << "h = 1";
  EXPECT_NEAR(curve[5].value, 17.068, 1e-13) << "h = 4";
}

struct AnisotropyCase {
  const char* name;
  StructureSpec wanted;
  double azimuth, dip;  // direction of evaluation
  double effective_range;  // the spherical range seen along it
};

const AnisotropyCase kAnisotropyCases[] = {
    {"along the major axis", {1, 1, 10, 5, 2, 30, 0, 0}, 30, 0, 10},
    {"across the major axis", {1, 1, 10, 5, 2, 30, 0, 0}, 120, 0, 5},
    {"opposite azimuth", {1, 1, 10, 5, 2, 30, 0, 0}, 210, 0, 10},
    {"vertical", {1, 1, 10, 5, 2, 30, 0, 0}, 0, 90, 2},
    {"along a dipping major axis", {1, 1, 10, 5, 2, 0, 30, 0}, 0, 30, 10},
    // A rake of 90 turns the minor axis vertical and the vertical axis
    // horizontal: with the major axis east, north sees the vertical range.
    {"rake swaps minor and vertical", {1, 1, 10, 5, 2, 90, 0, 90}, 0, 0, 2},
    {"no rake", {1, 1, 10, 5, 2, 90, 0, 0}, 0, 0, 5},
    {"unset minor ranges are isotropic", {1, 1, 10, 0, 0, 30, 0, 0}, 120, 0,
     10},
};

TEST(VariogramModelTest, GeometricAnisotropy) {
  for (const AnisotropyCase& row : kAnisotropyCases) {
    // Spacing a / 2 of the range seen: record 2 at a / 2, 3 at a.
    const double a = row.effective_range;
    const std::vector<ModIndVrg> curve =
        ModelCurve(0.0, {row.wanted}, 2, a / 2, row.azimuth, row.dip);
    EXPECT_NEAR(curve[2].value, 0.6875, 1e-12) << row.name;
    EXPECT_NEAR(curve[3].value, 1.0, 1e-12) << row.name;
  }
}

TEST(VariogramModelTest, MoreThanTwentyStructuresAreRefused) {
  ScopedHandle handle(2);
  int lags = 1;
  double spacing = 1.0, azimuth = 0.0, dip = 0.0;
  _kvSetLagPara(handle.get(), &lags, &spacing, 0, 1);
  _kvSetAzmDip(handle.get(), &azimuth, 0, 0, &dip, 0, 0, 1);
  double cc[21], p[21];
  int it[21];
  for (int i = 0; i < 21; ++i) {
    cc[i] = 1.0;
    it[i] = 1;
    p[i] = 10.0;
  }
  _kvSetIntpPara(handle.get(), 1, 0.25, cc, it, p, p, p, p, p, p);
  _kvSetIntpPara(handle.get(), 21, 9.0, cc, it, p, p, p, p, p, p);
  ModIndVrg curve[3] = {};
  _kvVmodel(handle.get(), curve);
  // The one-structure model stays: azimuth 10 of the structure does not
  // matter, all ranges are 10. At h = 1: 0.25 + 0.1495.
  EXPECT_NEAR(curve[2].value, 0.25 + 0.1495, 1e-14);
}

TEST(VariogramModelTest, NoLagsSetWritesNothing) {
  ScopedHandle handle(2);
  ModIndVrg curve[2] = {};
  curve[0].value = -7.0;
  _kvVmodel(handle.get(), curve);
  EXPECT_EQ(curve[0].value, -7.0);
  _kvVmodel(handle.get(), nullptr);  // no crash
}

TEST(VariogramModelTest, HoleEffectIsPeriodic) {
  const std::vector<ModIndVrg> curve =
      ModelCurve(0.0, {{5, 1.0, 4, 4, 4, 0, 0, 0}}, 8, 1.0, 0, 0);
  for (int k = 2; k <= 9; ++k) {
    const double h = k - 1;
    EXPECT_NEAR(curve[k].value, 1 - std::cos(kPi * h / 4), 1e-14) << h;
  }
}

}  // namespace
}  // namespace korvalib_test
