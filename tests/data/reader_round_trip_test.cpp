// A model read from a file and the same model built in memory give the same records.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "data/tagged_test_support.h"
#include "polvex/polvex.h"
#include "support/library_fixture.h"

namespace pvtest {
namespace {

// A square pyramid: the base (material 0) faces down, the four sides (material 1) outward.
constexpr char kPyramidFile[] =
    "*cube 1 2 3\n"
    "; a square pyramid standing on the xy plane\n"
    "*pyramid\n"
    "2                    ; materials\n"
    "200 100 50 0.3       ; base\n"
    "20 220 90 0.9        ; sides\n"
    "5 -50 -50 0  50 -50 0  50 50 0  -50 50 0\n"
    "0 0 80               ; apex\n"
    "5\n"
    "4 0 3 2 1 0\n"
    "3 0 1 4 1   3 1 2 4 1   3 2 3 4 1\n"
    "3 3 0 4\n"
    "1\n"
    "*after 4 5 6\n";

struct MaterialValues {
    uint8_t red, green, blue;
    float highlight;
};

// The same pyramid, built through the allocator the way a host fills a record itself.
void BuildPyramid(ObjectData &object) {
    const std::vector<Vector3> points = {{-50, -50, 0}, {50, -50, 0}, {50, 50, 0}, {-50, 50, 0}, {0, 0, 80}};
    const std::vector<std::vector<int32_t>> corners = {{0, 3, 2, 1}, {0, 1, 4}, {1, 2, 4}, {2, 3, 4}, {3, 0, 4}};
    const std::vector<int32_t> materialOf = {0, 1, 1, 1, 1};
    const std::vector<MaterialValues> materials = {{200, 100, 50, 0.3f}, {20, 220, 90, 0.9f}};

    object = ObjectData{};
    object.pntNum = static_cast<int32_t>(points.size());
    object.pnt = static_cast<Vector3 *>(PvAlloc(object.pntNum * static_cast<int32_t>(sizeof(Vector3))));
    for (int32_t v = 0; v < object.pntNum; ++v) object.pnt[v] = points[v];
    object.materialNum = static_cast<int32_t>(materials.size());
    object.material = static_cast<MaterialData *>(PvAlloc(object.materialNum * static_cast<int32_t>(sizeof(MaterialData))));
    for (int32_t k = 0; k < object.materialNum; ++k) {
        object.material[k].color.red = materials[k].red;
        object.material[k].color.green = materials[k].green;
        object.material[k].color.blue = materials[k].blue;
        object.material[k].highlight = materials[k].highlight;
    }
    object.plnNum = static_cast<int32_t>(corners.size());
    object.pln = static_cast<PlaneData *>(PvAlloc(object.plnNum * static_cast<int32_t>(sizeof(PlaneData))));
    for (int32_t j = 0; j < object.plnNum; ++j) {
        PlaneData &plane = object.pln[j];
        plane.materialNo = materialOf[j];
        plane.cornerNum = static_cast<int32_t>(corners[j].size());
        plane.corner = static_cast<int32_t *>(PvAlloc(plane.cornerNum * static_cast<int32_t>(sizeof(int32_t))));
        for (int32_t k = 0; k < plane.cornerNum; ++k) plane.corner[k] = corners[j][k];
    }
    ASSERT_EQ(SetObjectDataColor(&object), 1);
    ASSERT_EQ(SetObjectDataShadingVector(&object), 1);
}

std::vector<float> Floats(const Vector3 &v) { return {v.x, v.y, v.z}; }
std::vector<int> Rgb(const ColorBytes &c) { return {c.red, c.green, c.blue}; }

class RoundTripTest : public LibraryTest {
protected:
    void SetUp() override { Open(); }
};

TEST_F(RoundTripTest, FileModelEqualsTheModelBuiltInMemory) {
    DataFile file(kPyramidFile);
    ObjectData read{};
    ObjectData built{};
    const int before = LiveBlocks();
    ASSERT_EQ(ReadObjectData(&read, file.name(), "pyramid"), 1);
    BuildPyramid(built);

    EXPECT_EQ(read.radius, built.radius);
    ASSERT_EQ(read.materialNum, built.materialNum);
    for (int32_t k = 0; k < read.materialNum; ++k) {
        EXPECT_EQ(Rgb(read.material[k].color), Rgb(built.material[k].color)) << "material " << k;
        EXPECT_EQ(read.material[k].highlight, built.material[k].highlight) << "material " << k;
    }
    ASSERT_EQ(read.pntNum, built.pntNum);
    for (int32_t v = 0; v < read.pntNum; ++v) {
        EXPECT_EQ(Floats(read.pnt[v]), Floats(built.pnt[v])) << "vertex " << v;
        EXPECT_EQ(Floats(read.shadingVector[v]), Floats(built.shadingVector[v])) << "shading vector " << v;
    }
    ASSERT_EQ(read.plnNum, built.plnNum);
    for (int32_t j = 0; j < read.plnNum; ++j) {
        const PlaneData &a = read.pln[j];
        const PlaneData &b = built.pln[j];
        EXPECT_EQ(a.materialNo, b.materialNo) << "polygon " << j;
        ASSERT_EQ(a.cornerNum, b.cornerNum) << "polygon " << j;
        EXPECT_EQ(std::vector<int32_t>(a.corner, a.corner + a.cornerNum),
                  std::vector<int32_t>(b.corner, b.corner + b.cornerNum))
            << "polygon " << j;
        EXPECT_EQ(Floats(a.normal), Floats(b.normal)) << "polygon " << j;
        EXPECT_EQ(Rgb(a.color), Rgb(b.color)) << "polygon " << j;
    }
    // The base faces straight down, so the file's corner order was read as written.
    EXPECT_EQ(Floats(read.pln[0].normal), (std::vector<float>{0.0f, 0.0f, -1.0f}));

    FreeObjectData(&read);
    FreeObjectData(&built);
    EXPECT_EQ(LiveBlocks(), before);
}

}  // namespace
}  // namespace pvtest
