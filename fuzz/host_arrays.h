// HostArrays: every array a host hands the exports, allocated once at the
// longest length the program may pass (so every count stays within its
// array) and filled with ordinary data that the program then pokes hostile
// values into; and a snapshot to prove that what the library only reads is
// unchanged after each call.
#ifndef FUZZ_HOST_ARRAYS_H_
#define FUZZ_HOST_ARRAYS_H_

#include <string>
#include <vector>

#include "fuzz/hostile_input.h"
#include "korvagraph/KorvaGraphLib.h"

// Lengths of the host arrays.
constexpr int kMaxSamples = 40;
constexpr int kMaxLags = 12;       // n: rows hold n + 2 entries
constexpr int kMaxCutOffs = 3;     // rows of a variogram array
constexpr int kMaxVariograms = 4;  // of the multiple-variogram chart
constexpr int kRowEntries = kMaxCutOffs * (kMaxLags + 2);
constexpr int kModelRecords = 2 * kMaxLags + 4;
constexpr int kMaxPicks = 8;

struct HostArrays {
  // Fills every array with ordinary data: located samples with skewed
  // values, variograms rising to a sill, and valid selections.
  HostArrays();

  // Overwrites one element of one array with what input gives, as a host
  // may change the data it lent between two calls.
  void Poke(HostileInput* input);

  std::vector<KvDiscPnt> samples;   // first sample set
  std::vector<KvDiscPnt> samples2;  // second sample set
  std::vector<double> xs, ys;       // cross plot and cloud coordinates
  // The variogram chart: entries, model curve, positions, selection.
  std::vector<Variogram> entries;
  std::vector<ModIndVrg> model;
  std::vector<CPoint> positions;
  std::vector<int> selected;
  // The multiple-variogram chart: one array per variogram.
  std::vector<std::vector<Variogram>> variograms;
  std::vector<std::vector<CPoint>> variogram_positions;
  std::vector<Variogram*> variogram_rows;  // null slots are hostile too
  std::vector<CPoint*> position_rows;
  std::vector<LONG> lag_counts;
  std::vector<int> show_flags;
  std::vector<ULONG> point_colors, second_colors;
  // Selections of the cloud and its location map.
  std::vector<LONG> picks;
  std::vector<KVL_DOT> pairs;
};

// A copy of what the library may only read, compared after every call.
class ReadOnlySnapshot {
 public:
  explicit ReadOnlySnapshot(const HostArrays& arrays) { Take(arrays); }

  void Take(const HostArrays& arrays);
  // Returns an empty text when arrays match the snapshot, else what changed.
  // first_values_writable: the normal Q-Q compute step rewrote the first
  // set's values, which is its job. The model curve may change only where
  // a negative value became 0.
  std::string Compare(const HostArrays& arrays,
                      bool first_values_writable) const;

 private:
  HostArrays copy_;
};

#endif  // FUZZ_HOST_ARRAYS_H_
