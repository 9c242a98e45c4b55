// Windows: creation with the outer-size metrics, showing, activation, resizing, destruction,
// the default window procedure, and the client-area backing store that window DCs draw into.
#include "user/window.h"

#include <algorithm>
#include <memory>

#include "backends/backend.h"
#include "user/window_class.h"

namespace platform {
namespace {

std::vector<HWND> g_windows;
// Destroyed windows stay allocated, so that a handle used after destruction (a window
// procedure still returning, a stale MSG) is recognised as dead instead of dangling.
std::vector<std::unique_ptr<HWND__>> g_records;
bool g_active = false;

void SizeBackingStore(HWND window, int width, int height) {
    window->clientWidth = std::max(0, width);
    window->clientHeight = std::max(0, height);
    window->pixels.assign(static_cast<size_t>(window->clientWidth) * window->clientHeight, 0);
}

// Client size of an outer size under the window's style and menu.
void ClientFromOuter(HWND window, int width, int height) {
    int frame = 0;
    if (window->style & WS_THICKFRAME) {
        frame = kFrameWidth;
    } else if ((window->style & WS_CAPTION) != 0) {
        frame = kBorderWidth;
    }
    int chrome = 2 * frame;
    if ((window->style & WS_CAPTION) == WS_CAPTION) chrome += kCaptionHeight;
    SizeBackingStore(window, width - 2 * frame, height - chrome - MenuBarHeight(window));
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageA(window, message, wParam, lParam);
}

void SendSize(HWND window) {
    Send(window, WM_SIZE, 0, MAKELPARAM(window->clientWidth, window->clientHeight));
}

// Focus arriving on a palette display: the window may realise its palette, and when that
// changed the system palette every window hears who changed it.
void PaletteMessages(HWND focus) {
    if (!DisplayHasPalette() || !IsLiveWindow(focus)) return;
    if (Send(focus, WM_QUERYNEWPALETTE, 0, 0) <= 0) return;
    const std::vector<HWND> windows = g_windows;
    for (HWND w : windows) {
        if (IsLiveWindow(w)) Send(w, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(focus), 0);
    }
}

HWND FocusWindow() {
    for (auto it = g_windows.rbegin(); it != g_windows.rend(); ++it) {
        if ((*it)->visible) return *it;
    }
    return nullptr;
}

LRESULT EraseBackground(HWND window, HDC dc) {
    if (window->background == nullptr) return 0;
    RECT rect{0, 0, window->clientWidth, window->clientHeight};
    HGDIOBJ previous = SelectObject(dc, window->background);
    PatBlt(dc, 0, 0, rect.right, rect.bottom, PATCOPY);
    SelectObject(dc, previous);
    return 1;
}

}  // namespace

const std::vector<HWND> &LiveWindows() { return g_windows; }

bool IsLiveWindow(HWND window) {
    return window != nullptr && std::find(g_windows.begin(), g_windows.end(), window) !=
                                    g_windows.end();
}

Surface WindowSurface(HWND window) {
    if (!IsLiveWindow(window) || window->pixels.empty()) return {};
    Surface surface;
    surface.top = reinterpret_cast<uint8_t *>(window->pixels.data());
    surface.pitch = static_cast<ptrdiff_t>(window->clientWidth) * 4;
    surface.width = window->clientWidth;
    surface.height = window->clientHeight;
    surface.bitCount = 32;
    return surface;
}

void ResizeClient(HWND window, int width, int height) {
    if (!IsLiveWindow(window)) return;
    if (width == window->clientWidth && height == window->clientHeight) return;
    SizeBackingStore(window, width, height);
    SendSize(window);
    if (window->classStyle & (CS_HREDRAW | CS_VREDRAW)) InvalidateRect(window, nullptr, TRUE);
}

bool ApplicationActive() { return g_active; }

void SetApplicationActive(bool active) {
    if (active == g_active) return;
    g_active = active;
    const std::vector<HWND> windows = g_windows;
    for (HWND w : windows) {
        if (IsLiveWindow(w)) Send(w, WM_ACTIVATEAPP, active ? TRUE : FALSE, 0);
    }
    if (active) PaletteMessages(FocusWindow());
}

void ResetWindowSystem() {
    for (HWND w : g_windows) ActiveBackend().DestroyWindow(w);
    g_windows.clear();
    g_records.clear();
    g_active = false;
    ResetQueue();
    ResetClasses();
}

}  // namespace platform

extern "C" {

PLATFORM_API HWND CreateWindowExA(DWORD, LPCSTR className, LPCSTR windowName, DWORD style, int,
                                  int, int width, int height, HWND, HMENU menu, HINSTANCE instance,
                                  void *) {
    using namespace platform;
    const WindowClass *windowClass = FindClass(className);
    if (windowClass == nullptr) return nullptr;
    auto record = std::make_unique<HWND__>();
    HWND window = record.get();
    window->className = windowClass->name;
    window->title = windowName != nullptr ? windowName : "";
    window->proc = windowClass->proc;
    window->classStyle = windowClass->style;
    window->style = style;
    window->background = windowClass->background;
    window->menu = menu;
    if (window->menu == nullptr && !windowClass->menuName.empty()) {
        window->menu = LoadMenuA(instance, windowClass->menuName.c_str());
    }
    if (width == CW_USEDEFAULT) width = 640;
    if (height == CW_USEDEFAULT) height = 480;
    ClientFromOuter(window, width, height);
    if (!ActiveBackend().CreateWindow(window)) return nullptr;
    g_records.push_back(std::move(record));
    g_windows.push_back(window);
    if (SendMessageA(window, WM_CREATE, 0, 0) == -1) {
        DestroyWindow(window);
        return nullptr;
    }
    if (style & WS_VISIBLE) ShowWindow(window, SW_SHOWNORMAL);
    return window;
}

// Returns whether the window was visible before. The first showing sends WM_SIZE (the
// program learns its client size here) and then activates the program.
PLATFORM_API BOOL ShowWindow(HWND window, int command) {
    using namespace platform;
    if (!IsLiveWindow(window)) return FALSE;
    const bool wasVisible = window->visible;
    const bool show = command != SW_HIDE;
    if (show == wasVisible) return wasVisible ? TRUE : FALSE;
    window->visible = show;
    ActiveBackend().ShowWindow(window, show);
    SendMessageA(window, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    if (!show) return TRUE;
    if (!window->everShown) {
        window->everShown = true;
        SendSize(window);
    }
    InvalidateRect(window, nullptr, TRUE);
    if (!ApplicationActive()) {
        SetApplicationActive(true);
    } else {
        PaletteMessages(window);
    }
    return FALSE;
}

// WM_DESTROY runs while the window is still live, so that its procedure can use it; after
// that its queued messages are dropped and the handle is dead.
PLATFORM_API BOOL DestroyWindow(HWND window) {
    using namespace platform;
    if (!IsLiveWindow(window) || window->destroying) return FALSE;
    window->destroying = true;
    SendMessageA(window, WM_DESTROY, 0, 0);
    ActiveBackend().DestroyWindow(window);
    g_windows.erase(std::find(g_windows.begin(), g_windows.end(), window));
    DropQueuedMessages(window);
    delete window->menu;
    window->menu = nullptr;
    window->pixels.clear();
    return TRUE;
}

PLATFORM_API LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    using namespace platform;
    if (!IsLiveWindow(window)) return 0;
    switch (message) {
    case WM_CLOSE: DestroyWindow(window); return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_ERASEBKGND: return EraseBackground(window, reinterpret_cast<HDC>(wParam));
    case WM_SYSKEYDOWN:
        if (wParam == 0x73) SendMessageA(window, WM_CLOSE, 0, 0);  // Alt+F4
        return 0;
    case WM_SYSCHAR: MenuMnemonic(window, wParam); return 0;
    case WM_NCLBUTTONDOWN: MenuBarClick(window, static_cast<int16_t>(LOWORD(lParam))); return 0;
    default: return 0;
    }
}

PLATFORM_API BOOL GetClientRect(HWND window, RECT *rect) {
    using namespace platform;
    if (!IsLiveWindow(window) || rect == nullptr) return FALSE;
    *rect = RECT{0, 0, window->clientWidth, window->clientHeight};
    return TRUE;
}

}  // extern "C"
