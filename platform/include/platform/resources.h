/* Resources of a program, which the original system reads from the executable file: here the
 * program registers them once at start-up, and the loading calls (LoadMenuA) find them by
 * name. Plain C. */
#ifndef PLATFORM_RESOURCES_H
#define PLATFORM_RESOURCES_H

#include "platform/win32.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct PlatformMenuItem {
    const char *text; /* UTF-8; '&' marks the mnemonic letter, "&&" is a literal '&' */
    UINT command;     /* identifier sent in the low word of WM_COMMAND's wParam */
} PlatformMenuItem;

typedef struct PlatformMenuPopup {
    const char *text;              /* label in the menu bar, with its '&' mnemonic */
    const PlatformMenuItem *items; /* itemCount items, top to bottom */
    int itemCount;
} PlatformMenuPopup;

/* Registers (or replaces) the menu resource name: a bar of popupCount popups. The texts are
 * copied. Returns FALSE for a null or empty name or a negative count. */
PLATFORM_API BOOL PlatformRegisterMenu(const char *name, const PlatformMenuPopup *popups,
                                       int popupCount);

#ifdef __cplusplus
}
#endif

#endif /* PLATFORM_RESOURCES_H */
