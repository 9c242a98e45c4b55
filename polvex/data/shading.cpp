// Derived model data: the bounding radius, polygon normals and pre-lit colours, and the
// per-vertex shading vectors that the Gouraud mode lights.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "core/report.h"
#include "core/state.h"
#include "data/lighting_rule.h"

namespace pv {

namespace {

constexpr char kNoPnt[] =
    "SetObjectDataColor()の呼び出しで、\npntメンバのメモリが確保されていません。";
constexpr char kNoPln[] =
    "SetObjectDataColor()の呼び出しで、\nplnメンバのメモリが確保されていません。";
constexpr char kNoMaterial[] =
    "SetObjectDataColor()の呼び出しで、\nmaterialメンバのメモリが確保されていません。";

// Lengths are taken in double so that short edges are not lost to a float square underflowing;
// the "exactly zero" tests below then mean a true zero vector.
float Length(const Vector3 &v) {
    return static_cast<float>(std::sqrt(static_cast<double>(v.x) * v.x +
                                        static_cast<double>(v.y) * v.y +
                                        static_cast<double>(v.z) * v.z));
}

Vector3 Scaled(const Vector3 &v, float divisor) {
    return {v.x / divisor, v.y / divisor, v.z / divisor};
}

Vector3 Difference(const Vector3 &a, const Vector3 &b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

void RotateCorners(PlaneData &plane) {
    const int32_t first = plane.corner[0];
    std::memmove(plane.corner, plane.corner + 1, sizeof(int32_t) * (plane.cornerNum - 1));
    plane.corner[plane.cornerNum - 1] = first;
}

// The unit normal from the first three corners. When they give no normal (a repeated vertex or
// a straight line) the list is rotated and tried again, at most cornerNum times; after that
// many rotations the list is back in its original order and the polygon is degenerate.
bool PlaneNormal(PlaneData &plane, const Vector3 *pnt, Vector3 &normal) {
    for (int32_t attempt = 0; attempt < plane.cornerNum; ++attempt) {
        const Vector3 &p0 = pnt[plane.corner[0]];
        const Vector3 &p1 = pnt[plane.corner[1]];
        const Vector3 &p2 = pnt[plane.corner[2]];
        const Vector3 e1 = Difference(p1, p0);
        const Vector3 e2 = Difference(p2, p1);
        const float l1 = Length(e1), l2 = Length(e2);
        if (l1 != 0.0f && l2 != 0.0f) {
            const Vector3 a = Scaled(e1, l1), b = Scaled(e2, l2);
            const Vector3 n = {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
            const float ln = Length(n);
            if (ln != 0.0f) {
                normal = Scaled(n, ln);
                return true;
            }
        }
        RotateCorners(plane);
    }
    return false;
}

float LargestLength(const Vector3 *pnt, int32_t pntNum) {
    float radius = 0.0f;
    for (int32_t v = 0; v < pntNum; ++v) {
        const float length = Length(pnt[v]);
        if (length > radius) radius = length;
    }
    return radius;
}

// The running sums of a vertex's shading vector live in the output array itself; count and
// the last polygon seen need a slot per vertex, kept on the stack for one chunk of vertices.
constexpr int32_t kVertexChunk = kMaxObjectVertices;

struct VertexTally {
    int32_t count;
    int32_t last;  // highest polygon number counted so far, -1 before the first
};

void FinishVertex(Vector3 &out, const VertexTally &tally, const PlaneData *pln) {
    if (tally.count == 0) {
        out = {0.0f, 0.0f, 1.0f};
        return;
    }
    const Vector3 average = Scaled(out, static_cast<float>(tally.count));
    const float length = Length(average);
    // Normals that cancel out leave no direction; the last polygon's own normal stands in.
    out = length < 0.001f ? pln[tally.last].normal : Scaled(average, length);
}

// One pass over every corner for the vertices first to first + tally count. Polygons are
// walked in increasing order, so each vertex sums its normals in the same order as a scan of
// all polygons per vertex would, and a vertex listed twice in a polygon counts once.
void ShadeVertexChunk(const PlaneData *pln, int32_t plnNum, Vector3 *out, int32_t first,
                      int32_t count) {
    VertexTally tally[kVertexChunk];
    for (int32_t k = 0; k < count; ++k) tally[k] = {0, -1};
    for (int32_t j = 0; j < plnNum; ++j) {
        const PlaneData &plane = pln[j];
        for (int32_t k = 0; k < plane.cornerNum; ++k) {
            const int32_t v = plane.corner[k] - first;
            if (v < 0 || v >= count || tally[v].last == j) continue;
            tally[v].last = j;
            ++tally[v].count;
            Vector3 &sum = out[first + v];
            sum = {sum.x + plane.normal.x, sum.y + plane.normal.y, sum.z + plane.normal.z};
        }
    }
    for (int32_t v = 0; v < count; ++v) FinishVertex(out[first + v], tally[v], pln);
}

}  // namespace

}  // namespace pv

extern "C" POLVEX_API int32_t SetObjectDataColor(ObjectData *object) {
    using namespace pv;
    if (object->pnt == nullptr) return Report(kNoPnt), 0;
    if (object->pln == nullptr) return Report(kNoPln), 0;
    if (object->material == nullptr) return Report(kNoMaterial), 0;
    object->radius = LargestLength(object->pnt, object->pntNum);

    const Vector3 light = {g_state.light[0], g_state.light[1], g_state.light[2]};
    // Pre-lit colours assume the object seen unrotated by a camera looking along +x.
    Vector3 half = {-(light.x + 1.0f), -light.y, -light.z};
    const float halfLength = Length(half);
    const bool takeHighlight = halfLength != 0.0f;
    if (takeHighlight) half = Scaled(half, halfLength);

    for (int32_t j = 0; j < object->plnNum; ++j) {
        PlaneData &plane = object->pln[j];
        // A degenerate polygon keeps a zero normal; the rule then gives it the ambient share,
        // the same as a face turned away from the light.
        Vector3 normal = {0.0f, 0.0f, 0.0f};
        PlaneNormal(plane, object->pnt, normal);
        plane.normal = normal;
        const MaterialData &material = object->material[plane.materialNo];
        const float intensity =
            ShadeIntensity(normal, light, half, takeHighlight, material.highlight);
        const uint32_t shaded = ShadeColor(intensity, material.color);
        plane.color.red = static_cast<uint8_t>(shaded);
        plane.color.green = static_cast<uint8_t>(shaded >> 8);
        plane.color.blue = static_cast<uint8_t>(shaded >> 16);
    }
    return 1;
}

extern "C" POLVEX_API int32_t SetObjectDataShadingVector(ObjectData *object) {
    using namespace pv;
    if (object->pntNum < 1) return 1;
    const int64_t bytes = static_cast<int64_t>(object->pntNum) * sizeof(Vector3);
    if (bytes > INT32_MAX) return Report(kOutOfMemory), 0;
    auto *out = static_cast<Vector3 *>(PvAlloc(static_cast<int32_t>(bytes)));
    // The allocator has already said why; the record keeps the array it had, never a pointer
    // to nothing, and the caller learns that the vectors were not computed.
    if (out == nullptr) return 0;
    object->shadingVector = out;
    std::memset(out, 0, static_cast<size_t>(bytes));
    const int32_t plnNum = object->pln != nullptr ? object->plnNum : 0;
    // Models within the renderer's limit take a single pass over their corners.
    for (int32_t first = 0; first < object->pntNum; first += kVertexChunk) {
        const int32_t count = std::min(object->pntNum - first, kVertexChunk);
        ShadeVertexChunk(object->pln, plnNum, out, first, count);
    }
    return 1;
}
