// The Gouraud run painter: colour stepped along one buffer row by integer analysers and
// dithered per pixel onto the colour cube.
#include <bit>
#include <cstring>

#include "raster/dither.h"
#include "raster/fillers.h"

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

inline uint8_t DitherPixel(const uint8_t *lookup, int32_t r, int32_t g, int32_t b, int32_t bias) {
    return lookup[((r + bias) >> 4) | (((g + bias) >> 1) & 0x38) | (((b + bias) << 2) & 0x1C0)];
}

// Eight 16-bit lanes: one SSE2 or NEON register, so every lane operation is one instruction.
static_assert(std::endian::native == std::endian::little, "the run stores assume little-endian words");

typedef int16_t Lanes __attribute__((vector_size(16)));
constexpr int kLanes = 8;

// Runs at least this long take the 8-pixel path; shorter ones do not repay its set-up.
constexpr int32_t kWideRun = 24;

struct WideChannel {
    Lanes v, e;
    int16_t step, stepR, s;
};

// The analyser jumped by 8 pixels at once in each lane: with 8 r = Q n + R the value moves
// by 8 q + s Q, and by s once more when the error, lowered by R, goes negative (then it gains
// n) -- the same corrections the pixel-by-pixel walk makes over those 8 pixels.
inline void StartWide(ChannelStep c, int32_t n, WideChannel &w) {
    int16_t v[kLanes], e[kLanes];
    for (int j = 0; j < kLanes; ++j) {
        v[j] = static_cast<int16_t>(c.v);
        e[j] = static_cast<int16_t>(c.e);
        c.Step(n);
    }
    std::memcpy(&w.v, v, sizeof v);
    std::memcpy(&w.e, e, sizeof e);
    const int32_t big = kLanes * c.r;
    w.step = static_cast<int16_t>(kLanes * c.q + c.s * (big / n));
    w.stepR = static_cast<int16_t>(big % n);
    w.s = static_cast<int16_t>(c.s);
}

inline void StepWide(WideChannel &w, int16_t n) {
    w.e -= w.stepR;
    const Lanes carry = w.e < 0;  // -1 where the error wrapped
    w.e += carry & n;
    w.v += w.step + (carry & w.s);
}

// Paints count pixels (a multiple of 8) from x on, x a multiple of 4; leaves the channels at
// the pixel after the last.
void PaintWide(uint8_t *out, int32_t count, ChannelStep c[3], int32_t n, const int32_t bias[4],
               const uint8_t *lookup) {
    WideChannel w[3];
    for (int k = 0; k < 3; ++k) StartWide(c[k], n, w[k]);
    int16_t biasLanes[kLanes];
    for (int j = 0; j < kLanes; ++j) biasLanes[j] = static_cast<int16_t>(bias[j & 3]);
    Lanes b;
    std::memcpy(&b, biasLanes, sizeof b);
    const int16_t n16 = static_cast<int16_t>(n);
    for (int32_t done = 0; done < count; done += kLanes, out += kLanes) {
        const Lanes index = ((w[0].v + b) >> 4) | (((w[1].v + b) >> 1) & 0x38) | (((w[2].v + b) << 2) & 0x1C0);
        // Eight lookups gathered into one 8-byte store, lowest address in the lowest byte.
        uint64_t bytes = 0;
        for (int j = 0; j < kLanes; ++j) bytes |= static_cast<uint64_t>(lookup[static_cast<uint16_t>(index[j])]) << (8 * j);
        std::memcpy(out, &bytes, sizeof bytes);
        for (int k = 0; k < 3; ++k) StepWide(w[k], n16);
    }
    for (int k = 0; k < 3; ++k) {
        c[k].v = w[k].v[0];
        c[k].e = w[k].e[0];
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

// Same rule as FillGouraudSpanReference. Long runs are painted up to a column that is a
// multiple of 4 pixel by pixel, then 8 pixels per step with all channels advanced in parallel
// lanes, then pixel by pixel again, so each lane's threshold column stays fixed.
void FillGouraudSpan(uint8_t *pixels, ptrdiff_t stride, int32_t xa, int32_t row, int32_t xb,
                     RunColor a, RunColor b, const uint8_t *lookup) {
    if (xb < xa) {
        std::swap(xa, xb);
        std::swap(a, b);
    }
    const int32_t n = xb - xa + 1;
    ChannelStep c[3] = {{a.red, b.red, n}, {a.green, b.green, n}, {a.blue, b.blue, n}};
    int32_t bias[4];
    for (int i = 0; i < 4; ++i) bias[i] = LevelBias(kDitherThreshold[4 * (row & 3) + i]);
    uint8_t *rowStart = pixels + static_cast<ptrdiff_t>(row) * stride;
    int32_t x = xa;
    const int32_t end = xb + 1;
    if (n >= kWideRun && n <= 32767) {
        // At least one pixel first, so every lane starts past the run's first step.
        for (; x == xa || (x & 3) != 0; ++x) {
            rowStart[x] = DitherPixel(lookup, c[0].v, c[1].v, c[2].v, bias[x & 3]);
            for (int k = 0; k < 3; ++k) c[k].Step(n);
        }
        const int32_t wide = (end - x) & ~(kLanes - 1);
        PaintWide(rowStart + x, wide, c, n, bias, lookup);
        x += wide;
    }
    for (; x < end; ++x) {
        rowStart[x] = DitherPixel(lookup, c[0].v, c[1].v, c[2].v, bias[x & 3]);
        for (int k = 0; k < 3; ++k) c[k].Step(n);
    }
}

}  // namespace pv
