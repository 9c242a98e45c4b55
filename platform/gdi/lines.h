// Cosmetic one-pixel lines, clipped to a surface: the outline of Polygon and the segments of
// Polyline.
#pragma once

#include "surface.h"

namespace platform {

// Paints the line from `from` towards `to`, leaving out the pixel at `to` so that joined
// segments paint each shared point once. Along the longer axis (x when the extents are equal)
// every pixel is painted; the other coordinate is the nearest integer to the exact line, an
// exact half rounded toward `from`. Points may lie anywhere in the int32 range; only pixels on
// the surface are written.
void DrawLine(const Surface &surface, POINT from, POINT to, PixelValue pixel);

}  // namespace platform
