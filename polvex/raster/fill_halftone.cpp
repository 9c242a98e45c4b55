// PvFillPolygonHalftone: one colour approximated by a 4 x 4 ordered dither of the cube's two
// nearest levels in each channel.
#include <bit>
#include <cstring>

#include "core/color_cube.h"
#include "core/state.h"
#include "polvex/polvex.h"
#include "raster/dither.h"
#include "raster/fillers.h"
#include "raster/frame_target.h"
#include "raster/span_table.h"

namespace pv {

namespace {

static_assert(std::endian::native == std::endian::little, "pattern words assume little-endian bytes");

typedef uint8_t Bytes16 __attribute__((vector_size(16)));

// Each pattern row doubled into 8 bytes (cell column c in byte c and c + 4), so that a run
// starting in column x takes the row rotated by x mod 4 and stores it 8 or 16 bytes at a time:
// the period 4 divides both widths, so every byte is still cell (x mod 4) of the row.
struct HalftoneKernel {
    uint64_t rows[4];

    void operator()(uint8_t *rowStart, int row, int32_t down, int32_t up) const {
        int32_t x = down < up ? down : up;
        const int32_t end = (down < up ? up : down) + 1;
        const unsigned phase = static_cast<unsigned>(x) & 3;
        uint64_t word = rows[row & 3];
        if (phase != 0) word = (word >> (8 * phase)) | (word << (64 - 8 * phase));
        uint8_t *p = rowStart + x;
        if (end - x >= 16) {
            Bytes16 wide;
            std::memcpy(&wide, &word, 8);
            std::memcpy(reinterpret_cast<uint8_t *>(&wide) + 8, &word, 8);
            for (; end - x >= 16; x += 16, p += 16) std::memcpy(p, &wide, 16);
        }
        if (end - x >= 8) {
            std::memcpy(p, &word, 8);
            x += 8;
            p += 8;
        }
        for (int i = 0; x < end; ++x, ++i) p[i] = static_cast<uint8_t>(word >> (8 * i));
    }
};

}  // namespace

void BuildHalftonePattern(uint32_t color, int variant, uint8_t pattern[16]) {
    const uint8_t red = color & 0xFF, green = (color >> 8) & 0xFF, blue = (color >> 16) & 0xFF;
    const int levels[3] = {kColorLevel[red], kColorLevel[green], kColorLevel[blue]};
    const int fractions[3] = {kColorFraction[red], kColorFraction[green], kColorFraction[blue]};
    for (int k = 0; k < 16; ++k) {
        const int t = kDitherThreshold[k];
        const int r = levels[0] + (fractions[0] > t), g = levels[1] + (fractions[1] > t),
                  b = levels[2] + (fractions[2] > t);
        pattern[k] = kCubeToPalette[216 * variant + CubeIndex(r, g, b)];
    }
}

// Coverage and rounding: those of FillSpansSolid (every row between the top and bottom vertex,
// both ends of each run, edge x nearest along the edge with halves toward its start). Dither
// anchor: pixel (x, buffer row r) takes cell 4 (r mod 4) + (x mod 4), rows counted in memory
// order, so on a bottom-up buffer screen line y uses pattern row (height - 1 - y) mod 4 and
// neighbouring polygons of one colour join without seams.
void FillSpansHalftone(uint8_t *pixels, ptrdiff_t stride, const POINT *vertices, int count,
                       const uint8_t pattern[16]) {
    SpanColumn<int32_t> xs;
    WalkEdges(vertices, count, [vertices](int i) { return vertices[i].x; }, xs);
    const RowRange range = FindRowRange(vertices, count);
    if (range.empty()) return;
    HalftoneKernel kernel;
    for (int r = 0; r < 4; ++r) {
        uint32_t row;
        std::memcpy(&row, pattern + 4 * r, 4);
        kernel.rows[r] = row | static_cast<uint64_t>(row) << 32;
    }
    PaintRows(pixels, stride, xs, range, kernel);
}

}  // namespace pv

extern "C" POLVEX_API void PvFillPolygonHalftone(const POINT *points, int32_t count, uint32_t color) {
    using namespace pv;
    if (!g_state.paletteDevice) {
        FillThroughPlatform(points, count, color);
        return;
    }
    FrameTarget target;
    if (!PaletteFrame(&target)) return;
    ClippedPolygon clipped;
    const int n = ClipPolygonToFrame(target, points, nullptr, count, clipped);
    if (n == 0) return;
    uint8_t pattern[16];
    BuildHalftonePattern(color, target.variant, pattern);
    FillSpansHalftone(target.bits, target.stride, clipped.points, n, pattern);
}
