// The README's example of a host calling the library: it compiles and runs
// here, and the README shows exactly this code (checked below).
#include <gtest/gtest.h>

#include <string>

#include "tools_test_util.h"

// README example begins
#include <algorithm>
#include <string>
#include <vector>

#include "korvagraph/KorvaGraphLib.h"
#include "korvagraph/canvas_window.h"

// Draws a histogram of values into a PNG file; returns the mean that the
// chart's compute step reports.
double DrawHistogram(const std::vector<double>& values,
                     const std::string& png_path) {
  std::vector<KvDiscPnt> samples(values.size(), KvDiscPnt{});
  for (size_t i = 0; i < values.size(); ++i) samples[i].value = values[i];

  CKorvaGraph* chart = _kvCreateKvGraphObj(1);  // 1: histogram
  _kvGraphLoadDiscPnts(chart, samples.data(),
                       static_cast<LONG>(samples.size()));
  _kvGraphSetDataExtr(chart, *std::min_element(values.begin(), values.end()),
                      *std::max_element(values.begin(), values.end()));
  _kvGraphSetHistNum(chart, 10);  // classes
  _kvGraphSetHistType(chart, 0);  // 0: frequencies, 1: cumulative curve
  _kvGraphSetAxiName(chart, "Copper", "Freq");

  LONG count = 0, left_out = 0;  // the twelve results of the compute step
  double mean = 0, deviation = 0, maximum = 0, upper_quartile = 0, median = 0,
         lower_quartile = 0, minimum = 0, variation = 0, kurtosis = 0,
         skewness = 0;
  _kvGraphCptHistParam(chart, count, left_out, mean, deviation, maximum,
                       upper_quartile, median, lower_quartile, minimum,
                       variation, kurtosis, skewness);

  CanvasWindow window(640, 480);  // an off-screen window
  _kvGraphDrawHistPlt(chart, window.Wnd());
  window.SavePng(png_path);
  _kvDeleteKvGraphObj(chart);
  return mean;
}
// README example ends

namespace korvagraph {
namespace {

std::string Between(const std::string& text, const std::string& begin,
                    const std::string& end) {
  const size_t from = text.find(begin);
  const size_t to = text.find(end, from);
  if (from == std::string::npos || to == std::string::npos) return "";
  return text.substr(from + begin.size(), to - from - begin.size());
}

TEST(ReadmeExampleTest, DrawsAHistogram) {
  kgtools::TempDir dir;
  const std::string png = dir.File("hist.png");
  const double mean = DrawHistogram({1, 2, 2, 3, 3, 3, 4, 4, 5, 13}, png);
  EXPECT_DOUBLE_EQ(mean, 4.0);
  EXPECT_FALSE(kgtools::ReadFile(png).empty());
}

TEST(ReadmeExampleTest, ReadmeShowsThisCode) {
  const std::string source = kgtools::ReadFile(
      std::string(KG_SOURCE_DIR) + "/tests/tools/readme_example_test.cpp");
  const std::string readme =
      kgtools::ReadFile(std::string(KG_SOURCE_DIR) + "/README.md");
  const std::string example =
      Between(source, "// README example begins\n", "// README example ends\n");
  ASSERT_FALSE(example.empty());
  EXPECT_NE(readme.find("```cpp\n" + example + "```\n"), std::string::npos)
      << "copy the example between the markers of this file into README.md";
}

}  // namespace
}  // namespace korvagraph
