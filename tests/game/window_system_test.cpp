// The window layer as the game relies on it: message order with WM_PAINT synthesised last,
// key translation, the closing chain, painting and the copy of 8-bit frames to a window.
#include <algorithm>
#include <string>
#include <vector>

#include "game/game_fixture.h"
#include "platform/headless.h"
#include "platform/resources.h"
#include "user/window.h"

namespace gametest {
namespace {

std::vector<std::string> g_log;

LRESULT LoggingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        g_log.push_back("size " + std::to_string(LOWORD(lParam)) + "x" +
                        std::to_string(HIWORD(lParam)));
        break;
    case WM_ACTIVATEAPP: g_log.push_back("activateapp " + std::to_string(wParam)); break;
    case WM_KEYDOWN: g_log.push_back("keydown " + std::to_string(wParam)); break;
    case WM_KEYUP: g_log.push_back("keyup " + std::to_string(wParam)); break;
    case WM_CHAR: g_log.push_back("char " + std::to_string(wParam)); break;
    case WM_CLOSE: g_log.push_back("close"); break;
    case WM_DESTROY: g_log.push_back("destroy"); break;
    case WM_PAINT: g_log.push_back("paint"); break;
    case WM_COMMAND: g_log.push_back("command " + std::to_string(LOWORD(wParam))); break;
    case WM_QUERYNEWPALETTE: g_log.push_back("querynewpalette"); return 1;
    case WM_PALETTECHANGED: g_log.push_back("palettechanged"); break;
    default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class WindowSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::ResetWindowSystem();
        PlatformSetDisplay(PLATFORM_DISPLAY_PALETTE);
        g_log.clear();
        WNDCLASSA c{};
        c.style = CS_HREDRAW | CS_VREDRAW;
        c.lpfnWndProc = LoggingProc;
        c.lpszClassName = "Logging";
        ASSERT_NE(RegisterClassA(&c), 0);
        window = CreateWindowA("Logging", "Logging", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0, 640,
                               480, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        PlatformHeadlessSetScript(nullptr);
        platform::ResetWindowSystem();
    }
    // Retrieves and dispatches until nothing is left but paints; returns how many ran.
    void Pump() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                g_log.push_back("quit " + std::to_string(msg.wParam));
                return;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    HWND window = nullptr;
};

TEST_F(WindowSystemTest, ShowingSendsTheClientSizeThenActivatesAndPaintsWhenTheQueueIsEmpty) {
    ShowWindow(window, SW_SHOWNORMAL);
    // Without a menu bar the client area is 640 - 2 x 4 by 480 - 2 x 4 - 19 (the caption).
    EXPECT_EQ(g_log, (std::vector<std::string>{"size 632x453", "activateapp 1",
                                               "querynewpalette", "palettechanged"}));
    g_log.clear();
    PostMessageA(window, WM_COMMAND, 7, 0);
    PostMessageA(window, WM_COMMAND, 8, 0);
    Pump();
    EXPECT_EQ(g_log, (std::vector<std::string>{"command 7", "command 8", "paint"}))
        << "WM_PAINT comes only once the queue is empty, and once painted it stops";
}

TEST_F(WindowSystemTest, KeysGiveCharactersBeforeTheirRelease) {
    ShowWindow(window, SW_SHOWNORMAL);
    PostMessageA(window, WM_NULL, 0, 0);
    g_log.clear();
    platform::PostKey(window, VK_SPACE, true);
    platform::PostKey(window, VK_SPACE, false);
    platform::PostKey(window, VK_LEFT, true);
    platform::PostKey(window, 'A', true);
    Pump();
    EXPECT_EQ(g_log, (std::vector<std::string>{"keydown 32", "char 32", "keyup 32", "keydown 37",
                                               "keydown 65", "char 97", "paint"}));
}

TEST_F(WindowSystemTest, ClosingRunsCloseThenDestroyAndTheHandleDies) {
    ShowWindow(window, SW_SHOWNORMAL);
    Pump();
    g_log.clear();
    platform::PostClose(window);
    Pump();
    EXPECT_EQ(g_log, (std::vector<std::string>{"close", "destroy"}));
    EXPECT_FALSE(platform::IsLiveWindow(window));
    EXPECT_EQ(GetDC(window), nullptr);
    EXPECT_EQ(SendMessageA(window, WM_CLOSE, 0, 0), 0);
}

TEST_F(WindowSystemTest, HiddenWindowsAreNotPaintedAndResizingRepaints) {
    InvalidateRect(window, nullptr, TRUE);
    Pump();
    EXPECT_TRUE(g_log.empty()) << "a hidden window gets no WM_PAINT";
    ShowWindow(window, SW_SHOWNORMAL);
    Pump();
    g_log.clear();
    platform::ResizeClient(window, 801, 300);
    Pump();
    EXPECT_EQ(g_log, (std::vector<std::string>{"size 801x300", "paint"}));
    RECT client{};
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.right, 801);
    EXPECT_EQ(client.bottom, 300);
}

TEST_F(WindowSystemTest, AltFThenXChoosesTheMenuItem) {
    static const PlatformMenuItem items[] = {{"終了(&X)", 40003}};
    static const PlatformMenuPopup bar[] = {{"ファイル(&F)", items, 1}};
    ASSERT_TRUE(PlatformRegisterMenu("LOGMENU", bar, 1));
    WNDCLASSA c{};
    c.lpfnWndProc = LoggingProc;
    c.lpszClassName = "WithMenu";
    c.lpszMenuName = "LOGMENU";
    ASSERT_NE(RegisterClassA(&c), 0);
    HWND withMenu = CreateWindowA("WithMenu", "", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr,
                                  nullptr, nullptr, nullptr);
    ShowWindow(withMenu, SW_SHOWNORMAL);
    Pump();
    g_log.clear();
    platform::PostKey(withMenu, VK_MENU, true);
    platform::PostKey(withMenu, 'F', true);
    platform::PostKey(withMenu, 'F', false);
    platform::PostKey(withMenu, VK_MENU, false);
    platform::PostKey(withMenu, 'X', true);
    platform::PostKey(withMenu, 'X', false);
    Pump();
    // The menu takes the keys up to X and posts the command; X's release, queued before the
    // command, reaches the window after the menu has closed.
    EXPECT_EQ(g_log, (std::vector<std::string>{"keyup 88", "command 40003"}));
    EXPECT_EQ(withMenu->clientHeight, 434);
}

TEST_F(WindowSystemTest, CopyToTheWindowMapsIndicesThroughTheColourTable) {
    ShowWindow(window, SW_SHOWNORMAL);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    } info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = 4;
    info.header.biHeight = 2;  // bottom-up
    info.header.biPlanes = 1;
    info.header.biBitCount = 8;
    info.colors[1] = RGBQUAD{0x30, 0x20, 0x10, 0};  // blue, green, red
    info.colors[2] = RGBQUAD{0xFF, 0xFF, 0xFF, 0};
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO *>(&info),
                                      DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bits, nullptr);
    uint8_t *rows = static_cast<uint8_t *>(bits);
    const uint8_t bottom[4] = {1, 1, 2, 2}, top[4] = {2, 0, 0, 1};
    std::copy(bottom, bottom + 4, rows);
    std::copy(top, top + 4, rows + 4);
    HGDIOBJ old = SelectObject(memory, bitmap);
    HDC dc = GetDC(window);
    EXPECT_TRUE(BitBlt(dc, 630, 0, 4, 2, memory, 0, 0, SRCCOPY)) << "clipped at the right edge";
    const std::vector<uint32_t> &p = window->pixels;
    const int w = window->clientWidth;
    EXPECT_EQ(p[630], 0xFFFFFFu);
    EXPECT_EQ(p[631], 0x000000u);
    EXPECT_EQ(p[w + 630], 0x102030u);
    EXPECT_EQ(p[w + 631], 0x102030u);
    EXPECT_FALSE(BitBlt(dc, 0, 0, 4, 2, memory, 0, 0, PATCOPY)) << "only SRCCOPY";
    ReleaseDC(window, dc);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

TEST_F(WindowSystemTest, ScriptsWithUnknownEventsAreRefused) {
    EXPECT_FALSE(PlatformHeadlessSetScript("5 jump\n"));
    EXPECT_FALSE(PlatformHeadlessSetScript("x key space\n"));
    EXPECT_FALSE(PlatformHeadlessSetScript("5 key nokey\n"));
    EXPECT_TRUE(PlatformHeadlessSetScript("# a comment\n\n5 key space # trailing\n10 close\n"));
}

}  // namespace
}  // namespace gametest
