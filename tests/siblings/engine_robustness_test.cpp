// Handles and degenerate input: nothing crashes, unknown handles are
// ignored, and empty results come out as documented.
#include <cmath>
#include <limits>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "siblings/korvalib/korvalib.h"
#include "tests/siblings/engine_test_util.h"

namespace korvalib_test {
namespace {

TEST(EngineHandlesTest, HandlesArePositiveAndDistinct) {
  std::set<int> seen;
  for (int kind = 1; kind <= 3; ++kind) {
    const int handle = _kvCreateKorvaObj(kind);
    EXPECT_GT(handle, 0) << "kind " << kind;
    EXPECT_TRUE(seen.insert(handle).second) << "kind " << kind;
  }
  for (int handle : seen) _kvDeleteKorvaObj(handle);
}

TEST(EngineHandlesTest, UnknownKindsGetNoHandle) {
  for (int kind : {0, -1, 4, 1000}) {
    EXPECT_EQ(_kvCreateKorvaObj(kind), 0) << "kind " << kind;
  }
}

TEST(EngineHandlesTest, DeletedAndUnknownHandlesAreIgnored) {
  const int handle = _kvCreateKorvaObj(3);
  _kvDeleteKorvaObj(handle);
  _kvDeleteKorvaObj(handle);
  for (int unknown : {handle, 0, -5, 1 << 30}) {
    LONG count = -7;
    double positions[1] = {-7.0};
    LoadValues(unknown, {1, 2, 3});
    _kvSetClassNum(unknown, 3);
    _kvDrawHistPlt(unknown);
    _kvDrawProbPlt(unknown);
    _kvOutPropPltParam(unknown, positions, nullptr, &count);
    EXPECT_EQ(count, -7) << unknown;
    EXPECT_EQ(positions[0], -7.0) << unknown;
  }
}

TEST(EngineHandlesTest, OutputsBeforeAnyComputationAreEmpty) {
  ScopedHandle handle;
  LONG n = -7, left = -7;
  double stats[7], maximum_frequency = -7.0;
  double result[2] = {-7.0, -7.0};
  _kvOutHistPltParam(handle.get(), &n, &left, &stats[0], &stats[1], &stats[2],
                     &stats[3], &stats[4], &stats[5], &stats[6], result,
                     &maximum_frequency);
  EXPECT_EQ(n, 0);
  EXPECT_EQ(left, 0);
  EXPECT_EQ(maximum_frequency, 0.0);
  EXPECT_EQ(result[0], -7.0) << "no entries";
  LONG count = -7;
  _kvOutQpPltParam(handle.get(), nullptr, &count);
  EXPECT_EQ(count, 0);
}

TEST(EngineHandlesTest, NullPointersAndBadCountsDoNotCrash) {
  ScopedHandle handle;
  const int h = handle.get();
  _kvLoadDiscPnts(h, nullptr, 10, 1);
  KvDiscPnt one{};
  _kvLoadDiscPnts(h, &one, -3, 1);
  _kvLoadDiscPnts(h, &one, 1, 7);  // unknown set
  _kvSetProbValue(h, nullptr, 21);
  _kvSetAttrExtr(h, 0, 1, 9, 3.0);  // unknown axis
  _kvSetLogFlag(h, 1, -2);
  _kvSetClassNum(h, -4);
  _kvSetQuanNum(h, -1);
  _kvSetProbPntNum(h, -1);
  _kvSetLagPara(h, nullptr, nullptr, 0, 1);
  _kvSetAzmDip(h, nullptr, 0, 0, nullptr, 0, 0, 1);
  _kvSetIntpPara(h, 2, 0.0, nullptr, nullptr, nullptr, nullptr, nullptr,
                 nullptr, nullptr, nullptr);
  _kvSetIntpPara(h, -1, 0.0, nullptr, nullptr, nullptr, nullptr, nullptr,
                 nullptr, nullptr, nullptr);
  _kvDrawHistPlt(h);
  _kvDrawProbPlt(h);
  _kvDrawQpPlt(h);
  _kvDrawScatPlt(h);
  _kvOutHistPltParam(h, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     nullptr, nullptr, nullptr, nullptr, nullptr);
  _kvOutPropPltParam(h, nullptr, nullptr, nullptr);
  _kvOutQpPltParam(h, nullptr, nullptr);
  _kvOutScatPltParam(h, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     nullptr, nullptr, nullptr);
  _kvNscore(h, nullptr, nullptr, nullptr);
  _kvVmodel(h, nullptr);
  SUCCEED();
}

TEST(EngineHandlesTest, NonFiniteValuesTakeNoPartInOpenWindows) {
  ScopedHandle handle;
  const int h = handle.get();
  const double inf = std::numeric_limits<double>::infinity();
  LoadValues(h, {std::nan(""), inf, -inf, 1e300, 2.0, 4.0});
  _kvSetDataExtr(h, -1e21, 1e21);
  _kvSetAttrExtr(h, -1e21, 1e21, 1, 3.0);
  _kvSetClassNum(h, 2);
  _kvDrawHistPlt(h);
  LONG n = 0, left = 0;
  double mean = 0, deviation = 0, unused = 0;
  double result[6] = {};
  _kvOutHistPltParam(h, &n, &left, &mean, &deviation, &unused, &unused,
                     &unused, &unused, &unused, result, &unused);
  EXPECT_EQ(n, 2);
  EXPECT_EQ(left, 4);
  EXPECT_EQ(mean, 3.0);
  EXPECT_EQ(deviation, 1.0);
}

TEST(EngineHandlesTest, ReversedOrNanWindowAdmitsNothing) {
  for (double bound : {std::nan(""), -5.0}) {
    ScopedHandle handle;
    const int h = handle.get();
    LoadValues(h, {1, 2, 3});
    _kvSetDataExtr(h, 0.0, bound);
    _kvSetProbValue(h, nullptr, 0);
    _kvDrawProbPlt(h);
    LONG count = -7;
    _kvOutPropPltParam(h, nullptr, nullptr, &count);
    EXPECT_EQ(count, 0) << bound;
  }
}

TEST(EngineHandlesTest, LoadsAreCopies) {
  // The engine keeps its own copy: changing the caller's array after the
  // load changes nothing.
  ScopedHandle handle;
  const int h = handle.get();
  std::vector<KvDiscPnt> samples = MakeSamples({1, 2, 3});
  _kvLoadDiscPnts(h, samples.data(), 3, 1);
  samples.assign(3, KvDiscPnt{});
  samples.clear();
  samples.shrink_to_fit();
  _kvSetClassNum(h, 1);
  _kvDrawHistPlt(h);
  LONG n = 0;
  double mean = 0;
  _kvOutHistPltParam(h, &n, nullptr, &mean, nullptr, nullptr, nullptr,
                     nullptr, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(n, 3);
  EXPECT_EQ(mean, 2.0);
}

}  // namespace
}  // namespace korvalib_test
