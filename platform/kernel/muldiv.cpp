// MulDiv: a scaled product with exact 64-bit intermediate and rounding to nearest.
#include <cstdint>
#include <limits>

#include "platform/win32.h"

// |number x numerator| < 2^62 and |denominator| <= 2^31, so adding half the divisor to the
// magnitude cannot overflow; rounding the magnitude rounds halves away from zero.
extern "C" PLATFORM_API int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0) return -1;
    const int64_t product = int64_t{number} * numerator;
    const uint64_t magnitude = product < 0 ? 0 - static_cast<uint64_t>(product) : static_cast<uint64_t>(product);
    const uint64_t divisor = denominator < 0 ? 0 - static_cast<uint64_t>(int64_t{denominator})
                                             : static_cast<uint64_t>(denominator);
    const uint64_t quotient = (magnitude + divisor / 2) / divisor;
    const bool negative = (product < 0) != (denominator < 0);
    const uint64_t limit = negative ? uint64_t{1} << 31 : (uint64_t{1} << 31) - 1;
    if (quotient > limit) return -1;
    return negative ? static_cast<int>(-static_cast<int64_t>(quotient)) : static_cast<int>(quotient);
}
