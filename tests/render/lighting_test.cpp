// The per-object lighting frame, vertex projection and polygon colours.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "core/state.h"
#include "geometry/matrix.h"
#include "render/lighting_frame.h"
#include "render/render_scene.h"

namespace pvtest {
namespace {

pv::Matrix4 Block(std::initializer_list<float> rows) {
    pv::Matrix4 m{};
    auto it = rows.begin();
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) m(r, c) = *it++;
    }
    m(3, 3) = 1;
    return m;
}

TEST(InvertRotationTest, InvertsTheBlockAndKeepsTheAdjugateOfASingularOne) {
    pv::Matrix4 out{};
    out(3, 0) = 7;
    pv::InvertRotation(out, Block({0, 1, 0, -1, 0, 0, 0, 0, 1}));  // a quarter turn about z
    EXPECT_EQ(out(0, 1), -1.0f);
    EXPECT_EQ(out(1, 0), 1.0f);
    EXPECT_EQ(out(2, 2), 1.0f);
    EXPECT_EQ(out(3, 0), 7.0f) << "only the block is written";

    pv::InvertRotation(out, Block({2, 0, 0, 0, 4, 0, 0, 0, 8}));
    EXPECT_EQ(out(0, 0), 0.5f);
    EXPECT_EQ(out(1, 1), 0.25f);
    EXPECT_EQ(out(2, 2), 0.125f);

    // Rank 1: determinant 0, the adjugate is all zero here.
    pv::InvertRotation(out, Block({1, 2, 3, 2, 4, 6, 3, 6, 9}));
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) EXPECT_EQ(out(r, c), 0.0f);
    }
}

class LightingTest : public RenderTest {};

TEST_F(LightingTest, FrameTurnsCameraAndLightIntoModelCoordinates) {
    OpenFrame(64, 48);
    ObjectStruct array[2] = {camera, Placed(nullptr, 0, 0, 0)};
    array[0].x = 10;
    array[0].y = 20;
    array[1].yaw = 1024;  // model x along world y
    pv::Matrix4 o;
    pv::ObjectMatrix(o, array, 1);
    pv::LightingScratch scratch;
    scratch.worldLight() = {0, 1, 0};
    pv::LightingFrame frame;
    const float halfLength = pv::SetupLightingFrame(frame, array, 1, o, scratch);
    EXPECT_NEAR(frame.eye.x, 20, 1e-5);
    EXPECT_NEAR(frame.eye.y, -10, 1e-5);
    EXPECT_NEAR(frame.lightDir.x, 1, 1e-6);
    EXPECT_NEAR(frame.lightDir.y, 0, 1e-6);
    // v = -eye / |eye|; h = -(lightDir + v).
    const float n = std::sqrt(500.0f);
    const float hx = -(1 - 20 / n), hy = -(10 / n);
    EXPECT_NEAR(halfLength, std::sqrt(hx * hx + hy * hy), 1e-5);
    EXPECT_NEAR(frame.half.x, hx / halfLength, 1e-5);
    EXPECT_NEAR(frame.half.y, hy / halfLength, 1e-5);
}

TEST_F(LightingTest, CameraAtTheOriginOrLightTowardsTheCameraLeaveNoHighlightDirection) {
    OpenFrame(64, 48);
    ObjectStruct array[2] = {camera, Placed(nullptr, 0, 0, 0)};
    pv::Matrix4 o;
    pv::ObjectMatrix(o, array, 1);
    pv::LightingScratch scratch;
    scratch.worldLight() = {0.6f, 0, -0.8f};
    pv::LightingFrame frame;
    // The camera at the object's origin: the view stays zero and half = -lightDir.
    EXPECT_NEAR(pv::SetupLightingFrame(frame, array, 1, o, scratch), 1.0f, 1e-6);
    EXPECT_NEAR(frame.half.x, -0.6f, 1e-6);
    EXPECT_EQ(frame.half.y, 0.0f);
    EXPECT_NEAR(frame.half.z, 0.8f, 1e-6);

    // The object straight ahead along +x and the light travelling back along -x.
    array[1].x = 50;
    pv::ObjectMatrix(o, array, 1);
    scratch.worldLight() = {-1, 0, 0};
    EXPECT_EQ(pv::SetupLightingFrame(frame, array, 1, o, scratch), 0.0f);
}

TEST_F(LightingTest, UnlitRecordsKeepTheirPreLitColourWhateverTheLightButCornersAreAlwaysLit) {
    OpenFrame(64, 48);
    ObjectData *model = Keep(MakePolygonModel({{0, 0, 0}, {0, 0, 100}, {0, 100, 0}}, 255, 0, 0));
    const ColorBytes prelit = model->pln[0].color;
    const float newLight[3] = {-1, 0, 0};
    SetLight(newLight, 0.4f);
    pv::LightingFrame frame{{-500, 0, 0}, {-1, 0, 0}, {1, 0, 0}};
    const PlaneData &polygon = model->pln[0];

    ObjectStruct unlit = Placed(model, 0, 0, 0, 0);
    EXPECT_EQ(pv::ShadePolygonFlat(unlit, polygon, frame, 1.0f), static_cast<uint32_t>(prelit.red));
    ObjectStruct lit = Placed(model, 0, 0, 0, 1);
    // Normal (-1, 0, 0) against the light travelling along -x: turned away, ambient only.
    EXPECT_EQ(pv::ShadePolygonFlat(lit, polygon, frame, 1.0f), 102u);

    uint32_t corners[3];
    model->shadingVector[0] = {1, 0, 0};
    pv::ShadeCorners(unlit, polygon, frame, 1.0f, corners);
    EXPECT_EQ(corners[0], 255u) << "facing the light: intensity 1";
    EXPECT_EQ(corners[1], 102u) << "the polygon's own normal: turned away, ambient only";
}

TEST_F(LightingTest, VertexNearerThanTheClipDistanceKeepsItsOldScreenPoint) {
    OpenFrame(640, 480);
    auto built = MakePolygonModel({{20, 0, 0}, {300, 30, 15}, {300, 1.5f, 0}});
    built->AddPoint(300, 0, 0);  // used by no polygon
    ObjectData *model = Keep(std::move(built));
    ObjectStruct array[2] = {camera, Placed(model, 0, 0, 0)};
    pv::Matrix4 m;
    pv::ObjectMatrix(m, array, 1);
    pv::g_state.screenPoints[0] = {-5, -6};
    pv::g_state.screenPoints[3] = {-7, -8};
    std::memset(pv::g_state.vertexUsed, 1, 3);
    pv::g_state.vertexUsed[3] = 0;
    pv::ProjectMarkedVertices(pv::g_state.screenPoints, array, 1, m, 320.0f, 240.0f);
    EXPECT_EQ(pv::g_state.viewDepth[0], 20.0f);
    EXPECT_EQ(pv::g_state.screenPoints[0].x, -5);
    EXPECT_EQ(pv::g_state.screenPoints[0].y, -6);
    EXPECT_EQ(pv::g_state.screenPoints[1].x, 290);
    EXPECT_EQ(pv::g_state.screenPoints[1].y, 225);
    EXPECT_EQ(pv::g_state.screenPoints[2].x, 318) << "truncated toward zero from 318.5";
    EXPECT_EQ(pv::g_state.screenPoints[3].x, -7) << "unmarked vertices are not touched";
}

}  // namespace
}  // namespace pvtest
