#include "tools/korvagraph/progress_line.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace korvagraph {
namespace {

// Returns what the progress line wrote into a temporary stream.
template <typename Body>
std::string Output(Body body) {
  std::FILE* out = std::tmpfile();
  body(out);
  std::fflush(out);
  std::rewind(out);
  std::string text;
  char buffer[256];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof(buffer), out)) > 0) {
    text.append(buffer, n);
  }
  std::fclose(out);
  return text;
}

TEST(ProgressLineTest, QuietForQuickWork) {
  const std::string text = Output([](std::FILE* out) {
    ProgressLine progress("cloud", 100, out);  // a second of silence first
    for (int i = 1; i <= 100; ++i) progress.Update(i);
    EXPECT_FALSE(progress.printed());
  });
  EXPECT_EQ(text, "");
}

TEST(ProgressLineTest, ReportsAndEndsTheLine) {
  const std::string text = Output([](std::FILE* out) {
    ProgressLine progress("cloud", 200, out, /*delay_seconds=*/0.0);
    progress.Update(50);
    EXPECT_TRUE(progress.printed());
  });
  EXPECT_EQ(text.rfind("\rcloud:  25% (50 of 200), ", 0), 0u) << text;
  EXPECT_NE(text.find("/s, "), std::string::npos) << text;  // the rate
  EXPECT_NE(text.find(" s left"), std::string::npos) << text;
  EXPECT_NE(text.find("\rcloud: done, 200 of 200 in "), std::string::npos)
      << text;
  EXPECT_EQ(text.back(), '\n');
}

TEST(ProgressLineTest, NullStreamWritesNothing) {
  ProgressLine progress("cloud", 10, nullptr, 0.0);
  progress.Update(5);
  EXPECT_FALSE(progress.printed());
}

}  // namespace
}  // namespace korvagraph
