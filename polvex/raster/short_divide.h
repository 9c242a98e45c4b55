// Division by small counts through a reciprocal table, for the per-run and per-edge set-up of
// the Gouraud fill, where a hardware division per channel would cost more than the pixels.
#pragma once

#include <cstdint>

namespace pv {

// Longest count divided through the table. Channel differences are at most 80 sixteenths, so
// any longer run or edge has quotient 0 and remainder |d| without dividing at all.
constexpr int32_t kShortCount = 95;

// x div n = (x * m[n] >> 16) >> shift[n] with m[n] = ceil(2^(16 + shift[n]) / n). The error of
// the rounded-up reciprocal stays below 1 / n as long as x * n < 2^(16 + shift), which holds
// for every x <= 80 n with the shifts below; m fits 16 bits so that SIMD lanes can use it.
struct ShortReciprocals {
    uint16_t m[kShortCount + 1] = {};
    uint8_t shift[kShortCount + 1] = {};
    constexpr ShortReciprocals() {
        for (int32_t n = 2; n <= kShortCount; ++n) {
            shift[n] = n <= 16 ? 0 : 4;
            const uint32_t scale = 1u << (16 + shift[n]);
            m[n] = static_cast<uint16_t>((scale + n - 1) / n);
        }
    }
};
inline constexpr ShortReciprocals kShortReciprocals{};

// Largest dividend the callers use for a divisor n: k |d| for k < n and |d| <= 80.
constexpr int32_t ShortDividendLimit(int32_t n) { return 80 * n; }

// x div n for 2 <= n <= kShortCount and 0 <= x <= ShortDividendLimit(n).
constexpr int32_t ShortDivide(int32_t x, int32_t n) {
    return static_cast<int32_t>(((static_cast<uint32_t>(x) * kShortReciprocals.m[n]) >> 16) >>
                                kShortReciprocals.shift[n]);
}

// Every divisor and dividend in range is checked against plain division by the raster tests.

}  // namespace pv
