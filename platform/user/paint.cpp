// Painting: update regions (kept as one bounding rectangle), BeginPaint with the background
// erase, and EndPaint, which hands the finished picture to the backend.
#include <algorithm>

#include "backends/backend.h"
#include "user/window.h"

namespace platform {

void NoteWindowDrawn(HWND window) {
    if (IsLiveWindow(window) && !window->painting) ActiveBackend().Present(window, false);
}

namespace {

void AddToUpdate(HWND window, const RECT *rect, bool erase) {
    RECT area{0, 0, window->clientWidth, window->clientHeight};
    if (rect != nullptr) {
        area.left = std::max(area.left, rect->left);
        area.top = std::max(area.top, rect->top);
        area.right = std::min(area.right, rect->right);
        area.bottom = std::min(area.bottom, rect->bottom);
    }
    // An empty region asks for no painting.
    if (area.left >= area.right || area.top >= area.bottom) return;
    if (window->invalid) {
        area.left = std::min(area.left, window->update.left);
        area.top = std::min(area.top, window->update.top);
        area.right = std::max(area.right, window->update.right);
        area.bottom = std::max(area.bottom, window->update.bottom);
    }
    window->update = area;
    window->invalid = true;
    window->erasePending = window->erasePending || erase;
}

}  // namespace

}  // namespace platform

extern "C" {

// A null window stands for every window of the program.
PLATFORM_API BOOL InvalidateRect(HWND window, const RECT *rect, BOOL erase) {
    using namespace platform;
    if (window == nullptr) {
        for (HWND w : LiveWindows()) AddToUpdate(w, rect, erase != FALSE);
        return TRUE;
    }
    if (!IsLiveWindow(window)) return FALSE;
    AddToUpdate(window, rect, erase != FALSE);
    return TRUE;
}

// Validates the window and returns a DC of its client area. A pending erase sends
// WM_ERASEBKGND first; fErase tells the caller that nobody erased.
PLATFORM_API HDC BeginPaint(HWND window, PAINTSTRUCT *paint) {
    using namespace platform;
    if (!IsLiveWindow(window) || paint == nullptr) return nullptr;
    *paint = PAINTSTRUCT{};
    HDC dc = GetDC(window);
    paint->hdc = dc;
    paint->rcPaint = window->invalid ? window->update : RECT{0, 0, 0, 0};
    const bool erase = window->erasePending;
    window->invalid = false;
    window->erasePending = false;
    window->painting = true;
    if (erase) {
        paint->fErase =
            SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) == 0 ? TRUE
                                                                                     : FALSE;
    }
    return dc;
}

PLATFORM_API BOOL EndPaint(HWND window, const PAINTSTRUCT *paint) {
    using namespace platform;
    if (paint != nullptr && paint->hdc != nullptr) ReleaseDC(window, paint->hdc);
    if (!IsLiveWindow(window)) return FALSE;
    window->painting = false;
    ActiveBackend().Present(window, true);
    return TRUE;
}

}  // extern "C"
