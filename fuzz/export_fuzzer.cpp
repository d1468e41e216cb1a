// libFuzzer target: every export of every chart type, driven by programs
// that ExportProgram decodes from the input.
#include <cstddef>
#include <cstdint>

#include "fuzz/export_program.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ExportProgram program(data, size);
  program.Run();
  return 0;
}
