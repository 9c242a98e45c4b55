// The lighting rule and SetObjectDataColor: normals, corner rotation, pre-lit colours, radius.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "data/lighting_rule.h"
#include "data/models_builder.h"
#include "support/library_fixture.h"

namespace pvtest {
namespace {

constexpr Vector3 kOrigin = {0, 0, 0};
constexpr Vector3 kUp100 = {0, 0, 100};
constexpr Vector3 kLeft100 = {0, 100, 0};

class LightingTest : public LibraryTest {
protected:
    void SetUp() override { Open(); }
    void TearDown() override {
        FreeObjectData(&model);
        LibraryTest::TearDown();
    }

    // The minimal object: one red material with highlight 0.5 and one polygon.
    void BuildTriangle(std::vector<Vector3> points, std::vector<int32_t> corners) {
        model = BuildModel(points, {{corners}}, {Material(255, 0, 0, 0.5f)});
    }

    const PlaneData &plane(int j = 0) const { return model.pln[j]; }

    ObjectData model{};
};

std::string Rgb(const ColorBytes &c) {
    return std::to_string(c.red) + "," + std::to_string(c.green) + "," + std::to_string(c.blue);
}

TEST_F(LightingTest, MinimalTriangleFacesAlongXAwayFromTheLight) {
    BuildTriangle({kOrigin, kLeft100, kUp100}, {0, 1, 2});
    model.pln[0].color.reserved = 0xAB;
    ASSERT_EQ(SetObjectDataColor(&model), 1);
    EXPECT_FLOAT_EQ(plane().normal.x, 1.0f);
    EXPECT_FLOAT_EQ(plane().normal.y, 0.0f);
    EXPECT_FLOAT_EQ(plane().normal.z, 0.0f);
    EXPECT_EQ(Rgb(plane().color), "102,0,0");  // turned away: ambient 0.4 of red 255
    EXPECT_EQ(plane().color.reserved, 0xAB) << "byte 0 is never written";
    EXPECT_FLOAT_EQ(model.radius, 100.0f);
    EXPECT_TRUE(messages.boxes().empty());
}

TEST_F(LightingTest, ReversedTriangleFacesTheLightWithAHighlight) {
    BuildTriangle({kOrigin, kLeft100, kUp100}, {0, 2, 1});
    ASSERT_EQ(SetObjectDataColor(&model), 1);
    EXPECT_FLOAT_EQ(plane().normal.x, -1.0f);
    EXPECT_FLOAT_EQ(plane().normal.y, 0.0f);
    EXPECT_FLOAT_EQ(plane().normal.z, 0.0f);
    // I = 0.4 + 0.6 * 0.646 + 0.5 * 0.907^40 = 0.798.
    EXPECT_EQ(Rgb(plane().color), "203,0,0");
}

TEST_F(LightingTest, FullLightWithHighlightBrightensTowardsWhite) {
    const Vector3 light = CurrentLight();
    const Vector3 n = {-light.x, -light.y, -light.z};
    Vector3 half = {-(light.x + 1.0f), -light.y, -light.z};
    const float length = std::sqrt(half.x * half.x + half.y * half.y + half.z * half.z);
    half = {half.x / length, half.y / length, half.z / length};
    const float intensity = pv::ShadeIntensity(n, light, half, true, 1.0f);
    EXPECT_NEAR(intensity, 1.020f, 0.0005f);
    EXPECT_EQ(pv::ShadeColor(intensity, {0, 255, 0, 0}), 0x0505FFu);  // red 255, green 5, blue 5
    // Without the highlight term the same face is lit exactly to its own colour.
    const float plain = pv::ShadeIntensity(n, light, half, false, 1.0f);
    EXPECT_NEAR(plain, 1.0f, 1e-6f);
}

TEST(LightingRule, IntensityTermsAndClamping) {
    ResetLibraryState();
    const Vector3 light = {0, 0, -1};  // travelling straight down
    const Vector3 half = {0, 0, 1};
    struct Case {
        Vector3 n;
        bool highlight;
        float strength;
        float expected;
    } cases[] = {
        {{0, 0, -1}, true, 1.0f, 0.4f},  // turned away: ambient only, no highlight
        {{1, 0, 0}, false, 1.0f, 0.4f},  // edge-on (d = 0): ambient plus nothing
        {{0, 0, 1}, false, 1.0f, 1.0f},  // facing the light
        {{0, 0, 1}, true, 0.5f, 1.5f},   // H . n = 1: the full highlight strength
        {{0, 0, 1}, true, 3.0f, 2.0f},   // clamped at 2
        {{0, 0.6f, 0.8f}, false, 0.0f, 0.4f + 0.6f * 0.8f},
        {{0, 0, 1}, true, -5.0f, 0.0f},   // clamped at 0
        {{NAN, 0, 1}, true, 1.0f, 0.0f},  // a corrupt normal gives black, not garbage
    };
    for (const Case &c : cases) {
        EXPECT_FLOAT_EQ(pv::ShadeIntensity(c.n, light, half, c.highlight, c.strength), c.expected)
            << "n = (" << c.n.x << ", " << c.n.y << ", " << c.n.z << ")";
    }
    // A negative H . n still raises the intensity: the power 40 is even.
    EXPECT_GT(pv::ShadeIntensity({0, 0, 1}, light, {0, 0, -1}, true, 0.5f), 1.4f);
}

TEST(LightingRule, ColourDarkensBelowOneAndWhitensAboveIt) {
    const ColorBytes c = {0, 200, 100, 0};
    struct Case {
        float intensity;
        uint32_t expected;
    } cases[] = {
        {0.0f, 0x000000}, {0.5f, 0x003264},  // 100, 50, 0
        {1.0f, 0x0064C8},                    // exactly 1 keeps the colour
        {1.5f, 0x7FB1E3},                    // halfway to white: 227, 177, 127
        {2.0f, 0xFFFFFF},
    };
    for (const Case &k : cases) {
        EXPECT_EQ(pv::ShadeColor(k.intensity, c), k.expected) << "I = " << k.intensity;
    }
}

TEST_F(LightingTest, RepeatedFirstCornerRotatesOnceAndTheRotationStays) {
    model = BuildModel({kOrigin, kLeft100, kUp100}, {{{0, 0, 1, 2}}}, {Material(255, 0, 0, 0.5f)});
    ASSERT_EQ(SetObjectDataColor(&model), 1);
    EXPECT_EQ(std::vector<int32_t>(plane().corner, plane().corner + 4),
              (std::vector<int32_t>{0, 1, 2, 0}));
    EXPECT_FLOAT_EQ(plane().normal.x, 1.0f);
    EXPECT_EQ(Rgb(plane().color), "102,0,0");
}

TEST_F(LightingTest, CollinearStartRotatesToTheFirstUsableCorners) {
    // Corners 0, 1, 2 lie on the y axis; starting at 1 (1, 2, 3) they span the x = 0 plane.
    model = BuildModel({kOrigin, {0, 50, 0}, kLeft100, {0, 100, 100}}, {{{0, 1, 2, 3}}},
                       {Material(255, 0, 0, 0.5f)});
    ASSERT_EQ(SetObjectDataColor(&model), 1);
    EXPECT_EQ(std::vector<int32_t>(plane().corner, plane().corner + 4),
              (std::vector<int32_t>{1, 2, 3, 0}));
    EXPECT_FLOAT_EQ(plane().normal.x, 1.0f);
}

// A polygon without any usable pair of edges keeps its corner order (cornerNum rotations go
// full circle), gets a zero normal and the ambient colour, and the call still succeeds.
TEST_F(LightingTest, DegeneratePolygonsGetAZeroNormalAndTheAmbientColour) {
    model = BuildModel({kOrigin, kLeft100, {0, 200, 0}}, {{{0, 0, 1}}, {{0, 1, 2}}, {{2, 2, 2, 2}}},
                       {Material(255, 10, 0, 1.0f)});
    ASSERT_EQ(SetObjectDataColor(&model), 1);
    const std::vector<std::vector<int32_t>> original = {{0, 0, 1}, {0, 1, 2}, {2, 2, 2, 2}};
    for (int j = 0; j < 3; ++j) {
        const PlaneData &p = plane(j);
        EXPECT_EQ(std::vector<int32_t>(p.corner, p.corner + p.cornerNum), original[j]) << j;
        EXPECT_EQ(p.normal.x, 0.0f) << j;
        EXPECT_EQ(p.normal.y, 0.0f) << j;
        EXPECT_EQ(p.normal.z, 0.0f) << j;
        EXPECT_EQ(Rgb(p.color), "102,4,0") << j;
    }
    EXPECT_TRUE(messages.boxes().empty());
}

TEST_F(LightingTest, RadiusIsTheLargestVertexLength) {
    model = BuildModel({{3, 4, 0}, {0, 0, -13}, {1, 1, 1}, {-5, 0, 12}}, {{{0, 1, 2}}},
                       {Material(1, 2, 3, 0)});
    model.radius = -7.0f;
    ASSERT_EQ(SetObjectDataColor(&model), 1);
    EXPECT_FLOAT_EQ(model.radius, 13.0f);
}

TEST_F(LightingTest, NewLightRecomputesThePreLitColours) {
    BuildTriangle({kOrigin, kLeft100, kUp100}, {0, 1, 2});
    const float towards[3] = {-1, 0, 0};  // now travelling against the normal
    SetLight(towards, 0.4f);
    ASSERT_EQ(SetObjectDataColor(&model), 1);
    // The light and the fixed view direction cancel: no highlight, I = 1.
    EXPECT_EQ(Rgb(plane().color), "255,0,0");
}

TEST_F(LightingTest, MissingArraysAreReportedAndLeaveTheRecordAlone) {
    BuildTriangle({kOrigin, kLeft100, kUp100}, {0, 1, 2});
    struct Case {
        void (*clear)(ObjectData &);
        const char *text;
    };
    const Case cases[] = {
        {[](ObjectData &o) { o.pnt = nullptr; },
         "SetObjectDataColor()の呼び出しで、\npntメンバのメモリが確保されていません。"},
        {[](ObjectData &o) { o.pln = nullptr; },
         "SetObjectDataColor()の呼び出しで、\nplnメンバのメモリが確保されていません。"},
        {[](ObjectData &o) { o.material = nullptr; },
         "SetObjectDataColor()の呼び出しで、\nmaterialメンバのメモリが確保されていません。"},
        // Checked in this order: with everything missing, pnt is the one named.
        {[](ObjectData &o) { o.pnt = nullptr, o.pln = nullptr, o.material = nullptr; },
         "SetObjectDataColor()の呼び出しで、\npntメンバのメモリが確保されていません。"},
    };
    for (const Case &c : cases) {
        messages.clear();
        ObjectData copy = model;
        c.clear(copy);
        copy.radius = 42.0f;
        EXPECT_EQ(SetObjectDataColor(&copy), 0) << c.text;
        EXPECT_EQ(copy.radius, 42.0f) << c.text;
        ASSERT_EQ(messages.boxes().size(), 1u) << c.text;
        EXPECT_EQ(messages.boxes()[0].text, c.text);
        EXPECT_EQ(messages.boxes()[0].caption, "POLVEX");
        EXPECT_EQ(messages.boxes()[0].type, static_cast<UINT>(MB_ICONWARNING));
        EXPECT_EQ(messages.boxes()[0].owner, nullptr);
    }
    EXPECT_EQ(model.pln[0].normal.x, 0.0f) << "no polygon was touched";

    // With the message flag off the call fails just the same, silently.
    messages.clear();
    pv::g_state.messageFlag = 0;
    ObjectData copy = model;
    copy.pln = nullptr;
    EXPECT_EQ(SetObjectDataColor(&copy), 0);
    EXPECT_TRUE(messages.boxes().empty());
    pv::g_state.messageFlag = 1;
}

}  // namespace
}  // namespace pvtest
