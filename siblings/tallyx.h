// What the charts call in the descriptive-statistics library Tallyx.
#ifndef SIBLINGS_TALLYX_H_
#define SIBLINGS_TALLYX_H_

#include "siblings/tallyx/tallyx.h"

#endif  // SIBLINGS_TALLYX_H_
