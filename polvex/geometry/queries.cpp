// The exported point queries: world positions of model vertices, pixel positions of vertices
// and free points, the facing of an object's polygons, and the renderer's point callback.
// They round as trunc(offset - projected) + frame half, which differs by one from the
// renderer's pixel left of and above the centre; hosts rely on these values as they are.
#include <cstdint>

#include "core/state.h"
#include "geometry/matrix.h"
#include "polvex/polvex.h"
#include "render/lighting_frame.h"
#include "render/projection.h"

namespace pv {

namespace {

// Half the frame's width and half its number of lines; a top-down buffer has a negative
// height, and its centre line is still |height| div 2.
int32_t HalfWidth() { return g_state.frameWidth / 2; }
int32_t HalfLines() { return FrameLines() / 2; }

Vector3 WorldPoint(const Matrix4 &r, const ObjectStruct &record, const Vector3 &p) {
    return {p.x * r(0, 0) + p.y * r(1, 0) + p.z * r(2, 0) + record.x,
            p.x * r(0, 1) + p.y * r(1, 1) + p.z * r(2, 1) + record.y,
            p.x * r(0, 2) + p.y * r(1, 2) + p.z * r(2, 2) + record.z};
}

// The free point's camera-space coordinates under the view rotation r (no translation).
Vector3 ViewOffset(const Matrix4 &r, const float *point) {
    return {point[0] * r(0, 0) + point[1] * r(1, 0) + point[2] * r(2, 0),
            point[0] * r(0, 1) + point[1] * r(1, 1) + point[2] * r(2, 1),
            point[0] * r(0, 2) + point[1] * r(1, 2) + point[2] * r(2, 2)};
}

// Steps 3 and 4 of the free-point query: false when the point is nearer than the near plane.
bool ProjectFreePoint(const Vector3 &view, int32_t *out) {
    const float depth = view.x;
    if (depth < g_state.clipDistance) return false;
    const float distance = g_state.screenDistance;
    out[0] = TruncToPixel(g_state.centerX - view.y / depth * distance) + HalfWidth();
    out[1] = TruncToPixel(g_state.centerY - view.z / depth * distance) + HalfLines();
    return true;
}

}  // namespace

}  // namespace pv

extern "C" {

POLVEX_API void Set2DObjectPointProc(PvObjectPointProc proc) { pv::g_state.pointProc = proc; }

POLVEX_API void GetRotatedObjectPoint(const ObjectStruct *record, int32_t index, Vector3 *out) {
    pv::Matrix4 r;
    pv::ObjectMatrix(r, record, 0);
    *out = pv::WorldPoint(r, *record, record->objectData->pnt[index]);
}

POLVEX_API void GetRotatedObjectPoints(const ObjectStruct *record, const int32_t *indices,
                                       Vector3 *out) {
    pv::Matrix4 r;
    pv::ObjectMatrix(r, record, 0);
    const Vector3 *pnt = record->objectData->pnt;
    for (; *indices >= 0; ++indices) *out++ = pv::WorldPoint(r, *record, pnt[*indices]);
}

POLVEX_API int32_t Get2DObjectPoint(const ObjectStruct *array, int32_t i, int32_t vertex,
                                    int32_t *out) {
    using namespace pv;
    Matrix4 c, o, m;
    CameraMatrix(c, &array[0]);
    ObjectMatrix(o, array, i);
    MultiplyMatrix(m, o, c);
    const Vector3 &p = array[i].objectData->pnt[vertex];
    const float depth = p.x * m(0, 0) + p.y * m(1, 0) + p.z * m(2, 0) + m(3, 0);
    const float horz = p.x * m(0, 1) + p.y * m(1, 1) + p.z * m(2, 1) + m(3, 1);
    const float vert = p.x * m(0, 2) + p.y * m(1, 2) + p.z * m(2, 2) + m(3, 2);
    if (depth < g_state.clipDistance) return 0;
    const float scale = g_state.screenDistance / depth;
    out[0] = TruncToPixel(g_state.centerX - scale * horz) + HalfWidth();
    out[1] = TruncToPixel(g_state.centerY - scale * vert) + HalfLines();
    return 1;
}

POLVEX_API int32_t IsObversePolygon(const ObjectStruct *array, int32_t i, float *out) {
    using namespace pv;
    const ObjectStruct &camera = array[0];
    const ObjectStruct &object = array[i];
    Matrix4 c;
    CameraMatrix(c, &camera);
    const float depth = (object.x - camera.x) * c(0, 0) + (object.y - camera.y) * c(1, 0) +
                        (object.z - camera.z) * c(2, 0);
    // The renderer's test, negated the same way, so that both skip the same objects.
    if (!(depth + object.objectData->radius >= g_state.clipDistance)) return 0;
    Matrix4 o;
    ObjectMatrix(o, array, i);
    LightingFrame frame;
    LightingScratch scratch;
    scratch.worldLight() = {g_state.light[0], g_state.light[1], g_state.light[2]};
    SetupLightingFrame(frame, array, i, o, scratch);
    const ObjectData &model = *object.objectData;
    for (int32_t j = 0; j < model.plnNum; ++j) out[j] = FacingValue(model, model.pln[j], frame.eye);
    return 1;
}

POLVEX_API int32_t Get2DPoint(const ObjectStruct *camera, const float *point, int32_t *out) {
    pv::Matrix4 r;
    pv::CameraMatrix(r, camera);
    return pv::ProjectFreePoint(pv::ViewOffset(r, point), out) ? 1 : 0;
}

POLVEX_API void Get2DPoints(const ObjectStruct *camera, const float *points, int32_t count,
                            int32_t *out) {
    pv::Matrix4 r;
    pv::CameraMatrix(r, camera);
    for (int32_t k = 0; k < count; ++k) {
        if (!pv::ProjectFreePoint(pv::ViewOffset(r, points + 3 * k), out + 2 * k)) {
            out[2 * k] = -1;
            out[2 * k + 1] = -1;
        }
    }
}

}  // extern "C"
