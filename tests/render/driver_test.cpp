// Polvex on scenes built in memory: which objects and polygons reach the list, the point
// callback, the limits, and the count it returns.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/state.h"
#include "render/lighting_frame.h"
#include "render/polygon_entry.h"
#include "render/render_scene.h"

namespace pvtest {
namespace {

std::vector<int32_t> g_calls;
std::vector<pv::ScreenPoint> g_points;

void RecordCall(int32_t index, uint8_t *used, int32_t *points) {
    g_calls.push_back(index);
    g_points.clear();
    for (int k = 0; k < 4; ++k) g_points.push_back({used[k] ? points[2 * k] : -7, used[k] ? points[2 * k + 1] : -7});
}

class DriverTest : public RenderTest {
protected:
    void SetUp() override {
        g_calls.clear();
        g_points.clear();
    }
    ObjectData *Square() { return Keep(MakeSquareFacingCamera(10, 200, 100, 50)); }
};

TEST_F(DriverTest, InvisibleRecordsAndNullModelsAreSkippedAndNotPassedToTheCallback) {
    OpenFrame();
    SetModelMode(999);
    Set2DObjectPointProc(RecordCall);
    ObjectData *square = Square();
    ObjectStruct hidden = Placed(square, 100, 0, 0);
    hidden.visible = 0;
    const ObjectStruct empty = Placed(nullptr, 100, 0, 0);
    EXPECT_EQ(Render({hidden, empty, Placed(square, 100, 0, 0), Placed(square, 200, 0, 0)}), 2);
    EXPECT_EQ(g_calls, (std::vector<int32_t>{3, 4}));

    Set2DObjectPointProc(nullptr);
    g_calls.clear();
    EXPECT_EQ(Render({Placed(square, 100, 0, 0)}), 1);
    EXPECT_TRUE(g_calls.empty());
}

TEST_F(DriverTest, TheCameraRecordsOwnModelIsNeverDrawn) {
    OpenFrame();
    SetModelMode(999);
    camera = Placed(Square(), 0, 0, 0);
    camera.x = -100;
    EXPECT_EQ(Render({}), 0);
    EXPECT_EQ(Render({Placed(camera.objectData, 0, 0, 0)}), 1);
}

TEST_F(DriverTest, CountZeroOrNegativeListsNothing) {
    OpenFrame();
    std::vector<ObjectStruct> array = {camera, Placed(Square(), 100, 0, 0)};
    EXPECT_EQ(Polvex(0, array.data()), 0);
    EXPECT_EQ(Polvex(-3, array.data()), 0);
    EXPECT_TRUE(messages.boxes().empty());
}

TEST_F(DriverTest, BoundingSphereExactlyAtTheClipDistanceCrossesAndGoesThroughTheClipper) {
    OpenFrame();
    SetModelMode(999);
    // The model claims a radius of 10 but reaches 30 behind its origin, so whether it went
    // through the clipper shows in the corner count: cut, the triangle gains a corner.
    auto model = MakePolygonModel({{-30, 0, 5}, {0, 5, 0}, {0, -5, 0}});
    ObjectData *data = Keep(std::move(model));
    data->radius = 10;
    EXPECT_EQ(Render({Placed(data, 40.0f, 0, 0)}), 1);
    EXPECT_EQ(pv::g_state.polygonList[0].cornerNum, 4);
    EXPECT_EQ(Render({Placed(data, 40.001f, 0, 0)}), 1);
    EXPECT_EQ(pv::g_state.polygonList[0].cornerNum, 3);
}

TEST_F(DriverTest, ObjectMoreThanItsRadiusBehindTheNearPlaneIsSkipped) {
    OpenFrame();
    SetModelMode(999);
    Set2DObjectPointProc(RecordCall);
    ObjectData *square = Square();
    const float radius = square->radius;
    EXPECT_EQ(Render({Placed(square, 30 - radius - 0.01f, 0, 0)}), 0);
    EXPECT_TRUE(g_calls.empty());
    Render({Placed(square, 30 - radius + 0.01f, 0, 0)});
    EXPECT_EQ(g_calls, (std::vector<int32_t>{1}));
    EXPECT_EQ(Render({Placed(square, -500, 0, 0)}), 0);
}

TEST_F(DriverTest, FacingValueZeroIsDrawnAndOnlyPositiveValuesFaceAway) {
    EXPECT_FALSE(pv::FacesAway(0.0f));
    EXPECT_FALSE(pv::FacesAway(-0.0f));
    EXPECT_FALSE(pv::FacesAway(-1.0f));
    EXPECT_FALSE(pv::FacesAway(std::nanf("")));
    EXPECT_TRUE(pv::FacesAway(1e-45f));

    OpenFrame();
    SetModelMode(999);
    // A triangle in the plane z = 0 seen from a camera in that plane: facing value exactly 0.
    ObjectData *flat = Keep(MakePolygonModel({{0, 0, 0}, {10, 0, 0}, {0, 10, 0}}));
    EXPECT_EQ(Render({Placed(flat, 100, 0, 0)}), 1);
    EXPECT_EQ(pv::g_state.polygonFacing[0], 0.0f);
}

TEST_F(DriverTest, MinimalTriangleIsDrawnOnlyFromItsFrontSide) {
    OpenFrame();
    SetModelMode(999);
    ObjectData *minimal = Keep(MakePolygonModel({{0, 0, 0}, {0, 100, 0}, {0, 0, 100}}));
    camera.x = -500;
    EXPECT_EQ(Render({Placed(minimal, 0, 0, 0)}), 0);
    EXPECT_EQ(pv::g_state.polygonFacing[0], 500.0f);
    camera.x = 500;
    camera.yaw = 2048;  // looking back along -x
    EXPECT_EQ(Render({Placed(minimal, 0, 0, 0)}), 1);
    EXPECT_EQ(pv::g_state.polygonFacing[0], -500.0f);
}

TEST_F(DriverTest, ListBeyond5000PolygonsDropsEachExtraOneWithAReport) {
    OpenFrame();
    SetModelMode(999);
    // Two objects of small facing triangles on a shared grid: 3000 + 2001 = 5001 listed.
    auto build = [](int count) {
        auto model = std::make_unique<TestModel>();
        model->AddMaterial(10, 20, 30);
        const int columns = 50, rows = (count + 2 * columns - 1) / (2 * columns);
        for (int r = 0; r <= rows; ++r) {
            for (int c = 0; c <= columns; ++c) model->AddPoint(0, 25.0f - c, r - 15.0f);
        }
        auto at = [&](int c, int r) { return r * (columns + 1) + c; };
        for (int k = 0; k < count; ++k) {
            const int cell = k / 2, c = cell % columns, r = cell / columns;
            if (k % 2 == 0) {
                model->AddPolygon({at(c, r), at(c + 1, r), at(c, r + 1)});
            } else {
                model->AddPolygon({at(c + 1, r), at(c + 1, r + 1), at(c, r + 1)});
            }
        }
        return model;
    };
    ObjectData *first = Keep(build(3000));
    ObjectData *second = Keep(build(2001));
    messages.clear();
    EXPECT_EQ(Render({Placed(first, 300, 0, 0), Placed(second, 300, 0, 0)}), 5000);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"１画面に表示できる最大ポリゴン数\n5000を越えました。"});
}

TEST_F(DriverTest, ModelBeyondTheWorkArraysIsSkippedWithAReport) {
    OpenFrame();
    SetModelMode(999);
    Set2DObjectPointProc(RecordCall);
    auto model = MakePolygonModel({{0, 0, 0}, {0, -5, 0}, {0, 0, 5}});
    while (model->AddPoint(0, 1, 1) < pv::kMaxObjectVertices) {
    }
    ObjectData *big = Keep(std::move(model));
    ASSERT_EQ(big->pntNum, 5001);
    messages.clear();
    EXPECT_EQ(Render({Placed(big, 100, 0, 0)}), 0);
    EXPECT_TRUE(g_calls.empty());
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{"頂点数またはポリゴン数が5000を越えるオブジェクトは\n表示できません。"});
}

TEST_F(DriverTest, HostPolygonOfMoreThanEightCornersIsNotListed) {
    OpenFrame();
    SetModelMode(999);
    std::vector<Vector3> nine;
    for (int k = 0; k < 9; ++k) {
        const float a = 6.2831853f * static_cast<float>(k) / 9;
        nine.push_back({0, -10 * std::cos(a), 10 * std::sin(a)});
    }
    ObjectData *polygon = Keep(MakePolygonModel(nine));
    ASSERT_LE(polygon->pln[0].normal.x, 0.0f) << "faces the camera";
    // Cut by the near plane such an outline could need more corners than an entry holds.
    EXPECT_EQ(Render({Placed(polygon, 100, 0, 0)}), 0);
    EXPECT_EQ(Render({Placed(Keep(MakeSquareFacingCamera(10, 1, 2, 3)), 100, 0, 0)}), 1);
}

TEST_F(DriverTest, ProjectionBeyondTheInt32RangeIsClamped) {
    OpenFrame();
    SetModelMode(999);
    Set2DObjectPointProc(RecordCall);
    ObjectData *wide = Keep(MakePolygonModel({{0, 0, 0}, {0, -5, 0}, {0, 3e9f, 5}}));
    Render({Placed(wide, 30, 0, 0)});
    ASSERT_EQ(g_points.size(), 4u);
    EXPECT_EQ(g_points[2].x, -536870912);
    EXPECT_EQ(g_points[2].y, 190);
}

TEST_F(DriverTest, GouraudPolygonCutByTheNearPlaneIsCountedOnce) {
    OpenFrame();
    ObjectData *triangle = Keep(MakePolygonModel({{-20, 0, 20}, {20, 20, -10}, {20, -20, -10}}));
    for (int mode : {3, 2}) {
        SetModelMode(mode);
        EXPECT_EQ(Render({Placed(triangle, 40, 0, 0)}), 1) << "mode " << mode;
        EXPECT_EQ(pv::g_state.polygonList[0].cornerNum, 4) << "mode " << mode;
    }
}

TEST_F(DriverTest, UnknownModelModeIsShownPerPolygonAndPerFrameWhateverTheMessageFlag) {
    OpenFrame(64, 48);
    SetModelMode(5);
    pv::g_state.messageFlag = 0;
    ObjectData *square = Square();
    messages.clear();
    EXPECT_EQ(Render({Placed(square, 100, 0, 0), Placed(square, 200, 0, 0)}), 2);
    ASSERT_EQ(messages.boxes().size(), 3u);
    for (const CapturedBox &box : messages.boxes()) {
        EXPECT_EQ(box.text, "ModelModeが不正です。");
        EXPECT_EQ(box.caption, "POLVEX");
        EXPECT_EQ(box.type, static_cast<UINT>(MB_ICONWARNING));
    }
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 64; ++x) ASSERT_EQ(Pixel(x, y), IndexOf(0)) << x << "," << y;
    }
}

TEST_F(DriverTest, ModelMode999CountsEveryFrontFacingPolygonAndDrawsNothing) {
    OpenFrame(64, 48);
    SetModelMode(999);
    ObjectData *sphere = Keep(MakeSphere(20, 8, 12, 255, 255, 255));
    const int32_t drawn = Render({Placed(sphere, 100, 0, 0)});
    int front = 0;
    for (int j = 0; j < sphere->plnNum; ++j) front += !(pv::g_state.polygonFacing[j] > 0);
    EXPECT_EQ(drawn, front);
    EXPECT_GT(drawn, 0);
    EXPECT_LT(drawn, sphere->plnNum);
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 64; ++x) ASSERT_EQ(Pixel(x, y), IndexOf(0)) << x << "," << y;
    }
}

TEST_F(DriverTest, TopDownFrameBufferProjectsAboutItsMiddleLine) {
    OpenFrame(64, -48);
    ASSERT_EQ(pv::g_state.frameHeight, -48);
    SetModelMode(1);
    // A square reaching 300 x 1 / 150 = 2 pixels to each side of the centre (32, 24).
    Render({Placed(Keep(MakeSquareFacingCamera(1, 255, 255, 255)), 150, 0, 0, 0)});
    std::string painted;
    for (int y = 20; y < 28; ++y) {
        for (int x = 28; x < 36; ++x) painted += Pixel(x, y) == IndexOf(0) ? '.' : '#';
        painted += '\n';
    }
    EXPECT_EQ(painted,
              "........\n"
              "........\n"
              "..#####.\n"
              "..#####.\n"
              "..#####.\n"
              "..#####.\n"
              "..#####.\n"
              "........\n");
}

}  // namespace
}  // namespace pvtest
