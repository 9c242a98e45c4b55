// Internal operations of the 8-bit polygon fillers: the span fills that the exported fillers
// call once a polygon is clipped and in buffer rows, and the Gouraud run painter.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win32.h"

namespace pv {

// Every vertex lies inside the frame, y in buffer rows; count >= 1 (>= 3 for Gouraud). The row
// step is a full ptrdiff_t, so frames wider than 64 KiB rows address correctly.
void FillSpansSolid(uint8_t *pixels, ptrdiff_t stride, const POINT *vertices, int count, uint8_t index);
void FillSpansHalftone(uint8_t *pixels, ptrdiff_t stride, const POINT *vertices, int count,
                       const uint8_t pattern[16]);
void FillSpansGouraud(uint8_t *pixels, ptrdiff_t stride, const POINT *vertices, int count,
                      const uint32_t *packed, const uint8_t *lookup);

// The 16 palette indices of the halftone pattern of a colour, 4 rows of 4.
void BuildHalftonePattern(uint32_t color, int variant, uint8_t pattern[16]);

// Sixteenths of red, green and blue at one end of a Gouraud run.
struct RunColor {
    int32_t red, green, blue;
};

// Paints row's pixels xa to xb inclusive (either order) with the colour stepped from a to b by
// the lagging integer analyser, dithered with the row's threshold row. lookup is the
// shift-indexed cube of the palette layout (PixelLookup).
void FillGouraudSpan(uint8_t *pixels, ptrdiff_t stride, int32_t xa, int32_t row, int32_t xb,
                     RunColor a, RunColor b, const uint8_t *lookup);

// The same run painted one pixel at a time straight from the rule; FillGouraudSpan must give
// identical bytes.
void FillGouraudSpanReference(uint8_t *pixels, ptrdiff_t stride, int32_t xa, int32_t row, int32_t xb,
                              RunColor a, RunColor b, const uint8_t *lookup);

// Solid brush, null pen and the platform's Polygon on memoryDC: the fill of displays without
// a palette.
void FillThroughPlatform(const POINT *points, int32_t count, uint32_t color);

}  // namespace pv
