// MulDiv, the tick count and the program clock.
#include <climits>

#include "gdi_test_util.h"

namespace {

TEST(MulDivTest, RoundsToNearestWithHalvesAwayFromZero) {
    struct Case {
        int number, numerator, denominator, expected;
    };
    const Case cases[] = {
        {1, 1, 2, 1},           {-1, 1, 2, -1},         {3, 1, -2, -2},          {-3, -1, -2, -2},
        {5, 1, 3, 2},           {4, 1, 3, 1},           {-5, 1, 3, -2},          {-4, 1, 3, -1},
        {7, 3, 0, -1},          {0, 5, 7, 0},           {100, 200, 300, 67},     {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
        {INT_MAX, 2, 1, -1},    {INT_MIN, 1, 1, INT_MIN}, {INT_MIN, -1, 1, -1},  {INT_MIN, 1, -1, -1},
        {INT_MIN, 2, 2, INT_MIN}, {INT_MAX, INT_MAX, 1, -1}, {INT_MIN, INT_MIN, INT_MIN, INT_MIN},
        {65536, 65536, 65536, 65536}, {1, 1, INT_MIN, 0}, {INT_MIN, 1, INT_MIN, 1},
        {-10, 10, 20, -5},      {-11, 1, 2, -6},        {11, 1, -2, -6},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.expected)
            << "MulDiv(" << c.number << ", " << c.numerator << ", " << c.denominator << ")";
    }
}

uint32_t FakeClock(void *context) { return *static_cast<uint32_t *>(context); }

TEST(ClockTest, InjectedSourceDrivesTickCountAndProgramClock) {
    uint32_t now = 1234;
    PlatformSetTimeSource(&FakeClock, &now);
    EXPECT_EQ(GetTickCount(), 1234u);
    EXPECT_EQ(PlatformProgramClock(), 1234);
    now = 0xFFFFFFF0u;
    EXPECT_EQ(GetTickCount(), 0xFFFFFFF0u) << "the tick count wraps at 2^32";
    PlatformSetTimeSource(nullptr, nullptr);

    const DWORD first = GetTickCount();
    const DWORD second = GetTickCount();
    EXPECT_LE(first, second) << "wall time does not run backwards";
    EXPECT_LT(first, 10u * 60u * 1000u) << "counts from program start, not from boot";
}

}  // namespace
