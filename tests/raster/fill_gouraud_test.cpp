// The Gouraud filler: colour along edges and runs, the lagging run analyser, the dither phase,
// and the fast run painter against the rule's pixel-by-pixel form.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/color_cube.h"
#include "core/state.h"
#include "polvex/polvex.h"
#include "raster/dither.h"
#include "raster/fillers.h"
#include "raster/raster_fixture.h"

namespace rastertest {
namespace {

using GouraudFill = RasterTest;

TEST_F(GouraudFill, UniformColour25RaisesSevenCellsInBufferRowPhase) {
    OpenPalette();
    const char *rows[4] = {"29 0 29 0", "0 29 0 29", "29 0 29 0", "0 0 0 29"};
    for (const bool bottomUp : {false, true}) {
        GuardedFrame frame(4, 8, bottomUp);
        frame.Attach();
        const POINT points[] = {{0, 0}, {3, 0}, {3, 7}, {0, 7}};
        const uint32_t colors[] = {RGB(25, 0, 0), RGB(25, 0, 0), RGB(25, 0, 0), RGB(25, 0, 0)};
        PvFillPolygonGouraudShading(points, 4, colors);
        std::string expected = "\n";
        for (int y = 0; y < 8; ++y) expected += std::string(rows[(bottomUp ? 7 - y : y) % 4]) + "\n";
        EXPECT_EQ(frame.Numbers(), expected) << (bottomUp ? "bottom-up" : "top-down");
    }
}

// Black left, red right over ten pixels: red sixteenths 0, 8, ..., 72 per row, so row 0 shows
// red levels 0 0 1 1 2 2 3 3 4 4 and never level 5; the other rows follow their thresholds.
TEST_F(GouraudFill, BlackToRedRectangleStepsRedLevels) {
    for (int layout = 0; layout < 2; ++layout) {
        OpenPalette(layout);
        GuardedFrame frame(10, 4, false);
        frame.Attach();
        const POINT points[] = {{0, 0}, {9, 0}, {9, 3}, {0, 3}};
        const uint32_t colors[] = {0, RGB(255, 0, 0), RGB(255, 0, 0), 0};
        PvFillPolygonGouraudShading(points, 4, colors);
        const int levels[4][10] = {{0, 0, 1, 1, 2, 2, 3, 3, 4, 4},
                                   {0, 1, 1, 2, 2, 3, 3, 4, 4, 5},
                                   {0, 0, 1, 1, 2, 2, 3, 3, 4, 4},
                                   {0, 0, 1, 2, 2, 2, 3, 4, 4, 4}};
        std::string expected = "\n";
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 10; ++x)
                expected += (x ? " " : "") + std::to_string(pv::kCubeToPalette[216 * layout + levels[y][x]]);
            expected += "\n";
        }
        EXPECT_EQ(frame.Numbers(), expected) << "layout " << layout;
        TearDown();
    }
}

TEST_F(GouraudFill, SixteenthsScale) {
    const int values[][2] = {{0, 0}, {2, 1}, {25, 8}, {128, 41}, {251, 79}, {252, 80}, {255, 80}};
    for (const auto &v : values) EXPECT_EQ(pv::kColorSixteenths[v[0]], v[1]) << v[0];
}

TEST_F(GouraudFill, FewerThanThreePointsPaintNothing) {
    OpenPalette();
    GuardedFrame frame(8, 8, false);
    frame.Attach();
    const POINT points[] = {{1, 1}, {6, 6}, {-5, 3}, {-9, 7}};
    const uint32_t colors[] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
    PvFillPolygonGouraudShading(points, 2, colors);
    // Cut to two points by the frame: also nothing.
    const POINT leftOut[] = {{-5, 3}, {-9, 7}, {0, 5}};
    PvFillPolygonGouraudShading(leftOut, 3, colors);
    PvFillPolygonGouraudShading(points, 3, nullptr);
    EXPECT_EQ(frame.CountWritten(), 0) << frame.Numbers();
}

// The call has no platform path; on a true-colour frame it paints nothing.
TEST_F(GouraudFill, TrueColourDisplayIsLeftUntouched) {
    Open(PLATFORM_DISPLAY_TRUECOLOR, 8, 8);
    ASSERT_EQ(pv::g_state.paletteDevice, 0);
    ASSERT_NE(pv::g_state.frameBits, nullptr);
    PvPatBlt(RGB(1, 2, 3));
    const std::vector<uint8_t> before(pv::g_state.frameBits, pv::g_state.frameBits + 8 * 8 * 4);
    const POINT points[] = {{0, 0}, {7, 0}, {7, 7}};
    const uint32_t colors[] = {0xFFFFFF, 0xFF, 0xFF00};
    PvFillPolygonGouraudShading(points, 3, colors);
    EXPECT_EQ(std::vector<uint8_t>(pv::g_state.frameBits, pv::g_state.frameBits + 8 * 8 * 4), before);
}

// The lane run painter must give exactly the bytes of the pixel-by-pixel rule, whatever the
// run's length, start column, row phase, direction and colours. Every length up to 130 is
// tried, across the change from closed-form short runs to stepped long runs.
TEST(GouraudSpan, FastRunsMatchTheRuleExactly) {
    std::mt19937 random(11);
    std::uniform_int_distribution<int> sixteenths(0, 80), start(0, 40), row(0, 3), pick(0, 99);
    std::vector<uint8_t> fast(1200 * 4), reference(1200 * 4);
    for (int trial = 0; trial < 4000; ++trial) {
        const int choice = pick(random);
        const int length = trial < 1300 ? 1 + trial % 130
                                        : (choice < 60 ? 1 + choice : (choice < 90 ? 60 + choice * 7 : 1 + pick(random) * 11));
        const int xa = start(random), xb = xa + length - 1;
        const int r = row(random);
        pv::RunColor a{sixteenths(random), sixteenths(random), sixteenths(random)};
        pv::RunColor b{sixteenths(random), sixteenths(random), sixteenths(random)};
        if (pick(random) < 20) b = {a.red, a.green + 1 > 80 ? 0 : a.green + 1, a.blue};
        // A one-pixel run has no direction: the colour given first is its start colour.
        const bool reversed = length > 1 && pick(random) < 50;
        const uint8_t *lookup = pv::PixelLookup(trial & 1);
        std::fill(fast.begin(), fast.end(), kUntouched);
        std::fill(reference.begin(), reference.end(), kUntouched);
        pv::FillGouraudSpan(fast.data(), 1200, reversed ? xb : xa, r, reversed ? xa : xb, reversed ? b : a,
                            reversed ? a : b, lookup);
        pv::FillGouraudSpanReference(reference.data(), 1200, xa, r, xb, a, b, lookup);
        const auto differs = std::mismatch(fast.begin(), fast.end(), reference.begin());
        ASSERT_TRUE(differs.first == fast.end())
            << "byte " << (differs.first - fast.begin()) << " is " << int(*differs.first) << ", rule gives "
            << int(*differs.second) << "; run " << xa << ".." << xb << " row " << r << " from (" << a.red << ","
                                   << a.green << "," << a.blue << ") to (" << b.red << "," << b.green << ","
                                   << b.blue << ")" << (reversed ? " given reversed" : "");
    }
}

}  // namespace
}  // namespace rastertest
