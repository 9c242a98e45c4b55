/* Controls of the headless backend, which shows windows in memory only: a script of input
 * events by frame number drives the program, and chosen frames are saved as PNG files.
 * A person sets the same things through the environment, read when the backend opens:
 *
 *   POLVEX_HEADLESS_SCRIPT = path of a script file (format below)
 *   POLVEX_HEADLESS_FRAMES = directory for the saved frames and messages.txt
 *
 * Script: one event per line, "<frame> <event> [arguments]"; '#' starts a comment. A frame is
 * one finished paint of a window (EndPaint). Events of frame n are delivered after n frames
 * have been shown, before the next one is painted; frame 0 is before the first paint.
 *
 *   key <k>           press and release a key
 *   keydown <k>       press and hold (repeats every 2 frames after 30 frames, like a keyboard)
 *   keyup <k>         release
 *   click <x> <y>     left button at client coordinates
 *   menu <command>    choose the menu item with this command identifier
 *   resize <w> <h>    new client size, as by dragging the frame
 *   activate          focus comes to the program
 *   deactivate        focus leaves the program
 *   save [name]       save the main window's client area as <dir>/<name>.png
 *                     (default name: frame_<frame, 5 digits>)
 *   close             the window's close button
 *
 * Keys: left right up down space return escape alt shift, a single letter or digit, or a
 * virtual-key code (0x25). While a script runs, time is virtual: each reading of the clock
 * advances it by one millisecond, so a frame limiter that spins on the clock finishes at
 * once and a run takes no wall time. Message boxes are answered OK and written to standard
 * error and to <dir>/messages.txt. When the script is used up and the program waits for
 * input that cannot come, every window is closed. Plain C. */
#ifndef PLATFORM_HEADLESS_H
#define PLATFORM_HEADLESS_H

#include "platform/win32.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Replaces the script with text (null: no script) and restarts the frame count. Returns FALSE
 * and keeps no script when a line cannot be read; the line is named on standard error. */
PLATFORM_API BOOL PlatformHeadlessSetScript(const char *text);
/* Directory for saved frames and messages.txt; null: frames are not saved. */
PLATFORM_API void PlatformHeadlessSetFramesDirectory(const char *directory);
/* Frames shown since the script was set. */
PLATFORM_API int PlatformHeadlessFrameCount(void);
/* Message boxes answered since the script was set. */
PLATFORM_API int PlatformHeadlessMessageCount(void);

#ifdef __cplusplus
}
#endif

#endif /* PLATFORM_HEADLESS_H */
