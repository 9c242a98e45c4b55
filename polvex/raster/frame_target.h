// The 8-bit frame buffer as the fillers see it, and the clipping of a polygon into its rows.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win32.h"
#include "raster/clip_to_frame.h"

namespace pv {

struct FrameTarget {
    uint8_t *bits;    // first byte in memory
    ptrdiff_t stride; // bytes per buffer row
    int32_t width;    // pixels per row
    int32_t lines;    // rows
    bool bottomUp;    // screen line 0 is the last row in memory
    int variant;      // layout of the halftone palette, 0 or 1
};

// The current frame buffer when the 8-bit fills can draw into it: there are pixels, the
// dimensions are positive, rows do not overlap and there are at most kSpanRows of them.
bool PaletteFrame(FrameTarget *target);

// Both clip stages and their buffers, in the caller's automatic storage.
struct ClippedPolygon {
    POINT stageX[kClipCapacity];
    uint32_t colorsX[kClipCapacity];
    POINT points[kClipCapacity];  // in buffer rows after ClipPolygonToFrame
    uint32_t colors[kClipCapacity];
};

// Clips to columns 0..width-1, then to lines 0..lines-1, carrying colours when colors is not
// null, and turns screen lines into buffer rows. Returns the number of points left, 0 for a
// polygon wholly outside or one too complex for the clip buffers.
int ClipPolygonToFrame(const FrameTarget &target, const POINT *points, const uint32_t *colors,
                       int count, ClippedPolygon &clipped);

}  // namespace pv
