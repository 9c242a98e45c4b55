// The frame clipper and the span table's edge walk, checked against their defining formulas.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <sstream>

#include "raster/clip_to_frame.h"
#include "raster/span_table.h"

namespace rastertest {
namespace {

std::string Text(const POINT *points, const uint32_t *colors, int count) {
    std::ostringstream out;
    for (int i = 0; i < count; ++i) {
        out << "(" << points[i].x << "," << points[i].y;
        if (colors) out << " #" << std::hex << colors[i] << std::dec;
        out << ") ";
    }
    return out.str();
}


struct ClipCase {
    const char *name;
    std::vector<POINT> input;
    pv::ClipAxis axis;
    int hi;
    const char *expected;
};

TEST(ClipToFrame, EmitsCrossingsMeasuredFromThePreviousPoint) {
    const ClipCase cases[] = {
        {"edge (-10,0)-(10,20) cut at (0,10)", {{-10, 0}, {10, 20}, {10, 0}}, pv::ClipAxis::X, 31,
         "(0,0) (0,10) (10,20) (10,0) "},
        {"high bound", {{5, 0}, {45, 40}, {5, 40}}, pv::ClipAxis::X, 25, "(5,0) (25,20) (25,40) (5,40) "},
        {"jump over the band: low then high", {{-10, 0}, {40, 5}, {40, 9}, {-10, 9}}, pv::ClipAxis::X, 9,
         "(0,1) (9,2) (9,9) (0,9) "},
        {"y stage", {{0, -10}, {20, 10}, {0, 10}}, pv::ClipAxis::Y, 5, "(0,5) (0,0) (10,0) (15,5) "},
        {"wholly below", {{-5, 0}, {-1, 9}, {-9, 3}}, pv::ClipAxis::X, 9, ""},
        {"wholly above", {{15, 0}, {11, 9}, {99, 3}}, pv::ClipAxis::X, 9, ""},
        {"enclosing comes out as the band", {{-100, -100}, {100, -100}, {100, 100}, {-100, 100}},
         pv::ClipAxis::X, 9, "(0,-100) (9,-100) (9,100) (0,100) "},
    };
    for (const ClipCase &c : cases) {
        POINT out[pv::kClipCapacity];
        const int n = pv::ClipToFrame(c.input.data(), nullptr, static_cast<int>(c.input.size()), c.axis, c.hi,
                                      {out, nullptr, pv::kClipCapacity});
        EXPECT_EQ(Text(out, nullptr, n), c.expected) << c.name;
    }
}

// Black at (-10, 5) to white at (10, 5) crosses x = 0 at 128; walked the other way the
// crossing is measured from white and MulDiv's halves away from zero give 127.
TEST(ClipToFrame, CarriesColoursMixedLikeTheCoordinate) {
    const POINT forward[] = {{-10, 5}, {10, 5}, {10, 9}};
    const uint32_t forwardColors[] = {0x000000, 0xFFFFFF, 0xFFFFFF};
    POINT out[8];
    uint32_t colors[8];
    int n = pv::ClipToFrame(forward, forwardColors, 3, pv::ClipAxis::X, 31, {out, colors, 8});
    EXPECT_EQ(Text(out, colors, n), "(0,7 #7f7f7f) (0,5 #808080) (10,5 #ffffff) (10,9 #ffffff) ");
    const POINT backward[] = {{10, 5}, {-10, 5}, {10, 9}};
    const uint32_t backwardColors[] = {0xFFFFFF, 0x000000, 0xFFFFFF};
    n = pv::ClipToFrame(backward, backwardColors, 3, pv::ClipAxis::X, 31, {out, colors, 8});
    EXPECT_EQ(Text(out, colors, n), "(10,5 #ffffff) (0,5 #7f7f7f) (0,7 #808080) (10,9 #ffffff) ");
    EXPECT_EQ(pv::MixColor(0x00FF00, 0x0000FF, -1, 4), 0x00BF40u);
}

TEST(ClipToFrame, RefusesOutputThatWouldNotFit) {
    const POINT zigzag[] = {{-1, 0}, {20, 1}, {-1, 2}, {20, 3}};
    POINT out[7];
    EXPECT_EQ(pv::ClipToFrame(zigzag, nullptr, 4, pv::ClipAxis::X, 9, {out, nullptr, 7}), -1);
    POINT room[8];
    EXPECT_EQ(pv::ClipToFrame(zigzag, nullptr, 4, pv::ClipAxis::X, 9, {room, nullptr, 8}), 8);
}

// Extreme points: the crossing's other coordinate stays between the edge's ends and fits.
TEST(ClipToFrame, ExtremeCoordinatesCrossWithoutOverflow) {
    const POINT points[] = {{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MAX}};
    POINT out[8];
    const int n = pv::ClipToFrame(points, nullptr, 3, pv::ClipAxis::X, 99, {out, nullptr, 8});
    // The diagonal y = x from -2^31 to 2^31 - 1 meets x = 0 at y = 0 and x = 99 at y = 99.
    EXPECT_EQ(Text(out, nullptr, n), "(0,0) (99,99) (99,2147483647) (0,2147483647) ");
    EXPECT_EQ(pv::MulDiv64(-5, 1, 2), -3);
    EXPECT_EQ(pv::MulDiv64(5, 1, 2), 3);
    EXPECT_EQ(pv::MulDiv64(int64_t{1} << 32, int64_t{1} << 32, int64_t{1} << 33), int64_t{1} << 31);
}

// Row y0 + k of an edge holds u0 plus the nearest integer to k (u1 - u0) / n, exact halves
// toward u0; both end rows are written.
TEST(EdgeWalk, MatchesTheNearestIntegerRule) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> row(0, 99), value(-300, 300);
    pv::SpanColumn<int32_t> column;
    for (int trial = 0; trial < 2000; ++trial) {
        const int y0 = row(random), y1 = row(random), u0 = value(random), u1 = value(random);
        if (y0 == y1) continue;
        pv::WalkEdge(y0, y1, u0, u1, column.down);
        const int n = std::abs(y1 - y0);
        for (int k = 0; k <= n; ++k) {
            const long twice = 2L * k * (u1 - u0);  // 2 k d; nearest of k d / n, halves toward 0
            long offset = (std::abs(twice) + n - 1) / (2L * n);
            if (twice < 0) offset = -offset;
            const int y = y1 > y0 ? y0 + k : y0 - k;
            ASSERT_EQ(column.down[y], u0 + offset)
                << "edge (" << u0 << "," << y0 << ")-(" << u1 << "," << y1 << ") k " << k;
        }
    }
}

TEST(EdgeWalk, RowRangeComesFromStartRowsOfSlantedEdges) {
    const POINT triangle[] = {{0, 3}, {9, 3}, {4, 8}};
    const pv::RowRange range = pv::FindRowRange(triangle, 3);
    EXPECT_EQ(range.top, 3);
    EXPECT_EQ(range.bottom, 8);
    const POINT flat[] = {{0, 3}, {9, 3}, {4, 3}};
    EXPECT_TRUE(pv::FindRowRange(flat, 3).empty());
}

}  // namespace
}  // namespace rastertest
