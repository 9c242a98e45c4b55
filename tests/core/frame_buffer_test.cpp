// Frame buffer: creation and resizing, layout, colour table, clearing and the palette.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/color_cube.h"
#include "support/library_fixture.h"

namespace {

using pvtest::LibraryTest;

class FrameBufferTest : public LibraryTest {};

TEST_F(FrameBufferTest, StrideIsRowBytesRoundedUpToFour) {
    const struct {
        PlatformDisplay display;
        int width, stride, bitCount;
    } cases[] = {{PLATFORM_DISPLAY_PALETTE, 640, 640, 8},
                 {PLATFORM_DISPLAY_PALETTE, 641, 644, 8},
                 {PLATFORM_DISPLAY_TRUECOLOR, 641, 2564, 32}};
    for (const auto &c : cases) {
        Open(c.display, c.width, 480);
        EXPECT_EQ(pv::g_state.frameStride, c.stride) << c.width;
        EXPECT_EQ(pv::g_state.bitmapInfo.header.biBitCount, c.bitCount);
        ClosePolvex();
    }
}

TEST_F(FrameBufferTest, TwentyFourBitStrideFromTheFirstBitCount) {
    Open(PLATFORM_DISPLAY_TRUECOLOR, 4, 4);
    // Later resizes keep the bit count chosen at the first one.
    pv::g_state.bitmapInfo.header.biBitCount = 24;
    ASSERT_NE(ResizePolvex(nullptr, 641, 2), nullptr);
    EXPECT_EQ(pv::g_state.frameStride, 1924);
}

TEST_F(FrameBufferTest, HeaderAndColourTableOnAPaletteDisplay) {
    Open(PLATFORM_DISPLAY_PALETTE, 32, 16);
    const BITMAPINFOHEADER &h = pv::g_state.bitmapInfo.header;
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biWidth, 32);
    EXPECT_EQ(h.biHeight, 16);
    EXPECT_EQ(h.biPlanes, 1);
    EXPECT_EQ(h.biCompression, static_cast<DWORD>(BI_RGB));
    PALETTEENTRY entries[256];
    ASSERT_EQ(GetPaletteEntries(pv::g_state.palette, 0, 256, entries), 256u);
    for (int i = 0; i < 256; ++i) {
        const RGBQUAD &q = pv::g_state.bitmapInfo.colors[i];
        EXPECT_EQ(q.rgbRed, entries[i].peRed) << i;
        EXPECT_EQ(q.rgbBlue, entries[i].peBlue) << i;
        EXPECT_EQ(q.rgbGreen, entries[i].peGreen) << i;
        EXPECT_EQ(q.rgbReserved, entries[i].peFlags) << i;
    }
    const RGBQUAD &e29 = pv::g_state.bitmapInfo.colors[29];
    EXPECT_EQ(e29.rgbRed, 0x33);
    EXPECT_EQ(e29.rgbGreen, 0);
    EXPECT_EQ(e29.rgbBlue, 0);
}

TEST_F(FrameBufferTest, TrueColourDisplayHasNoPaletteOrColourTable) {
    Open(PLATFORM_DISPLAY_TRUECOLOR, 8, 8);
    EXPECT_EQ(pv::g_state.palette, nullptr);
    const uint8_t *table = reinterpret_cast<const uint8_t *>(pv::g_state.bitmapInfo.colors);
    EXPECT_EQ(std::count(table, table + 1024, 0), 1024);
    EXPECT_EQ(PvRealizePalette(frameDC), 0);
}

TEST_F(FrameBufferTest, SecondResizeKeepsTheContextAndTakesTheNewSize) {
    Open(PLATFORM_DISPLAY_PALETTE, 16, 16);
    HBITMAP first = pv::g_state.frameBitmap;
    HDC again = ResizePolvex(nullptr, 40, 10);
    EXPECT_EQ(again, frameDC);
    EXPECT_NE(pv::g_state.frameBitmap, first);
    EXPECT_EQ(pv::g_state.frameWidth, 40);
    EXPECT_EQ(pv::g_state.frameHeight, 10);
    EXPECT_EQ(pv::g_state.frameStride, 40);
    EXPECT_EQ(GetDeviceCaps(again, BITSPIXEL), 8);
    EXPECT_EQ(PlatformLiveGdiObjects(), 2);  // bitmap and palette: the replaced bitmap is gone
}

TEST_F(FrameBufferTest, RowOrderFollowsTheSignOfTheHeight) {
    // Line 0 is the first row in memory for a negative height, the last for a positive one.
    for (int height : {-3, 3}) {
        Open(PLATFORM_DISPLAY_PALETTE, 4, height);
        PvPatBlt(0);
        HBRUSH white = CreateSolidBrush(0xFFFFFF);
        HGDIOBJ old = SelectObject(frameDC, white);
        PatBlt(frameDC, 0, 0, 4, 1, PATCOPY);  // line 0 through the platform
        SelectObject(frameDC, old);
        DeleteObject(white);
        const int row = height < 0 ? 0 : 2;
        for (int r = 0; r < 3; ++r) {
            EXPECT_EQ(pv::g_state.frameBits[r * 4], r == row ? 255 : 0) << "height " << height << " row " << r;
        }
        ClosePolvex();
    }
}

TEST_F(FrameBufferTest, PatBltFillsEveryByteWithTheCubeIndex) {
    const struct {
        uint32_t color;
        int cube;
    } colors[] = {{0x000000, 0}, {0xFFFFFF, 215}, {0x0000FF, 5}, {0xC8C8C8, 129}, {0x00FF00, 30}, {0xFF0000, 180}};
    for (PlatformDisplay display : {PLATFORM_DISPLAY_PALETTE, PLATFORM_DISPLAY_PALETTE_ALT}) {
        Open(display, 5, 3);  // stride 8: three padding bytes per row
        const int variant = pv::g_state.halftoneVariant;
        for (const auto &c : colors) {
            PvPatBlt(c.color);
            const uint8_t expected = pv::kCubeToPalette[216 * variant + c.cube];
            const int bytes = pv::g_state.frameStride * 3;
            EXPECT_EQ(std::count(pv::g_state.frameBits, pv::g_state.frameBits + bytes, expected), bytes)
                << "variant " << variant << " colour " << std::hex << c.color;
        }
        // The fixed system colours sit at the same indices in both layouts.
        PvPatBlt(0x000000);
        EXPECT_EQ(pv::g_state.frameBits[0], 0);
        PvPatBlt(0xFFFFFF);
        EXPECT_EQ(pv::g_state.frameBits[0], 255);
        PvPatBlt(0x0000FF);
        EXPECT_EQ(pv::g_state.frameBits[0], 249);
        ClosePolvex();
    }
}

TEST_F(FrameBufferTest, PatBltOnTrueColourPaintsThroughThePlatform) {
    for (int height : {3, -3}) {
        Open(PLATFORM_DISPLAY_TRUECOLOR, 3, height);
        PvPatBlt(0x00336699);  // blue 0x33, green 0x66, red 0x99
        for (int i = 0; i < 9; ++i) {
            uint32_t pixel;
            std::memcpy(&pixel, pv::g_state.frameBits + 4 * i, 4);
            EXPECT_EQ(pixel & 0xFFFFFF, 0x996633u) << "height " << height << " pixel " << i;
        }
        EXPECT_EQ(PlatformLiveGdiObjects(), 1);  // the bitmap: the brush is gone again
        ClosePolvex();
    }
}

TEST_F(FrameBufferTest, CreationFailuresAreReportedAndNothingIsDrawn) {
    const struct {
        PlatformFault fault;
        const char *message;
    } cases[] = {{PLATFORM_FAULT_DIB_SECTION, "CreateDIBSection()でビットマップが生成できませんでした。"},
                 {PLATFORM_FAULT_DIB_SECTION_BITS, "CreateDIBSection()でビットマップのアドレスが取得できませんでした。"}};
    for (const auto &c : cases) {
        Open();
        messages.clear();
        PlatformInjectFault(c.fault);
        EXPECT_EQ(ResizePolvex(nullptr, 8, 8), nullptr);
        EXPECT_EQ(messages.texts(), std::vector<std::string>{c.message});
        EXPECT_EQ(messages.boxes()[0].caption, "POLVEX");
        EXPECT_EQ(pv::g_state.frameBits, nullptr);
        PvPatBlt(0xFFFFFF);  // no buffer: nothing written, nothing reported
        EXPECT_EQ(messages.boxes().size(), 1u);
        // A later resize recovers.
        ASSERT_NE(ResizePolvex(nullptr, 8, 8), nullptr);
        PvPatBlt(0xFFFFFF);
        EXPECT_EQ(pv::g_state.frameBits[63], 255);
        ClosePolvex();
    }
    PlatformInjectFault(PLATFORM_FAULT_NONE);
}

TEST_F(FrameBufferTest, LaterResizeFailureKeepsThePreviousBitmapOwned) {
    Open(PLATFORM_DISPLAY_PALETTE, 8, 8);
    PlatformInjectFault(PLATFORM_FAULT_DIB_SECTION);
    EXPECT_EQ(ResizePolvex(nullptr, 16, 16), nullptr);
    EXPECT_EQ(pv::g_state.frameBits, nullptr);
    ClosePolvex();
    EXPECT_EQ(PlatformLiveGdiObjects(), 0);
}

TEST_F(FrameBufferTest, RealizePaletteNeedsAContextAndAPalette) {
    Open(PLATFORM_DISPLAY_PALETTE, 8, 8);
    EXPECT_EQ(PvRealizePalette(nullptr), 0);
    HDC screen = GetDC(nullptr);
    PvRealizePalette(screen);
    // Realising the same palette again changes no entry of the system palette.
    EXPECT_EQ(PvRealizePalette(screen), 0);
    ReleaseDC(nullptr, screen);
}

}  // namespace
