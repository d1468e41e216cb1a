// The ledger of live drawing objects and device contexts, for leak checks.
#ifndef PLATFORM_LEDGER_H_
#define PLATFORM_LEDGER_H_

struct GdiLedger {
  int pens = 0;
  int brushes = 0;
  int fonts = 0;
  int device_contexts = 0;
  friend bool operator==(const GdiLedger& a, const GdiLedger& b) {
    return a.pens == b.pens && a.brushes == b.brushes && a.fonts == b.fonts &&
           a.device_contexts == b.device_contexts;
  }
  friend bool operator!=(const GdiLedger& a, const GdiLedger& b) {
    return !(a == b);
  }
};

// Returns the counts of live pens, brushes, fonts and taken device contexts.
GdiLedger CurrentGdiLedger();

#endif  // PLATFORM_LEDGER_H_
