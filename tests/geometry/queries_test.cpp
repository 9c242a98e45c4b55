// The exported point queries on a 640x480 frame with the default settings: screen distance
// 300, clip distance 30, the camera at the origin looking along +x.
#include <gtest/gtest.h>

#include <vector>

#include "core/state.h"
#include "polvex/polvex.h"
#include "support/library_fixture.h"

namespace pvtest {
namespace {

// A model whose arrays live in the test; normals come from the library.
struct Model {
    std::vector<Vector3> points;
    std::vector<std::vector<int32_t>> corners;
    std::vector<PlaneData> planes;
    MaterialData material{{0, 200, 200, 200}, 0.0f};
    ObjectData data{};

    ObjectData *Finish() {
        for (size_t j = 0; j < corners.size(); ++j) {
            PlaneData plane{};
            plane.cornerNum = static_cast<int32_t>(corners[j].size());
            plane.corner = corners[j].data();
            planes.push_back(plane);
        }
        data.pntNum = static_cast<int32_t>(points.size());
        data.pnt = points.data();
        data.plnNum = static_cast<int32_t>(planes.size());
        data.pln = planes.data();
        data.materialNum = 1;
        data.material = &material;
        SetObjectDataColor(&data);
        return &data;
    }
};

// A unit cube of side 2 * half about the origin, every face anticlockwise from outside.
Model Cube(float half) {
    Model m;
    for (int k = 0; k < 8; ++k) {
        m.points.push_back({k & 1 ? half : -half, k & 2 ? half : -half, k & 4 ? half : -half});
    }
    m.corners = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4}, {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
    return m;
}

ObjectStruct Record(ObjectData *model, float x, float y, float z) {
    ObjectStruct r{};
    SetObjectStruct(&r, 1, 1, x, y, z, 0, 0, 0, model);
    return r;
}

class QueriesTest : public LibraryTest {
protected:
    void SetUp() override { Open(PLATFORM_DISPLAY_PALETTE, 640, 480); }
    ObjectStruct camera{};
};

TEST_F(QueriesTest, FreePointsProjectAboutTheCentreAndNearPointsAreNotVisible) {
    struct Case {
        Vector3 point;
        int32_t result, x, y;
    };
    const Case cases[] = {
        {{300, 0, 0}, 1, 320, 240},
        {{300, 30, 15}, 1, 290, 225},
        {{300, -1.5f, 0}, 1, 321, 240},
        {{300, 1.5f, 0}, 1, 319, 240},  // the renderer draws it at 318
        {{29.9f, 0, 0}, 0, -9, -9},
    };
    for (const Case &c : cases) {
        int32_t out[2] = {-9, -9};
        EXPECT_EQ(Get2DPoint(&camera, &c.point.x, out), c.result) << c.point.x << "," << c.point.y;
        EXPECT_EQ(out[0], c.x) << c.point.y;
        EXPECT_EQ(out[1], c.y) << c.point.z;
    }
}

TEST_F(QueriesTest, BatchMarksPointsNearerThanTheClipDistanceAndGoesOn) {
    const float points[] = {300, 30, 15, 10, 0, 0, 300, 0, 0};
    int32_t out[6] = {};
    Get2DPoints(&camera, points, 3, out);
    EXPECT_EQ(std::vector<int32_t>(out, out + 6), (std::vector<int32_t>{290, 225, -1, -1, 320, 240}));
}

TEST_F(QueriesTest, VertexQueryRoundsOneAboveTheRendererLeftOfTheCentre) {
    Model m;
    m.points = {{300, 1.5f, 0}, {300, -1.5f, 0}, {20, 0, 0}, {300, 0, 1.5f}};
    m.corners = {{0, 1, 3}};
    ObjectStruct array[2] = {camera, Record(m.Finish(), 0, 0, 0)};
    int32_t out[2] = {-9, -9};
    ASSERT_EQ(Get2DObjectPoint(array, 1, 0, out), 1);
    EXPECT_EQ(out[0], 319);
    ASSERT_EQ(Get2DObjectPoint(array, 1, 1, out), 1);
    EXPECT_EQ(out[0], 321);
    ASSERT_EQ(Get2DObjectPoint(array, 1, 3, out), 1);
    EXPECT_EQ(out[1], 239);
    out[0] = out[1] = -9;
    EXPECT_EQ(Get2DObjectPoint(array, 1, 2, out), 0);
    EXPECT_EQ(out[0], -9);
}

TEST_F(QueriesTest, TopDownFrameBufferCentresOnItsMiddleLine) {
    ASSERT_NE(ResizePolvex(nullptr, 640, -480), nullptr);
    ASSERT_EQ(pv::g_state.frameHeight, -480);
    const float point[3] = {300, 30, 15};
    int32_t out[2] = {};
    ASSERT_EQ(Get2DPoint(&camera, point, out), 1);
    EXPECT_EQ(out[0], 290);
    EXPECT_EQ(out[1], 225);
}

TEST_F(QueriesTest, RotatedObjectPointsAreWorldPositions) {
    Model m;
    m.points = {{1, 0, 0}, {0, 0, 0}, {0, 0, 2}};
    m.corners = {{0, 1, 2}};
    ObjectStruct record = Record(m.Finish(), 10, 20, 30);
    record.yaw = 1024;
    Vector3 one{};
    GetRotatedObjectPoint(&record, 0, &one);
    EXPECT_NEAR(one.x, 10, 1e-5);
    EXPECT_EQ(one.y, 21);
    EXPECT_EQ(one.z, 30);

    Vector3 out[3];
    out[2] = {-7, -7, -7};
    const int32_t list[] = {0, 2, -1, 1};
    GetRotatedObjectPoints(&record, list, out);
    EXPECT_EQ(out[0].y, 21);
    EXPECT_EQ(out[1].z, 32);
    EXPECT_EQ(out[2].x, -7) << "the list ends at the first negative value";

    const int32_t none[] = {-1, 0};
    out[0] = {-7, -7, -7};
    GetRotatedObjectPoints(&record, none, out);
    EXPECT_EQ(out[0].x, -7);
}

TEST_F(QueriesTest, ObverseQueryAgreesWithWhatTheRendererDraws) {
    Model cube = Cube(10);
    ObjectStruct array[2] = {camera, Record(cube.Finish(), 100, 20, -15)};
    array[1].yaw = 300;
    array[1].pitch = 200;
    array[1].roll = 100;
    std::vector<float> facing(6, -99.0f);
    ASSERT_EQ(IsObversePolygon(array, 1, facing.data()), 1);
    SetModelMode(999);
    const int32_t drawn = Polvex(1, array);
    int obverse = 0;
    for (int j = 0; j < 6; ++j) {
        obverse += facing[j] <= 0;
        EXPECT_EQ(facing[j], pv::g_state.polygonFacing[j]) << "polygon " << j;
    }
    EXPECT_EQ(drawn, obverse);
    EXPECT_EQ(obverse, 3) << "a turned cube seen from outside shows three faces";

    // Wholly nearer than the near plane: nothing written.
    array[1].x = 30 - cube.data.radius - 1;
    facing.assign(6, -99.0f);
    EXPECT_EQ(IsObversePolygon(array, 1, facing.data()), 0);
    EXPECT_EQ(facing[0], -99.0f);
}

}  // namespace
}  // namespace pvtest
