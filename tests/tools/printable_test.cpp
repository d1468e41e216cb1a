#include "tools/korvagraph/printable.h"

#include <gtest/gtest.h>

#include <string>

namespace korvagraph {
namespace {

// Regression: messages echoed raw bytes of data files, so escape sequences
// cleared the screen and retitled the window, and binary files printed NULs.
TEST(PrintableTest, EscapesWhatATerminalWouldActOn) {
  struct Row {
    const char* name;
    std::string text;
    std::string printable;
  } rows[] = {
      {"plain", "Copper 12.5", "Copper 12.5"},
      {"UTF-8 passes", "Kupfer \xC3\xA4 \xE2\x82\xAC",
       "Kupfer \xC3\xA4 \xE2\x82\xAC"},
      {"clear screen", "\x1B[2J", "\\x1B[2J"},
      {"window title", "\x1B]0;owned\x07", "\\x1B]0;owned\\x07"},
      {"NUL", std::string("a\0b", 3), "a\\x00b"},
      {"line ends", "a\r\nb\t", "a\\r\\nb\\t"},
      {"DEL", "\x7F", "\\x7F"},
      {"C1 control CSI",
       "\xC2\x9B"
       "2J",
       "\\xC2\\x9B2J"},
      {"8-bit CSI",
       "\x9B"
       "2J",
       "\\x9B2J"},
      {"overlong slash", "\xC0\xAF", "\\xC0\\xAF"},
      {"cut sequence", "\xE2\x82", "\\xE2\\x82"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Printable(row.text), row.printable) << row.name;
  }
}

TEST(PrintableTest, QuotedCutsLongText) {
  EXPECT_EQ(Quoted("abc"), "\"abc\"");
  EXPECT_EQ(Quoted(std::string(100, 'x'), 4), "\"xxxx...\"");
  EXPECT_EQ(Quoted("\x1B\x1B\x1B", 2), "\"\\x1B\\x1B...\"");
}

}  // namespace
}  // namespace korvagraph
