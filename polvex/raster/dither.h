// Ordered-dither tables of the halftone and Gouraud fills.
#pragma once

#include <array>
#include <cstdint>

namespace pv {

// 4 x 4 threshold matrix, row by row, values 1 to 16. Its rows follow buffer rows in memory
// order and its columns the pixel columns, so the pattern is anchored to the frame buffer.
inline constexpr uint8_t kDitherThreshold[16] = {1, 11, 3, 9, 15, 5, 13, 7, 4, 10, 2, 12, 14, 8, 16, 6};

// Entry v: ((v mod 51) * 16) div 51, where v lies between its cube level and the next, in
// sixteenths.
inline constexpr std::array<uint8_t, 256> kColorFraction = [] {
    std::array<uint8_t, 256> t{};
    for (int v = 0; v < 256; ++v) t[v] = static_cast<uint8_t>(((v % 51) * 16) / 51);
    return t;
}();

// Entry v: (81 v + 128) div 256, at most 80 (only 255 needs the cap): a channel on the Gouraud
// scale of sixteenths of a cube step, whose level is w div 16 and fraction w mod 16.
inline constexpr std::array<uint8_t, 256> kColorSixteenths = [] {
    std::array<uint8_t, 256> t{};
    for (int v = 0; v < 256; ++v) {
        const int w = (81 * v + 128) / 256;
        t[v] = static_cast<uint8_t>(w > 80 ? 80 : w);
    }
    return t;
}();

// The colour cube laid out for shifts: entry 64 blue + 8 green + red of the given layout's
// 512 entries is the palette index of those levels (levels 0 to 5; 6 and 7 are never read).
const uint8_t *PixelLookup(int variant);

}  // namespace pv
