// The engine's work arrays: the huge-page buffer of the bottom layer, and the
// engine's copy of one attribute of the loaded samples.
#ifndef SIBLINGS_KORVALIB_BUFFER_H_
#define SIBLINGS_KORVALIB_BUFFER_H_

#include "base/buffer.h"

namespace korvalib {

using kvbase::Buffer;
using Column = Buffer<double>;

}  // namespace korvalib

#endif  // SIBLINGS_KORVALIB_BUFFER_H_
