// The halftone filler: patterns anchored to buffer rows in memory order, on both palette
// layouts.
#include <gtest/gtest.h>

#include "core/color_cube.h"
#include "core/state.h"
#include "polvex/polvex.h"
#include "raster/dither.h"
#include "raster/fillers.h"
#include "raster/raster_fixture.h"

namespace rastertest {
namespace {

using HalftoneFill = RasterTest;

// Pattern rows of (25, 0, 0) on layout 0: red 25 is level 0 with fraction 7, raised in the
// cells whose threshold is below 7.
const char *const kRows25[4] = {"29 0 29 0", "0 29 0 0", "29 0 29 0", "0 0 0 29"};

std::string Repeat(const char *row, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += std::string(i ? " " : "") + row;
    return out;
}

std::string Replace(std::string text, const std::string &from, const std::string &to) {
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) text.replace(at, from.size(), to);
    return text;
}

// Expected screen picture of an 8 x 8 frame painted with (25, 0, 0): screen line y shows
// pattern row (buffer row mod 4). Layout 1 puts red level 1 at index 10 instead of 29.
std::string Expected25(bool bottomUp, int layout) {
    std::string text = "\n";
    for (int y = 0; y < 8; ++y) {
        const int row = bottomUp ? 7 - y : y;
        text += Repeat(kRows25[row % 4], 2) + "\n";
    }
    return layout ? Replace(text, "29", std::to_string(pv::kCubeToPalette[216 + 1])) : text;
}

TEST_F(HalftoneFill, PatternOf25FollowsBufferRowsOnBothLayoutsAndOrders) {
    for (int layout = 0; layout < 2; ++layout) {
        OpenPalette(layout);
        for (const bool bottomUp : {false, true}) {
            GuardedFrame frame(8, 8, bottomUp);
            frame.Attach();
            const POINT points[] = {{0, 0}, {7, 0}, {7, 7}, {0, 7}};
            PvFillPolygonHalftone(points, 4, RGB(25, 0, 0));
            EXPECT_EQ(frame.Numbers(), Expected25(bottomUp, layout))
                << "layout " << layout << (bottomUp ? " bottom-up" : " top-down");
        }
        TearDown();
    }
}

TEST_F(HalftoneFill, ColoursWithoutFractionOrWithFractionOneAreUniform) {
    OpenPalette();
    for (const uint32_t color : {RGB(51, 51, 51), RGB(0, 0, 0), RGB(255, 255, 255), RGB(4, 4, 4)}) {
        GuardedFrame halftone(8, 4, false), solid(8, 4, false);
        const POINT points[] = {{0, 0}, {7, 0}, {7, 3}, {0, 3}};
        halftone.Attach();
        PvFillPolygonHalftone(points, 4, color);
        solid.Attach();
        PvFillPolygon(points, 4, color);
        EXPECT_EQ(halftone.Numbers(), solid.Numbers()) << std::hex << color;
    }
}

TEST_F(HalftoneFill, Fraction15RaisesAllCellsButThresholds15And16) {
    uint8_t pattern[16];
    pv::BuildHalftonePattern(RGB(50, 0, 0), 0, pattern);
    std::string cells;
    for (int k = 0; k < 16; ++k) cells += std::to_string(pattern[k]) + (k % 4 == 3 ? " / " : " ");
    // Thresholds 15 and 16 sit in cells 4 and 14.
    EXPECT_EQ(cells, "29 29 29 29 / 0 29 29 29 / 29 29 29 29 / 29 29 0 29 / ");
    EXPECT_EQ(pv::kColorFraction[50], 15);
    EXPECT_EQ(pv::kColorFraction[25], 7);
    EXPECT_EQ(pv::kColorFraction[4], 1);
    EXPECT_EQ(pv::kColorFraction[255], 0);
}

// Long runs are stored 8 and 16 bytes at a time from any start column; every byte must still be
// the cell of its own column.
TEST_F(HalftoneFill, WideStoresKeepTheColumnPhaseFromAnyStart) {
    OpenPalette();
    uint8_t pattern[16];
    pv::BuildHalftonePattern(RGB(140, 90, 30), 0, pattern);
    for (int start = 0; start < 4; ++start) {
        for (int length : {1, 7, 8, 9, 15, 16, 17, 33, 70}) {
            GuardedFrame frame(80, 2, false);
            frame.Attach();
            const POINT points[] = {{start, 0}, {start + length - 1, 0}, {start + length - 1, 1}, {start, 1}};
            PvFillPolygonHalftone(points, 4, RGB(140, 90, 30));
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < 80; ++x) {
                    const bool inside = x >= start && x < start + length;
                    ASSERT_EQ(frame.At(x, y), inside ? pattern[4 * y + x % 4] : kUntouched)
                        << "start " << start << " length " << length << frame.Numbers();
                }
            EXPECT_TRUE(frame.TouchedOutside().empty());
        }
    }
}

TEST_F(HalftoneFill, NeighboursOfOneColourJoinWithoutSeam) {
    OpenPalette();
    GuardedFrame joined(12, 12, true), whole(12, 12, true);
    joined.Attach();
    const POINT lower[] = {{0, 0}, {11, 11}, {0, 11}}, upper[] = {{0, 0}, {11, 0}, {11, 11}};
    PvFillPolygonHalftone(lower, 3, RGB(80, 160, 230));
    PvFillPolygonHalftone(upper, 3, RGB(80, 160, 230));
    whole.Attach();
    const POINT square[] = {{0, 0}, {11, 0}, {11, 11}, {0, 11}};
    PvFillPolygonHalftone(square, 4, RGB(80, 160, 230));
    EXPECT_EQ(joined.Numbers(), whole.Numbers());
}

}  // namespace
}  // namespace rastertest
