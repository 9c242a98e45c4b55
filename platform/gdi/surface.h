// The one place that writes pixels: colour mapping and span fills for 8-, 24- and 32-bit
// surfaces. Drawing calls reduce themselves to clipped spans and call these.
#pragma once

#include <cstdint>

#include "gdi_objects.h"

namespace platform {

// A colour converted once for one surface: a colour-table index on 8 bits, 0x00RRGGBB as
// stored (blue in the lowest byte) on 24 and 32 bits.
struct PixelValue {
    uint32_t value = 0;
};

// The colour-table entry nearest to color (squared distance in RGB, lowest index on ties).
uint8_t NearestColorIndex(const RGBQUAD *table, COLORREF color);

PixelValue MapColor(const Surface &surface, COLORREF color);

// Paints pixels x0 to x1 - 1 of line y; everything outside the surface is ignored.
void FillSpan(const Surface &surface, int y, int x0, int x1, PixelValue pixel);

// Paints the rectangle [left, right) x [top, bottom), clipped to the surface.
void FillRect(const Surface &surface, RECT rect, PixelValue pixel);

// Paints one pixel if it lies on the surface.
void PutPixel(const Surface &surface, int x, int y, PixelValue pixel);

// The colour of one pixel (through the colour table on 8 bits); 0 outside the surface.
COLORREF GetPixelColor(const Surface &surface, int x, int y);

}  // namespace platform
