// The depth comparison and the sort of the polygon list.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "render/polygon_list.h"

namespace pvtest {
namespace {

using pv::PolygonEntry;

PolygonEntry At(float depth) {
    PolygonEntry e{};
    e.depth = depth;
    return e;
}

TEST(DepthOrderTest, DepthsLessThanOneApartCompareEqualAndFartherComesFirst) {
    EXPECT_EQ(pv::DepthOrder(At(100.2f), At(100.9f)), 0);
    EXPECT_EQ(pv::DepthOrder(At(100.9f), At(100.2f)), 0);
    EXPECT_EQ(pv::DepthOrder(At(101.3f), At(100.2f)), -1);
    EXPECT_EQ(pv::DepthOrder(At(100.2f), At(101.3f)), 1);
    // Differences beyond int and not-a-number stay defined.
    EXPECT_EQ(pv::DepthOrder(At(-3e38f), At(3e38f)), INT32_MAX);
    EXPECT_EQ(pv::DepthOrder(At(std::nanf("")), At(1.0f)), 0);
}

std::string Sorted(const std::vector<float> &depths) {
    std::vector<PolygonEntry> list;
    for (float d : depths) list.push_back(At(d));
    std::vector<uint16_t> order(list.size());
    pv::SortByDepth(list.data(), static_cast<int32_t>(list.size()), order.data());
    std::string text;
    for (uint16_t k : order) text += std::to_string(k) + " ";
    return text;
}

TEST(SortByDepthTest, FarthestFirstWithTiesInListOrder) {
    EXPECT_EQ(Sorted({100.2f, 101.3f}), "1 0 ");
    EXPECT_EQ(Sorted({5, 7, 5, 7, 6}), "1 3 4 0 2 ");
    // Both zeros are one depth; negative depths (behind the camera) come after positive ones.
    EXPECT_EQ(Sorted({-0.0f, -2.5f, 0.0f, 1e-30f, -1e-30f}), "3 0 2 4 1 ");
    EXPECT_EQ(Sorted({}), "");
}

TEST(SortByDepthTest, NotANumberSortsFarthestWithoutDisturbingTheRest) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(Sorted({3, nan, 1, -nan, 2, inf, -inf}), "1 3 5 0 4 2 6 ");
}

TEST(SortByDepthTest, FullListOfEqualDepthsKeepsItsOrder) {
    std::vector<PolygonEntry> list(pv::kMaxFramePolygons, At(42.0f));
    list[4321].depth = 43.5f;
    std::vector<uint16_t> order(list.size());
    pv::SortByDepth(list.data(), static_cast<int32_t>(list.size()), order.data());
    EXPECT_EQ(order[0], 4321);
    for (size_t k = 1; k < order.size(); ++k) {
        ASSERT_EQ(order[k], k <= 4321 ? k - 1 : k) << "position " << k;
    }
}

}  // namespace
}  // namespace pvtest
