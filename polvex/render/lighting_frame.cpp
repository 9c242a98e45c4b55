// The per-object lighting frame, back-face test, vertex projection and polygon colours.
#include "render/lighting_frame.h"

#include <cmath>
#include <cstring>

#include "data/lighting_rule.h"
#include "render/projection.h"

namespace pv {

void InvertRotation(Matrix4 &out, const Matrix4 &in) {
    const float a00 = in(0, 0), a01 = in(0, 1), a02 = in(0, 2);
    const float a10 = in(1, 0), a11 = in(1, 1), a12 = in(1, 2);
    const float a20 = in(2, 0), a21 = in(2, 1), a22 = in(2, 2);
    float b[9] = {
        a11 * a22 - a21 * a12, -(a01 * a22 - a21 * a02), a01 * a12 - a11 * a02,
        -(a10 * a22 - a12 * a20), a00 * a22 - a02 * a20, -(a00 * a12 - a02 * a10),
        a10 * a21 - a11 * a20, -(a00 * a21 - a01 * a20), a00 * a11 - a01 * a10,
    };
    const float det = b[1] * a10 + b[2] * a20 + a00 * b[0];
    // A singular block keeps its adjugate: still a usable direction map, and no division by 0.
    if (det != 0.0f) {
        for (float &v : b) v /= det;
    }
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) out(r, c) = b[3 * r + c];
    }
}

void RotateVectors(const Matrix4 &m, const Vector3 *in, Vector3 *out, int n) {
    for (int k = 0; k < n; ++k) {
        const Vector3 s = in[k];
        out[k].x = s.x * m(0, 0) + s.y * m(1, 0) + s.z * m(2, 0);
        out[k].y = s.x * m(0, 1) + s.y * m(1, 1) + s.z * m(2, 1);
        out[k].z = s.x * m(0, 2) + s.y * m(1, 2) + s.z * m(2, 2);
    }
}

namespace {

float Length(const Vector3 &v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

// Red in bits 0 to 7, green 8 to 15, blue 16 to 23.
uint32_t PackColor(ColorBytes c) {
    return static_cast<uint32_t>(c.blue) << 16 | static_cast<uint32_t>(c.green) << 8 | c.red;
}

}  // namespace

float SetupLightingFrame(LightingFrame &frame, const ObjectStruct *array, int32_t i,
                         const Matrix4 &objectMatrix, LightingScratch &scratch) {
    const ObjectStruct &camera = array[0];
    const ObjectStruct &object = array[i];
    scratch.toCamera() = {camera.x - object.x, camera.y - object.y, camera.z - object.z};

    // The model's axes are the rows of the block, so its inverse takes world directions into
    // model coordinates; only two vectors are turned instead of every normal.
    Matrix4 inverse{};
    InvertRotation(inverse, objectMatrix);
    Vector3 rotated[2];
    RotateVectors(inverse, scratch.pair, rotated, 2);
    frame.eye = rotated[0];
    frame.lightDir = rotated[1];

    Vector3 view = {-frame.eye.x, -frame.eye.y, -frame.eye.z};
    const float viewLength = Length(view);
    if (viewLength != 0.0f) {
        view = {view.x / viewLength, view.y / viewLength, view.z / viewLength};
    }
    const Vector3 h = {-(frame.lightDir.x + view.x), -(frame.lightDir.y + view.y),
                       -(frame.lightDir.z + view.z)};
    const float halfLength = Length(h);
    frame.half = halfLength != 0.0f ? Vector3{h.x / halfLength, h.y / halfLength, h.z / halfLength} : h;
    return halfLength;
}

void MarkFacingPolygons(uint8_t *vertexUsed, float *polygonFacing, const ObjectStruct *array,
                        int32_t i, const Vector3 &eye) {
    const ObjectData &model = *array[i].objectData;
    if (model.pntNum > 0) std::memset(vertexUsed, 0, static_cast<size_t>(model.pntNum));
    for (int32_t j = 0; j < model.plnNum; ++j) {
        const PlaneData &polygon = model.pln[j];
        const float facing = FacingValue(model, polygon, eye);
        polygonFacing[j] = facing;
        if (FacesAway(facing)) continue;
        for (int32_t k = 0; k < polygon.cornerNum; ++k) vertexUsed[polygon.corner[k]] = 1;
    }
}

void ProjectMarkedVertices(ScreenPoint *screenPoints, const ObjectStruct *array, int32_t i,
                           const Matrix4 &m, float cx, float cy) {
    const ObjectData &model = *array[i].objectData;
    const uint8_t *used = g_state.vertexUsed;
    float *viewDepth = g_state.viewDepth;
    float *viewHorz = g_state.viewHorz;
    float *viewVert = g_state.viewVert;
    const float clip = g_state.clipDistance;
    const float distance = g_state.screenDistance;
    for (int32_t k = 0; k < model.pntNum; ++k) {
        if (!used[k]) continue;
        const Vector3 &p = model.pnt[k];
        const float depth = p.x * m(0, 0) + p.y * m(1, 0) + p.z * m(2, 0) + m(3, 0);
        const float horz = p.x * m(0, 1) + p.y * m(1, 1) + p.z * m(2, 1) + m(3, 1);
        const float vert = p.x * m(0, 2) + p.y * m(1, 2) + p.z * m(2, 2) + m(3, 2);
        viewDepth[k] = depth;
        viewHorz[k] = horz;
        viewVert[k] = vert;
        // Nearer vertices keep their old screen point: only the clipper's crossings replace them.
        if (depth >= clip) {
            screenPoints[k].x = TruncToPixel(cx - distance * horz / depth);
            screenPoints[k].y = TruncToPixel(cy - distance * vert / depth);
        }
    }
}

namespace {

// A zero of either sign in the material's strength or in the half vector's length turns the
// highlight off.
bool TakesHighlight(const MaterialData &material, float halfLength) {
    return material.highlight != 0.0f && halfLength != 0.0f;
}

}  // namespace

uint32_t ShadePolygonFlat(const ObjectStruct &record, const PlaneData &polygon,
                          const LightingFrame &frame, float halfLength) {
    if (record.lighting == 0) return PackColor(polygon.color);
    const MaterialData &material = record.objectData->material[polygon.materialNo];
    const float intensity = ShadeIntensity(polygon.normal, frame.lightDir, frame.half,
                                           TakesHighlight(material, halfLength), material.highlight);
    return ShadeColor(intensity, material.color);
}

void ShadeCorners(const ObjectStruct &record, const PlaneData &polygon, const LightingFrame &frame,
                  float halfLength, uint32_t *out) {
    const ObjectData &model = *record.objectData;
    const MaterialData &material = model.material[polygon.materialNo];
    const bool highlight = TakesHighlight(material, halfLength);
    for (int32_t k = 0; k < polygon.cornerNum; ++k) {
        // A model built by its host without shading vectors is lit flat rather than read
        // through a null array.
        const Vector3 &normal =
            model.shadingVector ? model.shadingVector[polygon.corner[k]] : polygon.normal;
        const float intensity =
            ShadeIntensity(normal, frame.lightDir, frame.half, highlight, material.highlight);
        out[k] = ShadeColor(intensity, material.color);
    }
}

}  // namespace pv
