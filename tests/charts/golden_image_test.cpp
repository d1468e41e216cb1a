// Whole pictures against committed golden PNGs. Text depends on the serif
// font the machine has, so every pixel near a text is left out: the frame,
// grid, marks and lines are compared exactly (shapes are not antialiased).
// KG_UPDATE_GOLDEN=1 in the environment rewrites the golden files.
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "test_support/picture_compare.h"

namespace {

constexpr int kSide = 400;

std::string GoldenPath(const std::string& name) {
  return std::string(KG_SOURCE_DIR) + "/tests/golden/" + name + ".png";
}

struct Picture {
  const char* name;
  std::function<void(CWnd*)> draw;
};

TEST(GoldenImageTest, ShapesMatchTheCommittedPictures) {
  const Picture pictures[] = {{"cross", kgtest::DrawCrossPlot},
                              {"vario", kgtest::DrawVariogram}};
  const bool update = std::getenv("KG_UPDATE_GOLDEN") != nullptr;
  for (const Picture& picture : pictures) {
    kgtest::RecordingWindow window(kSide, kSide);
    picture.draw(window.Wnd());
    EXPECT_TRUE(window.LedgerBalanced()) << picture.name;
    const std::string path = GoldenPath(picture.name);
    if (update) {
      ASSERT_TRUE(window.window().SavePng(path)) << path;
    }
    kgtest::RgbPicture golden;
    ASSERT_TRUE(kgtest::ReadRgbPng(path, &golden)) << path;
    ASSERT_EQ(golden.width, kSide) << path;
    ASSERT_EQ(golden.height, kSide) << path;
    const kgtest::Mismatch mismatch = kgtest::CompareOutsideText(
        window.window(), kgtest::TextMask(window.Take(), kSide, kSide), golden,
        0);
    EXPECT_GT(mismatch.compared, kSide * kSide / 2) << picture.name;
    EXPECT_EQ(mismatch.differing, 0) << picture.name;
  }
}

}  // namespace
