// What the charts call in the statistics engine KorvaLib: its own header,
// which declares and documents each operation.
#ifndef SIBLINGS_KORVALIB_H_
#define SIBLINGS_KORVALIB_H_

#include "siblings/korvalib/korvalib.h"

#endif  // SIBLINGS_KORVALIB_H_
