// Failure reports: modal warning boxes captioned "POLVEX".
#include "core/report.h"

#include <cstdarg>
#include <cstdio>

#include "core/state.h"

namespace pv {

namespace {
constexpr char kCaption[] = "POLVEX";

// A truncated message may end inside a multi-byte character; cut back to the last whole one
// so that the box never shows a broken character.
void TrimPartialCharacter(char *text, size_t length) {
    size_t end = length;
    size_t lead = end;
    while (lead > 0 && (static_cast<unsigned char>(text[lead - 1]) & 0xC0) == 0x80) --lead;
    if (lead == 0) return;
    const unsigned char first = static_cast<unsigned char>(text[lead - 1]);
    const size_t need = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
    if (end - (lead - 1) < need) text[lead - 1] = '\0';
}
}

void Report(const char *text, HWND owner) {
    if (g_state.messageFlag != 0) MessageBoxA(owner, text, kCaption, MB_ICONWARNING);
}

void ReportFormat(const char *format, ...) {
    if (g_state.messageFlag == 0) return;
    // Formatted messages go through a 256-byte buffer; vsnprintf truncates and terminates.
    char buffer[256];
    va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (length >= static_cast<int>(sizeof buffer)) TrimPartialCharacter(buffer, sizeof buffer - 1);
    MessageBoxA(nullptr, buffer, kCaption, MB_ICONWARNING);
}

void ReportAlways(const char *text) { MessageBoxA(nullptr, text, kCaption, MB_ICONWARNING); }

}  // namespace pv
