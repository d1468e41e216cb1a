// Drawing a window's current picture again, from its display list, into a
// cairo surface: an SVG or PDF file, or a PNG at any scale. The geometry
// follows the raster's pixel rules, so that at scale 1 the shapes cover the
// pixels the raster painted; text is set as text in the raster's font.
#ifndef PLATFORM_VECTOR_EXPORT_H_
#define PLATFORM_VECTOR_EXPORT_H_

#include <string>

#include "platform/window_state.h"

enum class PictureFormat { kSvg, kPdf, kPng };

// Writes the window's picture to path, `scale` output units (points for SVG
// and PDF, pixels for PNG) per window pixel. False when the picture was not
// kept (see DisplayList::kMaxOps), the scale is not positive and finite, or
// the file cannot be written.
bool ExportPicture(const WindowState& window, PictureFormat format,
                   double scale, const std::string& path);

#endif  // PLATFORM_VECTOR_EXPORT_H_
