// The two near-plane clippers: outlines only, and outlines with a colour per corner.
#include "render/near_clip.h"

#include "core/state.h"
#include "render/polygon_entry.h"
#include "render/projection.h"

namespace pv {

uint32_t CrossingColor(uint32_t inFront, uint32_t behind, float t) {
    uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int a = static_cast<int>((inFront >> shift) & 0xFF);
        const int b = static_cast<int>((behind >> shift) & 0xFF);
        float channel = static_cast<float>(a) + static_cast<float>(b - a) * t;
        // t lies in [0, 1] up to rounding; keep the byte in range all the same.
        if (!(channel >= 0.0f)) channel = 0.0f;
        if (channel > 255.0f) channel = 255.0f;
        result |= static_cast<uint32_t>(channel) << shift;
    }
    return result;
}

namespace {

// Where a polygon lies relative to the near plane.
enum class Side { Front, Behind, Cut };

// Classifies polygon by its corner depths and finds its largest depth. A depth that is not a
// number counts as behind the plane and never becomes the largest.
Side Classify(const PlaneData &polygon, float clip, float &largest) {
    const float *viewDepth = g_state.viewDepth;
    bool allFront = true;
    bool anyBeyond = false;
    largest = -3.4e38f;
    for (int32_t k = 0; k < polygon.cornerNum; ++k) {
        const float z = viewDepth[polygon.corner[k]];
        if (!(z >= clip)) allFront = false;
        if (z > clip) anyBeyond = true;
        if (z > largest) largest = z;
    }
    if (allFront) return Side::Front;
    // Touching the plane from behind is not enough to be kept.
    return anyBeyond ? Side::Cut : Side::Behind;
}

void CopyWhole(const PlaneData &polygon, float largest, PolygonEntry &entry) {
    const ScreenPoint *screen = g_state.screenPoints;
    for (int32_t k = 0; k < polygon.cornerNum; ++k) {
        const ScreenPoint &p = screen[polygon.corner[k]];
        entry.points[k].x = p.x;
        entry.points[k].y = p.y;
    }
    entry.depth = largest;
    entry.cornerNum = polygon.cornerNum;
}

// The outline cut at the plane, written into entry; with colours (one per corner of the uncut
// polygon) the crossings get interpolated colours too. Returns the number of corners emitted.
int CutOutline(const PlaneData &polygon, float cx, float cy, const uint32_t *colors,
               PolygonEntry &entry) {
    const float *z = g_state.viewDepth;
    const float *h = g_state.viewHorz;
    const float *v = g_state.viewVert;
    const ScreenPoint *screen = g_state.screenPoints;
    const float clip = g_state.clipDistance;
    const float distance = g_state.screenDistance;
    const int corners = polygon.cornerNum;
    int out = 0;
    int prevCorner = corners - 1;
    int32_t p = polygon.corner[prevCorner];
    bool pFront = z[p] >= clip;
    for (int k = 0; k < corners; ++k) {
        const int32_t q = polygon.corner[k];
        const bool qFront = z[q] >= clip;
        if (pFront != qFront) {
            // The crossing is measured from the previous corner, whichever side it is on.
            const float s = (clip - z[p]);
            const float hc = h[p] + (h[q] - h[p]) / (z[q] - z[p]) * s;
            const float vc = v[p] + (v[q] - v[p]) / (z[q] - z[p]) * s;
            entry.points[out].x = TruncToPixel(cx - hc / clip * distance);
            entry.points[out].y = TruncToPixel(cy - vc / clip * distance);
            if (colors) {
                // Its colour is measured from the corner in front instead.
                const int32_t in = pFront ? p : q;
                const int32_t behind = pFront ? q : p;
                const float t = (clip - z[in]) / (z[behind] - z[in]);
                entry.cornerColors[out] =
                    CrossingColor(colors[pFront ? prevCorner : k], colors[pFront ? k : prevCorner], t);
            }
            ++out;
        }
        if (qFront) {
            entry.points[out].x = screen[q].x;
            entry.points[out].y = screen[q].y;
            if (colors) entry.cornerColors[out] = colors[k];
            ++out;
        }
        p = q;
        pFront = qFront;
        prevCorner = k;
    }
    return out;
}

}  // namespace

int ClipPolygonFlat(const ObjectStruct *array, int32_t i, int32_t j, float cx, float cy, int32_t n) {
    const PlaneData &polygon = array[i].objectData->pln[j];
    PolygonEntry &entry = g_state.polygonList[n];
    float largest;
    switch (Classify(polygon, g_state.clipDistance, largest)) {
        case Side::Front:
            CopyWhole(polygon, largest, entry);
            return 1;
        case Side::Behind:
            return 0;
        case Side::Cut:
            break;
    }
    entry.cornerNum = CutOutline(polygon, cx, cy, nullptr, entry);
    entry.depth = largest;
    return 1;
}

int ClipPolygonGouraud(const ObjectStruct *array, int32_t i, int32_t j, float cx, float cy,
                       int32_t *polygonCount, const LightingFrame &frame, float halfLength) {
    const ObjectStruct &record = array[i];
    const PlaneData &polygon = record.objectData->pln[j];
    PolygonEntry &entry = g_state.polygonList[*polygonCount];
    float largest;
    switch (Classify(polygon, g_state.clipDistance, largest)) {
        case Side::Front:
            CopyWhole(polygon, largest, entry);
            entry.cornerColorsDone = 0;
            return 1;
        case Side::Behind:
            return 0;
        case Side::Cut:
            break;
    }
    uint32_t colors[kMaxModelCorners];
    ShadeCorners(record, polygon, frame, halfLength, colors);
    const int corners = CutOutline(polygon, cx, cy, colors, entry);
    entry.depth = largest;
    entry.cornerNum = corners;
    entry.cornerColorsDone = 1;
    // Like AddPolygon, an outline of fewer than 3 corners does not count.
    if (corners >= 3) ++*polygonCount;
    return 0;
}

}  // namespace pv
