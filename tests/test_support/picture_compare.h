// Comparing whole pictures without their texts: PNG files read back as RGB,
// a mask of the pixels a recorded text may cover, and the two charts the
// picture tests draw (a cross plot and a variogram).
#ifndef TESTS_TEST_SUPPORT_PICTURE_COMPARE_H_
#define TESTS_TEST_SUPPORT_PICTURE_COMPARE_H_

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "korvagraph/KorvaGraphLib.h"
#include "test_support/call_log.h"
#include "test_support/host_records.h"
#include "test_support/recording.h"
#include "test_support/rgb_png.h"

namespace kgtest {

// How far from a text's reference point its pixels may reach.
constexpr int kTextHalfWidth = 70;
constexpr int kTextAbove = 4;
constexpr int kTextBelow = 22;

// Marks the pixels of a width x height area that a text may cover, from the
// TextOut lines' device positions.
inline std::vector<bool> TextMask(const std::vector<std::string>& log,
                                  int width, int height) {
  std::vector<bool> mask(static_cast<size_t>(width) * height, false);
  for (const std::string& line : LinesStartingWith(log, "TextOut ")) {
    std::istringstream dev(line.substr(line.find(" | dev ") + 7));
    int x = 0;
    int y = 0;
    dev >> x >> y;
    for (int py = y - kTextAbove; py <= y + kTextBelow; ++py) {
      for (int px = x - kTextHalfWidth; px <= x + kTextHalfWidth; ++px) {
        if (px >= 0 && py >= 0 && px < width && py < height) {
          mask[static_cast<size_t>(py) * width + px] = true;
        }
      }
    }
  }
  return mask;
}

// How a picture compares with a window's raster outside the texts.
struct Mismatch {
  int compared = 0;
  int differing = 0;
  double share() const {
    return compared == 0 ? 1.0 : static_cast<double>(differing) / compared;
  }
};

// Whether the colour appears within `reach` pixels of (x, y) in the raster.
inline bool NearInRaster(CanvasWindow& window, int x, int y, COLORREF color,
                         int reach) {
  for (int dy = -reach; dy <= reach; ++dy) {
    for (int dx = -reach; dx <= reach; ++dx) {
      if (window.Pixel(x + dx, y + dy) == color) return true;
    }
  }
  return false;
}

// Compares the pixels outside the mask: one differs when the raster does not
// have its colour within `reach` pixels (0: at the same place).
inline Mismatch CompareOutsideText(CanvasWindow& window,
                                   const std::vector<bool>& mask,
                                   const RgbPicture& picture, int reach) {
  Mismatch mismatch;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      if (mask[static_cast<size_t>(y) * picture.width + x]) continue;
      ++mismatch.compared;
      if (!NearInRaster(window, x, y, picture.At(x, y), reach)) {
        ++mismatch.differing;
      }
    }
  }
  return mismatch;
}

inline void DrawCrossPlot(CWnd* window) {
  std::vector<double> x;
  std::vector<double> y;
  for (int i = 0; i < 60; ++i) {
    x.push_back(i * 0.6);
    y.push_back(0.8 * i * 0.6 + 3 + 4 * std::sin(i * 1.7));
  }
  ScopedGraph graph(8);
  _kvGraphLoadCrosData(graph.get(), x.data(), y.data(), 60);
  _kvGraphSetDataExtr(graph.get(), 0, 37);
  _kvGraphSetFitLine(graph.get(), 0.8, 3);
  _kvGraphSetAxiName(graph.get(), "Pb", "Zn");
  _kvGraphDrawCrosPlt(graph.get(), window);
}

inline void DrawVariogram(CWnd* window) {
  const int n = 10;
  std::vector<Variogram> entries;
  for (int i = 0; i < n + 2; ++i) {
    const double h = 35.0 * i;
    entries.push_back(VariogramEntry(
        h, 37.0 * (1 - std::exp(-3 * h / 200)) + (i % 3), 30 + i));
  }
  std::vector<ModIndVrg> model;
  for (int k = 0; k < 2 * n + 4; ++k) {
    const double h = k < 2 ? 0.0 : 17.5 * (k - 1);
    model.push_back(ModelRecord(h, 37.0 * (1 - std::exp(-3 * h / 200))));
  }
  std::vector<CPoint> positions(entries.size());
  std::vector<int> selected(entries.size(), 0);
  ScopedGraph graph(7);
  _kvGraphLoadVarmData(graph.get(), entries.data(), model.data(),
                       positions.data(), selected.data(), n, 1);
  _kvGraphSetCutOffNO(graph.get(), 1, 0);
  _kvGraphSetIsDspLine(graph.get(), 1);
  _kvGraphSetIsDspSill(graph.get(), 1, 37.0);
  _kvGraphSetAxiName(graph.get(), "h", "g");
  _kvGraphDrawVarmPlt(graph.get(), window);
}

}  // namespace kgtest

#endif  // TESTS_TEST_SUPPORT_PICTURE_COMPARE_H_
