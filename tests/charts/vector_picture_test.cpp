// Charts saved as SVG, PDF and cairo-drawn PNG from the window's display
// list: the files hold what the recording holds, and rasterised at one
// pixel per pixel they match the window's raster outside the texts.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "test_support/picture_compare.h"

namespace {

constexpr int kSide = 400;

std::string TempPath(const std::string& name) {
  return testing::TempDir() + "vector_picture_" + name;
}

struct Picture {
  const char* name;
  std::function<void(CWnd*)> draw;
};

// A variogram cloud dense enough that most markers hide under later ones:
// the vector files keep only those that show.
void DrawDenseCloud(CWnd* window) {
  std::vector<double> lags;
  std::vector<double> gammas;
  for (int i = 0; i < 20000; ++i) {
    lags.push_back((i * 7919 % 20000) * 0.0185);
    gammas.push_back(37.0 * (1 - std::exp(-lags.back() / 120)) *
                     (0.4 + (i * 104729 % 1000) * 0.0012));
  }
  kgtest::ScopedGraph graph(10);
  _kvGraphLoadLocPnts(graph.get(), lags.data(), gammas.data(), 20000);
  _kvGraphSetDataExtr(graph.get(), 0, 370);
  _kvGraphSetDataExtr2(graph.get(), 0, 37);
  _kvGraphSetAxiName(graph.get(), "h", "g");
  _kvGraphDrawVrgCldPlt(graph.get(), window);
}

const std::vector<Picture>& Pictures() {
  static const std::vector<Picture> pictures = {
      {"cross", kgtest::DrawCrossPlot},
      {"vario", kgtest::DrawVariogram},
      {"dense cloud", DrawDenseCloud}};
  return pictures;
}

// Rasterises the window's picture at one pixel per pixel into a PNG at
// path: through cairo, or through a PDF and pdftoppm without smoothing.
bool RasteriseThroughCairo(CanvasWindow& window, const std::string& path) {
  return window.SaveScaledPng(path, 1.0);
}
bool RasteriseThroughPdf(CanvasWindow& window, const std::string& path) {
  const std::string pdf = path + ".pdf";
  const bool ok =
      window.SavePdf(pdf) &&
      std::system(("pdftoppm -r 72 -png -singlefile -aa no "
                   "-aaVector no '" +
                   pdf + "' '" + path.substr(0, path.size() - 4) + "'")
                      .c_str()) == 0;
  std::remove(pdf.c_str());
  return ok;
}

// Outside the texts the rasterised files match the raster: cairo's pixel
// for pixel, a PDF viewer's within one pixel (its edge rules differ).
TEST(VectorPictureTest, RasterisedFilesMatchTheRaster) {
  const bool have_pdftoppm = std::system("pdftoppm -v > /dev/null 2>&1") == 0;
  if (!have_pdftoppm) std::fprintf(stderr, "no pdftoppm: PDFs not checked\n");
  const struct {
    const char* name;
    bool (*rasterise)(CanvasWindow&, const std::string&);
    int reach;
  } routes[] = {{"cairo", RasteriseThroughCairo, 0},
                {"pdf", RasteriseThroughPdf, 1}};
  for (const auto& route : routes) {
    if (route.rasterise == RasteriseThroughPdf && !have_pdftoppm) continue;
    for (const Picture& picture : Pictures()) {
      const std::string name = std::string(picture.name) + " " + route.name;
      kgtest::RecordingWindow window(kSide, kSide);
      picture.draw(window.Wnd());
      const std::string path = TempPath(route.name + std::string(".png"));
      kgtest::RgbPicture png;
      ASSERT_TRUE(route.rasterise(window.window(), path) &&
                  kgtest::ReadRgbPng(path, &png))
          << name;
      ASSERT_EQ(png.width, kSide) << name;
      ASSERT_EQ(png.height, kSide) << name;
      const std::vector<bool> mask =
          kgtest::TextMask(window.Take(), kSide, kSide);
      EXPECT_LT(
          kgtest::CompareOutsideText(window.window(), mask, png, route.reach)
              .share(),
          0.001)
          << name;
      std::remove(path.c_str());
    }
  }
}

// The elements of an SVG file that start with `tag`, each up to its '>'.
std::vector<std::string> Elements(const std::string& svg,
                                  const std::string& tag) {
  std::vector<std::string> found;
  for (size_t at = svg.find(tag); at != std::string::npos;
       at = svg.find(tag, at + 1)) {
    found.push_back(svg.substr(at, svg.find('>', at) - at));
  }
  return found;
}

// An ellipse's path starts at angle 0 of the ellipse through the centres of
// its box's outer pixels: half a pixel left of the right edge, mid-height.
std::string EllipseStart(const std::string& line) {
  std::istringstream dev(line.substr(line.find(" | dev ") + 7));
  double left, top, right, bottom;
  dev >> left >> top >> right >> bottom;
  std::ostringstream start;
  start << "d=\"M " << right - 0.5 << " " << (top + bottom) / 2 << " ";
  return start.str();
}

TEST(VectorPictureTest, SvgHoldsTheRecordedMarksAndTexts) {
  kgtest::RecordingWindow window(kSide, kSide);
  kgtest::DrawCrossPlot(window.Wnd());
  const std::vector<std::string> log = window.Take();
  const std::string path = TempPath("cross.svg");
  ASSERT_TRUE(window.window().SaveSvg(path));
  std::ifstream in(path);
  const std::string svg((std::istreambuf_iterator<char>(in)),
                        std::istreambuf_iterator<char>());
  EXPECT_NE(svg.find("width=\"400px\" height=\"400px\""), std::string::npos);

  // A marker is one path, filled in the brush and stroked in the pen.
  std::vector<std::string> markers;
  for (const std::string& path : Elements(svg, "<path ")) {
    if (path.find("stroke:rgb(0%,0%,100%)") != std::string::npos) {
      markers.push_back(path);
    }
  }
  const auto ellipses = kgtest::LinesStartingWith(log, "Ellipse ");
  ASSERT_EQ(markers.size(), ellipses.size());
  for (size_t i = 0; i < markers.size(); ++i) {
    EXPECT_NE(markers[i].find(EllipseStart(ellipses[i])), std::string::npos)
        << ellipses[i] << " against " << markers[i];
  }
  // Text as glyphs: one use of a glyph per character drawn.
  size_t characters = 0;
  for (const std::string& text : kgtest::TextsDrawn(log)) {
    characters += text.size();
  }
  EXPECT_EQ(Elements(svg, "<use ").size(), characters);
  std::remove(path.c_str());
}

}  // namespace
