// Saving a raster as an 8-bit RGB PNG file with libpng.
#ifndef PLATFORM_PNG_WRITER_H_
#define PLATFORM_PNG_WRITER_H_

#include <string>

#include "platform/raster.h"

// Writes the raster to path; false when the file cannot be written or the
// raster is empty.
bool WritePng(const Raster& raster, const std::string& path);

#endif  // PLATFORM_PNG_WRITER_H_
