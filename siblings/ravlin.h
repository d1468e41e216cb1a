// What the local-mean map calls in the colour-table library Ravlin: fills a
// 256-entry table of 16-bit (red, green, blue) for the ramp named at the start
// of the request record; an unknown name leaves the table as it was (zeroed).
#ifndef SIBLINGS_RAVLIN_H_
#define SIBLINGS_RAVLIN_H_

#include <cstdint>

int _rvColorTable(const void* request, uint16_t* table, int32_t* extra);

#endif  // SIBLINGS_RAVLIN_H_
