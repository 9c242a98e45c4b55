// The library's failure-report rule: a modal warning box captioned "POLVEX" when the message
// flag is set, nothing otherwise. Reporting never changes what the failing function returns.
#pragma once

#include "platform/win32.h"

namespace pv {

// Shows text when the message flag is set; owner is the box's owner window, usually none.
void Report(const char *text, HWND owner = nullptr);

// Formats into a 256-byte buffer (truncating, never overrunning it) and reports the result.
void ReportFormat(const char *format, ...) __attribute__((format(printf, 1, 2)));

// Shows text whatever the message flag says (the one message that ignores it).
void ReportAlways(const char *text);

// Message texts shared by several parts of the library.
inline constexpr const char kOutOfMemory[] = "メモリが足りません。";

}  // namespace pv
