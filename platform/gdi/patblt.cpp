// Pattern fills: a rectangle of the DC's surface painted with its brush, or black or white.
#include <algorithm>
#include <cstdint>

#include "gdi_registry.h"
#include "surface.h"

namespace platform {
namespace {

// The rectangle x, y, width, height with negative extents turned around and the far edges
// kept within int range; FillRect clips it to the surface.
RECT NormalisedRect(int x, int y, int width, int height) {
    int64_t left = x, top = y, right = int64_t{x} + width, bottom = int64_t{y} + height;
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    const auto clamp = [](int64_t v) {
        return static_cast<LONG>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
    };
    return {clamp(left), clamp(top), clamp(right), clamp(bottom)};
}

}  // namespace

}  // namespace platform

// PATCOPY paints the selected brush (nothing for the null brush); BLACKNESS and WHITENESS
// write all-zero and all-one pixels. Other raster operations are not supported. A DC with
// nothing to draw into (the screen) accepts the call and paints nothing.
extern "C" PLATFORM_API BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
    using namespace platform;
    if (!IsLiveDc(dc)) return FALSE;
    if (rop != PATCOPY && rop != BLACKNESS && rop != WHITENESS) return FALSE;
    const Surface surface = DcSurface(dc);
    if (!surface.valid()) return TRUE;
    PixelValue pixel;
    if (rop == PATCOPY) {
        if (dc->brush->null) return TRUE;
        pixel = MapColor(surface, dc->brush->color);
    } else {
        pixel.value = rop == WHITENESS ? 0xFFFFFFFFu : 0u;
    }
    FillRect(surface, NormalisedRect(x, y, width, height), pixel);
    return TRUE;
}
