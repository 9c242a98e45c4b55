/* The platform layer's own controls: the emulated display, the message-box capture hook, the
 * injectable time source and fault injection. Tests use them directly; a person running a
 * program sets the display and the backend through environment variables read at first use:
 *
 *   POLVEX_DISPLAY = palette (default) | palette-alt | truecolor
 *       palette:     8-bit palette device with the system halftone palette, first layout
 *       palette-alt: 8-bit palette device, second layout of the halftone palette
 *       truecolor:   32-bit true-colour device without a palette
 *   POLVEX_BACKEND = sdl | headless
 *       default: sdl when a display is reachable (DISPLAY or WAYLAND_DISPLAY set) and SDL
 *       support was built, else headless
 *       sdl:      real windows with a one-line menu bar and real modal message boxes; falls
 *                 back to headless when SDL cannot open a display
 *       headless: windows in memory only, driven by a script, frames saved as PNG; its own
 *                 settings (POLVEX_HEADLESS_SCRIPT, POLVEX_HEADLESS_FRAMES) are described in
 *                 platform/headless.h
 */
#ifndef PLATFORM_CONTROL_H
#define PLATFORM_CONTROL_H

#include "platform/win32.h"

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Emulated display ----------------------------------------------------------------- */

typedef enum PlatformDisplay {
    PLATFORM_DISPLAY_PALETTE = 0,     /* 8 bits, RC_PALETTE, halftone palette layout 0 */
    PLATFORM_DISPLAY_PALETTE_ALT = 1, /* 8 bits, RC_PALETTE, halftone palette layout 1 */
    PLATFORM_DISPLAY_TRUECOLOR = 2    /* 32 bits, no palette */
} PlatformDisplay;

PLATFORM_API void PlatformSetDisplay(PlatformDisplay display);
PLATFORM_API PlatformDisplay PlatformGetDisplay(void);

/* ---- Message boxes -------------------------------------------------------------------- */

/* Called instead of the backend for every MessageBoxA while installed; its result is what
 * MessageBoxA returns. Null restores the backend. */
typedef int (*PlatformMessageBoxHook)(HWND owner, const char *text, const char *caption,
                                      UINT type, void *context);
PLATFORM_API void PlatformSetMessageBoxHook(PlatformMessageBoxHook hook, void *context);

/* ---- Time ----------------------------------------------------------------------------- */

/* Milliseconds since the program started. GetTickCount and the program clock read it; a
 * test installs its own source to drive frames without waiting. Null restores wall time. */
typedef uint32_t (*PlatformTimeSource)(void *context);
PLATFORM_API void PlatformSetTimeSource(PlatformTimeSource source, void *context);
/* Milliseconds since the program started (the game's clock). */
PLATFORM_API int32_t PlatformProgramClock(void);

/* ---- Fault injection ------------------------------------------------------------------ */

typedef enum PlatformFault {
    PLATFORM_FAULT_NONE = 0,
    PLATFORM_FAULT_DIB_SECTION = 1,      /* next CreateDIBSection returns null */
    PLATFORM_FAULT_DIB_SECTION_BITS = 2, /* next CreateDIBSection gives a bitmap, no bits */
    PLATFORM_FAULT_NO_FONTS = 3          /* fonts cannot be found while set */
} PlatformFault;

/* Arms one fault; PLATFORM_FAULT_NONE clears every armed fault. */
PLATFORM_API void PlatformInjectFault(PlatformFault fault);

/* ---- Inspection ----------------------------------------------------------------------- */

/* Number of live GDI objects created by the program (stock objects excluded), so that tests
 * can see that nothing leaks. */
PLATFORM_API int PlatformLiveGdiObjects(void);

#ifdef __cplusplus
}
#endif

#endif /* PLATFORM_CONTROL_H */
