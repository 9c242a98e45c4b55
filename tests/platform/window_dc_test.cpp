// Window device contexts: GetDC of a live window draws into its client area's backing store.
#include "gdi/gdi_objects.h"
#include "gdi_test_util.h"
#include "user/window.h"

namespace {

class WindowDcTest : public pvtest::PlatformTest {};

TEST_F(WindowDcTest, DrawsIntoTheClientAreaUntilReleased) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = "WindowDcTest";
    ASSERT_NE(RegisterClassA(&windowClass), 0);
    HWND window = CreateWindowA("WindowDcTest", "dc", WS_OVERLAPPEDWINDOW, 0, 0, 200, 150, nullptr,
                                nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);

    HDC dc = GetDC(window);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), window->clientWidth);
    EXPECT_EQ(GetDeviceCaps(dc, VERTRES), window->clientHeight);
    HBRUSH brush = CreateSolidBrush(RGB(0x12, 0x34, 0x56));
    HGDIOBJ previous = SelectObject(dc, brush);
    EXPECT_TRUE(PatBlt(dc, 1, 2, 3, 1, PATCOPY));
    const auto pixel = [&](int x, int y) { return window->pixels[y * window->clientWidth + x] & 0xFFFFFF; };
    EXPECT_EQ(pixel(1, 2), 0x123456u);
    EXPECT_EQ(pixel(3, 2), 0x123456u);
    EXPECT_NE(pixel(4, 2), 0x123456u);
    EXPECT_NE(pixel(1, 1), 0x123456u);
    SelectObject(dc, previous);
    DeleteObject(brush);

    EXPECT_EQ(ReleaseDC(nullptr, dc), 0) << "released against the wrong window";
    EXPECT_EQ(ReleaseDC(window, dc), 1);
    DestroyWindow(window);
    EXPECT_EQ(GetDC(window), nullptr) << "no DC for a destroyed window";
}

}  // namespace
