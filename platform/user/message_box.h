// Where message boxes go when no capture hook is installed.
#pragma once

#include "platform/win32.h"

namespace platform {

// Shows one message box and returns the button pressed. Window backends replace it with their
// own modal box; the default writes the box to standard error and answers IDOK.
using MessageBoxBackend = int (*)(HWND owner, const char *text, const char *caption, UINT type);
extern MessageBoxBackend g_messageBoxBackend;

// The default backend: standard error.
int MessageBoxToStderr(HWND owner, const char *text, const char *caption, UINT type);

}  // namespace platform
