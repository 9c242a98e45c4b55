// Turning a real-valued pixel position into an integer pixel without undefined conversions.
#pragma once

#include <cstdint>

namespace pv {

// Projected coordinates are kept within +-2^29 pixels. A point just past the near plane far to
// the side, or a huge model, can project beyond the int32 range, where converting a float is
// undefined. The fillers clip any int32 point; the bound leaves the differences and sums of two
// corners that the platform's line and polygon drawing forms well inside 32 bits. Reaching it
// takes a lateral offset of about 1.8 million times the depth (at a screen distance of 300),
// so only such extreme corners are moved, and their edges with them. Not-a-number becomes 0.
constexpr float kPixelLimit = 536870912.0f;

// value truncated toward zero, clamped to +-kPixelLimit.
inline int32_t TruncToPixel(float value) {
    if (value >= kPixelLimit) return static_cast<int32_t>(kPixelLimit);
    if (value <= -kPixelLimit) return -static_cast<int32_t>(kPixelLimit);
    if (!(value == value)) return 0;
    return static_cast<int32_t>(value);
}

}  // namespace pv
