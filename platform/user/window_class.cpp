// Window classes, the standard cursor and menu resources.
#include "user/window_class.h"

#include <cstdint>
#include <map>
#include <vector>

#include "platform/resources.h"
#include "user/window.h"

// The one cursor there is.
struct HCURSOR__ {};

namespace platform {
namespace {

std::vector<WindowClass> g_classes;
std::map<std::string, std::vector<MenuPopup>> g_menus;

// Class names compare without regard to ASCII case, as on the original system.
bool SameName(const std::string &a, const char *b) {
    size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        auto lower = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; };
        if (lower(static_cast<unsigned char>(a[i])) != lower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return i == a.size() && b[i] == '\0';
}

// Integer resource names (MAKEINTRESOURCE) are small values in the pointer; they are not
// supported here and count as no name.
bool IsStringName(LPCSTR name) {
    return name != nullptr && reinterpret_cast<uintptr_t>(name) > 0xFFFF && *name != '\0';
}

HCURSOR__ g_arrow;

}  // namespace

const WindowClass *FindClass(LPCSTR name) {
    if (!IsStringName(name)) return nullptr;
    for (const WindowClass &c : g_classes) {
        if (SameName(c.name, name)) return &c;
    }
    return nullptr;
}

void ResetClasses() { g_classes.clear(); }

}  // namespace platform

extern "C" {

// Returns the class atom (0xC000 onwards), or 0 for a missing name or procedure or a name
// already registered.
PLATFORM_API WORD RegisterClassA(const WNDCLASSA *windowClass) {
    using namespace platform;
    if (windowClass == nullptr || windowClass->lpfnWndProc == nullptr ||
        !IsStringName(windowClass->lpszClassName) || FindClass(windowClass->lpszClassName)) {
        return 0;
    }
    WindowClass c;
    c.name = windowClass->lpszClassName;
    c.style = windowClass->style;
    c.proc = windowClass->lpfnWndProc;
    c.cursor = windowClass->hCursor;
    c.background = windowClass->hbrBackground;
    if (IsStringName(windowClass->lpszMenuName)) c.menuName = windowClass->lpszMenuName;
    g_classes.push_back(c);
    return static_cast<WORD>(0xC000 + g_classes.size() - 1);
}

// Only the system's own arrow exists; the backends always show their standard pointer.
PLATFORM_API HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
    if (instance == nullptr && name == IDC_ARROW) return &platform::g_arrow;
    return nullptr;
}

// A fresh copy of the registered menu resource; the window that gets it frees it.
PLATFORM_API HMENU LoadMenuA(HINSTANCE, LPCSTR name) {
    using namespace platform;
    if (!IsStringName(name)) return nullptr;
    auto found = g_menus.find(name);
    if (found == g_menus.end()) return nullptr;
    HMENU menu = new HMENU__;
    menu->popups = found->second;
    return menu;
}

PLATFORM_API BOOL PlatformRegisterMenu(const char *name, const PlatformMenuPopup *popups,
                                       int popupCount) {
    using namespace platform;
    if (!IsStringName(name) || popupCount < 0 || (popupCount > 0 && popups == nullptr)) {
        return FALSE;
    }
    std::vector<MenuPopup> bar;
    for (int p = 0; p < popupCount; ++p) {
        MenuPopup popup;
        popup.text = popups[p].text != nullptr ? popups[p].text : "";
        for (int i = 0; i < popups[p].itemCount && popups[p].items != nullptr; ++i) {
            const PlatformMenuItem &item = popups[p].items[i];
            popup.items.push_back(MenuItem{item.text != nullptr ? item.text : "", item.command});
        }
        bar.push_back(popup);
    }
    g_menus[name] = bar;
    return TRUE;
}

}  // extern "C"
