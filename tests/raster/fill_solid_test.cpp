// The solid filler on a palette display: coverage, buffer orders, clipping and colour cube.
#include <gtest/gtest.h>

#include <climits>

#include "core/color_cube.h"
#include "core/state.h"
#include "polvex/polvex.h"
#include "raster/clip_to_frame.h"
#include "raster/raster_fixture.h"
#include "raster/span_table.h"

namespace rastertest {
namespace {

using SolidFill = RasterTest;

TEST_F(SolidFill, TrianglePaintsSixtySixPixelsInEitherVertexOrder) {
    OpenPalette();
    std::vector<std::vector<int>> runs(11 + 10);
    for (int k = 0; k <= 10; ++k) runs[10 + k] = {10, 20 - k};
    const std::string expected = ShapeOf(24, 24, runs);
    const POINT forward[] = {{10, 10}, {20, 10}, {10, 20}};
    const POINT backward[] = {{10, 20}, {20, 10}, {10, 10}};
    for (const POINT *points : {forward, backward}) {
        GuardedFrame frame(24, 24, false);
        frame.Attach();
        PvFillPolygon(points, 3, RGB(255, 255, 255));
        EXPECT_EQ(frame.Shape(), expected);
        EXPECT_EQ(frame.CountWritten(), 66);
        EXPECT_EQ(frame.At(10, 10), 255);
    }
}

TEST_F(SolidFill, BottomUpBufferStoresLineZeroInTheLastRow) {
    OpenPalette();
    GuardedFrame frame(8, 48, true);
    frame.Attach();
    const POINT points[] = {{0, 0}, {7, 0}, {0, 47}};
    PvFillPolygon(points, 3, RGB(255, 255, 255));
    for (int x = 0; x < 8; ++x) EXPECT_EQ(frame.AtBufferRow(x, 47), 255) << "line 0, x " << x;
    EXPECT_EQ(frame.AtBufferRow(0, 0), 255) << "line 47";
    EXPECT_EQ(frame.AtBufferRow(1, 0), kUntouched) << "line 47 ends at its vertex";
    EXPECT_TRUE(frame.TouchedOutside().empty());
}

struct NothingCase {
    const char *name;
    std::vector<POINT> points;
    int count;
};

TEST_F(SolidFill, DegenerateAndOffFramePolygonsPaintNothing) {
    OpenPalette();
    const NothingCase cases[] = {
        {"all on one line", {{1, 5}, {9, 5}, {4, 5}}, 3},
        {"single point", {{3, 3}}, 1},
        {"wholly left of x = 0", {{-10, 0}, {-1, 0}, {-5, 10}}, 3},
        {"wholly right", {{16, 0}, {30, 2}, {20, 9}}, 3},
        {"wholly above", {{0, -9}, {15, -1}, {3, -5}}, 3},
        {"wholly below", {{0, 12}, {15, 20}, {3, INT_MAX}}, 3},
        {"count 0", {{0, 0}, {9, 0}, {0, 9}}, 0},
        {"negative count", {{0, 0}, {9, 0}, {0, 9}}, -3},
    };
    for (const NothingCase &c : cases) {
        GuardedFrame frame(16, 12, false);
        frame.Attach();
        PvFillPolygon(c.points.data(), c.count, RGB(255, 0, 0));
        PvFillPolygonHalftone(c.points.data(), c.count, RGB(25, 0, 0));
        EXPECT_EQ(frame.CountWritten(), 0) << c.name << frame.Shape();
    }
    GuardedFrame frame(16, 12, false);
    frame.Attach();
    PvFillPolygon(nullptr, 3, RGB(255, 0, 0));
    EXPECT_EQ(frame.CountWritten(), 0) << "null points";
}

TEST_F(SolidFill, FrameEnclosingQuadPaintsEveryPixelAndNoPadding) {
    OpenPalette();
    for (const bool bottomUp : {false, true}) {
        GuardedFrame frame(13, 9, bottomUp, 3);
        frame.Attach();
        const POINT points[] = {{-100, -100}, {112, -100}, {112, 108}, {-100, 108}};
        PvFillPolygon(points, 4, RGB(255, 255, 255));
        EXPECT_EQ(frame.CountWritten(), 13 * 9) << frame.Shape();
        EXPECT_EQ(frame.TouchedOutside(), std::vector<long>{});
    }
}

TEST_F(SolidFill, SharedEdgeIsPaintedByBothTrianglesAndTheLaterWins) {
    OpenPalette();
    GuardedFrame frame(12, 12, false);
    frame.Attach();
    const POINT lower[] = {{0, 0}, {10, 10}, {0, 10}};
    const POINT upper[] = {{0, 0}, {10, 0}, {10, 10}};
    PvFillPolygon(lower, 3, RGB(255, 0, 0));
    PvFillPolygon(upper, 3, RGB(0, 0, 255));
    std::string diagonal;
    for (int i = 0; i <= 10; ++i) diagonal += std::to_string(frame.At(i, i)) + " ";
    EXPECT_EQ(diagonal, "252 252 252 252 252 252 252 252 252 252 252 ");
    // Below the diagonal only the first triangle reached.
    EXPECT_EQ(frame.At(0, 10), 249);
    EXPECT_EQ(frame.At(9, 10), 249);
    EXPECT_EQ(frame.CountWritten(), 121) << frame.Numbers();
}

TEST_F(SolidFill, TwoPointsPaintTheLineBetweenThem) {
    OpenPalette();
    GuardedFrame frame(8, 6, false);
    frame.Attach();
    const POINT points[] = {{1, 0}, {6, 5}};
    PvFillPolygon(points, 2, RGB(255, 255, 255));
    EXPECT_EQ(frame.Shape(), ShapeOf(8, 6, {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}}));
}

struct CubeCase {
    uint32_t color;
    int cube;  // cube index; -1: the fixed entry below in both layouts
    int fixed;
};

TEST_F(SolidFill, ColoursBecomeCubeIndicesOfTheLayout) {
    const CubeCase cases[] = {{RGB(0, 0, 0), -1, 0}, {RGB(255, 255, 255), -1, 255},
                              {RGB(255, 0, 0), -1, 249}, {RGB(200, 200, 200), 129, 0}};
    for (int layout = 0; layout < 2; ++layout) {
        OpenPalette(layout);
        ASSERT_EQ(pv::g_state.halftoneVariant, layout);
        for (const CubeCase &c : cases) {
            GuardedFrame frame(4, 4, true);
            frame.Attach();
            const POINT points[] = {{0, 0}, {3, 0}, {3, 3}, {0, 3}};
            PvFillPolygon(points, 4, c.color);
            const int expected = c.cube < 0 ? c.fixed : pv::kCubeToPalette[216 * layout + c.cube];
            EXPECT_EQ(frame.At(2, 1), expected) << "layout " << layout << " colour " << std::hex << c.color;
            EXPECT_EQ(frame.CountWritten(), 16);
        }
        TearDown();
    }
}

TEST_F(SolidFill, WithoutFrameBufferNothingIsWritten) {
    OpenPalette();
    GuardedFrame frame(8, 8, false);
    frame.Attach();
    pv::g_state.frameBits = nullptr;
    const POINT points[] = {{0, 0}, {7, 0}, {7, 7}};
    const uint32_t colors[] = {0, 0xFFFFFF, 0xFF};
    PvFillPolygon(points, 3, RGB(255, 255, 255));
    PvFillPolygonHalftone(points, 3, RGB(25, 0, 0));
    PvFillPolygonGouraudShading(points, 3, colors);
    EXPECT_EQ(frame.CountWritten(), 0);
}

// Buffers up to the span table's height are drawn to their last row; a taller one is left
// untouched rather than drawn in part.
TEST_F(SolidFill, BuffersTallerThanTheSpanTableAreNotDrawn) {
    OpenPalette();
    const POINT points[] = {{0, -5}, {3, -5}, {3, pv::kSpanRows + 5}, {0, pv::kSpanRows + 5}};
    const uint32_t colors[] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
    for (const bool bottomUp : {false, true}) {
        GuardedFrame fits(4, pv::kSpanRows, bottomUp);
        fits.Attach();
        PvFillPolygon(points, 4, RGB(255, 255, 255));
        EXPECT_EQ(fits.CountWritten(), 4 * pv::kSpanRows);
        GuardedFrame tall(4, pv::kSpanRows + 1, bottomUp);
        tall.Attach();
        PvFillPolygon(points, 4, RGB(255, 255, 255));
        PvFillPolygonHalftone(points, 4, RGB(25, 0, 0));
        PvFillPolygonGouraudShading(points, 4, colors);
        EXPECT_EQ(tall.CountWritten(), 0);
        EXPECT_TRUE(tall.TouchedOutside().empty());
    }
}

// A 9-corner outline cut at all four frame sides needs 13 points after the second stage; far
// more complex outlines than the clip buffers hold are refused whole.
TEST_F(SolidFill, ClipStagesHoldCutNonagonsAndRefuseOversizedOutlines) {
    OpenPalette();
    GuardedFrame frame(20, 20, false);
    frame.Attach();
    const POINT nonagon[] = {{10, -6}, {22, -3}, {27, 6}, {25, 17}, {16, 26},
                             {4, 26}, {-5, 17}, {-7, 6}, {-2, -3}};
    PvFillPolygon(nonagon, 9, RGB(255, 255, 255));
    EXPECT_EQ(frame.CountWritten(), 400) << frame.Shape();
    EXPECT_TRUE(frame.TouchedOutside().empty());

    GuardedFrame refused(20, 20, false);
    refused.Attach();
    std::vector<POINT> zigzag;
    for (int i = 0; i < pv::kClipCapacity; ++i) zigzag.push_back({i % 2 ? 30 : -10, i % 20});
    PvFillPolygon(zigzag.data(), static_cast<int32_t>(zigzag.size()), RGB(255, 255, 255));
    EXPECT_EQ(refused.CountWritten(), 0);
    EXPECT_TRUE(refused.TouchedOutside().empty());
}

}  // namespace
}  // namespace rastertest
