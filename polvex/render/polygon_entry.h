// One entry of the per-frame polygon list: a projected polygon with its sort depth and its
// colours, fixed-size and self-contained so that the fillers read it in place.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/state.h"
#include "platform/win32.h"

namespace pv {

// A listed polygon has at most 12 corners: 8 model corners, plus the crossings that the
// near-plane clipper adds when corners in front alternate with corners behind.
constexpr int kMaxEntryCorners = 12;
// Model polygons have at most 8 corners; more could make a cut outline overflow an entry.
constexpr int kMaxModelCorners = 8;

struct PolygonEntry {
    float depth;                                // largest camera-space depth among the corners
    uint32_t color;                             // 0x00BBGGRR, flat modes and the frame dump
    int32_t cornerNum;                          // counts only with 3 or more
    POINT points[kMaxEntryCorners];             // corners in pixels, in drawing order
    uint32_t cornerColors[kMaxEntryCorners];    // 0x00BBGGRR per corner, Gouraud mode
    uint8_t cornerColorsDone;                   // 1: cornerColors came with the entry
};

// The list is 5000 entries of exactly 160 bytes (800000 bytes allocated at open), and open
// zeroes the first 27 words of each; both rely on this layout.
static_assert(sizeof(PolygonEntry) == 160, "a polygon entry is 160 bytes");
static_assert(sizeof(PolygonEntry) == kPolygonEntryBytes, "open allocates entries of this size");
static_assert(offsetof(PolygonEntry, cornerColors) == kPolygonEntryClearedBytes, "open zeroes up to the colours");
static_assert(offsetof(PolygonEntry, points) == 12, "points follow depth, color and cornerNum");
static_assert(offsetof(PolygonEntry, cornerColors) == 108, "the zeroed part is 27 words");
static_assert(offsetof(PolygonEntry, cornerColorsDone) == 156, "the done flag follows the colours");

}  // namespace pv
