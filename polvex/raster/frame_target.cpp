// Frame checks and frame clipping shared by the three 8-bit fillers.
#include "raster/frame_target.h"

#include <climits>

#include "core/state.h"
#include "raster/span_table.h"

namespace pv {

bool PaletteFrame(FrameTarget *target) {
    const LibraryState &s = g_state;
    if (s.frameBits == nullptr || s.frameWidth <= 0 || s.frameHeight == 0 ||
        s.frameHeight == INT_MIN || s.frameStride < s.frameWidth) {
        return false;
    }
    const int32_t lines = s.frameHeight < 0 ? -s.frameHeight : s.frameHeight;
    if (lines > kSpanRows) return false;
    *target = FrameTarget{s.frameBits, s.frameStride, s.frameWidth, lines, s.frameHeight > 0,
                          s.halftoneVariant != 0 ? 1 : 0};
    return true;
}

int ClipPolygonToFrame(const FrameTarget &target, const POINT *points, const uint32_t *colors,
                       int count, ClippedPolygon &clipped) {
    if (count < 1 || points == nullptr) return 0;
    const bool carry = colors != nullptr;
    const int inX = ClipToFrame(points, colors, count, ClipAxis::X, target.width - 1,
                                {clipped.stageX, carry ? clipped.colorsX : nullptr, kClipCapacity});
    if (inX <= 0) return 0;
    const int inY = ClipToFrame(clipped.stageX, carry ? clipped.colorsX : nullptr, inX, ClipAxis::Y,
                                target.lines - 1,
                                {clipped.points, carry ? clipped.colors : nullptr, kClipCapacity});
    if (inY <= 0) return 0;
    if (target.bottomUp) {
        for (int i = 0; i < inY; ++i) clipped.points[i].y = target.lines - 1 - clipped.points[i].y;
    }
    return inY;
}

RowRange FindRowRange(const POINT *vertices, int count) {
    RowRange range{kSpanRows, 0};
    for (int k = 0; k < count; ++k) {
        const int next = k + 1 == count ? 0 : k + 1;
        const int y0 = vertices[k].y;
        if (y0 == vertices[next].y) continue;
        if (y0 < range.top) range.top = y0;
        if (y0 > range.bottom) range.bottom = y0;
    }
    return range;
}

}  // namespace pv
