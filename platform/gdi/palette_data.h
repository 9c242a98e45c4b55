// Fixed colour data of palette displays: the static colours and the halftone cube layout.
#pragma once

#include <array>
#include <cstdint>

#include "gdi_objects.h"

namespace platform {

inline constexpr int kStaticColorCount = 20;

// The static colour at palette slot index (0-9 and 246-255); black elsewhere.
PALETTEENTRY StaticColor(int index);
// The palette slot of the n-th static colour, n = 0 to 19.
int StaticColorSlot(int n);
// The slot of cube colour (r + 6 g + 36 b) in a halftone layout.
uint8_t HalftoneCubeSlot(int layout, int cube);

}  // namespace platform
