// Fault injection: one-shot and lasting failures that tests arm through PlatformInjectFault.
#include "kernel/fault_injection.h"

namespace platform {
namespace {

constexpr int kFaultCount = 4;
bool g_armed[kFaultCount] = {};

bool Known(PlatformFault fault) {
    const int value = static_cast<int>(fault);  // a host may pass any number
    return value > 0 && value < kFaultCount;
}

}  // namespace

bool TakeFault(PlatformFault fault) {
    if (!Known(fault) || !g_armed[fault]) return false;
    g_armed[fault] = false;
    return true;
}

bool FaultArmed(PlatformFault fault) { return Known(fault) && g_armed[fault]; }

}  // namespace platform

extern "C" PLATFORM_API void PlatformInjectFault(PlatformFault fault) {
    using namespace platform;
    if (fault == PLATFORM_FAULT_NONE) {
        for (bool &armed : g_armed) armed = false;
        return;
    }
    if (Known(fault)) g_armed[fault] = true;
}
