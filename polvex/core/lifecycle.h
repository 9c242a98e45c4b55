// Internal lifecycle check used by the render entry.
#pragma once

#include <cstdint>

namespace pv {

// 1 when the library is open; otherwise reports that Polvex() was called before
// OpenPolvex() and returns 0.
int32_t CheckPolvexOpen();

}  // namespace pv
