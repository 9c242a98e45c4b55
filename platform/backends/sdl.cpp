// The SDL backend: each window is a real window whose content is the menu bar, drawn by the
// window layer, above the client area; keyboard, mouse, focus, resizing and closing become
// queued input, and message boxes are real modal dialog boxes.
#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "backends/backend.h"
#include "user/window.h"

namespace platform {
namespace {

struct SdlWindow {
    SDL_Window *window = nullptr;
    SDL_Renderer *renderer = nullptr;
    SDL_Texture *texture = nullptr;
    int textureWidth = 0, textureHeight = 0;
    std::vector<uint32_t> composed;
};

SdlWindow *Of(HWND window) { return static_cast<SdlWindow *>(window->backendData); }

HWND WindowOf(Uint32 id) {
    for (HWND w : LiveWindows()) {
        SdlWindow *s = Of(w);
        if (s != nullptr && SDL_GetWindowID(s->window) == id) return w;
    }
    return nullptr;
}

// Virtual-key codes of the keys the programs use: letters and digits are their upper-case
// characters, as on the original system.
UINT VirtualKey(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return static_cast<UINT>('A' + (key - SDLK_a));
    if (key >= SDLK_0 && key <= SDLK_9) return static_cast<UINT>('0' + (key - SDLK_0));
    if (key >= SDLK_F1 && key <= SDLK_F12) return static_cast<UINT>(0x70 + (key - SDLK_F1));
    switch (key) {
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_UP: return VK_UP;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_LALT:
    case SDLK_RALT: return VK_MENU;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return 0x10;
    default: return 0;
    }
}

bool Open() {
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "sdl: %s\n", SDL_GetError());
        return false;
    }
    // Gives the display connection and SDL's helpers back when the program ends.
    std::atexit(SDL_Quit);
    return true;
}

// The SDL window holds the menu bar and the client area; the frame and the caption are the
// desktop's own.
bool CreateWindow(HWND window) {
    auto *s = new SdlWindow;
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (window->style & WS_THICKFRAME) flags |= SDL_WINDOW_RESIZABLE;
    s->window = SDL_CreateWindow(window->title.c_str(), SDL_WINDOWPOS_UNDEFINED,
                                 SDL_WINDOWPOS_UNDEFINED, std::max(1, window->clientWidth),
                                 std::max(1, window->clientHeight + MenuBarHeight(window)), flags);
    if (s->window != nullptr) s->renderer = SDL_CreateRenderer(s->window, -1, 0);
    if (s->renderer == nullptr) {
        std::fprintf(stderr, "sdl: %s\n", SDL_GetError());
        if (s->window != nullptr) SDL_DestroyWindow(s->window);
        delete s;
        return false;
    }
    window->backendData = s;
    return true;
}

void ShowWindow(HWND window, bool visible) {
    if (SdlWindow *s = Of(window)) visible ? SDL_ShowWindow(s->window) : SDL_HideWindow(s->window);
}

void DestroyWindow(HWND window) {
    SdlWindow *s = Of(window);
    if (s == nullptr) return;
    if (s->texture != nullptr) SDL_DestroyTexture(s->texture);
    SDL_DestroyRenderer(s->renderer);
    SDL_DestroyWindow(s->window);
    delete s;
    window->backendData = nullptr;
}

void Present(HWND window, bool) {
    SdlWindow *s = Of(window);
    if (s == nullptr || !window->visible) return;
    const int width = window->clientWidth;
    const int height = window->clientHeight + MenuBarHeight(window);
    if (width <= 0 || height <= 0) return;
    if (s->texture == nullptr || s->textureWidth != width || s->textureHeight != height) {
        if (s->texture != nullptr) SDL_DestroyTexture(s->texture);
        s->texture = SDL_CreateTexture(s->renderer, SDL_PIXELFORMAT_RGB888,
                                       SDL_TEXTUREACCESS_STREAMING, width, height);
        s->textureWidth = width;
        s->textureHeight = height;
        if (s->texture == nullptr) return;
    }
    s->composed.resize(static_cast<size_t>(width) * height);
    ComposeWindow(window, s->composed.data(), width);
    SDL_UpdateTexture(s->texture, nullptr, s->composed.data(), width * 4);
    SDL_RenderClear(s->renderer);
    SDL_RenderCopy(s->renderer, s->texture, nullptr, nullptr);
    SDL_RenderPresent(s->renderer);
}

void WindowEvent(const SDL_WindowEvent &e) {
    HWND window = WindowOf(e.windowID);
    if (window == nullptr) return;
    switch (e.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED: SetApplicationActive(true); break;
    case SDL_WINDOWEVENT_FOCUS_LOST: SetApplicationActive(false); break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        ResizeClient(window, e.data1, e.data2 - MenuBarHeight(window));
        Present(window, false);
        break;
    case SDL_WINDOWEVENT_EXPOSED: Present(window, false); break;
    case SDL_WINDOWEVENT_CLOSE: PostClose(window); break;
    default: break;
    }
}

void Translate(const SDL_Event &e) {
    switch (e.type) {
    case SDL_WINDOWEVENT: WindowEvent(e.window); break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        HWND window = WindowOf(e.key.windowID);
        const UINT key = VirtualKey(e.key.keysym.sym);
        if (window != nullptr && key != 0) PostKey(window, key, e.type == SDL_KEYDOWN);
        break;
    }
    case SDL_MOUSEBUTTONDOWN: {
        HWND window = WindowOf(e.button.windowID);
        if (window != nullptr && e.button.button == SDL_BUTTON_LEFT) {
            PostClick(window, e.button.x, e.button.y - MenuBarHeight(window));
        }
        break;
    }
    case SDL_QUIT:
        // An interrupt from the terminal closes every window as the user would.
        for (HWND w : LiveWindows()) PostClose(w);
        break;
    default: break;
    }
}

void PollEvents() {
    SDL_Event e;
    while (SDL_PollEvent(&e)) Translate(e);
}

bool WaitEvents() {
    SDL_Event e;
    if (!SDL_WaitEvent(&e)) return false;
    Translate(e);
    PollEvents();
    return true;
}

Uint32 BoxFlags(UINT type) {
    switch (type & 0xF0) {
    case MB_ICONERROR: return SDL_MESSAGEBOX_ERROR;
    case MB_ICONWARNING: return SDL_MESSAGEBOX_WARNING;
    default: return SDL_MESSAGEBOX_INFORMATION;
    }
}

// Only the OK button is offered, which is all the programs ask for; the box is modal, so the
// caller's loop stops until it is closed.
int MessageBox(HWND owner, const char *text, const char *caption, UINT type) {
    SDL_Window *parent = nullptr;
    if (IsLiveWindow(owner) && owner->visible && Of(owner) != nullptr) parent = Of(owner)->window;
    if (SDL_ShowSimpleMessageBox(BoxFlags(type), caption != nullptr ? caption : "",
                                 text != nullptr ? text : "", parent) != 0) {
        std::fprintf(stderr, "[%s] %s\n", caption != nullptr ? caption : "",
                     text != nullptr ? text : "");
    }
    return IDOK;
}

const Backend kSdl = {"sdl",   Open,       CreateWindow, ShowWindow, DestroyWindow,
                      Present, PollEvents, WaitEvents,   MessageBox};

}  // namespace

const Backend &SdlBackend() { return kSdl; }

}  // namespace platform
