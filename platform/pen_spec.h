// What a pen is made of: the three arguments of CreatePen.
#ifndef PLATFORM_PEN_SPEC_H_
#define PLATFORM_PEN_SPEC_H_

#include "platform/win_types.h"

struct PenSpec {
  int style = PS_SOLID;
  int width = 1;
  COLORREF color = 0;
};

#endif  // PLATFORM_PEN_SPEC_H_
