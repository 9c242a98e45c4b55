// The interface between the window layer and the place where windows really appear: a real
// window system (sdl) or memory (headless). The window layer owns every window's state and its
// client pixels; a backend only shows them and turns outside events into queued input.
#pragma once

#include "platform/win32.h"

namespace platform {

struct Backend {
    const char *name;

    // Called once, before the first window or message box needs the backend. Returns false
    // when the backend cannot run here (no display); the layer then falls back to headless.
    bool (*Open)();

    // Called by CreateWindowExA once the window record exists, still hidden, with its client
    // size set. Creates whatever the backend needs to show it later; false fails the creation.
    bool (*CreateWindow)(HWND window);

    // Called by ShowWindow and DestroyWindow, and when the window layer destroys a window
    // (then after WM_DESTROY has run); the backend releases its resources for the window.
    void (*ShowWindow)(HWND window, bool visible);
    void (*DestroyWindow)(HWND window);

    // Called when a window's picture may have changed: after EndPaint (frameDone true, one
    // finished frame), after drawing into a window DC outside painting, and when the menu
    // opens, closes or changes its highlight. The backend shows ComposeWindow's result.
    void (*Present)(HWND window, bool frameDone);

    // Called by PeekMessageA and the menu loop before they look at the queue: turns pending
    // outside events into queued input (PostKey, PostClick, PostClose, ResizeClient,
    // SetApplicationActive) without waiting.
    void (*PollEvents)();

    // Called by WaitMessage when the queue is empty: blocks until at least one event has been
    // turned into input. Returns false when no event can ever come.
    bool (*WaitEvents)();

    // Called by MessageBoxA when no capture hook is installed: shows a modal box with the text,
    // the caption and the buttons and icon of type, owned by owner (may be null), and returns
    // the button chosen (IDOK for MB_OK).
    int (*MessageBox)(HWND owner, const char *text, const char *caption, UINT type);
};

// The backend chosen by POLVEX_BACKEND (sdl, headless) or, without a setting, sdl when it was
// built and a display is reachable, else headless; opened on first use.
const Backend &ActiveBackend();

// The default destination of MessageBoxA: the active backend's box.
int MessageBoxThroughBackend(HWND owner, const char *text, const char *caption, UINT type);

const Backend &HeadlessBackend();
#if defined(PLATFORM_HAVE_SDL)
const Backend &SdlBackend();
#endif

}  // namespace platform
