// Sample records with coordinates and coordinate-box corners, for the tests
// of the location maps.
#ifndef TESTS_TEST_SUPPORT_LOCATIONS_H_
#define TESTS_TEST_SUPPORT_LOCATIONS_H_

#include "include/KorvaGraphLib.h"

namespace kgtest {

// Returns a zeroed sample record at (x, y, z) with attribute `value`.
inline KvDiscPnt LocatedSample(double x, double y, double value,
                               double z = 0.0) {
  KvDiscPnt sample{};
  sample.x = x;
  sample.y = y;
  sample.z = z;
  sample.value = value;
  return sample;
}

// Returns a corner of a coordinate box.
inline KVD_3DOT Corner(double x, double y, double z = 0.0) {
  return KVD_3DOT{x, y, z};
}

}  // namespace kgtest

#endif  // TESTS_TEST_SUPPORT_LOCATIONS_H_
