// HostileInput: turns a fuzzer's bytes into the values a hostile host or
// data file would hand over: doubles that are NaN, infinite, subnormal or
// huge, counts from INT_MIN up, and names with control bytes and NULs.
// It reads the caller's buffer, which must outlive it; once the bytes run
// out every read returns zero or an empty text.
#ifndef FUZZ_HOSTILE_INPUT_H_
#define FUZZ_HOSTILE_INPUT_H_

#include <cstddef>
#include <cstdint>
#include <string>

class HostileInput {
 public:
  HostileInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool empty() const { return offset_ >= size_; }
  size_t remaining() const { return size_ - offset_; }

  uint8_t Byte();
  // Returns a number in [0, limit); 0 when limit is 0.
  uint32_t Below(uint32_t limit);
  bool Flag() { return (Byte() & 1) != 0; }
  // Returns a double: mostly one of the values that break arithmetic
  // (NaN, infinities, 0, -0, subnormals, 1e308, -999, 1e21, ...), else
  // eight raw bytes or a small whole number.
  double Double();
  // Returns a count for an array of length limit: mostly 0 to limit, else a
  // hostile negative (INT_MIN, -1, ...). Never above limit, so that the
  // arrays are always as long as the counts passed.
  int32_t Count(int32_t limit);
  // Returns any 32-bit integer, biased towards the ends of the range.
  int32_t AnyInt();
  // Returns up to max_length raw bytes (NULs, escapes, broken UTF-8).
  std::string Text(size_t max_length);
  // Returns the rest of the input as text.
  std::string Rest();

 private:
  const uint8_t* data_;
  size_t size_;
  size_t offset_ = 0;
};

#endif  // FUZZ_HOSTILE_INPUT_H_
