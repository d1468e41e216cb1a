#include "korvagraph/analysis/variogram.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>

#include "analysis/chunk_runner.h"
#include "analysis/pair_grid.h"

namespace korvagraph::analysis {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kTargetLagCount = 12;
// Default lags number at most this many.
constexpr int kMaxDefaultLagCount = 100;
// Pairs closer than this fraction of a lag count as being at one place.
constexpr double kSamePlace = 1e-6;

// Returns the largest of 1, 2, 2.5, 5 times a power of ten not above raw.
double RoundDown(double raw) {
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  const double mantissa = raw / power;
  double nice = 1.0;
  for (double step : {2.0, 2.5, 5.0}) {
    if (mantissa >= step) nice = step;
  }
  return nice * power;
}

// Returns the azimuth as the angle of an unordered separation: 0 to 180.
double HalfTurn(double azimuth) {
  const double a = std::fmod(azimuth, 180.0);
  return a < 0.0 ? a + 180.0 : a;
}

// Angles within this many degrees of a direction's tolerance still count,
// so that separations exactly on its edge (such as 45 degrees) are kept.
constexpr double kAngleSlack = 1e-9;
// The cheap distance test keeps a little more than the reach; the exact
// lag test follows.
constexpr double kReachSlack = 1.0 + 1e-9;
// Chunks of the pair loop, each with its own sums merged in order: enough
// to keep every core busy, few enough that the sums stay small.
constexpr int kChunks = 64;
// Directions tested together, and the sets of them that can take a pair.
constexpr size_t kBlock = 5;
constexpr unsigned kSets = 1u << kBlock;
constexpr double kNoLimit = std::numeric_limits<double>::infinity();

// A direction prepared for the pair loop: a unit vector and the squared
// cosine of its tolerance, so that no angle is computed for any pair.
struct DirectionTest {
  double east = 0.0;  // unit vector along the azimuth
  double north = 1.0;
  // In the direction when dot^2 >= min_cos2 * h^2: -1 takes every pair,
  // infinity none.
  double min_cos2 = -1.0;
  double bandwidth = kNoLimit;
};

DirectionTest Prepare(const Direction& direction) {
  DirectionTest test;
  if (direction.tolerance >= 90.0) return test;
  const double a = HalfTurn(direction.azimuth) * kPi / 180.0;
  test.east = std::sin(a);
  test.north = std::cos(a);
  const double tolerance = direction.tolerance + kAngleSlack;
  const double cos_tolerance = std::cos(tolerance * kPi / 180.0);
  test.min_cos2 = tolerance < 0.0 ? kNoLimit : cos_tolerance * cos_tolerance;
  if (direction.bandwidth > 0.0) test.bandwidth = direction.bandwidth;
  return test;
}

// Returns the row entry of a pair at distance h, or -1 for none: 0 at one
// place, 1 closer than half a lag, else the nearest lag's if within the
// tolerance. last_bin is the lag count + 1.
inline int EntryOf(double h, double spacing, double tolerance,
                   double same_place, double last_bin) {
  // The nearest lag: q rounded down, by truncation once q is known to lie
  // in [1, count + 1) (std::floor is a library call here).
  const double q = h / spacing + 0.5;
  if (h <= same_place) return 0;
  if (q < 1.0) return 1;
  if (!(q < last_bin)) return -1;
  const int bin = static_cast<int>(q);
  return std::fabs(h - bin * spacing) <= tolerance ? bin + 1 : -1;
}

// Two doubles on the lanes of one vector register, and the masks their
// comparisons give (all bits set for true).
using Lanes = double __attribute__((vector_size(16)));
using LaneMask = int64_t __attribute__((vector_size(16)));
constexpr size_t kPacks = (kBlock + 1) / 2;

// Returns the absolute values, by clearing the sign bits.
inline Lanes Magnitude(Lanes v) {
  const LaneMask magnitude = {std::numeric_limits<int64_t>::max(),
                              std::numeric_limits<int64_t>::max()};
  return reinterpret_cast<Lanes>(reinterpret_cast<LaneMask>(v) & magnitude);
}

struct Accumulator {
  double distance_sum = 0.0;
  double squared_sum = 0.0;
  int64_t pairs = 0;
};

void Add(const Accumulator& part, Accumulator* sum) {
  sum->distance_sum += part.distance_sum;
  sum->squared_sum += part.squared_sum;
  sum->pairs += part.pairs;
}

// Sorts pairs into lags and adds them to a table of sums by lag and by the
// set of directions that take them.
struct LagBinner {
  double spacing;
  double tolerance;  // of a lag
  double reach2;     // squared distance beyond which no lag takes a pair
  int count;         // lags

  // Adds the pairs (a, b), b in [begin, end), of the grid's samples to
  // table[entry * kSets + set] for the directions of tests (kBlock at most).
  void AddRun(const PairGrid& grid, size_t a, size_t begin, size_t end,
              const std::vector<DirectionTest>& tests,
              Accumulator* table) const {
    // Directions that take every pair need no test, and those without a
    // bandwidth no test across.
    unsigned always = 0;
    bool bands = false;
    for (size_t d = 0; d < tests.size(); ++d) {
      if (tests[d].min_cos2 < 0.0 && tests[d].bandwidth == kNoLimit) {
        always |= 1u << d;
      }
      bands = bands || tests[d].bandwidth != kNoLimit;
    }
    if (bands) {
      AddRunOf<true>(grid, a, begin, end, tests, always, table);
    } else {
      AddRunOf<false>(grid, a, begin, end, tests, always, table);
    }
  }

  template <bool kBands>
  void AddRunOf(const PairGrid& grid, size_t a, size_t begin, size_t end,
                const std::vector<DirectionTest>& tests, unsigned always,
                Accumulator* table) const {
    // The tested directions two by two on vector lanes, in locals so that
    // the stores into table do not force reloads. Unused lanes take no
    // pair and set no bit.
    Lanes east[kPacks] = {}, north[kPacks] = {}, band[kPacks] = {};
    Lanes min_cos2[kPacks];
    LaneMask flag[kPacks] = {};
    size_t tested = 0;
    for (size_t p = 0; p < kPacks; ++p) min_cos2[p] = Lanes{kNoLimit, kNoLimit};
    for (size_t d = 0; d < tests.size(); ++d) {
      if ((always & (1u << d)) != 0) continue;
      const size_t p = tested / 2, lane = tested % 2;
      east[p][lane] = tests[d].east;
      north[p][lane] = tests[d].north;
      min_cos2[p][lane] = tests[d].min_cos2;
      band[p][lane] = tests[d].bandwidth;
      flag[p][lane] = 1u << d;
      ++tested;
    }
    const size_t packs = (tested + 1) / 2;
    const double spacing_ = spacing, tolerance_ = tolerance;
    const double reach2_ = reach2, same_place = kSamePlace * spacing;
    const double last_bin = count + 1.0;
    const double* x = grid.x().data();
    const double* y = grid.y().data();
    const double* value = grid.value().data();
    const double xa = x[a], ya = y[a], va = value[a];
    for (size_t b = begin; b < end; ++b) {
      const double dx = x[b] - xa;
      const double dy = y[b] - ya;
      const double d2 = dx * dx + dy * dy;
      if (!(d2 <= reach2_)) continue;  // the cheap test, before any root
      const double h = std::sqrt(d2);  // hypot is slower
      const int entry = EntryOf(h, spacing_, tolerance_, same_place, last_bin);
      if (entry < 0) continue;
      const Lanes dxs = {dx, dx}, dys = {dy, dy}, d2s = {d2, d2};
      LaneMask bits = {0, 0};
      for (size_t p = 0; p < packs; ++p) {
        const Lanes along = dxs * east[p] + dys * north[p];
        LaneMask takes = along * along >= min_cos2[p] * d2s;
        if (kBands) {
          const Lanes across = dxs * north[p] - dys * east[p];
          takes &= Magnitude(across) <= band[p];
        }
        bits |= takes & flag[p];
      }
      unsigned set = always | static_cast<unsigned>(bits[0] | bits[1]);
      // Pairs at one place have no direction and count in every one.
      if (entry == 0) set = kSets - 1;
      const double diff = value[b] - va;
      Accumulator& sum = table[entry * kSets + set];
      sum.distance_sum += h;
      sum.squared_sum += diff * diff;
      ++sum.pairs;
    }
  }
};

}  // namespace

double LagSettings::Tolerance() const {
  // Above half a lag it is held there, so that a pair counts in one lag.
  return tolerance > 0.0 ? std::min(tolerance, 0.5 * spacing) : 0.5 * spacing;
}

LagSettings DefaultLags(const Samples& samples) {
  LagSettings lags;
  if (samples.size() == 0) return lags;
  double min_x = samples.x[0], max_x = min_x;
  double min_y = samples.y[0], max_y = min_y;
  for (int64_t i = 0; i < samples.size(); ++i) {
    min_x = std::min(min_x, samples.x[i]);
    max_x = std::max(max_x, samples.x[i]);
    min_y = std::min(min_y, samples.y[i]);
    max_y = std::max(max_y, samples.y[i]);
  }
  const double reach = 0.5 * std::hypot(max_x - min_x, max_y - min_y);
  if (!(reach > 0.0) || !std::isfinite(reach)) return lags;
  // A subnormal reach gives a spacing of 0 (or none at all): such samples
  // stand at one place, which the defaults already describe.
  const double spacing = RoundDown(reach / kTargetLagCount);
  if (!(spacing > 0.0) || !std::isfinite(reach / spacing)) return lags;
  lags.spacing = spacing;
  // Clamped as a double: the quotient may exceed every int.
  lags.count = static_cast<int>(std::clamp(
      reach / spacing, 1.0, static_cast<double>(kMaxDefaultLagCount)));
  return lags;
}

LagSettings ChooseLags(const Samples& samples, double spacing, int count,
                       double tolerance) {
  const LagSettings defaults = DefaultLags(samples);
  LagSettings lags = defaults;
  if (spacing > 0.0) {
    lags.spacing = spacing;
    if (count <= 0) {
      // Keep the reach of the defaults with the new spacing.
      // Clamped as a double: a tiny spacing makes the quotient exceed int.
      lags.count = static_cast<int>(
          std::clamp(defaults.spacing * defaults.count / spacing, 1.0,
                     static_cast<double>(kMaxLagCount)));
    }
  }
  if (count > 0) lags.count = count;
  lags.tolerance = tolerance;
  return lags;
}

Status ExperimentalVariograms(const Samples& samples, const LagSettings& lags,
                              const std::vector<Direction>& directions,
                              std::vector<VariogramRow>* result,
                              const ProgressCallback& progress) {
  result->clear();
  const size_t dirs = directions.size();
  std::vector<DirectionTest> tests;
  for (const Direction& d : directions) tests.push_back(Prepare(d));
  const int entries = lags.count + 2;
  const double tolerance = lags.Tolerance();
  const double reach = (lags.count * lags.spacing + tolerance) * kReachSlack;
  const double reach2 = reach * reach;
  const PairGrid grid(samples, reach, kChunks);

  // A pair adds to one table entry per block of directions: the entry of
  // its lag and of the set of the block's directions that take it. Each
  // chunk then folds its table into sums per direction and lag.
  const size_t blocks = (dirs + kBlock - 1) / kBlock;
  const LagBinner binner{lags.spacing, tolerance, reach2, lags.count};
  const std::vector<int64_t>& work = grid.ChunkWork();
  std::vector<std::vector<Accumulator>> chunk_sums(work.size());
  auto run_chunk = [&](int chunk) {
    std::vector<Accumulator> table(blocks * entries * kSets);
    for (size_t block = 0; block < blocks; ++block) {
      const size_t first = block * kBlock;
      const std::vector<DirectionTest> block_tests(
          tests.begin() + first,
          tests.begin() + std::min(first + kBlock, dirs));
      Accumulator* block_table = &table[block * entries * kSets];
      grid.ForEachRun(chunk, [&](size_t a, size_t begin, size_t end) {
        binner.AddRun(grid, a, begin, end, block_tests, block_table);
      });
    }
    std::vector<Accumulator> sums(dirs * entries);
    for (size_t d = 0; d < dirs; ++d) {
      const unsigned bit = 1u << (d % kBlock);
      for (int e = 0; e < entries; ++e) {
        const Accumulator* row = &table[((d / kBlock) * entries + e) * kSets];
        for (unsigned set = 0; set < kSets; ++set) {
          if ((set & bit) != 0) Add(row[set], &sums[d * entries + e]);
        }
      }
    }
    chunk_sums[chunk] = std::move(sums);
  };
  if (!RunChunks(work, run_chunk, "variograms", progress)) {
    return Status::Cancelled();
  }

  std::vector<VariogramRow>& rows = *result;
  rows.resize(dirs);
  for (size_t d = 0; d < dirs; ++d) {
    rows[d].resize(entries, Variogram{});
    for (int e = 0; e < entries; ++e) {
      Accumulator sum;
      for (const std::vector<Accumulator>& part : chunk_sums) {
        Add(part[d * entries + e], &sum);
      }
      if (sum.pairs == 0) continue;
      rows[d][e].h = sum.distance_sum / sum.pairs;
      rows[d][e].gamma = 0.5 * sum.squared_sum / sum.pairs;
      // The record holds 32 bits; more pairs than that saturate.
      rows[d][e].npairs = static_cast<LONG>(
          std::min<int64_t>(sum.pairs, std::numeric_limits<LONG>::max()));
    }
  }
  return Status::Ok();
}

int LagEntry(double h, const LagSettings& lags) {
  return EntryOf(h, lags.spacing, lags.Tolerance(), kSamePlace * lags.spacing,
                 lags.count + 1.0);
}

bool InDirection(double dx, double dy, const Direction& direction) {
  const DirectionTest test = Prepare(direction);
  const double along = dx * test.east + dy * test.north;
  return along * along >= test.min_cos2 * (dx * dx + dy * dy) &&
         std::fabs(dx * test.north - dy * test.east) <= test.bandwidth;
}

int QualifyingLags(const VariogramRow& row) {
  int lags = 0;
  for (size_t e = 1; e < row.size(); ++e) {
    lags += row[e].npairs >= kMinVariogramPairs;
  }
  return lags;
}

int64_t QualifyingPairs(const VariogramRow& row) {
  int64_t total = 0;
  for (const Variogram& v : row) {
    if (v.npairs >= kMinVariogramPairs) total += v.npairs;
  }
  return total;
}

}  // namespace korvagraph::analysis
