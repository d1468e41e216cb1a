// ExportProgram: decodes fuzzer bytes into a program of export calls on one
// graph object at a time, as a careful host makes them (arrays as long as
// the counts passed, outputs sized from the count exports) but with hostile
// values, counts, names and window sizes. After every call it checks what
// the sanitizers cannot see and aborts with a message on the first breach:
// the status, output counts within bounds, host arrays that the library
// only reads left unchanged, and the drawing-object ledger balanced.
#ifndef FUZZ_EXPORT_PROGRAM_H_
#define FUZZ_EXPORT_PROGRAM_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "fuzz/host_arrays.h"
#include "fuzz/hostile_input.h"
#include "korvagraph/KorvaGraphLib.h"
#include "korvagraph/canvas_window.h"
#include "platform/ledger.h"

class ExportProgram {
 public:
  ExportProgram(const uint8_t* data, size_t size);
  ~ExportProgram();
  ExportProgram(const ExportProgram&) = delete;
  ExportProgram& operator=(const ExportProgram&) = delete;

  // Runs every call the input encodes.
  void Run();

 private:
  void Step(uint32_t op);
  void Load(uint32_t op);
  void Set(uint32_t op);
  void Compute(uint32_t op);
  void Output(uint32_t op);
  void Draw(uint32_t op);
  void Transform(uint32_t op);
  void Recreate();

  // Checks the state after the export name returned status.
  void Checked(const char* name, LONG status);
  // Checks the export's status against the one a non-null handle gives
  // (expected; 0 accepts 1 and -1), then the host arrays and the ledger.
  void Checked(const char* name, LONG status, LONG expected);
  // Checks an output count and returns it as an array length.
  size_t CheckedCount(const char* name, LONG count, long long bound);
  CWnd* Window();
  LONG Classes();

  HostileInput input_;
  HostArrays arrays_;
  ReadOnlySnapshot snapshot_;
  std::unique_ptr<CanvasWindow> window_;
  std::unique_ptr<CanvasWindow> legend_;
  GdiLedger ledger_;
  CKorvaGraph* graph_ = nullptr;
  LONG type_ = 0;
  bool nqq_rewrites_values_ = false;
  // Bound of the output counts: the most samples ever loaded.
  long long most_samples_ = 0;
};

#endif  // FUZZ_EXPORT_PROGRAM_H_
