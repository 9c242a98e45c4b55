// Polvex, the frame render driver: visibility of each object, its matrices, lighting frame and
// projected vertices, the point callback, listing or clipping its front-facing polygons, and
// the output pass.
#include <cstdint>

#include "core/lifecycle.h"
#include "core/report.h"
#include "core/state.h"
#include "geometry/matrix.h"
#include "polvex/polvex.h"
#include "render/lighting_frame.h"
#include "render/near_clip.h"
#include "render/polygon_entry.h"
#include "render/polygon_list.h"

namespace pv {

namespace {

// An object larger than the per-object work arrays is not drawn at all rather than drawn in
// part or written past the arrays.
constexpr char kObjectTooLargeMessage[] = "頂点数またはポリゴン数が%dを越えるオブジェクトは\n表示できません。";

struct FrameContext {
    const ObjectStruct *array;
    Matrix4 camera;
    float centerX;
    float centerY;
    LightingScratch scratch;
    int32_t polygonCount;
};

bool FitsWorkArrays(const ObjectData &model) {
    return model.pntNum <= kMaxObjectVertices && model.plnNum <= kMaxObjectPolygons;
}

// Lists polygon j of object i, directly or through a clipper, and counts it when it is done.
void ListOne(FrameContext &frame, int32_t i, int32_t j, bool crossing, const LightingFrame &lighting,
             float halfLength) {
    const ObjectStruct *array = frame.array;
    if (frame.polygonCount >= kMaxFramePolygons) {
        ReportFormat(kListFullMessage, kMaxFramePolygons);
        return;
    }
    if (!crossing) {
        ListPolygon(array, i, j, frame.polygonCount);
    } else if (g_state.modelMode == 3) {
        // A cut polygon is coloured and counted by the clipper itself.
        if (ClipPolygonGouraud(array, i, j, frame.centerX, frame.centerY, &frame.polygonCount,
                               lighting, halfLength) == 0) {
            return;
        }
    } else if (ClipPolygonFlat(array, i, j, frame.centerX, frame.centerY, frame.polygonCount) == 0) {
        return;
    }
    if (AddPolygon(array, i, j, frame.polygonCount, halfLength, lighting) != 0) ++frame.polygonCount;
}

void DrawObject(FrameContext &frame, int32_t i) {
    const ObjectStruct *array = frame.array;
    const ObjectStruct &object = array[i];
    const ObjectStruct &camera = array[0];
    if (object.visible == 0 || object.objectData == nullptr) return;
    const ObjectData &model = *object.objectData;

    const Matrix4 &c = frame.camera;
    const float depth = (object.x - camera.x) * c(0, 0) + (object.y - camera.y) * c(1, 0) +
                        (object.z - camera.z) * c(2, 0);
    const float radius = model.radius;
    const float clip = g_state.clipDistance;
    // Written as a negated test so that a depth that is not a number also skips the object.
    if (!(depth + radius >= clip)) return;
    const bool crossing = !(depth - radius > clip);

    if (!FitsWorkArrays(model)) {
        ReportFormat(kObjectTooLargeMessage, kMaxObjectVertices);
        return;
    }

    Matrix4 objectMatrix;
    ObjectMatrix(objectMatrix, array, i);
    Matrix4 modelToCamera;
    MultiplyMatrix(modelToCamera, objectMatrix, c);

    LightingFrame lighting;
    const float halfLength = SetupLightingFrame(lighting, array, i, objectMatrix, frame.scratch);
    MarkFacingPolygons(g_state.vertexUsed, g_state.polygonFacing, array, i, lighting.eye);
    ProjectMarkedVertices(g_state.screenPoints, array, i, modelToCamera, frame.centerX, frame.centerY);
    if (g_state.pointProc) {
        g_state.pointProc(i, g_state.vertexUsed, reinterpret_cast<int32_t *>(g_state.screenPoints));
    }

    const float *facing = g_state.polygonFacing;
    for (int32_t j = 0; j < model.plnNum; ++j) {
        if (FacesAway(facing[j])) continue;
        // A host-built polygon of more corners could cut into more than an entry holds.
        if (model.pln[j].cornerNum > kMaxModelCorners) continue;
        ListOne(frame, i, j, crossing, lighting, halfLength);
    }
}

}  // namespace

}  // namespace pv

extern "C" POLVEX_API int32_t Polvex(int32_t count, const ObjectStruct *array) {
    using namespace pv;
    if (CheckPolvexOpen() == 0) return 0;
    FrameContext frame;
    frame.array = array;
    // The centre of the picture's lines, whatever their order in memory: a top-down buffer has
    // a negative height.
    frame.centerX = static_cast<float>(g_state.frameWidth / 2) + g_state.centerX;
    frame.centerY = static_cast<float>(FrameLines() / 2) + g_state.centerY;
    CameraMatrix(frame.camera, &array[0]);
    frame.scratch.worldLight() = {g_state.light[0], g_state.light[1], g_state.light[2]};
    frame.polygonCount = 0;
    for (int32_t i = 1; i <= count; ++i) DrawObject(frame, i);
    OutputPolygons(frame.polygonCount);
    return frame.polygonCount;
}
