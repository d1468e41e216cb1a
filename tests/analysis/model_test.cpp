// Models: their curve along a direction through the library's model-curve
// export, their one validation rule, and the texts a user saves.
#include "korvagraph/analysis/model.h"

#include <gtest/gtest.h>

#include <vector>

namespace korvagraph::analysis {
namespace {

// A spherical model, sill 240, major range 600 along north, minor 100.
VariogramModel Anisotropic() {
  VariogramModel m = SingleStructure(ModelType::kSpherical, 0.0, 240.0, 600.0);
  m.structures[0].minor_range = 100.0;
  return m;
}

TEST(ModelTest, CurveFollowsTheRangeOfItsDirection) {
  // Spherical: c (1.5 h/a - 0.5 (h/a)^3); half of a range gives 0.6875 c.
  const struct {
    const char* name;
    double direction;
    double h;
    double expected;
  } cases[] = {
      {"major axis, half its range", 0.0, 300.0, 165.0},
      {"minor axis, beyond its range", 90.0, 300.0, 240.0},
      {"minor axis, half its range", 90.0, 50.0, 165.0},
      {"opposite of the major axis", 180.0, 300.0, 165.0},
  };
  for (const auto& c : cases) {
    constexpr int kLags = 6;
    constexpr double kLag = 100.0;  // the curve steps by half of it
    std::vector<ModIndVrg> curve(2 * kLags + 4, ModIndVrg{});
    _kvCptVModel(ModelRecord(Anisotropic(), c.direction), kLag, kLags, 0,
                 curve.data());
    const size_t record = static_cast<size_t>(c.h / (kLag / 2)) + 1;
    EXPECT_NEAR(curve[record].h, c.h, 1e-9) << c.name;
    EXPECT_NEAR(curve[record].value, c.expected, 1e-6) << c.name;
    // The library's curve and the model's own evaluation agree.
    EXPECT_NEAR(ModelSemivariance(Anisotropic(), c.h, c.direction), c.expected,
                1e-9)
        << c.name;
  }
}

TEST(ModelTest, SavesJsonAndAGslibBlock) {
  VariogramModel m = Anisotropic();
  m.nugget = 40.0;
  m.structures[0].contribution = 200.0;
  m.structures[0].azimuth = 30.0;
  EXPECT_EQ(ModelJson(m),
            "{\"type\": \"spherical\", \"nugget\": 40, \"sill\": 240, "
            "\"range\": 600, \"range2\": 100, \"azimuth\": 30, "
            "\"structures\": [{\"type\": \"spherical\", \"contribution\": 200, "
            "\"range\": 600, \"range2\": 100, \"azimuth\": 30}]}");
  EXPECT_EQ(ModelGslib(m),
            "1  40  - nst, nugget effect\n"
            "1  200  30  0.0  0.0  - it, cc, ang1, ang2, ang3\n"
            "600  100  600  - a_hmax, a_hmin, a_vert\n");
}

// One rule for every host: what the command line and the workbench refuse.
TEST(ModelTest, ValidationRefusesWhatNoCurveCanShow) {
  const auto with = [](double nugget, double contribution, double range,
                       ModelType type = ModelType::kSpherical) {
    VariogramModel m =
        SingleStructure(type, nugget, nugget + contribution, range);
    return m;
  };
  const struct {
    const char* name;
    VariogramModel model;
    bool ok;
  } cases[] = {
      {"ordinary", with(0.1, 1, 300), true},
      {"negative nugget", with(-0.1, 1, 300), false},
      {"nugget above the sill", with(2, -1, 300), false},
      {"range 0", with(0, 1, 0), false},
      {"power exponent 1.999", with(0, 1, 1.999, ModelType::kPower), true},
      {"power exponent 2", with(0, 1, 2, ModelType::kPower), false},
      {"no structure", VariogramModel{}, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ValidateModel(c.model).ok(), c.ok) << c.name;
  }
}

}  // namespace
}  // namespace korvagraph::analysis
