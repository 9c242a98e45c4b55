// PvFillPolygon: one polygon in one colour, into the 8-bit frame buffer or through the platform.
#include <cstring>

#include "core/color_cube.h"
#include "core/state.h"
#include "polvex/polvex.h"
#include "raster/fillers.h"
#include "raster/frame_target.h"
#include "raster/span_table.h"

namespace pv {

namespace {

struct SolidKernel {
    uint8_t index;
    void operator()(uint8_t *rowStart, int, int32_t down, int32_t up) const {
        const int32_t left = down < up ? down : up;
        const int32_t right = down < up ? up : down;
        std::memset(rowStart + left, index, static_cast<size_t>(right - left) + 1);
    }
};

}  // namespace

// Coverage: every buffer row from the topmost to the bottommost vertex, each from its leftmost
// to its rightmost edge position, both ends included (so polygons sharing an edge both paint
// it). Rounding: edge x values are the nearest integers along the edge, exact halves toward the
// edge's start vertex. No dither: one palette index from the colour cube.
void FillSpansSolid(uint8_t *pixels, ptrdiff_t stride, const POINT *vertices, int count, uint8_t index) {
    SpanColumn<int32_t> xs;
    WalkEdges(vertices, count, [vertices](int i) { return vertices[i].x; }, xs);
    const RowRange range = FindRowRange(vertices, count);
    if (range.empty()) return;
    SolidKernel kernel{index};
    PaintRows(pixels, stride, xs, range, kernel);
}

}  // namespace pv

extern "C" POLVEX_API void PvFillPolygon(const POINT *points, int32_t count, uint32_t color) {
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
    FillSpansSolid(target.bits, target.stride, clipped.points, n, PaletteIndex(color, target.variant));
}
