// Internal view of the emulated display beyond its format (see gdi_objects.h for that).
#pragma once

namespace platform {

// Counts the calls that chose a display; state that belongs to one display, such as the system
// palette, starts again when it changes.
int DisplayGeneration();

}  // namespace platform
