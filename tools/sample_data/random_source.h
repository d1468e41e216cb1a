// RandomSource: a small, fully specified random generator (xoshiro256**
// seeded through splitmix64, normals by Box-Muller), so the bundled sample
// comes out the same on every machine and standard library.
#ifndef TOOLS_SAMPLE_DATA_RANDOM_SOURCE_H_
#define TOOLS_SAMPLE_DATA_RANDOM_SOURCE_H_

#include <cstdint>

class RandomSource {
 public:
  explicit RandomSource(uint64_t seed);

  uint64_t Next();   // 64 random bits
  double Uniform();  // in [0, 1), 53 bits
  double Normal();   // standard normal

 private:
  uint64_t state_[4];
  bool has_spare_ = false;
  double spare_ = 0.0;
};

#endif  // TOOLS_SAMPLE_DATA_RANDOM_SOURCE_H_
