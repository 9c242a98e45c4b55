// Shading vectors (against a plain scan of every polygon per vertex) and releasing models.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "core/heap.h"
#include "data/models_builder.h"
#include "support/library_fixture.h"

namespace pvtest {
namespace {

// The plain definition: for every vertex, every polygon in order, each counted once.
std::vector<Vector3> ShadingByScan(const ObjectData &o) {
    std::vector<Vector3> out(o.pntNum);
    for (int32_t v = 0; v < o.pntNum; ++v) {
        Vector3 sum = {0, 0, 0}, last = {0, 0, 0};
        int32_t count = 0;
        for (int32_t j = 0; j < o.plnNum; ++j) {
            const PlaneData &p = o.pln[j];
            bool uses = false;
            for (int32_t k = 0; k < p.cornerNum; ++k) uses = uses || p.corner[k] == v;
            if (!uses) continue;
            sum = {sum.x + p.normal.x, sum.y + p.normal.y, sum.z + p.normal.z};
            ++count;
            last = p.normal;
        }
        if (count == 0) {
            out[v] = {0, 0, 1};
            continue;
        }
        const float n = static_cast<float>(count);
        const Vector3 a = {sum.x / n, sum.y / n, sum.z / n};
        const float length = static_cast<float>(
            std::sqrt(double(a.x) * a.x + double(a.y) * a.y + double(a.z) * a.z));
        out[v] = length < 0.001f ? last : Vector3{a.x / length, a.y / length, a.z / length};
    }
    return out;
}

// A model with random unit normals set directly, some exactly opposite pairs, vertices that no
// polygon uses, and corners repeated within a polygon.
ObjectData RandomModel(int32_t pntNum, int32_t plnNum, uint32_t seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    std::uniform_int_distribution<int32_t> corners(3, 8);
    std::uniform_int_distribution<int32_t> vertex(0, pntNum * 9 / 10);  // the top tenth unused
    std::vector<PolygonSpec> polygons(plnNum);
    for (PolygonSpec &p : polygons) {
        p.corners.resize(corners(rng));
        for (int32_t &c : p.corners) c = vertex(rng);
        if (rng() % 8 == 0) p.corners[1] = p.corners[0];
    }
    ObjectData o = BuildModel(std::vector<Vector3>(pntNum, Vector3{0, 0, 0}), polygons,
                              {Material(1, 2, 3, 0)});
    for (int32_t j = 0; j < plnNum; ++j) {
        Vector3 n = {unit(rng), unit(rng), unit(rng)};
        const float l = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
        n = {n.x / l, n.y / l, n.z / l};
        if (j > 0 && rng() % 4 == 0) {
            const Vector3 &prev = o.pln[j - 1].normal;
            n = {-prev.x, -prev.y, -prev.z};
            o.pln[j].corner[0] = o.pln[j - 1].corner[0];
        }
        o.pln[j].normal = n;
    }
    return o;
}

class ShadingTest : public LibraryTest {
protected:
    void SetUp() override { Open(); }
    void TearDown() override {
        FreeObjectData(&model);
        pv::g_heap = savedHeap;
        LibraryTest::TearDown();
    }

    Vector3 vector(int v) const { return model.shadingVector[v]; }

    ObjectData model{};
    pv::Heap savedHeap = pv::g_heap;
};

void ExpectVector(const Vector3 &actual, Vector3 expected, const char *what) {
    EXPECT_NEAR(actual.x, expected.x, 1e-6f) << what;
    EXPECT_NEAR(actual.y, expected.y, 1e-6f) << what;
    EXPECT_NEAR(actual.z, expected.z, 1e-6f) << what;
}

TEST_F(ShadingTest, OnePassEqualsThePlainScanBitForBit) {
    // The second size spans more vertices than one pass of the library covers.
    for (const auto &[pntNum, plnNum] : {std::pair{400, 700}, std::pair{6000, 2000}}) {
        model = RandomModel(pntNum, plnNum, 1234u + pntNum);
        const std::vector<Vector3> expected = ShadingByScan(model);
        ASSERT_EQ(SetObjectDataShadingVector(&model), 1);
        int differing = 0, first = -1;
        for (int32_t v = 0; v < pntNum; ++v) {
            if (std::memcmp(&model.shadingVector[v], &expected[v], sizeof(Vector3)) != 0) {
                if (first < 0) first = v;
                ++differing;
            }
        }
        EXPECT_EQ(differing, 0) << pntNum << " vertices; first differing vertex " << first;
        FreeObjectData(&model);
    }
}

TEST_F(ShadingTest, AveragesEachPolygonOnceAndLeavesUnusedVerticesUp) {
    // Polygon 0 lists vertex 0 twice; vertex 4 belongs to no polygon.
    model = BuildModel(std::vector<Vector3>(5, Vector3{0, 0, 0}), {{{0, 0, 1, 2}}, {{0, 3, 1}}},
                       {Material(1, 2, 3, 0)});
    model.pln[0].normal = {1, 0, 0};
    model.pln[1].normal = {0, 1, 0};
    ASSERT_EQ(SetObjectDataShadingVector(&model), 1);
    const float h = std::sqrt(0.5f);
    ExpectVector(vector(0), {h, h, 0}, "vertex 0: counted once per polygon");
    ExpectVector(vector(1), {h, h, 0}, "vertex 1");
    ExpectVector(vector(2), {1, 0, 0}, "vertex 2");
    ExpectVector(vector(3), {0, 1, 0}, "vertex 3");
    ExpectVector(vector(4), {0, 0, 1}, "vertex 4: unused");
}

TEST_F(ShadingTest, OppositeNormalsLeaveTheLastPolygonsNormal) {
    for (const float sign : {1.0f, -1.0f}) {
        model = BuildModel(std::vector<Vector3>(3, Vector3{0, 0, 0}), {{{0, 1, 2}}, {{0, 2, 1}}},
                           {Material(1, 2, 3, 0)});
        model.pln[0].normal = {sign, 0, 0};
        model.pln[1].normal = {-sign, 0, 0};
        ASSERT_EQ(SetObjectDataShadingVector(&model), 1);
        for (int v = 0; v < 3; ++v) {
            EXPECT_EQ(vector(v).x, -sign) << "vertex " << v << ", polygon 1 normal x " << -sign;
            EXPECT_EQ(vector(v).y, 0.0f);
            EXPECT_EQ(vector(v).z, 0.0f);
        }
        FreeObjectData(&model);
    }
}

TEST_F(ShadingTest, SecondCallKeepsTheFirstArrayTracked) {
    model = BuildModel(std::vector<Vector3>(3, Vector3{0, 0, 0}), {{{0, 1, 2}}},
                       {Material(1, 2, 3, 0)});
    const int before = LiveBlocks();
    ASSERT_EQ(SetObjectDataShadingVector(&model), 1);
    Vector3 *first = model.shadingVector;
    ASSERT_EQ(SetObjectDataShadingVector(&model), 1);
    EXPECT_NE(model.shadingVector, first);
    EXPECT_EQ(LiveBlocks(), before + 2);
    PvFree(first);  // still tracked: releasing it lowers the count
    EXPECT_EQ(LiveBlocks(), before + 1);
}

TEST_F(ShadingTest, EmptyModelAllocatesNothing) {
    model = BuildModel({{1, 2, 3}}, {}, {Material(1, 2, 3, 0)});
    model.pntNum = 0;
    const int before = LiveBlocks();
    EXPECT_EQ(SetObjectDataShadingVector(&model), 1);
    EXPECT_EQ(LiveBlocks(), before);
    EXPECT_EQ(model.shadingVector, nullptr);
}

TEST_F(ShadingTest, FailedAllocationKeepsTheEarlierArrayAndSaysSo) {
    model = BuildModel(std::vector<Vector3>(3, Vector3{0, 0, 0}), {{{0, 1, 2}}},
                       {Material(1, 2, 3, 0)});
    model.pln[0].normal = {0, 0, -1};
    ASSERT_EQ(SetObjectDataShadingVector(&model), 1);
    Vector3 *earlier = model.shadingVector;
    model.pln[0].normal = {1, 0, 0};
    pv::g_heap.alloc = [](size_t) -> void * { return nullptr; };
    EXPECT_EQ(SetObjectDataShadingVector(&model), 0);
    pv::g_heap = savedHeap;
    EXPECT_EQ(model.shadingVector, earlier);
    EXPECT_EQ(model.shadingVector[0].z, -1.0f) << "the earlier vectors are intact";
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"メモリが足りません。"});
}

TEST_F(ShadingTest, FreeReleasesEveryArrayAndASecondCallIsHarmless) {
    const int before = LiveBlocks();
    model = BuildModel({{0, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 1}}, {{{0, 1, 2}}, {{1, 2, 3}}},
                       {Material(1, 2, 3, 0), Material(4, 5, 6, 0)});
    ASSERT_EQ(SetObjectDataColor(&model), 1);
    ASSERT_EQ(SetObjectDataShadingVector(&model), 1);
    EXPECT_EQ(LiveBlocks(), before + 6);  // pnt, two corner lists, pln, material, shading
    FreeObjectData(&model);
    EXPECT_EQ(LiveBlocks(), before);
    EXPECT_EQ(model.pnt, nullptr);
    EXPECT_EQ(model.pln, nullptr);
    EXPECT_EQ(model.material, nullptr);
    EXPECT_EQ(model.shadingVector, nullptr);
    EXPECT_EQ(model.plnNum, 0);
    FreeObjectData(&model);
    EXPECT_EQ(LiveBlocks(), before);

    ObjectData zero{};
    FreeObjectData(&zero);
    FreeObjectData(nullptr);
    EXPECT_EQ(LiveBlocks(), before);
    EXPECT_TRUE(messages.boxes().empty());
}

}  // namespace
}  // namespace pvtest
