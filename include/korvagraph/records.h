// The records that cross the library's boundary, laid out byte for byte as
// hosts and the statistics engine exchange them, and the two special values
// they carry. Plain data owned by whoever made it; nothing here depends on
// anything but the standard library, so the engine includes it too.
#ifndef KORVAGRAPH_RECORDS_H_
#define KORVAGRAPH_RECORDS_H_

#include <cstddef>
#include <cstdint>

// The workbench's signed 32-bit integer (counts, pair numbers, statuses).
using LONG = int32_t;

// A data window bound of this magnitude leaves its side open: (-1e21, 1e21)
// admits every value up to 1e21 in magnitude.
constexpr double kKvOpenLimit = 1e21;

// A sample's value after a transform that gave it none (outside the window).
constexpr double kKvNoValue = -999.0;

// One sample: coordinates and two attribute values (88 bytes, arrays of it
// packed with a stride of 88). A value of kKvNoValue marks a sample without
// a transformed value.
struct KvDiscPnt {
  double x;
  double y;
  double z;
  double value;   // the attribute the one-variable charts and transforms use
  double value2;  // the scatter plot's second attribute
  double unused[6];
};

// One entry of an experimental variogram (64 bytes): the mean distance of
// its pairs, their semivariance and the pair count. A variogram of n lags is
// a row of n + 2 entries, as the classic variogram programs write them:
// entry 0 the pairs at one place (lag 0), entry 1 the pairs closer than half
// a lag, entries 2 to n + 1 one lag each. Several rows, one per cut-off or
// direction, follow each other in one array: row r occupies entries
// r * (n + 2) to r * (n + 2) + n + 1. The charts skip every entry of fewer
// than kKvMinVariogramPairs (KorvaGraphLib.h) pairs.
struct Variogram {
  double unused0;
  double h;      // lag distance
  double gamma;  // semivariance
  LONG npairs;   // number of sample pairs
  LONG unused1;
  double unused2[4];
};

// One point of a variogram model curve (48 bytes), as _kvCptVModel fills
// them: record 0 at lag 0, record 1 just after 0 (it shows the nugget jump),
// then one record per half lag.
struct ModIndVrg {
  double unused0;
  double h;      // lag distance
  double value;  // model semivariance at h
  double unused1[3];
};

// A point in space (24 bytes): a corner of a map's coordinate box.
struct KVD_3DOT {
  double x;
  double y;
  double z;
};

// A pair of sample numbers (8 bytes), 0-based: first indexes the primary
// samples, second the second sample set when one is loaded, else the
// primary samples too.
struct KVL_DOT {
  LONG first;
  LONG second;
};

// A nested variogram model of up to 20 structures (1216 bytes). Structure
// type codes: 1 spherical, 2 exponential (practical range), 3 Gaussian
// (practical range), 4 power (exponent 0 < w < 2 in the range slot), 5 hole
// effect; other codes contribute nothing. Ranges and angles in the units of
// the coordinates and in degrees. Anisotropy: distances along the minor and
// vertical axes are stretched by p1 / p2 and p1 / p3; a minor or vertical
// range of 0 (or below) means "as the major range", so p2 = p3 = 0 is an
// isotropic structure.
struct Kt3dIntp {
  LONG nst;  // number of structures, 0 to 20
  LONG padding;
  double nugget;
  double cc[20];  // contribution of each structure
  LONG it[20];    // type code of each structure
  double p1[20];  // range along the major axis
  double p2[20];  // range along the minor axis (0: as p1)
  double p3[20];  // range along the vertical axis (0: as p1)
  double p4[20];  // azimuth of the major axis (clockwise from north);
                  // p4[0] is also the azimuth the curve is evaluated along
  double p5[20];  // dip of the major axis; p5[0] is also the dip of the
                  // direction of evaluation
  double p6[20];  // rake of the major axis
};

static_assert(sizeof(KvDiscPnt) == 88, "KvDiscPnt layout");
static_assert(offsetof(KvDiscPnt, x) == 0, "KvDiscPnt layout");
static_assert(offsetof(KvDiscPnt, y) == 8, "KvDiscPnt layout");
static_assert(offsetof(KvDiscPnt, z) == 16, "KvDiscPnt layout");
static_assert(offsetof(KvDiscPnt, value) == 24, "KvDiscPnt layout");
static_assert(offsetof(KvDiscPnt, value2) == 32, "KvDiscPnt layout");
static_assert(sizeof(Variogram) == 64, "Variogram layout");
static_assert(offsetof(Variogram, h) == 8, "Variogram layout");
static_assert(offsetof(Variogram, gamma) == 16, "Variogram layout");
static_assert(offsetof(Variogram, npairs) == 24, "Variogram layout");
static_assert(sizeof(ModIndVrg) == 48, "ModIndVrg layout");
static_assert(offsetof(ModIndVrg, h) == 8, "ModIndVrg layout");
static_assert(offsetof(ModIndVrg, value) == 16, "ModIndVrg layout");
static_assert(sizeof(KVD_3DOT) == 24, "KVD_3DOT layout");
static_assert(offsetof(KVD_3DOT, z) == 16, "KVD_3DOT layout");
static_assert(sizeof(KVL_DOT) == 8, "KVL_DOT layout");
static_assert(offsetof(KVL_DOT, second) == 4, "KVL_DOT layout");
static_assert(sizeof(Kt3dIntp) == 1216, "Kt3dIntp layout");
static_assert(offsetof(Kt3dIntp, nugget) == 8, "Kt3dIntp layout");
static_assert(offsetof(Kt3dIntp, cc) == 16, "Kt3dIntp layout");
static_assert(offsetof(Kt3dIntp, it) == 176, "Kt3dIntp layout");
static_assert(offsetof(Kt3dIntp, p1) == 256, "Kt3dIntp layout");
static_assert(offsetof(Kt3dIntp, p2) == 416, "Kt3dIntp layout");
static_assert(offsetof(Kt3dIntp, p3) == 576, "Kt3dIntp layout");
static_assert(offsetof(Kt3dIntp, p4) == 736, "Kt3dIntp layout");
static_assert(offsetof(Kt3dIntp, p5) == 896, "Kt3dIntp layout");
static_assert(offsetof(Kt3dIntp, p6) == 1056, "Kt3dIntp layout");

#endif  // KORVAGRAPH_RECORDS_H_
