#include "tools/korvagraph/inflate.h"

#include <array>

namespace {

constexpr int kMaxBits = 15;
constexpr int kLiteralCodes = 288;
constexpr int kDistanceCodes = 30;

// Base lengths and extra bits of length codes 257..285, and of distances.
constexpr uint16_t kLengthBase[29] = {
    3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
    31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1,
                                      1, 1, 2, 2, 2, 2, 3, 3, 3, 3,
                                      4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint16_t kDistanceBase[30] = {
    1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
    33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
    1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint8_t kDistanceExtra[30] = {0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                        4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                        9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// Order in which code-length code lengths are stored.
constexpr uint8_t kCodeLengthOrder[19] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                          11, 4,  12, 3, 13, 2, 14, 1, 15};

// A canonical Huffman code: symbol counts per length and symbols in order.
struct Huffman {
  std::array<uint16_t, kMaxBits + 1> count{};
  std::vector<uint16_t> symbol;
};

// Builds a code from lengths; false when the lengths over-subscribe.
bool BuildHuffman(const uint8_t* lengths, int n, Huffman* h) {
  h->count.fill(0);
  h->symbol.assign(n, 0);
  for (int s = 0; s < n; ++s) ++h->count[lengths[s]];
  if (h->count[0] == n) return true;  // no codes: only an error if used
  int left = 1;
  for (int len = 1; len <= kMaxBits; ++len) {
    left <<= 1;
    left -= h->count[len];
    if (left < 0) return false;
  }
  std::array<uint16_t, kMaxBits + 1> offset{};
  for (int len = 1; len < kMaxBits; ++len) {
    offset[len + 1] = offset[len] + h->count[len];
  }
  for (int s = 0; s < n; ++s) {
    if (lengths[s] != 0) h->symbol[offset[lengths[s]]++] = s;
  }
  return true;
}

class Inflater {
 public:
  Inflater(const std::vector<uint8_t>& in, size_t start,
           std::vector<uint8_t>* out)
      : in_(in), pos_(start), out_(out) {}

  bool Run(std::string* error);
  size_t position() const { return pos_; }

 private:
  // Reads need bits, least significant first; sets failed_ past the end.
  int Bits(int need) {
    long value = bit_buffer_;
    while (bit_count_ < need) {
      if (pos_ >= in_.size()) {
        failed_ = true;
        return 0;
      }
      value |= static_cast<long>(in_[pos_++]) << bit_count_;
      bit_count_ += 8;
    }
    bit_buffer_ = value >> need;
    bit_count_ -= need;
    return static_cast<int>(value & ((1L << need) - 1));
  }
  // Decodes one symbol, or -1.
  int Decode(const Huffman& h) {
    int code = 0, first = 0, index = 0;
    for (int len = 1; len <= kMaxBits; ++len) {
      code |= Bits(1);
      if (failed_) return -1;
      const int count = h.count[len];
      if (code - count < first) return h.symbol[index + (code - first)];
      index += count;
      first += count;
      first <<= 1;
      code <<= 1;
    }
    return -1;
  }
  bool Stored(std::string* error);
  bool Codes(const Huffman& lengths, const Huffman& distances,
             std::string* error);
  bool Dynamic(std::string* error);
  bool Fixed(std::string* error);

  const std::vector<uint8_t>& in_;
  size_t pos_;
  std::vector<uint8_t>* out_;
  long bit_buffer_ = 0;
  int bit_count_ = 0;
  bool failed_ = false;
};

bool Inflater::Stored(std::string* error) {
  bit_buffer_ = 0;
  bit_count_ = 0;  // stored blocks start on a byte boundary
  if (pos_ + 4 > in_.size()) {
    *error = "truncated stored block";
    return false;
  }
  const unsigned len = in_[pos_] | (in_[pos_ + 1] << 8);
  const unsigned nlen = in_[pos_ + 2] | (in_[pos_ + 3] << 8);
  pos_ += 4;
  if (len != (~nlen & 0xFFFFu)) {
    *error = "stored block length check failed";
    return false;
  }
  if (pos_ + len > in_.size()) {
    *error = "truncated stored block";
    return false;
  }
  out_->insert(out_->end(), in_.begin() + pos_, in_.begin() + pos_ + len);
  pos_ += len;
  return true;
}

bool Inflater::Codes(const Huffman& lengths, const Huffman& distances,
                     std::string* error) {
  for (;;) {
    int symbol = Decode(lengths);
    if (symbol < 0) {
      *error = "bad literal or length code";
      return false;
    }
    if (symbol < 256) {
      out_->push_back(static_cast<uint8_t>(symbol));
    } else if (symbol == 256) {
      return true;
    } else {
      symbol -= 257;
      if (symbol >= 29) {
        *error = "bad length code";
        return false;
      }
      const size_t len = kLengthBase[symbol] + Bits(kLengthExtra[symbol]);
      const int dsym = Decode(distances);
      if (dsym < 0 || dsym >= kDistanceCodes) {
        *error = "bad distance code";
        return false;
      }
      const size_t dist = kDistanceBase[dsym] + Bits(kDistanceExtra[dsym]);
      if (failed_ || dist > out_->size()) {
        *error = "distance reaches before the start of the data";
        return false;
      }
      const size_t from = out_->size() - dist;
      for (size_t k = 0; k < len; ++k) out_->push_back((*out_)[from + k]);
    }
  }
}

bool Inflater::Fixed(std::string* error) {
  uint8_t lengths[kLiteralCodes];
  int s = 0;
  for (; s < 144; ++s) lengths[s] = 8;
  for (; s < 256; ++s) lengths[s] = 9;
  for (; s < 280; ++s) lengths[s] = 7;
  for (; s < kLiteralCodes; ++s) lengths[s] = 8;
  uint8_t distance_lengths[kDistanceCodes];
  for (uint8_t& len : distance_lengths) len = 5;
  Huffman literal, distance;
  BuildHuffman(lengths, kLiteralCodes, &literal);
  BuildHuffman(distance_lengths, kDistanceCodes, &distance);
  return Codes(literal, distance, error);
}

bool Inflater::Dynamic(std::string* error) {
  const int nlen = Bits(5) + 257;
  const int ndist = Bits(5) + 1;
  const int ncode = Bits(4) + 4;
  if (failed_ || nlen > 286 || ndist > kDistanceCodes) {
    *error = "bad dynamic block header";
    return false;
  }
  uint8_t lengths[286 + kDistanceCodes] = {};
  for (int i = 0; i < ncode; ++i) lengths[kCodeLengthOrder[i]] = Bits(3);
  Huffman code_lengths;
  if (failed_ || !BuildHuffman(lengths, 19, &code_lengths)) {
    *error = "bad code-length code";
    return false;
  }
  int index = 0;
  while (index < nlen + ndist) {
    int symbol = Decode(code_lengths);
    if (symbol < 0) {
      *error = "bad code length";
      return false;
    }
    if (symbol < 16) {
      lengths[index++] = static_cast<uint8_t>(symbol);
      continue;
    }
    uint8_t repeat_length = 0;
    int repeat;
    if (symbol == 16) {
      if (index == 0) {
        *error = "repeat with no previous length";
        return false;
      }
      repeat_length = lengths[index - 1];
      repeat = 3 + Bits(2);
    } else if (symbol == 17) {
      repeat = 3 + Bits(3);
    } else {
      repeat = 11 + Bits(7);
    }
    if (failed_ || index + repeat > nlen + ndist) {
      *error = "too many code lengths";
      return false;
    }
    while (repeat-- > 0) lengths[index++] = repeat_length;
  }
  if (lengths[256] == 0) {
    *error = "no end-of-block code";
    return false;
  }
  Huffman literal, distance;
  if (!BuildHuffman(lengths, nlen, &literal) ||
      !BuildHuffman(lengths + nlen, ndist, &distance)) {
    *error = "over-subscribed code";
    return false;
  }
  return Codes(literal, distance, error);
}

bool Inflater::Run(std::string* error) {
  int last;
  do {
    last = Bits(1);
    const int type = Bits(2);
    if (failed_) break;
    bool ok;
    switch (type) {
      case 0:
        ok = Stored(error);
        break;
      case 1:
        ok = Fixed(error);
        break;
      case 2:
        ok = Dynamic(error);
        break;
      default:
        *error = "bad block type";
        return false;
    }
    if (!ok && !failed_) return false;
    if (failed_) break;
  } while (!last);
  if (failed_) {
    *error = "truncated stream";
    return false;
  }
  return true;
}

uint32_t Adler32(const std::vector<uint8_t>& data) {
  uint32_t a = 1, b = 0;
  for (uint8_t byte : data) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

}  // namespace

bool ZlibInflate(const std::vector<uint8_t>& in, std::vector<uint8_t>* out,
                 std::string* error) {
  out->clear();
  if (in.size() < 6) {
    *error = "zlib stream too short";
    return false;
  }
  if ((in[0] & 0x0F) != 8 || ((in[0] << 8) | in[1]) % 31 != 0 ||
      (in[1] & 0x20) != 0) {
    *error = "not a zlib deflate stream";
    return false;
  }
  Inflater inflater(in, 2, out);
  if (!inflater.Run(error)) return false;
  const size_t end = inflater.position();
  if (end + 4 > in.size()) {
    *error = "missing checksum";
    return false;
  }
  const uint32_t expected = (static_cast<uint32_t>(in[end]) << 24) |
                            (in[end + 1] << 16) | (in[end + 2] << 8) |
                            in[end + 3];
  if (Adler32(*out) != expected) {
    *error = "checksum mismatch";
    return false;
  }
  return true;
}
