// Window classes and menu resources: what RegisterClassA and PlatformRegisterMenu record and
// CreateWindowExA and LoadMenuA look up.
#pragma once

#include <string>

#include "platform/win32.h"

namespace platform {

struct WindowClass {
    std::string name;
    UINT style = 0;
    WNDPROC proc = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    std::string menuName; // empty: no menu
};

// The registered class of that name, or null.
const WindowClass *FindClass(LPCSTR name);
void ResetClasses();

}  // namespace platform
