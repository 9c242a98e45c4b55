// Polygon: a filled polygon with the DC's brush (alternate fill, pixel centres inside, right and
// bottom borders excluded) outlined with its pen, clipped to the DC's surface.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "gdi_registry.h"
#include "lines.h"
#include "surface.h"

namespace platform {

namespace {

// First column whose pixel centre lies at or right of where the edge crosses the centre line
// of row y: ceil(xc - 1/2) with xc = x0 + (y + 1/2 - y0) (x1 - x0) / (y1 - y0), y0 < y1, formed
// over 2 (y1 - y0) in 128 bits because the points may lie anywhere in the int32 range.
int64_t CrossingColumn(POINT p0, POINT p1, int64_t y) {
    const int64_t dy = int64_t{p1.y} - p0.y, dx = int64_t{p1.x} - p0.x;
    const __int128 numerator = static_cast<__int128>(2 * int64_t{p0.x}) * dy +
                               static_cast<__int128>(2 * y + 1 - 2 * int64_t{p0.y}) * dx - dy;
    const __int128 denominator = 2 * static_cast<__int128>(dy);
    __int128 quotient = numerator / denominator;
    if (numerator % denominator != 0 && numerator > 0) ++quotient;
    return static_cast<int64_t>(std::clamp<__int128>(quotient, INT32_MIN, INT32_MAX));
}

// Alternate (even-odd) fill: on each row the crossings, sorted, pair up into runs
// [left, right), so a pixel is inside when its centre is, and a centre exactly on an edge
// belongs to the run on its right or below.
void FillAlternate(const Surface &surface, const POINT *points, int count, PixelValue pixel,
                   int64_t *crossings) {
    int64_t top = points[0].y, bottom = points[0].y;
    for (int i = 1; i < count; ++i) {
        top = std::min<int64_t>(top, points[i].y);
        bottom = std::max<int64_t>(bottom, points[i].y);
    }
    top = std::max<int64_t>(top, 0);
    bottom = std::min<int64_t>(bottom, surface.height);
    for (int64_t y = top; y < bottom; ++y) {
        int found = 0;
        for (int i = 0; i < count; ++i) {
            POINT p0 = points[i], p1 = points[i + 1 == count ? 0 : i + 1];
            if (p0.y == p1.y) continue;
            if (p0.y > p1.y) std::swap(p0, p1);
            if (y < p0.y || y >= p1.y) continue;
            crossings[found++] = CrossingColumn(p0, p1, y);
        }
        std::sort(crossings, crossings + found);
        for (int k = 0; k + 1 < found; k += 2) {
            const int64_t left = std::max<int64_t>(crossings[k], 0);
            const int64_t right = std::min<int64_t>(crossings[k + 1], surface.width);
            if (left < right) FillSpan(surface, static_cast<int>(y), static_cast<int>(left), static_cast<int>(right), pixel);
        }
    }
}

}  // namespace

}  // namespace platform

// Needs at least two points. The interior is filled with the brush unless it is the null
// brush, then the closed outline is drawn with the pen unless it is the null pen.
extern "C" PLATFORM_API BOOL Polygon(HDC dc, const POINT *points, int count) {
    using namespace platform;
    if (!IsLiveDc(dc) || points == nullptr || count < 2) return FALSE;
    const Surface surface = DcSurface(dc);
    if (!surface.valid()) return TRUE;
    if (dc->brush != nullptr && !dc->brush->null) {
        // Each edge crosses a row at most once; small polygons keep their crossings on the stack.
        constexpr int kStackCrossings = 64;
        int64_t onStack[kStackCrossings];
        std::vector<int64_t> onHeap;
        int64_t *crossings = onStack;
        if (count > kStackCrossings) {
            onHeap.resize(static_cast<size_t>(count));
            crossings = onHeap.data();
        }
        FillAlternate(surface, points, count, MapColor(surface, dc->brush->color), crossings);
    }
    if (dc->pen != nullptr && !dc->pen->null) {
        const PixelValue pen = MapColor(surface, dc->pen->color);
        for (int i = 0; i < count; ++i) DrawLine(surface, points[i], points[i + 1 == count ? 0 : i + 1], pen);
    }
    return TRUE;
}
