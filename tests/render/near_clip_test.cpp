// The near-plane clippers on corners whose view coordinates are set by hand: clip distance 30,
// screen distance 300, projection centre (320, 240).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "core/state.h"
#include "render/near_clip.h"
#include "render/polygon_entry.h"
#include "render/render_scene.h"

namespace pvtest {
namespace {

using pv::PolygonEntry;

struct CornerView {
    float depth, horz, vert;
};

class NearClipTest : public RenderTest {
protected:
    // A polygon of the given corners; corners in front get the stored screen point
    // (100 + k, 200 + k), so that a copied point is told apart from a projected one.
    void MakePolygon(const std::vector<CornerView> &corners) {
        auto model = std::make_unique<TestModel>();
        model->AddMaterial(200, 100, 0, 10.0f);
        std::vector<int32_t> list;
        for (size_t k = 0; k < corners.size(); ++k) {
            // Model positions only need to give the polygon a normal; the clipper reads the views.
            const float angle = 6.2831853f * static_cast<float>(k) / static_cast<float>(corners.size());
            list.push_back(model->AddPoint(0, std::cos(angle), std::sin(angle)));
        }
        model->AddPolygon(list);
        record = Placed(Keep(std::move(model)), 0, 0, 0);
        array[0] = camera;
        array[1] = record;
        for (size_t k = 0; k < corners.size(); ++k) {
            pv::g_state.viewDepth[k] = corners[k].depth;
            pv::g_state.viewHorz[k] = corners[k].horz;
            pv::g_state.viewVert[k] = corners[k].vert;
            pv::g_state.screenPoints[k] = {static_cast<int32_t>(100 + k), static_cast<int32_t>(200 + k)};
        }
        std::memset(&entry(), 0xAB, sizeof(PolygonEntry));
    }

    PolygonEntry &entry() { return pv::g_state.polygonList[0]; }

    static std::string Points(const PolygonEntry &e) {
        std::string text;
        for (int k = 0; k < e.cornerNum; ++k) {
            text += "(" + std::to_string(e.points[k].x) + "," + std::to_string(e.points[k].y) + ")";
        }
        return text;
    }

    ObjectStruct record{};
    ObjectStruct array[2]{};
};

TEST_F(NearClipTest, TriangleCutAtThePlaneGainsTwoCrossingsMeasuredFromThePreviousCorner) {
    OpenFrame();
    MakePolygon({{20, 10, -5}, {40, 20, -10}, {40, 0, 0}});
    EXPECT_EQ(pv::ClipPolygonFlat(array, 1, 0, 320.0f, 240.0f, 0), 1);
    EXPECT_EQ(Points(entry()), "(270,265)(170,315)(101,201)(102,202)");
    EXPECT_EQ(entry().depth, 40.0f);
}

TEST_F(NearClipTest, GouraudCutColoursCrossingsFromTheCornerInFrontAndCountsTheEntryItself) {
    OpenFrame();
    MakePolygon({{20, 10, -5}, {40, 20, -10}, {40, 0, 0}});
    // With no ambient light and the light travelling along +z: corner 0 faces away from the
    // light (black), corner 1 faces it (intensity 1: the material's own (200, 100, 0)), and
    // corner 2 lies edge-on with the half vector along its normal (highlight 10: white).
    SetLight(nullptr, 0.0f);
    Vector3 *shading = record.objectData->shadingVector;
    shading[0] = {0, 0, 1};
    shading[1] = {0, 0, -1};
    shading[2] = {1, 0, 0};
    const pv::LightingFrame frame{{0, 0, 0}, {0, 0, 1}, {1, 0, 0}};
    int32_t count = 0;
    EXPECT_EQ(pv::ClipPolygonGouraud(array, 1, 0, 320.0f, 240.0f, &count, frame, 1.0f), 0);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(Points(entry()), "(270,265)(170,315)(101,201)(102,202)");
    EXPECT_EQ(entry().cornerColorsDone, 1);
    EXPECT_EQ(entry().cornerColors[0], 0x7F7F7Fu);  // (127, 127, 127) from white toward black
    EXPECT_EQ(entry().cornerColors[1], 0x003264u);  // (100, 50, 0) from (200, 100, 0)
    EXPECT_EQ(entry().cornerColors[2], 0x0064C8u);
    EXPECT_EQ(entry().cornerColors[3], 0xFFFFFFu);
}

TEST_F(NearClipTest, CrossingColourTruncatesEachChannel) {
    EXPECT_EQ(pv::CrossingColor(0xFFFFFF, 0x000000, 0.5f), 0x7F7F7Fu);
    EXPECT_EQ(pv::CrossingColor(0x0064C8, 0x000000, 0.5f), 0x003264u);
    EXPECT_EQ(pv::CrossingColor(0x000000, 0x0A0A0A, 0.99f), 0x090909u);
}

TEST_F(NearClipTest, PolygonWhollyInFrontIsCopiedAndLeftToAddPolygon) {
    OpenFrame();
    MakePolygon({{30, 1, 1}, {40, 2, 2}, {35, 3, 3}});
    EXPECT_EQ(pv::ClipPolygonFlat(array, 1, 0, 320.0f, 240.0f, 0), 1);
    EXPECT_EQ(Points(entry()), "(100,200)(101,201)(102,202)");
    EXPECT_EQ(entry().depth, 40.0f);

    int32_t count = 0;
    entry().cornerColorsDone = 7;
    EXPECT_EQ(pv::ClipPolygonGouraud(array, 1, 0, 320.0f, 240.0f, &count, pv::LightingFrame{}, 1.0f), 1);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(entry().cornerColorsDone, 0);
    EXPECT_EQ(Points(entry()), "(100,200)(101,201)(102,202)");
}

TEST_F(NearClipTest, PolygonBehindOrOnlyTouchingThePlaneWritesNothing) {
    for (const auto &depths : {std::vector<float>{30, 20, 25}, std::vector<float>{30, 30, 10}}) {
        OpenFrame();
        MakePolygon({{depths[0], 1, 1}, {depths[1], 2, 2}, {depths[2], 3, 3}});
        PolygonEntry before;
        std::memcpy(&before, &entry(), sizeof before);
        int32_t count = 0;
        EXPECT_EQ(pv::ClipPolygonFlat(array, 1, 0, 320.0f, 240.0f, 0), 0);
        EXPECT_EQ(pv::ClipPolygonGouraud(array, 1, 0, 320.0f, 240.0f, &count, pv::LightingFrame{}, 1.0f), 0);
        EXPECT_EQ(count, 0);
        EXPECT_EQ(std::memcmp(&before, &entry(), sizeof before), 0) << "depth " << depths[1];
        TearDown();
    }
}

TEST_F(NearClipTest, QuadrilateralsBecomeTriangleQuadrilateralOrPentagon) {
    struct Case {
        std::vector<float> depths;
        const char *points;
    };
    // Crossings at the plane: horz and vert 0 on every corner project to the centre.
    const Case cases[] = {
        {{40, 40, 20, 20}, "(320,240)(100,200)(101,201)(320,240)"},
        {{40, 20, 20, 20}, "(320,240)(100,200)(320,240)"},
        {{40, 40, 40, 20}, "(320,240)(100,200)(101,201)(102,202)(320,240)"},
    };
    for (const Case &c : cases) {
        OpenFrame();
        MakePolygon({{c.depths[0], 0, 0}, {c.depths[1], 0, 0}, {c.depths[2], 0, 0}, {c.depths[3], 0, 0}});
        EXPECT_EQ(pv::ClipPolygonFlat(array, 1, 0, 320.0f, 240.0f, 0), 1);
        EXPECT_EQ(Points(entry()), c.points);
        TearDown();
    }
}

TEST_F(NearClipTest, CrossingFarToTheSideIsClampedToThePixelRange) {
    OpenFrame();
    MakePolygon({{20, 4e9f, -4e9f}, {40, 0, 0}, {40, 1, 0}});
    EXPECT_EQ(pv::ClipPolygonFlat(array, 1, 0, 320.0f, 240.0f, 0), 1);
    EXPECT_EQ(Points(entry()), "(-536870912,536870912)(-536870912,536870912)(101,201)(102,202)");
}

}  // namespace
}  // namespace pvtest
