// The emulated display: which kind of device the screen is, chosen by a platform call or, when
// no call has chosen, by the POLVEX_DISPLAY environment setting read once.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "display_state.h"
#include "gdi_objects.h"
#include "platform/control.h"

namespace platform {
namespace {

std::optional<PlatformDisplay> g_display;
int g_generation = 0;

PlatformDisplay DisplayFromEnvironment() {
    const char *value = std::getenv("POLVEX_DISPLAY");
    if (value == nullptr || *value == '\0' || std::strcmp(value, "palette") == 0) {
        return PLATFORM_DISPLAY_PALETTE;
    }
    if (std::strcmp(value, "palette-alt") == 0) return PLATFORM_DISPLAY_PALETTE_ALT;
    if (std::strcmp(value, "truecolor") == 0) return PLATFORM_DISPLAY_TRUECOLOR;
    std::fprintf(stderr,
                 "POLVEX_DISPLAY=%s is not a display (palette, palette-alt, truecolor); "
                 "using palette\n",
                 value);
    return PLATFORM_DISPLAY_PALETTE;
}

PlatformDisplay CurrentDisplay() {
    if (!g_display) g_display = DisplayFromEnvironment();
    return *g_display;
}

}  // namespace

int DisplayBitsPerPixel() { return CurrentDisplay() == PLATFORM_DISPLAY_TRUECOLOR ? 32 : 8; }

bool DisplayHasPalette() { return CurrentDisplay() != PLATFORM_DISPLAY_TRUECOLOR; }

int DisplayGeneration() { return g_generation; }

int DisplayHalftoneLayout() { return CurrentDisplay() == PLATFORM_DISPLAY_PALETTE_ALT ? 1 : 0; }

}  // namespace platform

extern "C" {

PLATFORM_API void PlatformSetDisplay(PlatformDisplay display) {
    if (display < PLATFORM_DISPLAY_PALETTE || display > PLATFORM_DISPLAY_TRUECOLOR) return;
    platform::g_display = display;
    ++platform::g_generation;
}

PLATFORM_API PlatformDisplay PlatformGetDisplay(void) { return platform::CurrentDisplay(); }

}  // extern "C"
