#include "siblings/ravlin/ravlin.h"

#include <cstring>
#include <vector>

#include <gtest/gtest.h>

namespace {

constexpr int kEntries = 256;
constexpr uint16_t kFull = 65535;
// Half the change of one entry within a quarter of the ramp (4 / 255 of
// full scale): the entries nearest a stop lie at most this far from it.
constexpr int kStep = 4 * 65535 / 255 / 2 + 1;

// The request record as the local-mean map builds it: 2176 zero bytes with
// the name at the start.
std::vector<char> Request(const char* name) {
  std::vector<char> record(2176, 0);
  std::strcpy(record.data(), name);
  return record;
}

struct Rgb {
  uint16_t red, green, blue;
};

Rgb Entry(const std::vector<uint16_t>& table, int i) {
  return {table[3 * i], table[3 * i + 1], table[3 * i + 2]};
}

TEST(RavlinTest, ContourRunsFromBlueThroughCyanGreenYellowToRed) {
  std::vector<uint16_t> table(3 * kEntries, 0);
  int32_t extra = 0;
  EXPECT_EQ(_rvColorTable(Request("Contour").data(), table.data(), &extra), 1);
  EXPECT_EQ(extra, kEntries);
  struct Landmark {
    const char* name;
    int entry;
    Rgb colour;
  };
  // Stops at entries 0, 63.75, 127.5, 191.25, 255; the nearest entries
  // round to the stop colours within 1/255 of full scale.
  const Landmark landmarks[] = {
      {"blue", 0, {0, 0, kFull}},
      {"red", 255, {kFull, 0, 0}},
  };
  for (const Landmark& row : landmarks) {
    const Rgb c = Entry(table, row.entry);
    EXPECT_EQ(c.red, row.colour.red) << row.name;
    EXPECT_EQ(c.green, row.colour.green) << row.name;
    EXPECT_EQ(c.blue, row.colour.blue) << row.name;
  }
  const Rgb cyan = Entry(table, 64);
  EXPECT_EQ(cyan.red, 0);
  EXPECT_GT(cyan.green, kFull - kStep);
  EXPECT_GT(cyan.blue, kFull - kStep);
  const Rgb green = Entry(table, 128);
  EXPECT_LT(green.red, kStep);
  EXPECT_EQ(green.green, kFull);
  EXPECT_LT(green.blue, kStep);
  const Rgb yellow = Entry(table, 191);
  EXPECT_GT(yellow.red, kFull - kStep);
  EXPECT_EQ(yellow.green, kFull);
}

TEST(RavlinTest, ContourIsAMonotoneRamp) {
  std::vector<uint16_t> table(3 * kEntries, 0);
  _rvColorTable(Request("Contour").data(), table.data(), nullptr);
  // Per quarter exactly one component moves, in one direction: green up,
  // blue down, red up, green down.
  for (int i = 1; i < kEntries; ++i) {
    const Rgb a = Entry(table, i - 1);
    const Rgb b = Entry(table, i);
    EXPECT_GE(b.red, a.red) << "entry " << i;
    if (i <= 64) {
      EXPECT_GE(b.green, a.green) << "entry " << i;
    }
    if (i >= 192) {
      EXPECT_LE(b.green, a.green) << "entry " << i;
    }
    EXPECT_LE(b.blue, a.blue) << "entry " << i;
  }
}

TEST(RavlinTest, UnknownNameLeavesTheTableUntouched) {
  std::vector<uint16_t> table(3 * kEntries, 0);
  int32_t extra = -3;
  EXPECT_EQ(_rvColorTable(Request("Contours").data(), table.data(), &extra),
            0);
  EXPECT_EQ(_rvColorTable(Request("").data(), table.data(), &extra), 0);
  for (uint16_t c : table) ASSERT_EQ(c, 0);
  EXPECT_EQ(extra, -3);
}

TEST(RavlinTest, NullPointersDoNotCrash) {
  std::vector<uint16_t> table(3 * kEntries, 0);
  EXPECT_EQ(_rvColorTable(nullptr, table.data(), nullptr), 0);
  EXPECT_EQ(_rvColorTable(Request("Contour").data(), nullptr, nullptr), 0);
}

}  // namespace
