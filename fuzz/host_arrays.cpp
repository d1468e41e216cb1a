#include "fuzz/host_arrays.h"

#include <cstring>

namespace {

template <typename T>
bool SameBytes(const std::vector<T>& a, const std::vector<T>& b) {
  return a.size() == b.size() &&
         (a.empty() ||
          std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
}

// Returns true when the samples match except, where allowed, the values.
bool SameSamples(std::vector<KvDiscPnt> a, const std::vector<KvDiscPnt>& b,
                 bool values_writable) {
  if (values_writable && a.size() == b.size()) {
    for (size_t i = 0; i < a.size(); ++i) a[i].value = b[i].value;
  }
  return SameBytes(a, b);
}

// Returns true when every model record matches, or lost a negative value
// to 0 (the variogram chart clips the curve it draws).
bool SameModel(const std::vector<ModIndVrg>& before,
               std::vector<ModIndVrg> after) {
  if (before.size() != after.size()) return false;
  for (size_t i = 0; i < after.size(); ++i) {
    if (after[i].value == 0.0 && before[i].value < 0.0) {
      after[i].value = before[i].value;
    }
  }
  return SameBytes(before, after);
}

// Returns the ordinary variogram entry k of a row: lag k, rising to 10.
Variogram Entry(int k) {
  Variogram v{};
  v.h = k;
  v.gamma = 10.0 * (1.0 - 1.0 / (1.0 + k));
  v.npairs = 30 + 3 * k;
  return v;
}

void PokeEntry(HostileInput* input, std::vector<Variogram>* row) {
  Variogram& v = (*row)[input->Below(static_cast<uint32_t>(row->size()))];
  switch (input->Below(3)) {
    case 0:
      v.h = input->Double();
      break;
    case 1:
      v.gamma = input->Double();
      break;
    default:
      v.npairs = input->AnyInt();
  }
}

}  // namespace

HostArrays::HostArrays() {
  for (int i = 0; i < kMaxSamples; ++i) {
    KvDiscPnt s{};
    s.x = (i * 37) % 100 + 0.5;
    s.y = (i * 53) % 90;
    s.value = 0.25 * i * i / (1 + i % 7);
    s.value2 = 3.0 * i - 0.1 * i * i;
    samples.push_back(s);
    s.value = 100.0 - i;
    samples2.push_back(s);
    xs.push_back(s.x);
    ys.push_back(s.y);
  }
  for (int i = 0; i < kRowEntries; ++i) {
    entries.push_back(Entry(i % (kMaxLags + 2)));
    positions.push_back(CPoint{0, 0});
    selected.push_back(i % 5 == 0 ? 1 : 0);
  }
  for (int i = 0; i < kModelRecords; ++i) {
    ModIndVrg m{};
    m.h = 0.5 * i;
    m.value = 10.0 * (1.0 - 1.0 / (1.0 + 0.5 * i));
    model.push_back(m);
  }
  variograms.assign(kMaxVariograms, entries);
  variogram_positions.assign(kMaxVariograms,
                             std::vector<CPoint>(kRowEntries, CPoint{0, 0}));
  for (int v = 0; v < kMaxVariograms; ++v) {
    variogram_rows.push_back(variograms[v].data());
    position_rows.push_back(variogram_positions[v].data());
    lag_counts.push_back(kMaxLags - v);
    show_flags.push_back(1);
    const uint8_t shade = static_cast<uint8_t>(40 * v);
    point_colors.push_back(KvRgb(shade, 0, static_cast<uint8_t>(255 - shade)));
    second_colors.push_back(KvRgb(0, shade, 0));
  }
  for (int i = 0; i < kMaxPicks; ++i) {
    picks.push_back(3 * i);
    pairs.push_back(KVL_DOT{i, kMaxSamples - 1 - i});
  }
}

void HostArrays::Poke(HostileInput* input) {
  const uint32_t at = input->Below(kMaxSamples);
  switch (input->Below(12)) {
    case 0:
    case 1: {
      KvDiscPnt& s = input->Flag() ? samples[at] : samples2[at];
      double* fields[] = {&s.x, &s.y, &s.z, &s.value, &s.value2};
      *fields[input->Below(5)] = input->Double();
      return;
    }
    case 2:
      xs[at] = input->Double();
      return;
    case 3:
      ys[at] = input->Double();
      return;
    case 4:
      return PokeEntry(input, &entries);
    case 5: {
      ModIndVrg& m = model[input->Below(kModelRecords)];
      (input->Flag() ? m.h : m.value) = input->Double();
      return;
    }
    case 6:
      return PokeEntry(input, &variograms[input->Below(kMaxVariograms)]);
    case 7: {
      // A missing variogram slot, or the slot back.
      const uint32_t v = input->Below(kMaxVariograms);
      variogram_rows[v] = input->Flag() ? nullptr : variograms[v].data();
      return;
    }
    case 8: {
      // The count stays within the array: n + 2 entries per row.
      const uint32_t v = input->Below(kMaxVariograms);
      lag_counts[v] = static_cast<LONG>(input->Below(kMaxLags + 4)) - 3;
      show_flags[v] = input->AnyInt();
      return;
    }
    case 9:
      point_colors[at % kMaxVariograms] = input->AnyInt();
      second_colors[at % kMaxVariograms] = input->AnyInt();
      return;
    case 10:
      selected[input->Below(kRowEntries)] = input->AnyInt();
      return;
    default:
      picks[at % kMaxPicks] = input->AnyInt();
      pairs[at % kMaxPicks] = KVL_DOT{input->AnyInt(), input->AnyInt()};
  }
}

void ReadOnlySnapshot::Take(const HostArrays& arrays) { copy_ = arrays; }

std::string ReadOnlySnapshot::Compare(const HostArrays& arrays,
                                      bool first_values_writable) const {
  if (!SameSamples(arrays.samples, copy_.samples, first_values_writable)) {
    return "first sample set";
  }
  if (!SameSamples(arrays.samples2, copy_.samples2, false)) {
    return "second sample set";
  }
  if (!SameBytes(arrays.xs, copy_.xs) || !SameBytes(arrays.ys, copy_.ys)) {
    return "coordinate arrays";
  }
  if (!SameBytes(arrays.entries, copy_.entries)) return "variogram entries";
  if (!SameModel(copy_.model, arrays.model)) return "model curve";
  if (!SameBytes(arrays.selected, copy_.selected)) return "selection flags";
  for (size_t v = 0; v < arrays.variograms.size(); ++v) {
    if (!SameBytes(arrays.variograms[v], copy_.variograms[v])) {
      return "variogram " + std::to_string(v) + " of the multiple chart";
    }
  }
  if (!SameBytes(arrays.variogram_rows, copy_.variogram_rows) ||
      !SameBytes(arrays.position_rows, copy_.position_rows) ||
      !SameBytes(arrays.lag_counts, copy_.lag_counts) ||
      !SameBytes(arrays.show_flags, copy_.show_flags) ||
      !SameBytes(arrays.point_colors, copy_.point_colors) ||
      !SameBytes(arrays.second_colors, copy_.second_colors)) {
    return "multiple-variogram tables";
  }
  if (!SameBytes(arrays.picks, copy_.picks) ||
      !SameBytes(arrays.pairs, copy_.pairs)) {
    return "cloud selections";
  }
  return "";
}
