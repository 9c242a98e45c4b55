// Choosing the backend: the POLVEX_BACKEND setting, else a real window when one can be shown.
#include "backends/backend.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace platform {
namespace {

bool DisplayReachable() {
    const char *x11 = std::getenv("DISPLAY");
    const char *wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

const Backend *Requested() {
    const char *value = std::getenv("POLVEX_BACKEND");
    if (value == nullptr || *value == '\0') {
#if defined(PLATFORM_HAVE_SDL)
        if (DisplayReachable()) return &SdlBackend();
#endif
        return &HeadlessBackend();
    }
    if (std::strcmp(value, "headless") == 0) return &HeadlessBackend();
    if (std::strcmp(value, "sdl") == 0) {
#if defined(PLATFORM_HAVE_SDL)
        return &SdlBackend();
#else
        std::fprintf(stderr, "POLVEX_BACKEND=sdl: built without SDL2; using headless\n");
        return &HeadlessBackend();
#endif
    }
    std::fprintf(stderr, "POLVEX_BACKEND=%s is not a backend (sdl, headless); using headless\n",
                 value);
    return &HeadlessBackend();
}

const Backend *Choose() {
    const Backend *backend = Requested();
    if (backend->Open()) return backend;
    std::fprintf(stderr, "the %s backend cannot run here; using headless\n", backend->name);
    const Backend &headless = HeadlessBackend();
    headless.Open();
    return &headless;
}

}  // namespace

const Backend &ActiveBackend() {
    static const Backend *backend = Choose();
    return *backend;
}

int MessageBoxThroughBackend(HWND owner, const char *text, const char *caption, UINT type) {
    return ActiveBackend().MessageBox(owner, text, caption, type);
}

}  // namespace platform
