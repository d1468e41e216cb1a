// Byte layouts of the records that cross the boundary.
#include <cstddef>
#include <cstring>

#include "gtest/gtest.h"
#include "korvagraph/KorvaGraphLib.h"

namespace {

TEST(RecordsTest, ArraysArePackedWithTheRecordStride) {
  KvDiscPnt samples[3] = {};
  samples[2].value = 4.5;
  const auto* bytes = reinterpret_cast<const unsigned char*>(samples);
  EXPECT_EQ(sizeof samples, 264u);
  double at_200 = 0;
  std::memcpy(&at_200, bytes + 200, sizeof at_200);
  EXPECT_EQ(at_200, 4.5);
}

TEST(RecordsTest, AFullModelStillFillsTheRecord) {
  Kt3dIntp model{};
  model.nst = 20;
  for (int s = 0; s < 20; ++s) {
    model.cc[s] = s;
    model.it[s] = 1;
    model.p6[s] = s;
  }
  EXPECT_EQ(sizeof model, 1216u);
  const auto* bytes = reinterpret_cast<const unsigned char*>(&model);
  double last = 0;
  std::memcpy(&last, bytes + 1056 + 19 * 8, sizeof last);
  EXPECT_EQ(last, 19.0);
}

TEST(RecordsTest, WritingAValueTouchesOnlyItsEightBytes) {
  KvDiscPnt sample;
  std::memset(&sample, 0xAB, sizeof sample);
  unsigned char before[sizeof sample];
  std::memcpy(before, &sample, sizeof sample);
  sample.value = 1.25;
  const auto* after = reinterpret_cast<const unsigned char*>(&sample);
  for (size_t i = 0; i < sizeof sample; ++i) {
    if (i >= 24 && i < 32) continue;
    EXPECT_EQ(after[i], before[i]) << "byte " << i;
  }
}

}  // namespace
