// The fixed 6x6x6 colour cube through which colours become palette indices on 8-bit palette
// displays, for both layouts of the system halftone palette.
#pragma once

#include <cstdint>

namespace pv {

// Entry v is v div 51: the cube level 0 to 5 of a channel value.
extern const uint8_t kColorLevel[256];

// Palette index of cube colour (r + 6 g + 36 b), first layout then second: 2 x 216 entries.
extern const uint8_t kCubeToPalette[432];

inline uint8_t CubeIndex(int redLevel, int greenLevel, int blueLevel) {
    return static_cast<uint8_t>(redLevel + 6 * greenLevel + 36 * blueLevel);
}

// Palette index of a 0x00BBGGRR colour in the given layout (0 or 1).
inline uint8_t PaletteIndex(uint32_t color, int variant) {
    return kCubeToPalette[216 * variant + kColorLevel[color & 0xFF] + 6 * kColorLevel[(color >> 8) & 0xFF] +
                          36 * kColorLevel[(color >> 16) & 0xFF]];
}

}  // namespace pv
