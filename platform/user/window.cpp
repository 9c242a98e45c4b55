// Windows: until the window layer lands there are none, so no window has a surface.
#include "gdi/gdi_objects.h"

namespace platform {

Surface WindowSurface(HWND) { return {}; }

bool IsLiveWindow(HWND) { return false; }

}  // namespace platform
