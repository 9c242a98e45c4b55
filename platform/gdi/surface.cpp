// Pixel writers for each depth, and colour-to-pixel mapping.
#include "surface.h"

#include <algorithm>
#include <cstring>

namespace platform {

uint8_t NearestColorIndex(const RGBQUAD *table, COLORREF color) {
    const int r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < 256; ++i) {
        const int dr = table[i].rgbRed - r, dg = table[i].rgbGreen - g, db = table[i].rgbBlue - b;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
            if (distance == 0) break;
        }
    }
    return static_cast<uint8_t>(best);
}

PixelValue MapColor(const Surface &surface, COLORREF color) {
    if (surface.bitCount == 8) {
        return {surface.colorTable ? NearestColorIndex(surface.colorTable, color) : 0u};
    }
    return {static_cast<uint32_t>(GetBValue(color)) | (static_cast<uint32_t>(GetGValue(color)) << 8) |
            (static_cast<uint32_t>(GetRValue(color)) << 16)};
}

void FillSpan(const Surface &surface, int y, int x0, int x1, PixelValue pixel) {
    if (!surface.valid() || y < 0 || y >= surface.height) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, surface.width);
    if (x0 >= x1) return;
    uint8_t *row = surface.top + surface.pitch * y;
    switch (surface.bitCount) {
    case 8:
        std::memset(row + x0, static_cast<int>(pixel.value & 0xFF), static_cast<size_t>(x1 - x0));
        break;
    case 24:
        for (int x = x0; x < x1; ++x) {
            uint8_t *p = row + 3 * x;
            p[0] = static_cast<uint8_t>(pixel.value);
            p[1] = static_cast<uint8_t>(pixel.value >> 8);
            p[2] = static_cast<uint8_t>(pixel.value >> 16);
        }
        break;
    case 32:
        for (int x = x0; x < x1; ++x) {
            const uint32_t v = pixel.value & 0x00FFFFFF;
            std::memcpy(row + 4 * x, &v, 4);
        }
        break;
    default:
        break;
    }
}

void FillRect(const Surface &surface, RECT rect, PixelValue pixel) {
    const int top = std::max<int>(rect.top, 0);
    const int bottom = std::min<int>(rect.bottom, surface.height);
    for (int y = top; y < bottom; ++y) FillSpan(surface, y, rect.left, rect.right, pixel);
}

void PutPixel(const Surface &surface, int x, int y, PixelValue pixel) {
    FillSpan(surface, y, x, x + 1, pixel);
}

COLORREF GetPixelColor(const Surface &surface, int x, int y) {
    if (!surface.valid() || x < 0 || y < 0 || x >= surface.width || y >= surface.height) return 0;
    const uint8_t *row = surface.top + surface.pitch * y;
    switch (surface.bitCount) {
    case 8: {
        if (!surface.colorTable) return 0;
        const RGBQUAD &q = surface.colorTable[row[x]];
        return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }
    case 24:
        return RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    case 32:
        return RGB(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
    default:
        return 0;
    }
}

}  // namespace platform
