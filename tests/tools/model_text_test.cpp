// The workbench's model: its curve along a direction through the library's
// model-curve export, and the texts a user saves.
#include "tools/korvagraph/serve/model_text.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A spherical model, sill 240, major range 600 along north, minor 100.
WorkbenchModel Anisotropic() {
  WorkbenchModel m;
  m.model = {0.0, 240.0, 600.0, ModelType::kSpherical};
  m.minor_range = 100.0;
  m.azimuth = 0.0;
  return m;
}

TEST(ModelTextTest, CurveFollowsTheRangeOfItsDirection) {
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
    _kvCptVModel(AnisotropicModelRecord(Anisotropic(), c.direction), kLag,
                 kLags, 0, curve.data());
    const size_t record = static_cast<size_t>(c.h / (kLag / 2)) + 1;
    EXPECT_NEAR(curve[record].h, c.h, 1e-9) << c.name;
    EXPECT_NEAR(curve[record].value, c.expected, 1e-6) << c.name;
  }
}

TEST(ModelTextTest, SavesJsonAndAGslibBlock) {
  WorkbenchModel m = Anisotropic();
  m.model.nugget = 40.0;
  m.azimuth = 30.0;
  EXPECT_EQ(ModelJson(m),
            "{\"type\":\"spherical\",\"nugget\":40,\"sill\":240,\"range\":600,"
            "\"range2\":100,\"azimuth\":30}");
  EXPECT_EQ(ModelGslib(m),
            "1  40  - nst, nugget effect\n"
            "1  200  30  0.0  0.0  - it, cc, ang1, ang2, ang3\n"
            "600  100  600  - a_hmax, a_hmin, a_vert\n");
}

}  // namespace
