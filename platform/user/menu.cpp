// The menu bar's modal loop: opened by Alt plus a popup's mnemonic or by a click in the bar, it
// takes all input until an item is chosen (WM_COMMAND is posted) or the menu is dismissed.
#include "user/menu.h"

#include "backends/backend.h"

namespace platform {
namespace {

int PopupCount(HWND window) {
    return window->menu != nullptr ? static_cast<int>(window->menu->popups.size()) : 0;
}

int ItemCount(HWND window) {
    if (window->openPopup < 0) return 0;
    return static_cast<int>(window->menu->popups[window->openPopup].items.size());
}

void Show(HWND window) {
    UpdateMenuImages(window);
    ActiveBackend().Present(window, false);
}

void Close(HWND window) {
    window->openPopup = -1;
    window->hotItem = -1;
}

void Choose(HWND window, int item) {
    const UINT command = window->menu->popups[window->openPopup].items[item].command;
    Close(window);
    PostMessageA(window, WM_COMMAND, command, 0);
}

// The popup under x in the bar, or -1.
int BarItemAt(HWND window, int x) {
    UpdateMenuImages(window);
    const std::vector<int> &left = window->barItemLeft;
    for (size_t i = 0; i + 1 < left.size(); ++i) {
        if (x >= left[i] && x < left[i + 1]) return static_cast<int>(i);
    }
    return -1;
}

void Key(HWND window, WPARAM key) {
    const int popups = PopupCount(window);
    const int items = ItemCount(window);
    switch (key) {
    case VK_ESCAPE:
    case VK_MENU: Close(window); return;
    case VK_LEFT: window->openPopup = (window->openPopup + popups - 1) % popups; break;
    case VK_RIGHT: window->openPopup = (window->openPopup + 1) % popups; break;
    case VK_UP: if (items > 0) window->hotItem = (window->hotItem + items - 1) % items; return;
    case VK_DOWN: if (items > 0) window->hotItem = (window->hotItem + 1) % items; return;
    case VK_RETURN: if (window->hotItem >= 0) Choose(window, window->hotItem); return;
    default:
        for (int i = 0; i < items; ++i) {
            const MenuLabel label =
                ParseLabel(window->menu->popups[window->openPopup].items[i].text);
            if (label.mnemonic != 0 && static_cast<WPARAM>(label.mnemonic) == key) {
                Choose(window, i);
                return;
            }
        }
        return;
    }
    window->hotItem = ItemCount(window) > 0 ? 0 : -1;
}

void Click(HWND window, int x, int y) {
    const RECT &r = window->popupRect;
    if (x >= r.left && x < r.right && y >= r.top + 2 && y < r.bottom - 2) {
        const int item = (y - r.top - 2) / kPopupItemHeight;
        if (item < ItemCount(window)) Choose(window, item);
        return;
    }
    Close(window);
}

void BarClick(HWND window, int x) {
    const int popup = BarItemAt(window, x);
    if (popup < 0 || popup == window->openPopup) {
        Close(window);
        return;
    }
    window->openPopup = popup;
    window->hotItem = -1;
}

// True when the menu took the message (all keyboard and mouse input while it is open).
bool MenuTakes(HWND window, const MSG &msg) {
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: Key(window, msg.wParam); return true;
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE: return true;
    case WM_LBUTTONDOWN:
        Click(window, static_cast<int16_t>(LOWORD(msg.lParam)),
              static_cast<int16_t>(HIWORD(msg.lParam)));
        return true;
    case WM_NCLBUTTONDOWN: BarClick(window, static_cast<int16_t>(LOWORD(msg.lParam))); return true;
    default: return false;
    }
}

void RunMenu(HWND window, int popup, bool byKeyboard) {
    window->openPopup = popup;
    window->hotItem = byKeyboard && ItemCount(window) > 0 ? 0 : -1;
    Show(window);
    while (IsLiveWindow(window) && window->openPopup >= 0) {
        ActiveBackend().PollEvents();
        MSG msg;
        if (!TakeQueuedMessage(&msg)) {
            if (!ActiveBackend().WaitEvents()) Close(window);
            continue;
        }
        const int popupBefore = window->openPopup;
        const int hotBefore = window->hotItem;
        if (!MenuTakes(window, msg)) {
            DispatchMessageA(&msg);
            continue;
        }
        if (IsLiveWindow(window) &&
            (window->openPopup != popupBefore || window->hotItem != hotBefore)) {
            Show(window);
        }
    }
    if (IsLiveWindow(window)) Show(window);
}

}  // namespace

MenuLabel ParseLabel(const std::string &text) {
    MenuLabel label;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&' || i + 1 >= text.size()) {
            label.text += text[i];
            continue;
        }
        ++i;
        if (text[i] == '&') {
            label.text += '&';
            continue;
        }
        if (label.mnemonicOffset < 0) {
            label.mnemonicOffset = static_cast<int>(label.text.size());
            size_t length = 1;
            const unsigned char lead = static_cast<unsigned char>(text[i]);
            if (lead >= 0xC0) length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
            label.mnemonicLength = static_cast<int>(length);
            if (lead < 0x80) label.mnemonic = (lead >= 'a' && lead <= 'z') ? lead - 32 : lead;
        }
        label.text += text[i];
    }
    return label;
}

int MenuBarHeight(HWND window) { return window->menu != nullptr ? kMenuHeight : 0; }

void MenuMnemonic(HWND window, WPARAM character) {
    if (!IsLiveWindow(window) || window->menu == nullptr || window->openPopup >= 0) return;
    WPARAM upper = (character >= 'a' && character <= 'z') ? character - 32 : character;
    for (int p = 0; p < PopupCount(window); ++p) {
        if (ParseLabel(window->menu->popups[p].text).mnemonic == static_cast<char>(upper)) {
            RunMenu(window, p, true);
            return;
        }
    }
}

void MenuBarClick(HWND window, int x) {
    if (!IsLiveWindow(window) || window->menu == nullptr || window->openPopup >= 0) return;
    const int popup = BarItemAt(window, x);
    if (popup >= 0) RunMenu(window, popup, false);
}

}  // namespace platform
