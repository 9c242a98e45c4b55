// Dither tables and the shift-indexed copy of the colour cube.
#include "raster/dither.h"

#include "core/color_cube.h"

namespace pv {

namespace {

struct ShiftedCube {
    uint8_t entries[2][512] = {};
    ShiftedCube() {
        for (int variant = 0; variant < 2; ++variant)
            for (int b = 0; b < 6; ++b)
                for (int g = 0; g < 6; ++g)
                    for (int r = 0; r < 6; ++r)
                        entries[variant][64 * b + 8 * g + r] = kCubeToPalette[216 * variant + CubeIndex(r, g, b)];
    }
};

}  // namespace

const uint8_t *PixelLookup(int variant) {
    static const ShiftedCube cube;
    return cube.entries[variant != 0 ? 1 : 0];
}

}  // namespace pv
