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

// Writes blocks of 64 bytes of the 16-byte pattern from p on and returns the bytes written.
// Where the processor has 64- or 32-byte stores they cut the store count of long runs, which
// is what bounds them; elsewhere four 16-byte stores per step.
int32_t StoreBlocks16(uint8_t *p, int32_t blocks, Bytes16 wide) {
    for (int32_t i = 0; i < blocks; ++i, p += 64) {
        std::memcpy(p, &wide, 16);
        std::memcpy(p + 16, &wide, 16);
        std::memcpy(p + 32, &wide, 16);
        std::memcpy(p + 48, &wide, 16);
    }
    return 64 * blocks;
}

#if defined(__x86_64__) || defined(__i386__)
typedef uint8_t Bytes32 __attribute__((vector_size(32)));

__attribute__((target("avx2"))) int32_t StoreBlocks32(uint8_t *p, int32_t blocks, Bytes16 wide) {
    Bytes32 twice;
    std::memcpy(&twice, &wide, 16);
    std::memcpy(reinterpret_cast<uint8_t *>(&twice) + 16, &wide, 16);
    for (int32_t i = 0; i < blocks; ++i, p += 64) {
        std::memcpy(p, &twice, 32);
        std::memcpy(p + 32, &twice, 32);
    }
    return 64 * blocks;
}

typedef uint8_t Bytes64 __attribute__((vector_size(64)));

__attribute__((target("avx512f"))) int32_t StoreBlocks64(uint8_t *p, int32_t blocks, Bytes16 wide) {
    Bytes64 four;
    for (int k = 0; k < 4; ++k) std::memcpy(reinterpret_cast<uint8_t *>(&four) + 16 * k, &wide, 16);
    for (int32_t i = 0; i < blocks; ++i, p += 64) std::memcpy(p, &four, 64);
    return 64 * blocks;
}

using StoreBlocks = int32_t (*)(uint8_t *, int32_t, Bytes16);
const StoreBlocks kStoreBlocks = __builtin_cpu_supports("avx512f")
                                     ? StoreBlocks64
                                     : (__builtin_cpu_supports("avx2") ? StoreBlocks32 : StoreBlocks16);
#else
using StoreBlocks = int32_t (*)(uint8_t *, int32_t, Bytes16);
const StoreBlocks kStoreBlocks = StoreBlocks16;
#endif

// Each pattern row doubled into 8 bytes (cell column c in byte c and c + 4) and rotated for
// each start phase x mod 4, once per polygon, so that a run takes its row ready-made and stores
// it 8, 16 or more bytes at a time: the period 4 divides those widths, so every byte is still
// cell (x mod 4) of the row. Building the 16-byte form per row would stall on the two 8-byte
// writes it is made of.
struct HalftoneKernel {
    uint64_t words[4][4];
    Bytes16 wide[4][4];

    explicit HalftoneKernel(const uint8_t pattern[16]) {
        for (int r = 0; r < 4; ++r) {
            uint32_t row;
            std::memcpy(&row, pattern + 4 * r, 4);
            const uint64_t doubled = row | static_cast<uint64_t>(row) << 32;
            for (int phase = 0; phase < 4; ++phase) {
                const uint64_t word = phase == 0 ? doubled : (doubled >> (8 * phase)) | (doubled << (64 - 8 * phase));
                words[r][phase] = word;
                std::memcpy(&wide[r][phase], &word, 8);
                std::memcpy(reinterpret_cast<uint8_t *>(&wide[r][phase]) + 8, &word, 8);
            }
        }
    }

    void operator()(uint8_t *rowStart, int row, int32_t down, int32_t up) const {
        int32_t x = down < up ? down : up;
        const int32_t end = (down < up ? up : down) + 1;
        const unsigned phase = static_cast<unsigned>(x) & 3;
        const uint64_t word = words[row & 3][phase];
        uint8_t *p = rowStart + x;
        if (end - x >= 16) {
            const Bytes16 pattern = wide[row & 3][phase];
            if (end - x >= 64) {
                const int32_t done = kStoreBlocks(p, (end - x) / 64, pattern);
                x += done;
                p += done;
            }
            for (; end - x >= 16; x += 16, p += 16) std::memcpy(p, &pattern, 16);
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
    HalftoneKernel kernel(pattern);
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
