// The platform's time: milliseconds since the program started, from wall time or from a source
// that tests install to step time by hand.
#include <chrono>

#include "platform/control.h"

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

// Taken when the platform is loaded, so that the first reading is near zero.
const Clock::time_point g_start = Clock::now();

PlatformTimeSource g_source = nullptr;
void *g_sourceContext = nullptr;

uint32_t Milliseconds() {
    if (g_source != nullptr) return g_source(g_sourceContext);
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - g_start);
    return static_cast<uint32_t>(elapsed.count());
}

}  // namespace

}  // namespace platform

extern "C" {

PLATFORM_API void PlatformSetTimeSource(PlatformTimeSource source, void *context) {
    platform::g_source = source;
    platform::g_sourceContext = source != nullptr ? context : nullptr;
}

PLATFORM_API DWORD GetTickCount(void) { return platform::Milliseconds(); }

PLATFORM_API int32_t PlatformProgramClock(void) {
    return static_cast<int32_t>(platform::Milliseconds());
}

}  // extern "C"
