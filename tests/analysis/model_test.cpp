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

TEST(ModelTest, SavedTextsReadBack) {
  VariogramModel m;
  m.nugget = 0.05;
  m.structures = {{ModelType::kSpherical, 0.3, 120.0, 60.0, 30.0},
                  {ModelType::kExponential, 0.6, 400.0, 0.0, 0.0}};
  for (const std::string& text : {ModelJson(m), ModelGslib(m), ModelFormula(m)}) {
    VariogramModel back;
    ASSERT_TRUE(ParseModelText(text, &back).ok()) << text;
    EXPECT_NEAR(back.nugget, 0.05, 1e-6) << text;
    ASSERT_EQ(back.structures.size(), 2u) << text;
    EXPECT_EQ(back.structures[1].type, ModelType::kExponential) << text;
    EXPECT_NEAR(back.structures[0].MinorRange(), 60.0, 1e-6) << text;
    EXPECT_NEAR(back.structures[0].azimuth, 30.0, 1e-6) << text;
    EXPECT_NEAR(back.Sill(), 0.95, 1e-6) << text;
  }
  // The workbench's one-structure form, and what is no model.
  VariogramModel one;
  ASSERT_TRUE(ParseModelText("{\"type\": \"gaussian\", \"nugget\": 1, "
                             "\"sill\": 3, \"range\": 50}",
                             &one)
                  .ok());
  EXPECT_EQ(one.structures[0].contribution, 2.0);
  for (const char* bad : {"", "{", "{\"type\": \"cubic\"}", "1 0.1\n",
                          "2 0.1\n1 1 0 0 0\n10 10 10\n"}) {
    EXPECT_FALSE(ParseModelText(bad, &one).ok()) << bad;
  }
}

TEST(ModelTest, WrittenOutModels) {
  const struct {
    const char* formula;
    bool ok;
    double nugget, sill;
    size_t structures;
  } cases[] = {
      {"0.1 + 0.5 sph(120) + 0.4 exp(400, 150, 30)", true, 0.1, 1.0, 2},
      {"2*gaussian(50)", true, 0.0, 2.0, 1},
      {"1e-1 + 1e+0 Pow(1.5)", true, 0.1, 1.1, 1},
      {"0.1 + 0.5 sph(120", false, 0, 0, 0},
      {"0.1 + cubic(3)", false, 0, 0, 0},
      {"0.5 pow(2.5)", false, 0, 0, 0},  // the one rule: exponents below 2
      {"0.1 + 1 sph(1) + 1 sph(2) + 1 sph(3) + 1 sph(4)", false, 0, 0, 0},
  };
  for (const auto& c : cases) {
    VariogramModel m;
    const Status status = ParseModelFormula(c.formula, &m);
    EXPECT_EQ(status.ok(), c.ok) << c.formula << ": " << status.ToString();
    if (!c.ok || !status.ok()) continue;
    EXPECT_NEAR(m.nugget, c.nugget, 1e-12) << c.formula;
    EXPECT_NEAR(m.Sill(), c.sill, 1e-12) << c.formula;
    EXPECT_EQ(m.structures.size(), c.structures) << c.formula;
  }
}

}  // namespace
}  // namespace korvagraph::analysis
