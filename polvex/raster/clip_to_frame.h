// Clipping of a closed polygon against the band 0..hi of one screen coordinate, shared by the
// solid, halftone and Gouraud fillers; the Gouraud fill carries a colour with every point.
#pragma once

#include <cstdint>

#include "platform/win32.h"

namespace pv {

// Points per clip stage. Each stage emits at most two points per input point, so a polygon
// whose stage output would not fit is refused as a whole rather than cut short.
constexpr int kClipCapacity = 1024;

// MulDiv over 64-bit operands with a 128-bit product: the nearest integer to
// number * numerator / denominator, exact halves away from zero. Host points may lie anywhere
// in the int32 range, so coordinate differences need 33 bits and their products 65.
int64_t MulDiv64(int64_t number, int64_t numerator, int64_t denominator);

// Each channel of c0 minus MulDiv(channel of c1 - channel of c0, numerator, denominator),
// modulo 256: the colour at the same place along the edge as the clipped coordinate.
uint32_t MixColor(uint32_t c0, uint32_t c1, int64_t numerator, int64_t denominator);

enum class ClipAxis { X, Y };

// Output side of one clip stage. With colors null only the points are produced.
struct ClipOutput {
    POINT *points;
    uint32_t *colors;
    int capacity;
};

// One-pass Sutherland-Hodgman against 0 <= a <= hi (a is x or y by axis, b the other one).
// The previous point starts as the last input point; crossings are measured from the previous
// point. Returns the number of points emitted, or -1 when they would not fit in the output.
int ClipToFrame(const POINT *points, const uint32_t *colors, int count, ClipAxis axis,
                int32_t hi, ClipOutput out);

}  // namespace pv
