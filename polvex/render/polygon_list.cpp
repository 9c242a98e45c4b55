// Filling and completing polygon list entries, and the depth order of the list.
#include "render/polygon_list.h"

#include <cstring>

#include "core/report.h"
#include "core/state.h"

namespace pv {

void ListPolygon(const ObjectStruct *array, int32_t i, int32_t j, int32_t n) {
    const PlaneData &polygon = array[i].objectData->pln[j];
    PolygonEntry &entry = g_state.polygonList[n];
    const ScreenPoint *screen = g_state.screenPoints;
    const float *viewDepth = g_state.viewDepth;
    float depth = -3.4e38f;
    for (int32_t k = 0; k < polygon.cornerNum; ++k) {
        const int32_t v = polygon.corner[k];
        entry.points[k].x = screen[v].x;
        entry.points[k].y = screen[v].y;
        if (viewDepth[v] > depth) depth = viewDepth[v];
    }
    entry.depth = depth;
    entry.cornerNum = polygon.cornerNum;
    entry.cornerColorsDone = 0;
}

int AddPolygon(const ObjectStruct *array, int32_t i, int32_t j, int32_t n, float halfLength,
               const LightingFrame &frame) {
    PolygonEntry &entry = g_state.polygonList[n];
    if (entry.cornerNum < 3) return 0;
    const ObjectStruct &record = array[i];
    const PlaneData &polygon = record.objectData->pln[j];
    switch (g_state.modelMode) {
        case 0:
        case 999:
            return 1;
        case 1:
        case 2:
        case 4:
            entry.color = ShadePolygonFlat(record, polygon, frame, halfLength);
            return 1;
        case 3:
            if (entry.cornerColorsDone == 0) ShadeCorners(record, polygon, frame, halfLength, entry.cornerColors);
            return 1;
        default:
            // The entry still counts; the output pass draws nothing in an unknown mode.
            ReportAlways(kBadModelModeMessage);
            return 1;
    }
}

int DepthOrder(const PolygonEntry &a, const PolygonEntry &b) {
    const float difference = b.depth - a.depth;
    // Truncation toward zero, kept defined for differences beyond int and for not-a-number.
    if (difference >= 2147483648.0f) return INT32_MAX;
    if (difference <= -2147483648.0f) return INT32_MIN;
    if (!(difference == difference)) return 0;
    return static_cast<int>(difference);
}

namespace {

// A key that orders depths farthest first as unsigned integers: the float's bits turned into
// an ascending unsigned order, then inverted. Both zeros share one key; every not-a-number gets
// key 0, ahead of everything else.
uint32_t FarFirstKey(float depth) {
    if (!(depth == depth)) return 0;
    if (depth == 0.0f) depth = 0.0f;
    uint32_t bits;
    std::memcpy(&bits, &depth, sizeof bits);
    const uint32_t ascending = (bits & 0x80000000u) ? ~bits : bits | 0x80000000u;
    return ~ascending;
}

}  // namespace

// A least-significant-digit radix sort of indices: stable, linear, and independent of how the
// depths compare, so ties keep their list order and frames are reproducible. Passes whose
// digit is the same for every entry are skipped; depths of one scene share their high bytes.
void SortByDepth(const PolygonEntry *list, int32_t count, uint16_t *order) {
    if (count <= 0) return;
    uint32_t keys[kMaxFramePolygons];
    uint16_t scratch[kMaxFramePolygons];
    uint32_t histogram[4][256] = {};
    for (int32_t k = 0; k < count; ++k) {
        const uint32_t key = FarFirstKey(list[k].depth);
        keys[k] = key;
        order[k] = static_cast<uint16_t>(k);
        for (int digit = 0; digit < 4; ++digit) ++histogram[digit][(key >> (8 * digit)) & 0xFF];
    }
    uint16_t *from = order;
    uint16_t *to = scratch;
    for (int digit = 0; digit < 4; ++digit) {
        uint32_t *counts = histogram[digit];
        const int shift = 8 * digit;
        if (counts[(keys[0] >> shift) & 0xFF] == static_cast<uint32_t>(count)) continue;
        uint32_t start = 0;
        for (int b = 0; b < 256; ++b) {
            const uint32_t c = counts[b];
            counts[b] = start;
            start += c;
        }
        for (int32_t k = 0; k < count; ++k) {
            const uint16_t index = from[k];
            to[counts[(keys[index] >> shift) & 0xFF]++] = index;
        }
        uint16_t *swap = from;
        from = to;
        to = swap;
    }
    if (from != order) std::memcpy(order, from, static_cast<size_t>(count) * sizeof(uint16_t));
}

}  // namespace pv
