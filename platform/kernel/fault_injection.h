// Armed faults of the platform layer, for the operations that tests make fail on purpose.
#pragma once

#include "platform/control.h"

namespace platform {

// True once for each arming of a one-shot fault (the DIB section faults); disarms it.
bool TakeFault(PlatformFault fault);
// True while a lasting fault (no fonts) is armed.
bool FaultArmed(PlatformFault fault);

}  // namespace platform
