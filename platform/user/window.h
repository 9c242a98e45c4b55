// Internal model of the window layer: window classes, windows with their client-area backing
// store, menus, and the entry points through which backends feed input into the message queue.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gdi/gdi_objects.h"
#include "platform/win32.h"

// Non-client messages the layer uses between the backends and the default window procedure.
#define WM_NCLBUTTONDOWN 0x00A1 /* wParam HTMENU: a click in the menu bar, x in LOWORD(lParam) */
#define HTMENU 5

namespace platform {

// Window metrics of the emulated system, in pixels. An overlapped window's outer size
// (what CreateWindow takes) is its client size plus a sizing frame on each side, the caption
// above and the menu bar below the caption; these are the classic values of the original
// system at its standard settings. Both backends use them, so a 640 x 480 window has the same
// client size (632 x 434) with or without a display.
constexpr int kFrameWidth = 4;     // sizing frame, each side (WS_THICKFRAME)
constexpr int kBorderWidth = 1;    // thin border of a captioned window without a sizing frame
constexpr int kCaptionHeight = 19; // caption bar (WS_CAPTION)
constexpr int kMenuHeight = 19;    // one-line menu bar

struct MenuItem {
    std::string text; // UTF-8, '&' marks the mnemonic
    UINT command = 0;
};

struct MenuPopup {
    std::string text;
    std::vector<MenuItem> items;
};

}  // namespace platform

// A loaded menu: a bar of popups, each a column of command items.
struct HMENU__ {
    std::vector<platform::MenuPopup> popups;
};

// A window. The client area is a 32-bit backing store (0x00RRGGBB, top row first) that window
// DCs draw into and backends present; everything outside it (frame, caption, menu bar) is
// the backend's to draw.
struct HWND__ {
    HWND__() = default;
    HWND__(const HWND__ &) = delete;
    HWND__ &operator=(const HWND__ &) = delete;
    // A window owns its menu, also when it was never destroyed (the record outlives it).
    ~HWND__() { delete menu; }

    std::string className;
    std::string title;
    WNDPROC proc = nullptr;
    UINT classStyle = 0;
    DWORD style = 0;
    HBRUSH background = nullptr;
    HMENU menu = nullptr;
    bool visible = false;
    bool everShown = false;   // the first showing sends WM_SIZE
    bool destroying = false;  // WM_DESTROY is running; a nested DestroyWindow is refused
    int clientWidth = 0;
    int clientHeight = 0;
    std::vector<uint32_t> pixels;
    bool invalid = false;     // has an update region: WM_PAINT is due
    bool erasePending = false;
    bool painting = false;    // between BeginPaint and EndPaint
    RECT update{};            // bounding box of the update region
    int openPopup = -1;       // menu loop: the open popup, -1 when the menu is closed
    int hotItem = -1;         // menu loop: the highlighted item of the open popup
    // Pictures of the menu bar and of the open popup, redrawn only when what they show
    // changes (menu_draw.cpp).
    std::vector<uint32_t> barImage;
    int barImageWidth = -1;
    std::vector<int> barItemLeft; // left edge of each popup's label, then the last right edge
    std::vector<uint32_t> popupImage;
    RECT popupRect{};             // where the open popup lies, in client coordinates
    int popupImageKey = -1;
    void *backendData = nullptr;
};

namespace platform {

// Windows in creation order, destroyed ones excluded.
const std::vector<HWND> &LiveWindows();

// Changes a window's client size as the user does by dragging its frame: new backing store,
// WM_SIZE, and a full repaint for classes with CS_HREDRAW or CS_VREDRAW.
void ResizeClient(HWND window, int width, int height);

// Focus moving to (active) or away from the program: WM_ACTIVATEAPP to every window and,
// when focus arrives on a palette display, the palette messages.
void SetApplicationActive(bool active);
bool ApplicationActive();

// Input from a backend, queued as the system queues hardware input. Keys are virtual-key
// codes; the layer keeps the key state and makes WM_SYSKEYDOWN of keys pressed with Alt.
void PostKey(HWND window, UINT virtualKey, bool down);
// A left click at client coordinates; y < 0 lies in the menu bar (y = -kMenuHeight is its top).
void PostClick(HWND window, int x, int y);
// Closing by the window's close button.
void PostClose(HWND window);
// Non-zero when the key is down.
bool KeyIsDown(UINT virtualKey);

// Queue access shared with the menu loop: the next message for any window, removed, without
// waiting; false when there is none (WM_PAINT is never synthesised here).
bool TakeQueuedMessage(MSG *msg);
void PostToQueue(const MSG &msg);
// Drops the queued messages of a destroyed window.
void DropQueuedMessages(HWND window);
void ResetQueue();

// The menu: DefWindowProcA hands it Alt+letter and clicks in the menu bar; it runs a modal loop
// until an item is chosen (posting WM_COMMAND) or the menu is dismissed.
void MenuMnemonic(HWND window, WPARAM character);
void MenuBarClick(HWND window, int x);
// Draws the window as it looks on screen below the caption: the menu bar (when the window
// has a menu), the client area, and the open popup over it. out has width clientWidth and
// height MenuBarHeight(window) + clientHeight, rows of stride pixels.
void ComposeWindow(HWND window, uint32_t *out, int stride);
int MenuBarHeight(HWND window);

// A drawing call wrote into the window's client area; outside painting the backend shows it
// at once (EndPaint shows what was drawn while painting).
void NoteWindowDrawn(HWND window);

// Forgets every window, class and queued message without sending anything, so that tests can
// start from a fresh window system.
void ResetWindowSystem();

}  // namespace platform
