// The Gouraud run painter: colour stepped along one buffer row by integer analysers and
// dithered per pixel onto the colour cube.
#include <bit>
#include <cstring>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "raster/dither.h"
#include "raster/fillers.h"
#include "raster/short_divide.h"

namespace pv {

namespace {

// One channel's analyser along a run of n pixels. The error starts at n, not n div 2, so the
// colour lags behind the exact value and the end colour is reached only when it equals the
// start colour.
struct ChannelStep {
    int32_t v, q, r, s, e;

    ChannelStep(int32_t start, int32_t end, int32_t n) {
        const int32_t d = end - start;
        v = start;
        q = d / n;
        r = (d < 0 ? -d : d) % n;
        s = d < 0 ? -1 : 1;
        e = n;
    }
    void Step(int32_t n) {
        v += q;
        e -= r;
        if (e < 0) {
            e += n;
            v += s;
        }
    }
};

// Level of v against threshold t is v div 16 plus one when v mod 16 > t, which is
// (v + 15 - min(t, 15)) div 16: t = 16 never raises since fractions stop at 15, and v <= 80
// keeps the sum below 96, so no level passes 5.
constexpr int32_t LevelBias(int t) { return 15 - (t < 15 ? t : 15); }

// Eight 16-bit lanes: one SSE2 or NEON register, so every lane operation is one instruction.
static_assert(std::endian::native == std::endian::little, "the lane copies assume little-endian words");

typedef int16_t Lanes __attribute__((vector_size(16)));
constexpr int kLanes = 8;
constexpr Lanes kLaneIndex = {0, 1, 2, 3, 4, 5, 6, 7};

inline Lanes Broadcast(int32_t value) {
    const int16_t v = static_cast<int16_t>(value);
    return Lanes{v, v, v, v, v, v, v, v};
}

// Runs longer than this would overflow the 16-bit lanes' errors; they take the plain rule.
constexpr int32_t kLaneRun = 32767;

// Level biases of the eight lanes for each threshold row and each start column, so that a run
// can begin at any column: lane j is column (x + j) mod 4.
struct BiasTable {
    int16_t lanes[4][4][kLanes] = {};
    constexpr BiasTable() {
        for (int row = 0; row < 4; ++row)
            for (int phase = 0; phase < 4; ++phase)
                for (int j = 0; j < kLanes; ++j)
                    lanes[row][phase][j] = static_cast<int16_t>(LevelBias(kDitherThreshold[4 * row + ((phase + j) & 3)]));
    }
};
constexpr BiasTable kBiasTable{};

// The high 16 bits of the unsigned 16 x 16-bit products, lane by lane.
inline Lanes MulHigh(Lanes x, Lanes m) {
#if defined(__SSE2__)
    return reinterpret_cast<Lanes>(_mm_mulhi_epu16(reinterpret_cast<__m128i>(x), reinterpret_cast<__m128i>(m)));
#else
    typedef uint32_t Wide __attribute__((vector_size(32)));
    typedef uint16_t Narrow __attribute__((vector_size(16)));
    const Wide product = __builtin_convertvector(reinterpret_cast<Narrow>(x), Wide) *
                         __builtin_convertvector(reinterpret_cast<Narrow>(m), Wide);
    return reinterpret_cast<Lanes>(__builtin_convertvector(product >> 16, Narrow));
#endif
}

// One channel over eight consecutive pixels. v carries the lane's level bias, so a pixel's
// level is v div 16; the error e is the rule's error at that pixel.
struct LaneChannel {
    Lanes v, e;
    Lanes step, stepR, s;  // the same in every lane
    int16_t lead;          // s when r > 0, else 0
};

// A channel of a run of n <= kShortCount pixels in closed form. With |d| = Q n + r the rule's
// analyser has, after k >= 1 steps, moved by k Q + (ceil(k r / n) - 1) when r > 0 and by k Q
// when r = 0: both are (k |d| - lag) div n with lag = 1 when r > 0, else 0, and for k = 0 the
// value max(0, -lag) div n = 0 holds too. So pixel k shows v + s ((k |d| - lag) div n), one
// multiplication and one reciprocal per lane, with no error term to carry.
struct ShortChannel {
    Lanes base;       // start value plus the lanes' level biases
    Lanes magnitude;  // |d|
    Lanes lag;        // 1 when |d| mod n > 0, else 0
    Lanes reciprocal; // kShortReciprocals.m[n]
    Lanes sign;       // -1 when d < 0, else 0
};

inline ShortChannel StartShort(int32_t start, int32_t end, int32_t n, Lanes bias) {
    const int32_t d = end - start;
    const int32_t magnitude = d < 0 ? -d : d;
    const int32_t quotient = n >= 2 ? ShortDivide(magnitude, n) : magnitude;
    const int32_t lag = magnitude - quotient * n > 0 ? 1 : 0;
    return ShortChannel{bias + Broadcast(start), Broadcast(magnitude), Broadcast(lag),
                        Broadcast(kShortReciprocals.m[n]), Broadcast(d < 0 ? -1 : 0)};
}

inline Lanes ShortValues(const ShortChannel &c, Lanes k, int shift) {
    Lanes x = k * c.magnitude - c.lag;
    x &= x >= 0;
    const Lanes moved = MulHigh(x, c.reciprocal) >> shift;
    return c.base + ((moved ^ c.sign) - c.sign);
}

inline Lanes PixelIndices(Lanes red, Lanes green, Lanes blue) {
    return (red >> 4) | ((green >> 1) & 0x38) | ((blue << 2) & 0x1C0);
}

// Stores the first count (at most eight) lookups of the lane indices. The indices leave the
// register as two 64-bit words: loading them back from memory one by one would stall on the
// store.
inline void StorePixels(uint8_t *out, Lanes index, int32_t count, const uint8_t *lookup) {
    typedef uint64_t Halves __attribute__((vector_size(16)));
    const Halves halves = reinterpret_cast<Halves>(index);
    const uint64_t low = halves[0], high = halves[1];
    if (count < kLanes) {
        for (int j = 0; j < count; ++j) out[j] = lookup[((j < 4 ? low : high) >> (16 * (j & 3))) & 0xFFFF];
        return;
    }
    out[0] = lookup[low & 0xFFFF];
    out[1] = lookup[(low >> 16) & 0xFFFF];
    out[2] = lookup[(low >> 32) & 0xFFFF];
    out[3] = lookup[low >> 48];
    out[4] = lookup[high & 0xFFFF];
    out[5] = lookup[(high >> 16) & 0xFFFF];
    out[6] = lookup[(high >> 32) & 0xFFFF];
    out[7] = lookup[high >> 48];
}

// Paints a run of n <= kShortCount pixels from out on, eight per step.
void PaintShort(uint8_t *out, int32_t n, RunColor a, RunColor b, Lanes bias, const uint8_t *lookup) {
    const ShortChannel red = StartShort(a.red, b.red, n, bias);
    const ShortChannel green = StartShort(a.green, b.green, n, bias);
    const ShortChannel blue = StartShort(a.blue, b.blue, n, bias);
    const int shift = kShortReciprocals.shift[n];
    Lanes k = kLaneIndex;
    for (int32_t left = n;; left -= kLanes, out += kLanes, k += kLanes) {
        const Lanes index = PixelIndices(ShortValues(red, k, shift), ShortValues(green, k, shift),
                                         ShortValues(blue, k, shift));
        StorePixels(out, index, left, lookup);
        if (left <= kLanes) return;
    }
}

// The same for a longer run: |d| <= 80 < n, so q is 0 and r is |d|; the lanes come from
// stepping the rule's analyser, which the run's length repays.
inline void StartLong(int32_t start, int32_t end, int32_t n, Lanes bias, LaneChannel &c) {
    ChannelStep step(start, end, n);
    int16_t v[kLanes], e[kLanes];
    for (int j = 0; j < kLanes; ++j) {
        v[j] = static_cast<int16_t>(step.v);
        e[j] = static_cast<int16_t>(step.e);
        step.Step(n);
    }
    std::memcpy(&c.v, v, sizeof v);
    std::memcpy(&c.e, e, sizeof e);
    c.v += bias;
    const int32_t big = kLanes * step.r;
    c.step = Broadcast(step.s * (big / n));
    c.stepR = Broadcast(big % n);
    c.s = Broadcast(step.s);
    c.lead = static_cast<int16_t>(step.r > 0 ? step.s : 0);
}

// Lane 0 starts with the rule's error n, the one state outside 0..n-1. With r > 0 it steps
// exactly like value v - s with error 0, the form that the eight-step jump assumes (from error
// n it would count one wrap too many when 8 r is a multiple of n).
inline void SettleFirstLane(LaneChannel &c, int16_t n) {
    if (c.lead == 0) return;
    const Lanes full = c.e == Broadcast(n);
    c.v -= full & Broadcast(c.lead);
    c.e &= ~full;
}

inline void StepLanes(LaneChannel &c, Lanes n) {
    c.e -= c.stepR;
    const Lanes carry = c.e < 0;  // -1 where the error wrapped
    c.e += carry & n;
    c.v += c.step + (carry & c.s);
}

// Paints count > kShortCount pixels from out on, eight per step; the channels are taken by
// value so that they live in registers for the whole run.
void PaintLong(uint8_t *out, int32_t count, LaneChannel red, LaneChannel green, LaneChannel blue, int16_t n,
               const uint8_t *lookup) {
    const Lanes nLanes = Broadcast(n);
    StorePixels(out, PixelIndices(red.v, green.v, blue.v), kLanes, lookup);
    SettleFirstLane(red, n);
    SettleFirstLane(green, n);
    SettleFirstLane(blue, n);
    for (count -= kLanes; count > 0; count -= kLanes) {
        out += kLanes;
        StepLanes(red, nLanes);
        StepLanes(green, nLanes);
        StepLanes(blue, nLanes);
        StorePixels(out, PixelIndices(red.v, green.v, blue.v), count, lookup);
    }
}

}  // namespace

// Coverage: pixels xa to xb of the row, both ends. Rounding: per channel the start value plus
// q per pixel and one s more whenever the error, starting at n and lowered by |d| mod n, goes
// negative. Dither anchor: threshold row = buffer row mod 4 in memory order, column = x mod 4.
void FillGouraudSpanReference(uint8_t *pixels, ptrdiff_t stride, int32_t xa, int32_t row, int32_t xb,
                              RunColor a, RunColor b, const uint8_t *lookup) {
    if (xb < xa) {
        std::swap(xa, xb);
        std::swap(a, b);
    }
    const int32_t n = xb - xa + 1;
    ChannelStep c[3] = {{a.red, b.red, n}, {a.green, b.green, n}, {a.blue, b.blue, n}};
    uint8_t *rowStart = pixels + static_cast<ptrdiff_t>(row) * stride;
    for (int32_t x = xa; x <= xb; ++x) {
        const int t = kDitherThreshold[4 * (row & 3) + (x & 3)];
        int level[3];
        for (int k = 0; k < 3; ++k) level[k] = c[k].v / 16 + (c[k].v % 16 > t ? 1 : 0);
        rowStart[x] = lookup[64 * level[2] + 8 * level[1] + level[0]];
        for (int k = 0; k < 3; ++k) c[k].Step(n);
    }
}

// Same rule as FillGouraudSpanReference, eight pixels per step with each channel advanced in
// parallel lanes from the run's first pixel on; the lanes' threshold columns follow the start
// column, so no pixel-by-pixel lead-in is needed.
void FillGouraudSpan(uint8_t *pixels, ptrdiff_t stride, int32_t xa, int32_t row, int32_t xb,
                     RunColor a, RunColor b, const uint8_t *lookup) {
    if (xb < xa) {
        std::swap(xa, xb);
        std::swap(a, b);
    }
    const int32_t n = xb - xa + 1;
    if (n > kLaneRun) {
        FillGouraudSpanReference(pixels, stride, xa, row, xb, a, b, lookup);
        return;
    }
    Lanes bias;
    std::memcpy(&bias, kBiasTable.lanes[row & 3][xa & 3], sizeof bias);
    uint8_t *out = pixels + static_cast<ptrdiff_t>(row) * stride + xa;
    if (n <= kShortCount) {
        PaintShort(out, n, a, b, bias, lookup);
        return;
    }
    LaneChannel c[3];
    StartLong(a.red, b.red, n, bias, c[0]);
    StartLong(a.green, b.green, n, bias, c[1]);
    StartLong(a.blue, b.blue, n, bias, c[2]);
    PaintLong(out, n, c[0], c[1], c[2], static_cast<int16_t>(n), lookup);
}

}  // namespace pv
