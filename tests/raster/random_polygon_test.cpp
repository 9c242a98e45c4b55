// Random polygons, near the frame and anywhere in the int32 range, through all three fillers:
// nothing but the frame rows' pixels is ever written.
#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "core/state.h"
#include "polvex/polvex.h"
#include "raster/raster_fixture.h"

namespace rastertest {
namespace {

using RandomPolygons = RasterTest;

int32_t RandomCoordinate(std::mt19937 &random, int extent) {
    std::uniform_int_distribution<int> kind(0, 9);
    switch (kind(random)) {
    case 0: return INT_MIN;
    case 1: return INT_MAX;
    case 2: return std::uniform_int_distribution<int32_t>(INT_MIN, INT_MAX)(random);
    case 3: return std::uniform_int_distribution<int32_t>(-100000, 100000)(random);
    default: return std::uniform_int_distribution<int32_t>(-extent, 2 * extent)(random);
    }
}

TEST_F(RandomPolygons, WriteOnlyInsideTheFrame) {
    std::mt19937 random(2024);
    for (int layout = 0; layout < 2; ++layout) {
        OpenPalette(layout);
        for (const bool bottomUp : {false, true}) {
            GuardedFrame frame(37, 23, bottomUp, 5, 3);
            frame.Attach();
            for (int trial = 0; trial < 3000; ++trial) {
                const int count = std::uniform_int_distribution<int>(1, 20)(random);
                std::vector<POINT> points(static_cast<size_t>(count));
                std::vector<uint32_t> colors(static_cast<size_t>(count));
                for (int i = 0; i < count; ++i) {
                    points[i] = {RandomCoordinate(random, 37), RandomCoordinate(random, 23)};
                    colors[i] = random() & 0xFFFFFF;
                }
                switch (trial % 3) {
                case 0: PvFillPolygon(points.data(), count, colors[0]); break;
                case 1: PvFillPolygonHalftone(points.data(), count, colors[0]); break;
                default: PvFillPolygonGouraudShading(points.data(), count, colors.data()); break;
                }
                const std::vector<long> touched = frame.TouchedOutside();
                ASSERT_TRUE(touched.empty()) << "trial " << trial << " filler " << trial % 3 << " count " << count
                                             << ", first byte written outside at offset " << touched[0];
            }
            EXPECT_GT(frame.CountWritten(), 0);
        }
        TearDown();
    }
}

}  // namespace
}  // namespace rastertest
