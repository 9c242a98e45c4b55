// MessageBoxA: to the test hook when one is installed, else to the current backend.
#include "user/message_box.h"

#include <cstdio>

#include "backends/backend.h"
#include "platform/control.h"

namespace platform {
namespace {

PlatformMessageBoxHook g_hook = nullptr;
void *g_hookContext = nullptr;

}  // namespace

MessageBoxBackend g_messageBoxBackend = &MessageBoxThroughBackend;

// Texts are UTF-8 already, so they go out unchanged.
int MessageBoxToStderr(HWND, const char *text, const char *caption, UINT) {
    std::fprintf(stderr, "[%s] %s\n", caption != nullptr ? caption : "", text != nullptr ? text : "");
    std::fflush(stderr);
    return IDOK;
}

}  // namespace platform

extern "C" {

PLATFORM_API void PlatformSetMessageBoxHook(PlatformMessageBoxHook hook, void *context) {
    platform::g_hook = hook;
    platform::g_hookContext = hook != nullptr ? context : nullptr;
}

PLATFORM_API int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    using namespace platform;
    if (g_hook != nullptr) return g_hook(owner, text, caption, type, g_hookContext);
    MessageBoxBackend backend = g_messageBoxBackend != nullptr ? g_messageBoxBackend : &MessageBoxToStderr;
    return backend(owner, text, caption, type);
}

}  // extern "C"
