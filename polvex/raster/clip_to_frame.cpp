// The frame clipper: one pass per coordinate, two parallel bounds, MulDiv-rounded crossings.
#include "raster/clip_to_frame.h"

namespace pv {

int64_t MulDiv64(int64_t number, int64_t numerator, int64_t denominator) {
    __int128 product = static_cast<__int128>(number) * numerator;
    const bool negative = (product < 0) != (denominator < 0);
    unsigned __int128 magnitude = product < 0 ? -static_cast<unsigned __int128>(product)
                                              : static_cast<unsigned __int128>(product);
    const unsigned __int128 divisor = denominator < 0 ? -static_cast<unsigned __int128>(denominator)
                                                      : static_cast<unsigned __int128>(denominator);
    // Halves away from zero: round the magnitude, then give it the sign.
    const unsigned __int128 quotient = (magnitude + divisor / 2) / divisor;
    const int64_t result = static_cast<int64_t>(quotient);
    return negative ? -result : result;
}

uint32_t MixColor(uint32_t c0, uint32_t c1, int64_t numerator, int64_t denominator) {
    uint32_t mixed = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int64_t v0 = (c0 >> shift) & 0xFF;
        const int64_t v1 = (c1 >> shift) & 0xFF;
        const int64_t v = v0 - MulDiv64(v1 - v0, numerator, denominator);
        mixed |= static_cast<uint32_t>(v & 0xFF) << shift;
    }
    return mixed;
}

namespace {

enum Region { kBelow, kInside, kAbove };

struct Clipper {
    ClipAxis axis;
    int32_t hi;
    ClipOutput out;
    bool carryColor;
    int emitted = 0;

    int64_t A(const POINT &p) const { return axis == ClipAxis::X ? p.x : p.y; }
    int64_t B(const POINT &p) const { return axis == ClipAxis::X ? p.y : p.x; }
    Region RegionOf(const POINT &p) const {
        const int64_t a = A(p);
        return a < 0 ? kBelow : (a > hi ? kAbove : kInside);
    }

    bool Emit(int64_t a, int64_t b, uint32_t color) {
        if (emitted == out.capacity) return false;
        POINT &p = out.points[emitted];
        p.x = static_cast<LONG>(axis == ClipAxis::X ? a : b);
        p.y = static_cast<LONG>(axis == ClipAxis::X ? b : a);
        if (carryColor) out.colors[emitted] = color;
        ++emitted;
        return true;
    }

    // The crossing lies between the two points, so its b fits the point type again.
    bool Cross(const POINT &prev, const POINT &cur, uint32_t prevColor, uint32_t curColor,
               bool high) {
        const int64_t ap = A(prev), ac = A(cur), bp = B(prev), bc = B(cur);
        const int64_t numerator = high ? hi - ap : ap;
        const int64_t denominator = high ? ap - ac : ac - ap;
        const int64_t b = bp - MulDiv64(bc - bp, numerator, denominator);
        const uint32_t color = carryColor ? MixColor(prevColor, curColor, numerator, denominator) : 0;
        return Emit(high ? hi : 0, b, color);
    }
};

}  // namespace

int ClipToFrame(const POINT *points, const uint32_t *colors, int count, ClipAxis axis, int32_t hi,
                ClipOutput out) {
    if (count < 1) return 0;
    Clipper c{axis, hi, out, colors != nullptr && out.colors != nullptr};
    int prevIndex = count - 1;
    for (int i = 0; i < count; ++i) {
        const POINT &prev = points[prevIndex];
        const POINT &cur = points[i];
        const uint32_t prevColor = c.carryColor ? colors[prevIndex] : 0;
        const uint32_t curColor = c.carryColor ? colors[i] : 0;
        const Region rp = c.RegionOf(prev);
        const Region rc = c.RegionOf(cur);
        bool ok = true;
        // Leaving or entering across a bound emits that bound's crossing; a jump over the whole
        // band emits both crossings in the order the edge meets them.
        if (rp != rc) {
            if (rp == kBelow || (rp == kInside && rc == kBelow)) {
                ok = c.Cross(prev, cur, prevColor, curColor, false);
                if (ok && rc == kAbove) ok = c.Cross(prev, cur, prevColor, curColor, true);
            } else {
                ok = c.Cross(prev, cur, prevColor, curColor, true);
                if (ok && rc == kBelow) ok = c.Cross(prev, cur, prevColor, curColor, false);
            }
        }
        if (ok && rc == kInside) ok = c.Emit(c.A(cur), c.B(cur), curColor);
        if (!ok) return -1;
        prevIndex = i;
    }
    return c.emitted;
}

}  // namespace pv
