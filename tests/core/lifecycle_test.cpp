// Opening and closing: work buffers, tables, light, display flags, failed and repeated opens.
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/heap.h"
#include "core/lifecycle.h"
#include "support/library_fixture.h"

namespace {

using pvtest::LibraryTest;

class LifecycleTest : public LibraryTest {};

TEST_F(LifecycleTest, OpenBuildsTablesAndNormalisesLight) {
    Open();
    EXPECT_EQ(pv::g_state.opened, 1);
    EXPECT_EQ(FSin(0), 0.0f);
    EXPECT_FLOAT_EQ(FSin(1024), 1.0f);
    EXPECT_FLOAT_EQ(FCos(2048), -1.0f);
    const float *l = pv::g_state.light;
    EXPECT_NEAR(std::sqrt(l[0] * l[0] + l[1] * l[1] + l[2] * l[2]), 1.0, 1e-6);
    EXPECT_NEAR(l[0], 0.6462, 1e-4);
    EXPECT_NEAR(l[1], 0.1469, 1e-4);
    EXPECT_NEAR(l[2], -0.7489, 1e-4);
    EXPECT_EQ(pv::g_state.pointProc, nullptr);
    EXPECT_EQ(LiveBlocks(), 9);  // the work buffers
}

TEST_F(LifecycleTest, SecondOpenKeepsTheFirstMessageFlag) {
    Open();
    EXPECT_EQ(OpenPolvex(0), 1);
    EXPECT_EQ(pv::g_state.messageFlag, 1);
}

TEST_F(LifecycleTest, DisplayFlagsFollowTheDisplay) {
    const struct {
        PlatformDisplay display;
        int paletteDevice;
        int variant;
    } cases[] = {{PLATFORM_DISPLAY_PALETTE, 1, 0}, {PLATFORM_DISPLAY_PALETTE_ALT, 1, 1}, {PLATFORM_DISPLAY_TRUECOLOR, 0, 0}};
    for (const auto &c : cases) {
        Open(c.display);
        EXPECT_EQ(pv::g_state.paletteDevice, c.paletteDevice) << c.display;
        EXPECT_EQ(pv::g_state.halftoneVariant, c.variant) << c.display;
        ClosePolvex();
    }
}

TEST_F(LifecycleTest, CloseWithoutOpenDoesNothing) {
    pvtest::ResetLibraryState();
    ClosePolvex();
    EXPECT_TRUE(messages.boxes().empty());
    EXPECT_EQ(pv::g_state.opened, 0);
}

TEST_F(LifecycleTest, CheckBeforeOpenReportsAndFails) {
    pvtest::ResetLibraryState();
    EXPECT_EQ(pv::CheckPolvexOpen(), 0);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"OpenPolvex()を呼ぶ前にPolvex()を呼び出しています。"});
    Open();
    messages.clear();
    EXPECT_EQ(pv::CheckPolvexOpen(), 1);
    EXPECT_TRUE(messages.boxes().empty());
}

TEST_F(LifecycleTest, SettingsSurviveOpenAndClose) {
    Open();
    ClosePolvex();
    SetScreenDistance(123.0f);
    SetClipDistance(12.0f);
    ASSERT_EQ(OpenPolvex(1), 1);
    EXPECT_EQ(GetScreenDistance(), 123.0f);
    ClosePolvex();
    EXPECT_EQ(GetClipDistance(), 12.0f);
    EXPECT_EQ(GetScreenDistance(), 123.0f);
}

// The heap fails after a given number of successful allocations.
int g_allocationsLeft = 0;
void *CountingAlloc(size_t size) { return g_allocationsLeft-- > 0 ? std::malloc(size) : nullptr; }

TEST_F(LifecycleTest, FailedOpenLeavesNothingHalfOpenAndALaterOpenSucceeds) {
    // 0: the block table itself; 1 to 9: each work buffer in turn.
    for (int failAt = 0; failAt <= 9; ++failAt) {
        pvtest::ResetLibraryState();
        const pv::Heap saved = pv::g_heap;
        pv::g_heap.alloc = CountingAlloc;
        g_allocationsLeft = failAt;
        EXPECT_EQ(OpenPolvex(1), 0) << failAt;
        pv::g_heap = saved;
        EXPECT_EQ(pv::g_state.opened, 0) << failAt;
        EXPECT_EQ(pv::g_state.allocTable, nullptr) << failAt;
        EXPECT_EQ(pv::g_state.sinTable, nullptr) << failAt;
        EXPECT_EQ(messages.texts(), std::vector<std::string>{"メモリが足りません。"}) << failAt;
        messages.clear();
        EXPECT_EQ(OpenPolvex(1), 1) << failAt;
        EXPECT_EQ(LiveBlocks(), 9);
    }
}

TEST_F(LifecycleTest, ReopenedLibraryGetsAWorkingFrameBuffer) {
    Open(PLATFORM_DISPLAY_PALETTE, 16, -4);
    ClosePolvex();
    EXPECT_EQ(pv::g_state.memoryDC, nullptr);
    ASSERT_EQ(OpenPolvex(1), 1);
    HDC dc = ResizePolvex(nullptr, 8, -2);
    ASSERT_NE(dc, nullptr);
    ASSERT_NE(pv::g_state.palette, nullptr);
    PvPatBlt(0x0000FF);  // pure red
    for (int i = 0; i < 16; ++i) EXPECT_EQ(pv::g_state.frameBits[i], 249) << i;
    EXPECT_GT(PvRealizePalette(dc) + 1, 0);
    EXPECT_EQ(PlatformLiveGdiObjects(), 2);  // bitmap and palette
}

}  // namespace
