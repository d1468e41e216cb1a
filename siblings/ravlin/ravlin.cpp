#include "siblings/ravlin/ravlin.h"

#include "siblings/ravlin/color_ramp.h"

int _rvColorTable(const void* request, uint16_t* table, int32_t* extra) {
  if (request == nullptr || table == nullptr) return 0;
  const ravlin::ColorRamp* ramp =
      ravlin::FindRamp(static_cast<const char*>(request));
  if (ramp == nullptr) return 0;
  ravlin::SampleRamp(*ramp, table, ravlin::kTableEntries);
  if (extra != nullptr) *extra = ravlin::kTableEntries;
  return 1;
}
