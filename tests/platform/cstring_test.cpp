#include "korvagraph/cstring.h"

#include <string>

#include "gtest/gtest.h"

namespace {

TEST(CStringTest, FormatReplacesTheText) {
  CString text("old");
  text.Format("%d/%.2f/%s", 42, 1.5, "x");
  EXPECT_EQ(text.str(), "42/1.50/x");
  const std::string long_text(1000, 'a');
  text.Format("%s!", long_text.c_str());
  EXPECT_EQ(text.GetLength(), 1001);
  text.Format("%s", "");
  EXPECT_TRUE(text.IsEmpty());
}

TEST(CStringTest, ConcatenatesAndCompares) {
  CString a("ab");
  a += CString("cd");
  EXPECT_EQ(a + "e", CString("abcde"));
  EXPECT_NE(a, CString(nullptr));
  EXPECT_EQ(CString(nullptr).GetLength(), 0);
}

}  // namespace
