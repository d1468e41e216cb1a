#include "tools/sample_data/random_source.h"

#include <cmath>

namespace {

constexpr double kTwoPi = 6.283185307179586476925;

uint64_t SplitMix64(uint64_t* x) {
  uint64_t z = (*x += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

uint64_t RotateLeft(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

}  // namespace

RandomSource::RandomSource(uint64_t seed) {
  for (uint64_t& s : state_) s = SplitMix64(&seed);
}

uint64_t RandomSource::Next() {
  const uint64_t result = RotateLeft(state_[1] * 5, 7) * 9;
  const uint64_t t = state_[1] << 17;
  state_[2] ^= state_[0];
  state_[3] ^= state_[1];
  state_[1] ^= state_[2];
  state_[0] ^= state_[3];
  state_[2] ^= t;
  state_[3] = RotateLeft(state_[3], 45);
  return result;
}

double RandomSource::Uniform() {
  return static_cast<double>(Next() >> 11) * 0x1.0p-53;
}

double RandomSource::Normal() {
  if (has_spare_) {
    has_spare_ = false;
    return spare_;
  }
  const double u1 = 1.0 - Uniform();  // in (0, 1]: the logarithm is finite
  const double u2 = Uniform();
  const double radius = std::sqrt(-2.0 * std::log(u1));
  spare_ = radius * std::sin(kTwoPi * u2);
  has_spare_ = true;
  return radius * std::cos(kTwoPi * u2);
}
