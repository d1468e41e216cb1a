// Rectangle and Ellipse as the platform paints them: the brush fills the
// interior first, then the pen paints the outline, one dot pattern running
// around the whole outline. Right and bottom edges are excluded.
#ifndef PLATFORM_SHAPE_RASTER_H_
#define PLATFORM_SHAPE_RASTER_H_

#include <cstdint>

#include "platform/raster.h"
#include "platform/stroke.h"

// A shape's bounding box in device pixels, as given (corners in any order).
struct ShapeBox {
  int64_t left, top, right, bottom;
};

void DrawRectangle(Raster& raster, const Stroke& pen, COLORREF brush,
                   ShapeBox box);
void DrawEllipse(Raster& raster, const Stroke& pen, COLORREF brush,
                 ShapeBox box);

#endif  // PLATFORM_SHAPE_RASTER_H_
