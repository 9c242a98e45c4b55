// Scene settings: accepted and rejected values, getters, angle tables, virtual screen.
#include <cmath>
#include <limits>

#include "support/library_fixture.h"

namespace {

using pvtest::LibraryTest;

class SettingsTest : public LibraryTest {};

TEST_F(SettingsTest, DistancesAcceptOnlyPositiveValues) {
    Open();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (float rejected : {0.0f, -5.0f, -0.0f, nan}) {
        SetScreenDistance(rejected);
        SetClipDistance(rejected);
    }
    EXPECT_EQ(GetScreenDistance(), 300.0f);
    EXPECT_EQ(GetClipDistance(), 30.0f);
    SetScreenDistance(320.0f);
    SetClipDistance(10.0f);
    EXPECT_EQ(GetScreenDistance(), 320.0f);
    EXPECT_EQ(GetClipDistance(), 10.0f);
}

TEST_F(SettingsTest, CenterIsStoredWithoutChecks) {
    Open();
    SetCenter(-12.5f, 1e9f);
    float x = 0, y = 0;
    GetCenter(&x, &y);
    EXPECT_EQ(x, -12.5f);
    EXPECT_EQ(y, 1e9f);
}

TEST_F(SettingsTest, LightDirectionIsNormalisedAndAmbientRangeChecked) {
    Open();
    const float zero[3] = {0, 0, 0};
    SetLight(zero, 0.5f);
    float direction[3];
    float ambient = -1;
    GetLight(direction, &ambient);
    EXPECT_NEAR(direction[0], 0.6462, 1e-4);  // unchanged default
    EXPECT_EQ(ambient, 0.5f);

    const float slanted[3] = {3, 0, 4};
    SetLight(slanted, 1.5f);
    GetLight(direction, &ambient);
    EXPECT_FLOAT_EQ(direction[0], 0.6f);
    EXPECT_EQ(direction[1], 0.0f);
    EXPECT_FLOAT_EQ(direction[2], 0.8f);
    EXPECT_EQ(ambient, 0.5f);

    SetLight(nullptr, 0.0f);
    GetLight(direction, &ambient);
    EXPECT_EQ(ambient, 0.0f);
    EXPECT_FLOAT_EQ(direction[0], 0.6f);

    SetLight(nullptr, -0.0f);
    GetLight(nullptr, &ambient);
    EXPECT_EQ(ambient, 0.0f);
    SetLight(nullptr, std::numeric_limits<float>::quiet_NaN());
    GetLight(nullptr, &ambient);
    EXPECT_EQ(ambient, 0.0f);
    GetLight(nullptr, nullptr);
}

TEST_F(SettingsTest, AnglesWrapToTheirLowTwelveBits) {
    Open();
    EXPECT_FLOAT_EQ(FSin(1024), 1.0f);
    EXPECT_FLOAT_EQ(FCos(-2048), -1.0f);
    EXPECT_EQ(FSin(4096 + 512), FSin(512));
    EXPECT_EQ(FSin(-1), FSin(4095));
    EXPECT_EQ(FCos(INT32_MIN), FCos(0));
}

TEST_F(SettingsTest, GouraudModeFallsBackToHalftoneWithoutPalette) {
    Open(PLATFORM_DISPLAY_TRUECOLOR);
    SetModelMode(3);
    EXPECT_EQ(GetModelMode(), 2);
    SetModelMode(7);
    EXPECT_EQ(GetModelMode(), 7);
    ClosePolvex();
    Open(PLATFORM_DISPLAY_PALETTE);
    SetModelMode(3);
    EXPECT_EQ(GetModelMode(), 3);
}

TEST_F(SettingsTest, GouraudModeBeforeOpenIsStoredAsHalftone) {
    pvtest::ResetLibraryState();
    SetModelMode(3);
    EXPECT_EQ(GetModelMode(), 2);
}

TEST_F(SettingsTest, VirtualScreenReplacesOnlyGivenFields) {
    Open(PLATFORM_DISPLAY_PALETTE, 8, 4);
    HDC dc = nullptr;
    void *bits = nullptr;
    HBITMAP bitmap = nullptr;
    HPALETTE palette = nullptr;
    GetVirtualScreen(&dc, &bits, &bitmap, &palette);
    EXPECT_EQ(dc, frameDC);
    EXPECT_EQ(bits, pv::g_state.frameBits);
    EXPECT_NE(palette, nullptr);

    uint8_t mine[64];
    SetVirtualScreen(nullptr, mine, nullptr, nullptr, 16, 0, -4);
    EXPECT_EQ(pv::g_state.frameBits, mine);
    EXPECT_EQ(pv::g_state.memoryDC, frameDC);
    EXPECT_EQ(pv::g_state.frameBitmap, bitmap);
    EXPECT_EQ(pv::g_state.frameWidth, 16);
    EXPECT_EQ(pv::g_state.frameHeight, 4);
    EXPECT_EQ(pv::g_state.frameStride, 8);
    SetVirtualScreen(nullptr, bits, nullptr, nullptr, 8, 4, 8);  // back to the library's buffer
    GetVirtualScreen(nullptr, nullptr, nullptr, nullptr);
}

}  // namespace
