#include "tools/korvagraph/gallery_index.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/korvagraph/gallery_check.h"
#include "tools_test_util.h"

namespace korvagraph {
namespace {

TEST(GalleryIndexTest, PageShowsEveryPictureAndStatistic) {
  std::vector<GalleryItem> items = {
      {"hist", "Histogram", "bars", {"hist.png"}, {{"mean", "25.7"}}, {}},
      {"cross", "Cross <plot>", "x & y", {"cross.png"}, {{"pairs", "288"}}, {}},
      {"locmap",
       "Map",
       "map and legend",
       {"locmap.png", "locmap-legend.png"},
       {},
       {}}};
  const std::string page =
      GalleryPage("Title \"quoted\"", "data/sample.dat", items);
  EXPECT_EQ(PicturesInIndex(page),
            (std::vector<std::string>{"hist.png", "cross.png", "locmap.png",
                                      "locmap-legend.png"}));
  EXPECT_NE(page.find("<td>mean</td><td>25.7</td>"), std::string::npos);
  EXPECT_NE(page.find("Cross &lt;plot&gt;"), std::string::npos);
  EXPECT_NE(page.find("x &amp; y"), std::string::npos);
  EXPECT_NE(page.find("Title &quot;quoted&quot;"), std::string::npos);
}

TEST(GalleryCheckTest, FindsMissingAndBrokenPictures) {
  kgtools::TempDir dir;
  int checked = -1;
  std::vector<std::string> problems;
  EXPECT_FALSE(CheckGallery(dir.path(), &checked, &problems).ok());  // no index

  dir.Write("index.html", "<p>nothing</p>");
  EXPECT_FALSE(CheckGallery(dir.path(), &checked, &problems).ok());

  dir.Write("index.html", "<img src=\"a.png\"><img src=\"b.png\">");
  dir.Write("b.png", "not a picture");
  ASSERT_TRUE(CheckGallery(dir.path(), &checked, &problems).ok());
  EXPECT_EQ(checked, 2);
  ASSERT_EQ(problems.size(), 2u);
  EXPECT_NE(problems[0].find("a.png: cannot open"), std::string::npos)
      << problems[0];
  EXPECT_NE(problems[1].find("b.png: not a PNG file"), std::string::npos)
      << problems[1];
}

TEST(GalleryCheckTest, ChecksSvgPicturesToo) {
  kgtools::TempDir dir;
  dir.Write("index.html", "<img src=\"a.svg\"><img src=\"b.svg\">");
  dir.Write("a.svg",
            "<svg><g style=\"fill:rgb(1%,0%,0%)\"/>"
            "<g style=\"fill:rgb(0%,0%,100%)\"/></svg>");
  dir.Write("b.svg", "<svg><g style=\"fill:rgb(1%,0%,0%)\"/></svg>");
  int checked = -1;
  std::vector<std::string> problems;
  ASSERT_TRUE(CheckGallery(dir.path(), &checked, &problems).ok());
  EXPECT_EQ(checked, 2);
  EXPECT_EQ(problems, std::vector<std::string>{dir.File("b.svg") +
                                               ": blank (a single colour)"});
}

}  // namespace
}  // namespace korvagraph
