// The clipped cosmetic line rasteriser.
#include "lines.h"

#include <algorithm>
#include <cstdint>

namespace platform {

namespace {

// Offsets along the minor axis, for major steps i = first, first + 1, ...: the nearest integer
// to i * minorLength / majorLength, halves toward the start, which is
// (2 i minorLength + majorLength - 1) div (2 majorLength). The first value needs 66 bits; then
// the remainder only grows by 2 minorLength per step.
struct MinorWalk {
    int64_t offset;
    int64_t remainder;
    int64_t twiceMinor;
    int64_t twiceMajor;

    MinorWalk(int64_t first, int64_t majorLength, int64_t minorLength)
        : twiceMinor(2 * minorLength), twiceMajor(2 * majorLength) {
        const __int128 numerator = static_cast<__int128>(2 * first) * minorLength + majorLength - 1;
        offset = static_cast<int64_t>(numerator / twiceMajor);
        remainder = static_cast<int64_t>(numerator % twiceMajor);
    }
    void Step() {
        remainder += twiceMinor;
        if (remainder >= twiceMajor) {
            remainder -= twiceMajor;
            ++offset;
        }
    }
};

}  // namespace

void DrawLine(const Surface &surface, POINT from, POINT to, PixelValue pixel) {
    if (!surface.valid()) return;
    const int64_t dx = int64_t{to.x} - from.x, dy = int64_t{to.y} - from.y;
    const bool xMajor = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
    const int64_t majorStart = xMajor ? from.x : from.y, minorStart = xMajor ? from.y : from.x;
    const int64_t majorDelta = xMajor ? dx : dy, minorDelta = xMajor ? dy : dx;
    const int64_t majorLength = majorDelta < 0 ? -majorDelta : majorDelta;
    const int64_t minorLength = minorDelta < 0 ? -minorDelta : minorDelta;
    if (majorLength == 0) return;
    const int64_t majorSign = majorDelta < 0 ? -1 : 1, minorSign = minorDelta < 0 ? -1 : 1;
    const int64_t majorExtent = xMajor ? surface.width : surface.height;
    const int64_t minorExtent = xMajor ? surface.height : surface.width;

    // Steps i in [first, last) keep the major coordinate on the surface.
    int64_t first = 0, last = majorLength;
    if (majorSign > 0) {
        first = std::max<int64_t>(first, -majorStart);
        last = std::min<int64_t>(last, majorExtent - majorStart);
    } else {
        first = std::max<int64_t>(first, majorStart - (majorExtent - 1));
        last = std::min<int64_t>(last, majorStart + 1);
    }
    if (first >= last) return;
    MinorWalk walk(first, majorLength, minorLength);
    for (int64_t i = first; i < last; ++i, walk.Step()) {
        const int64_t minor = minorStart + minorSign * walk.offset;
        // The minor coordinate only moves one way: once past the far side nothing follows.
        if ((minorSign > 0 && minor >= minorExtent) || (minorSign < 0 && minor < 0)) break;
        if (minor < 0 || minor >= minorExtent) continue;
        const int64_t major = majorStart + majorSign * i;
        PutPixel(surface, static_cast<int>(xMajor ? major : minor), static_cast<int>(xMajor ? minor : major), pixel);
    }
}

}  // namespace platform
