// The reciprocal table divides every dividend the Gouraud set-up uses exactly.
#include <gtest/gtest.h>

#include "raster/short_divide.h"

TEST(ShortDivide, EqualsPlainDivisionOverTheWholeRange) {
    for (int32_t n = 2; n <= pv::kShortCount; ++n) {
        for (int32_t x = 0; x <= pv::ShortDividendLimit(n); ++x) {
            ASSERT_EQ(pv::ShortDivide(x, n), x / n) << x << " / " << n;
        }
    }
}
