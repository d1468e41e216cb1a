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
// The quick path of a chart's markers: a small ellipse (up to 64 pixels a
// side) wholly inside the raster, drawn with a solid one-pixel pen. Paints
// it as DrawEllipse would and returns true; for anything else paints
// nothing and returns false.
bool DrawSmallEllipseInside(Raster& raster, COLORREF pen_color,
                            COLORREF brush, int64_t left, int64_t top,
                            int64_t right, int64_t bottom);

#endif  // PLATFORM_SHAPE_RASTER_H_
