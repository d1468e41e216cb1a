// Inflate: decompresses zlib streams (RFC 1950 around RFC 1951 deflate), as
// PNG files hold their pixels. Enough to check a picture without linking an
// image library into a host that only links the chart library.
#ifndef TOOLS_KORVAGRAPH_INFLATE_H_
#define TOOLS_KORVAGRAPH_INFLATE_H_

#include <cstdint>
#include <string>
#include <vector>

// Decompresses a zlib stream into *out. Returns false with a reason in
// *error for a malformed or truncated stream or a wrong checksum.
bool ZlibInflate(const std::vector<uint8_t>& in, std::vector<uint8_t>* out,
                 std::string* error);

#endif  // TOOLS_KORVAGRAPH_INFLATE_H_
