#include "fuzz/hostile_input.h"

#include <cstring>
#include <iterator>
#include <limits>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
const double kHostileDoubles[] = {
    std::numeric_limits<double>::quiet_NaN(),
    kInf,
    -kInf,
    0.0,
    -0.0,
    std::numeric_limits<double>::denorm_min(),
    -std::numeric_limits<double>::denorm_min(),
    std::numeric_limits<double>::min(),
    std::numeric_limits<double>::max(),
    std::numeric_limits<double>::lowest(),
    1e308,
    -1e308,
    1e154,
    -1e154,
    1e-300,
    1e-6,
    9e-6,
    1e21,
    -1e21,
    -999.0,
    -1000.0,
    0.5,
    1.0,
    -1.0,
    3.3,
    41.7,
    100.0,
    2147483648.0,
    -2147483649.0,
};

const int32_t kHostileInts[] = {
    std::numeric_limits<int32_t>::min(),
    std::numeric_limits<int32_t>::min() + 1,
    -1000000,
    -2,
    -1,
    std::numeric_limits<int32_t>::max(),
    std::numeric_limits<int32_t>::max() - 1,
    1 << 26,
    1000001,
    1000000,
};

}  // namespace

uint8_t HostileInput::Byte() {
  if (offset_ >= size_) return 0;
  return data_[offset_++];
}

uint32_t HostileInput::Below(uint32_t limit) {
  if (limit == 0) return 0;
  uint32_t value = Byte();
  if (limit > 256) value = (value << 8) | Byte();
  if (limit > 65536) value = (value << 16) | Byte() << 8 | Byte();
  return value % limit;
}

double HostileInput::Double() {
  const uint8_t selector = Byte();
  if (selector < 128) {
    return kHostileDoubles[selector % std::size(kHostileDoubles)];
  }
  if (selector < 192) {
    return static_cast<double>(static_cast<int>(Byte()) - 64);
  }
  uint64_t bits = 0;
  for (int i = 0; i < 8; ++i) bits = bits << 8 | Byte();
  double value;
  std::memcpy(&value, &bits, sizeof(value));
  return value;
}

int32_t HostileInput::Count(int32_t limit) {
  const uint8_t selector = Byte();
  if (selector < 224 || limit < 0) {
    return static_cast<int32_t>(Below(static_cast<uint32_t>(limit) + 1));
  }
  const int32_t hostile = kHostileInts[selector % std::size(kHostileInts)];
  return hostile < 0 ? hostile : -hostile;
}

int32_t HostileInput::AnyInt() {
  const uint8_t selector = Byte();
  if (selector < 64) return kHostileInts[selector % std::size(kHostileInts)];
  if (selector < 192) return static_cast<int32_t>(Byte()) - 16;
  return static_cast<int32_t>(Below(std::numeric_limits<uint32_t>::max()));
}

std::string HostileInput::Text(size_t max_length) {
  const size_t length = Below(static_cast<uint32_t>(max_length) + 1);
  std::string text;
  for (size_t i = 0; i < length && !empty(); ++i) {
    text.push_back(static_cast<char>(Byte()));
  }
  return text;
}

std::string HostileInput::Rest() {
  std::string text(reinterpret_cast<const char*>(data_) + offset_,
                   size_ - offset_);
  offset_ = size_;
  return text;
}
