// Whole pictures against committed golden PNGs. Text depends on the serif
// font the machine has, so every pixel near a text is left out: the frame,
// grid, marks and lines are compared exactly (shapes are not antialiased).
// KG_UPDATE_GOLDEN=1 in the environment rewrites the golden files.
#include <png.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "include/KorvaGraphLib.h"
#include "test_support/host_records.h"
#include "test_support/recording.h"

namespace {

constexpr int kSide = 400;
// How far from a text's reference point its pixels may reach.
constexpr int kTextHalfWidth = 70;
constexpr int kTextAbove = 4;
constexpr int kTextBelow = 22;

std::string GoldenPath(const std::string& name) {
  return std::string(KG_SOURCE_DIR) + "/tests/golden/" + name + ".png";
}

bool ReadPng(const std::string& path, std::vector<png_byte>* rgb) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  if (image.width != kSide || image.height != kSide) {
    png_image_free(&image);
    return false;
  }
  rgb->resize(PNG_IMAGE_SIZE(image));
  return png_image_finish_read(&image, nullptr, rgb->data(), 0, nullptr) != 0;
}

// Marks the client pixels that a text may cover, from the TextOut lines'
// device positions.
std::vector<bool> TextMask(const std::vector<std::string>& log) {
  std::vector<bool> mask(kSide * kSide, false);
  for (const std::string& line : kgtest::LinesStartingWith(log, "TextOut ")) {
    std::istringstream dev(line.substr(line.find(" | dev ") + 7));
    int x = 0;
    int y = 0;
    dev >> x >> y;
    for (int py = y - kTextAbove; py <= y + kTextBelow; ++py) {
      for (int px = x - kTextHalfWidth; px <= x + kTextHalfWidth; ++px) {
        if (px >= 0 && py >= 0 && px < kSide && py < kSide) {
          mask[py * kSide + px] = true;
        }
      }
    }
  }
  return mask;
}

struct Picture {
  const char* name;
  std::function<void(CWnd*)> draw;
};

void DrawCrossPlot(CWnd* window) {
  std::vector<double> x;
  std::vector<double> y;
  for (int i = 0; i < 60; ++i) {
    x.push_back(i * 0.6);
    y.push_back(0.8 * i * 0.6 + 3 + 4 * std::sin(i * 1.7));
  }
  kgtest::ScopedGraph graph(8);
  _kvGraphLoadCrosData(graph.get(), x.data(), y.data(), 60);
  _kvGraphSetDataExtr(graph.get(), 0, 37);
  _kvGraphSetFitLine(graph.get(), 0.8, 3);
  _kvGraphSetAxiName(graph.get(), "Pb", "Zn");
  _kvGraphDrawCrosPlt(graph.get(), window);
}

void DrawVariogram(CWnd* window) {
  const int n = 10;
  std::vector<Variogram> entries;
  for (int i = 0; i < n + 2; ++i) {
    const double h = 35.0 * i;
    entries.push_back(kgtest::VariogramEntry(
        h, 37.0 * (1 - std::exp(-3 * h / 200)) + (i % 3), 30 + i));
  }
  std::vector<ModIndVrg> model;
  for (int k = 0; k < 2 * n + 4; ++k) {
    const double h = k < 2 ? 0.0 : 17.5 * (k - 1);
    model.push_back(
        kgtest::ModelRecord(h, 37.0 * (1 - std::exp(-3 * h / 200))));
  }
  std::vector<CPoint> positions(entries.size());
  std::vector<int> selected(entries.size(), 0);
  kgtest::ScopedGraph graph(7);
  _kvGraphLoadVarmData(graph.get(), entries.data(), model.data(),
                       positions.data(), selected.data(), n, 1);
  _kvGraphSetCutOffNO(graph.get(), 1, 0);
  _kvGraphSetIsDspLine(graph.get(), 1);
  _kvGraphSetIsDspSill(graph.get(), 1, 37.0);
  _kvGraphSetAxiName(graph.get(), "h", "g");
  _kvGraphDrawVarmPlt(graph.get(), window);
}

TEST(GoldenImageTest, ShapesMatchTheCommittedPictures) {
  const Picture pictures[] = {{"cross", DrawCrossPlot},
                              {"vario", DrawVariogram}};
  const bool update = std::getenv("KG_UPDATE_GOLDEN") != nullptr;
  for (const Picture& picture : pictures) {
    kgtest::RecordingWindow window(kSide, kSide);
    picture.draw(window.Wnd());
    EXPECT_TRUE(window.LedgerBalanced()) << picture.name;
    const std::string path = GoldenPath(picture.name);
    if (update) {
      ASSERT_TRUE(window.window().SavePng(path)) << path;
    }
    std::vector<png_byte> golden;
    ASSERT_TRUE(ReadPng(path, &golden)) << path;
    const std::vector<bool> mask = TextMask(window.Take());
    int compared = 0;
    int differing = 0;
    for (int y = 0; y < kSide; ++y) {
      for (int x = 0; x < kSide; ++x) {
        if (mask[y * kSide + x]) continue;
        const png_byte* p = &golden[(static_cast<size_t>(y) * kSide + x) * 3];
        ++compared;
        if (RGB(p[0], p[1], p[2]) != window.window().Pixel(x, y)) ++differing;
      }
    }
    EXPECT_GT(compared, kSide * kSide / 2) << picture.name;
    EXPECT_EQ(differing, 0) << picture.name;
  }
}

}  // namespace
