// What the local-mean map calls in the colour-table library Ravlin: its own
// header, which declares and documents the one operation.
#ifndef SIBLINGS_RAVLIN_H_
#define SIBLINGS_RAVLIN_H_

#include "siblings/ravlin/ravlin.h"

#endif  // SIBLINGS_RAVLIN_H_
