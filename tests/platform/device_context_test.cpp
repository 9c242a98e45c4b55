// Device contexts and the object registry: stock objects, selection, deletion and capabilities.
#include "gdi/gdi_objects.h"
#include "gdi_test_util.h"

namespace {

using pvtest::DibInfo;

class DeviceContextTest : public pvtest::PlatformTest {};

TEST_F(DeviceContextTest, StockObjectsAreSharedAndSurviveDeletion) {
    const int indices[] = {WHITE_BRUSH, BLACK_BRUSH, NULL_BRUSH, WHITE_PEN,
                           BLACK_PEN,   NULL_PEN,    SYSTEM_FONT, DEFAULT_PALETTE};
    const int live = PlatformLiveGdiObjects();
    for (const int index : indices) {
        SCOPED_TRACE(index);
        HGDIOBJ stock = GetStockObject(index);
        ASSERT_NE(stock, nullptr);
        EXPECT_EQ(GetStockObject(index), stock);
        EXPECT_TRUE(DeleteObject(stock));
        EXPECT_EQ(GetStockObject(index), stock);
    }
    EXPECT_EQ(PlatformLiveGdiObjects(), live) << "stock objects are not counted";
    EXPECT_EQ(GetStockObject(1), nullptr);

    auto *white = static_cast<platform::Brush *>(platform::LiveObject(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(white->color, RGB(255, 255, 255));
    EXPECT_TRUE(static_cast<platform::Brush *>(platform::LiveObject(GetStockObject(NULL_BRUSH)))->null);
    EXPECT_TRUE(static_cast<platform::Pen *>(platform::LiveObject(GetStockObject(NULL_PEN)))->null);
    auto *whitePen = static_cast<platform::Pen *>(platform::LiveObject(GetStockObject(WHITE_PEN)));
    EXPECT_FALSE(whitePen->null);
    EXPECT_EQ(whitePen->color, RGB(255, 255, 255));
}

TEST_F(DeviceContextTest, SelectObjectReturnsWhatWasSelected) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 255, 0));

    EXPECT_EQ(SelectObject(dc, red), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(SelectObject(dc, blue), static_cast<HGDIOBJ>(red));
    EXPECT_EQ(SelectObject(dc, red), static_cast<HGDIOBJ>(blue));
    EXPECT_EQ(SelectObject(dc, pen), GetStockObject(BLACK_PEN));
    EXPECT_EQ(SelectObject(dc, GetStockObject(NULL_PEN)), static_cast<HGDIOBJ>(pen));
    EXPECT_EQ(SelectObject(dc, GetStockObject(SYSTEM_FONT)), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(SelectObject(dc, GetStockObject(DEFAULT_PALETTE)), nullptr) << "palettes use SelectPalette";
    EXPECT_EQ(SelectObject(nullptr, red), nullptr);

    EXPECT_EQ(SelectObject(dc, GetStockObject(WHITE_BRUSH)), static_cast<HGDIOBJ>(red));
    EXPECT_TRUE(DeleteObject(red));
    EXPECT_TRUE(DeleteObject(blue));
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_TRUE(DeleteDC(dc));
}

TEST_F(DeviceContextTest, BitmapsGoIntoOneMemoryDcAtATime) {
    const DibInfo description(4, 4, 32);
    HBITMAP bitmap = CreateDIBSection(nullptr, description.info(), DIB_RGB_COLORS, nullptr, nullptr, 0);
    HDC first = CreateCompatibleDC(nullptr);
    HDC second = CreateCompatibleDC(first);
    HDC screen = GetDC(nullptr);

    HGDIOBJ placeholder = SelectObject(first, bitmap);
    ASSERT_NE(placeholder, nullptr) << "a fresh memory DC holds the 1x1 stock bitmap";
    EXPECT_EQ(SelectObject(second, bitmap), nullptr);
    EXPECT_EQ(SelectObject(screen, bitmap), nullptr) << "only memory DCs take bitmaps";
    EXPECT_EQ(SelectObject(first, bitmap), static_cast<HGDIOBJ>(bitmap));
    EXPECT_EQ(SelectObject(first, placeholder), static_cast<HGDIOBJ>(bitmap));
    EXPECT_EQ(SelectObject(second, bitmap), placeholder);

    EXPECT_EQ(SelectObject(second, placeholder), static_cast<HGDIOBJ>(bitmap));
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
    EXPECT_TRUE(DeleteDC(first));
    EXPECT_TRUE(DeleteDC(second));
}

TEST_F(DeviceContextTest, StaleAndForeignHandlesAreRefused) {
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_FALSE(DeleteObject(brush));
    int notAnObject = 0;
    EXPECT_FALSE(DeleteObject(&notAnObject));
    EXPECT_FALSE(DeleteObject(nullptr));

    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(dc, &notAnObject), nullptr);
    EXPECT_EQ(SelectPalette(dc, reinterpret_cast<HPALETTE>(&notAnObject), FALSE), nullptr);
    EXPECT_EQ(ReleaseDC(nullptr, dc), 0) << "memory DCs are deleted, not released";
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
    EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 0);
    EXPECT_EQ(CreateCompatibleDC(reinterpret_cast<HDC>(&notAnObject)), nullptr);
    EXPECT_EQ(GetDC(reinterpret_cast<HWND>(&notAnObject)), nullptr) << "not a live window";
}

// Deleting a selected object takes effect at once for its handle; the object itself goes when
// its DC lets go of it.
TEST_F(DeviceContextTest, DeletingASelectedObjectFreesItOnDeselection) {
    const int live = PlatformLiveGdiObjects();
    HDC dc = CreateCompatibleDC(nullptr);
    const DibInfo description(2, 2, 8);
    HBITMAP bitmap = CreateDIBSection(dc, description.info(), DIB_RGB_COLORS, nullptr, nullptr, 0);
    HBRUSH brush = CreateSolidBrush(RGB(9, 9, 9));
    HGDIOBJ placeholder = SelectObject(dc, bitmap);
    SelectObject(dc, brush);

    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_FALSE(DeleteObject(brush)) << "already deleted";
    EXPECT_EQ(PlatformLiveGdiObjects(), live + 2) << "still selected, so still held";
    EXPECT_TRUE(platform::DcSurface(dc).valid()) << "the DC keeps drawing into its bitmap";

    HDC other = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(other, brush), nullptr);
    EXPECT_TRUE(DeleteDC(other));

    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    EXPECT_EQ(PlatformLiveGdiObjects(), live + 1);
    SelectObject(dc, placeholder);
    EXPECT_EQ(PlatformLiveGdiObjects(), live);

    HBRUSH held = CreateSolidBrush(RGB(1, 1, 1));
    SelectObject(dc, held);
    DeleteObject(held);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_EQ(PlatformLiveGdiObjects(), live) << "deleting the DC lets go of its objects";
}

TEST_F(DeviceContextTest, CapabilitiesFollowTheDisplay) {
    struct Case {
        PlatformDisplay display;
        int bits, rasterCaps, paletteSize;
    };
    for (const Case c : {Case{PLATFORM_DISPLAY_PALETTE, 8, RC_PALETTE, 256},
                         Case{PLATFORM_DISPLAY_PALETTE_ALT, 8, RC_PALETTE, 256},
                         Case{PLATFORM_DISPLAY_TRUECOLOR, 32, 0, 0}}) {
        SCOPED_TRACE(testing::Message() << "display " << c.display);
        PlatformSetDisplay(c.display);
        EXPECT_EQ(PlatformGetDisplay(), c.display);
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        for (HDC dc : {screen, memory}) {
            EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), c.bits);
            EXPECT_EQ(GetDeviceCaps(dc, PLANES), 1);
            EXPECT_EQ(GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE, c.rasterCaps);
            EXPECT_EQ(GetDeviceCaps(dc, SIZEPALETTE), c.paletteSize);
        }
        EXPECT_EQ(GetDeviceCaps(screen, HORZRES), 640);
        EXPECT_EQ(GetDeviceCaps(screen, VERTRES), 480);
        EXPECT_EQ(GetDeviceCaps(memory, HORZRES), 1);

        const DibInfo description(33, -17, 24);
        HBITMAP bitmap = CreateDIBSection(memory, description.info(), DIB_RGB_COLORS, nullptr, nullptr, 0);
        HGDIOBJ placeholder = SelectObject(memory, bitmap);
        EXPECT_EQ(GetDeviceCaps(memory, HORZRES), 33);
        EXPECT_EQ(GetDeviceCaps(memory, VERTRES), 17);
        EXPECT_EQ(GetDeviceCaps(memory, BITSPIXEL), c.bits) << "a memory DC reports the display";
        SelectObject(memory, placeholder);
        DeleteObject(bitmap);
        DeleteDC(memory);
        EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
    }
}

TEST_F(DeviceContextTest, ScreenDcsAreReleasedOnceAndDrawNowhere) {
    HDC screen = GetDC(nullptr);
    ASSERT_NE(screen, nullptr);
    EXPECT_FALSE(platform::DcSurface(screen).valid());
    EXPECT_FALSE(DeleteDC(screen));
    EXPECT_EQ(ReleaseDC(reinterpret_cast<HWND>(screen), screen), 0) << "wrong window";
    EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
    EXPECT_EQ(ReleaseDC(nullptr, screen), 0);
    EXPECT_TRUE(GdiFlush());
}

TEST_F(DeviceContextTest, PensKeepStyleAndWidth) {
    HPEN null = CreatePen(PS_NULL, 0, 0);
    HPEN wide = CreatePen(PS_SOLID, 3, RGB(1, 2, 3));
    HPEN thin = CreatePen(PS_SOLID, 0, 0);
    EXPECT_TRUE(static_cast<platform::Pen *>(platform::LiveObject(null))->null);
    EXPECT_EQ(static_cast<platform::Pen *>(platform::LiveObject(wide))->width, 3);
    EXPECT_EQ(static_cast<platform::Pen *>(platform::LiveObject(wide))->color, RGB(1, 2, 3));
    EXPECT_EQ(static_cast<platform::Pen *>(platform::LiveObject(thin))->width, 1);
    EXPECT_EQ(CreatePen(1, 1, 0), nullptr) << "dashed pens are not supported";
    for (HPEN pen : {null, wide, thin}) EXPECT_TRUE(DeleteObject(pen));
}

}  // namespace
