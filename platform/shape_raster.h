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

// The same in two steps, so that a drawing call can end in the writing.
// A small ellipse's pixels, prepared for one raster width.
struct EllipseShape;
// Returns the shape of the ellipse the quick path takes, ready to write
// with its corner at *corner, or null (and *corner untouched) for anything
// else.
const EllipseShape* FindSmallEllipseInside(Raster& raster, int64_t left,
                                           int64_t top, int64_t right,
                                           int64_t bottom, COLORREF** corner);
// Paints the shape found, with a solid one-pixel pen; returns 1.
[[gnu::noinline]] int WriteSmallEllipse(const EllipseShape& shape,
                                        COLORREF* corner, COLORREF pen_color,
                                        COLORREF brush);

#endif  // PLATFORM_SHAPE_RASTER_H_
