// PvFillPolygonGouraudShading: corner colours interpolated along the edges and along each run,
// dithered per pixel onto the colour cube of the 8-bit frame buffer.
#include "core/state.h"
#include "polvex/polvex.h"
#include "raster/dither.h"
#include "raster/fillers.h"
#include "raster/frame_target.h"
#include "raster/span_table.h"

namespace pv {

namespace {

// Sixteenths of the three channels in 7-bit fields: red bits 0-6, green 7-13, blue 14-20.
uint32_t PackSixteenths(uint32_t color) {
    return kColorSixteenths[color & 0xFF] | static_cast<uint32_t>(kColorSixteenths[(color >> 8) & 0xFF]) << 7 |
           static_cast<uint32_t>(kColorSixteenths[(color >> 16) & 0xFF]) << 14;
}

struct GouraudKernel {
    const SpanColumn<uint8_t> *channels;  // red, green, blue
    const uint8_t *lookup;
    uint8_t *pixels;
    ptrdiff_t stride;

    void operator()(uint8_t *, int row, int32_t down, int32_t up) const {
        const RunColor a{channels[0].down[row], channels[1].down[row], channels[2].down[row]};
        const RunColor b{channels[0].up[row], channels[1].up[row], channels[2].up[row]};
        FillGouraudSpan(pixels, stride, down, row, up, a, b, lookup);
    }
};

}  // namespace

// Coverage: that of FillSpansSolid, every row between the top and bottom vertex and both ends
// of each run. Rounding: along edges x and each channel's sixteenths take the nearest integer,
// exact halves toward the edge's start; along a run the colour lags (error starting at n).
// Dither anchor: threshold row = buffer row mod 4 in memory order, column = x mod 4.
void FillSpansGouraud(uint8_t *pixels, ptrdiff_t stride, const POINT *vertices, int count,
                      const uint32_t *packed, const uint8_t *lookup) {
    SpanColumn<int32_t> xs;
    WalkEdges(vertices, count, [vertices](int i) { return vertices[i].x; }, xs);
    const RowRange range = FindRowRange(vertices, count);
    SpanColumn<uint8_t> channels[3];
    for (int k = 0; k < 3; ++k) {
        const int shift = 7 * k;
        WalkEdges(vertices, count, [packed, shift](int i) { return static_cast<int32_t>((packed[i] >> shift) & 0x7F); },
                  channels[k]);
    }
    if (range.empty()) return;
    GouraudKernel kernel{channels, lookup, pixels, stride};
    PaintRows(pixels, stride, xs, range, kernel);
}

}  // namespace pv

// Displays without a palette have no Gouraud path: 8-bit indices in a frame of another depth
// would be no picture, so such a call paints nothing (the renderer never makes it).
extern "C" POLVEX_API void PvFillPolygonGouraudShading(const POINT *points, int32_t count,
                                                       const uint32_t *colors) {
    using namespace pv;
    if (!g_state.paletteDevice || colors == nullptr) return;
    FrameTarget target;
    if (!PaletteFrame(&target)) return;
    ClippedPolygon clipped;
    const int n = ClipPolygonToFrame(target, points, colors, count, clipped);
    if (n < 3) return;
    for (int i = 0; i < n; ++i) clipped.colors[i] = PackSixteenths(clipped.colors[i]);
    FillSpansGouraud(target.bits, target.stride, clipped.points, n, clipped.colors, PixelLookup(target.variant));
}
