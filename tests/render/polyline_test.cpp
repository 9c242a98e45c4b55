// The platform's Polyline, which draws the wireframe: the selected pen, open ends, clipping.
#include <gtest/gtest.h>

#include <string>

#include "core/state.h"
#include "render/render_scene.h"

namespace pvtest {
namespace {

class PolylineTest : public RenderTest {
protected:
    // The 16x8 frame as rows of characters: '#' where the pixel differs from black.
    std::string Picture() const {
        std::string text;
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 16; ++x) text += Painted(x, y) ? '#' : '.';
            text += '\n';
        }
        return text;
    }
    bool Painted(int x, int y) const {
        const pv::LibraryState &s = pv::g_state;
        const int row = s.frameHeight > 0 ? s.frameHeight - 1 - y : y;
        if (s.bitmapInfo.header.biBitCount == 32) {
            return reinterpret_cast<const uint32_t *>(s.frameBits + row * s.frameStride)[x] != 0;
        }
        return Pixel(x, y) != IndexOf(0);
    }
};

// The last point (1, 6) stays unpainted; (6, 1) and (6, 5) are painted once, by the segment
// that starts there.
TEST_F(PolylineTest, SegmentsLeaveOutTheirLastPixelAndTheNullPenDrawsNothing) {
    for (PlatformDisplay display : {PLATFORM_DISPLAY_PALETTE, PLATFORM_DISPLAY_TRUECOLOR}) {
        OpenFrame(16, 8, display);
        HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
        HGDIOBJ previous = SelectObject(frameDC, pen);
        const POINT corner[] = {{2, 1}, {6, 1}, {6, 5}, {1, 6}};
        EXPECT_TRUE(Polyline(frameDC, corner, 4));
        EXPECT_FALSE(Polyline(frameDC, corner, 1));
        SelectObject(frameDC, GetStockObject(NULL_PEN));
        const POINT across[] = {{0, 7}, {15, 7}};
        EXPECT_TRUE(Polyline(frameDC, across, 2));
        EXPECT_EQ(Picture(),
                  "................\n"
                  "..#####.........\n"
                  "......#.........\n"
                  "......#.........\n"
                  "......#.........\n"
                  "....###.........\n"
                  "..##............\n"
                  "................\n")
            << "display " << display;
        SelectObject(frameDC, previous);
        DeleteObject(pen);
        TearDown();
    }
}

TEST_F(PolylineTest, EightBitPenIsTheNearestColourTableEntryAndLinesAreClipped) {
    OpenFrame(16, 8);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(250, 6, 4));
    HGDIOBJ previous = SelectObject(frameDC, pen);
    const POINT far[] = {{-2000000000, 3}, {2000000000, 3}, {2000000000, -2000000000}};
    EXPECT_TRUE(Polyline(frameDC, far, 3));
    SelectObject(frameDC, previous);
    DeleteObject(pen);
    for (int x = 0; x < 16; ++x) EXPECT_EQ(Pixel(x, 3), IndexOf(RGB(255, 0, 0))) << x;
    EXPECT_EQ(Picture(),
              "................\n"
              "................\n"
              "................\n"
              "################\n"
              "................\n"
              "................\n"
              "................\n"
              "................\n");
}

}  // namespace
}  // namespace pvtest
