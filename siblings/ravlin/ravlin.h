// Ravlin: named colour ramps as 256-entry tables of 16-bit (red, green,
// blue), entry 0 for the lowest value. The table belongs to the caller.
#ifndef SIBLINGS_RAVLIN_RAVLIN_H_
#define SIBLINGS_RAVLIN_RAVLIN_H_

#include <cstdint>

namespace ravlin {

constexpr int kTableEntries = 256;

}  // namespace ravlin

// Fills table[3 * i .. 3 * i + 2] = (red, green, blue), 0 .. 65535, for
// i = 0 .. 255 with the ramp whose zero-terminated name starts the request
// record, and writes 256 (the entry count) into *extra when extra is not
// null. Returns 1 when it filled the table. An unknown name, a null request
// or a null table leave table and extra untouched and return 0.
// Ramps: "Contour", blue (0) through cyan, green and yellow to red (255).
int _rvColorTable(const void* request, uint16_t* table, int32_t* extra);

#endif  // SIBLINGS_RAVLIN_RAVLIN_H_
