// Tests of the object data reader ReadObjectData: the layout and its truncation rules, every
// failure message, the record and the blocks after a failed read, and a real model file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "data/tagged_test_support.h"
#include "polvex/polvex.h"
#include "support/library_fixture.h"

namespace pvtest {
namespace {

// The minimal object: one red material, one triangle facing +x.
constexpr char kTriangle[] = "*tri\n1\n255 0 0 0.5\n3\n0 0 0\n0 100 0\n0 0 100\n1\n3 0 1 2 0\n";

struct ObjectRead {
    int32_t result = 0;
    std::vector<std::string> messages;
    int liveChange = 0;  // once a loaded model is freed again
    bool recordEmpty = false;
};

bool IsAllZero(const ObjectData &record) {
    const ObjectData zero{};
    return std::memcmp(&record, &zero, sizeof record) == 0;
}

class ObjectReaderTest : public LibraryTest {
protected:
    void SetUp() override { Open(); }

    // Reads name from a file holding content into record, which starts as garbage, and frees
    // a loaded model again; what matters is the result, the messages and the blocks.
    ObjectRead Read(const std::string &content, const char *name = "tri") {
        DataFile file(content);
        lastFile = file.path();
        ObjectRead out;
        messages.clear();
        std::memset(&record, 0xA5, sizeof record);
        const int before = LiveBlocks();
        out.result = ReadObjectData(&record, file.name(), name);
        out.messages = messages.texts();
        out.recordEmpty = IsAllZero(record);
        if (out.result == 1) FreeObjectData(&record);
        // A failed read that left anything behind has failed the test already; the fixture
        // must not free what the record would then hold.
        if (out.result == 0 && !out.recordEmpty) record = ObjectData{};
        out.liveChange = LiveBlocks() - before;
        return out;
    }

    // Reads and keeps the model in record; freed at the end of the test.
    int32_t Load(const std::string &content, const char *name = "tri") {
        DataFile file(content);
        messages.clear();
        std::memset(&record, 0, sizeof record);
        return ReadObjectData(&record, file.name(), name);
    }

    void TearDown() override {
        FreeObjectData(&record);
        LibraryTest::TearDown();
    }

    ObjectData record{};
    std::string lastFile;
};

// An object with the given materials, three vertices and the given polygon text.
std::string Object(const std::string &materials, const std::string &polygons) {
    return "*tri\n" + materials + "\n3\n0 0 0\n0 100 0\n0 0 100\n" + polygons + "\n*next 1\n";
}

std::string ManyMaterials(int count) {
    std::string text = std::to_string(count) + "\n";
    for (int k = 0; k < count; ++k) text += "10 20 30 0.5\n";
    return text;
}

std::string ManyVertices(int count) {
    std::string text = "*tri 1 255 255 255 1\n" + std::to_string(count) + "\n";
    for (int v = 0; v < count; ++v) text += std::to_string(v % 7) + " " + std::to_string(v * v % 11) + " 1\n";
    return text + "1 3 0 1 2 0\n";
}

TEST_F(ObjectReaderTest, MinimalObjectLoadsAndIsCompleted) {
    ASSERT_EQ(Load(kTriangle), 1);
    EXPECT_TRUE(messages.texts().empty());
    EXPECT_EQ(record.pntNum, 3);
    EXPECT_EQ(record.plnNum, 1);
    EXPECT_EQ(record.materialNum, 1);
    EXPECT_EQ(record.radius, 100.0f);
    EXPECT_EQ(record.material[0].color.red, 255);
    EXPECT_EQ(record.material[0].color.green, 0);
    EXPECT_EQ(record.material[0].color.blue, 0);
    EXPECT_EQ(record.material[0].highlight, 0.5f);
    EXPECT_EQ(record.pnt[1].y, 100.0f);
    EXPECT_EQ(record.pnt[2].z, 100.0f);
    const PlaneData &plane = record.pln[0];
    EXPECT_EQ(plane.cornerNum, 3);
    EXPECT_EQ(std::vector<int32_t>(plane.corner, plane.corner + 3), (std::vector<int32_t>{0, 1, 2}));
    EXPECT_EQ(plane.materialNo, 0);
    EXPECT_EQ(plane.normal.x, 1.0f);
    EXPECT_EQ(plane.normal.y, 0.0f);
    EXPECT_EQ(plane.normal.z, 0.0f);
    EXPECT_EQ(plane.color.red, 102);
    EXPECT_EQ(plane.color.green, 0);
    EXPECT_EQ(plane.color.blue, 0);
    ASSERT_NE(record.shadingVector, nullptr);
    EXPECT_EQ(record.shadingVector[2].x, 1.0f);
}

TEST_F(ObjectReaderTest, FreeingALoadedModelReleasesEveryBlock) {
    const ObjectRead got = Read(kTriangle);
    EXPECT_EQ(got.result, 1);
    EXPECT_EQ(got.liveChange, 0);
}

struct LoadCase {
    const char *what;
    std::string content;
};

TEST_F(ObjectReaderTest, ValuesAtTheLimitsLoad) {
    const std::vector<LoadCase> cases = {
        {"500 materials", Object(ManyMaterials(500), "1 3 0 1 2 499")},
        {"highlight 1", Object("1 9 9 9 1", "1 3 0 1 2 0")},
        {"highlight -0 counts as 0", Object("1 9 9 9 -0", "1 3 0 1 2 0")},
        {"5000 vertices", ManyVertices(5000)},
        {"corner count 8.7 is 8", Object("1 9 9 9 0", "1 8.7 0 1 2 2 2 2 2 2 0")},
        {"material number 0.9 is 0", Object("1 9 9 9 0", "1 3 0 1 2 0.9")},
        {"stray values after the last polygon", Object("1 9 9 9 0", "1 3 0 1 2 0 7 8 9 ; stray\n10")},
        {"comments and free layout", "*tri ; a model\n1 255\n0 0 0.5 3 0 0 0 ; v0\n0 100 0 0 0 100 1 3\n0 1\n2\n0"},
        {"object between other tags", std::string("*a 1\n") + kTriangle + "*b 2\n"},
    };
    for (const LoadCase &c : cases) {
        const ObjectRead got = Read(c.content);
        EXPECT_EQ(got.result, 1) << c.what;
        EXPECT_TRUE(got.messages.empty()) << c.what << ": " << (got.messages.empty() ? "" : got.messages[0]);
        EXPECT_EQ(got.liveChange, 0) << c.what;
    }
}

TEST_F(ObjectReaderTest, TruncationOfNumbersAndColours) {
    ASSERT_EQ(Load(Object("3 300 255.9 256 0.5  -1 1.5 511 0  9 9 9 1", "2 8.7 0 1 2 2 2.5 1.9 0.1 2 2.9  3 2.5 1 0 1")),
              1);
    EXPECT_EQ(record.materialNum, 3);
    const ColorBytes first = record.material[0].color;
    EXPECT_EQ((std::vector<int>{first.red, first.green, first.blue}), (std::vector<int>{44, 255, 0}));
    const ColorBytes second = record.material[1].color;
    EXPECT_EQ((std::vector<int>{second.red, second.green, second.blue}), (std::vector<int>{255, 1, 255}));
    ASSERT_EQ(record.plnNum, 2);
    const PlaneData &eight = record.pln[0];
    ASSERT_EQ(eight.cornerNum, 8);
    EXPECT_EQ(eight.materialNo, 2);
    const PlaneData &three = record.pln[1];
    ASSERT_EQ(three.cornerNum, 3);
    EXPECT_EQ(three.materialNo, 1);
    // The corners may have been rotated by the normal computation, never changed.
    std::vector<int32_t> corners(three.corner, three.corner + 3);
    std::sort(corners.begin(), corners.end());
    EXPECT_EQ(corners, (std::vector<int32_t>{0, 1, 2}));
    std::vector<int32_t> eightCorners(eight.corner, eight.corner + 8);
    std::sort(eightCorners.begin(), eightCorners.end());
    EXPECT_EQ(eightCorners, (std::vector<int32_t>{0, 0, 1, 1, 2, 2, 2, 2}));
}

TEST_F(ObjectReaderTest, WithoutPolygonsEveryShadingVectorPointsUp) {
    ASSERT_EQ(Load("*tri 1 9 9 9 0 3 1 2 3 -4 5 6 0 0 7 0\n"), 1);
    EXPECT_EQ(record.plnNum, 0);
    ASSERT_NE(record.shadingVector, nullptr);
    for (int v = 0; v < 3; ++v) {
        const Vector3 s = record.shadingVector[v];
        EXPECT_EQ((std::vector<float>{s.x, s.y, s.z}), (std::vector<float>{0.0f, 0.0f, 1.0f})) << v;
    }
    EXPECT_FLOAT_EQ(record.radius, std::sqrt(4.0f * 4.0f + 25.0f + 36.0f));
}

struct ErrorCase {
    const char *what;
    std::string content;
    std::string message;  // after "Object data error. FILE:{F} OBJECT:tri"
};

const char kHead[] = "Object data error. FILE:{F} OBJECT:tri";
const std::string kOneMaterial = "1 9 9 9 0";

TEST_F(ObjectReaderTest, EachFaultReportsItsMessageAndLeavesAnEmptyRecord) {
    const std::vector<ErrorCase> cases = {
        {"no materials", "*tri 0 3", "\nマテリアル数0は範囲外です。\n1～500で指定して下さい。"},
        {"501 materials", "*tri 501", "\nマテリアル数501は範囲外です。\n1～500で指定して下さい。"},
        {"0.5 materials", "*tri 0.5", "\nマテリアル数0は範囲外です。\n1～500で指定して下さい。"},
        {"highlight 1.01", Object("2 9 9 9 1 9 9 9 1.01", "1 3 0 1 2 0"),
         "\nマテリアル番号1のハイライト強度1.010000が範囲外です。\n0～1で指定して下さい。"},
        {"highlight -0.1", Object("1 9 9 9 -0.1", "1 3 0 1 2 0"),
         "\nマテリアル番号0のハイライト強度-0.100000が範囲外です。\n0～1で指定して下さい。"},
        {"5001 vertices", "*tri 1 9 9 9 0 5001 0 0 0", "\n頂点数5001は最大頂点数 5000 を越えています。"},
        {"no vertices", "*tri 1 9 9 9 0 0 1", "\n頂点数0は最大頂点数 5000 を越えています。"},
        {"corner count 2", Object(kOneMaterial, "1 2 0 1 0"), " PlaneNo.0\n角数2は角数範囲0～8を越えています。"},
        {"corner count 9 on the second polygon", Object(kOneMaterial, "2 3 0 1 2 0 9 0 1 2 0 1 2 0 1 2 0"),
         " PlaneNo.1\n角数9は角数範囲0～8を越えています。"},
        {"corner count 2.9", Object(kOneMaterial, "1 2.9 0 1 2 0"), " PlaneNo.0\n角数2は角数範囲0～8を越えています。"},
        {"corner count beyond int", Object(kOneMaterial, "1 1e20 0 1 2 0"),
         " PlaneNo.0\n角数2147483647は角数範囲0～8を越えています。"},
        {"vertex number 3 of 3", Object(kOneMaterial, "1 3 0 1 3 0"), " PlaneNo.0\n頂点番号3は範囲外です。"},
        {"vertex number -1", Object(kOneMaterial, "1 3 -1 1 2 0"), " PlaneNo.0\n頂点番号-1は範囲外です。"},
        {"material number 1 of 1", Object(kOneMaterial, "1 3 0 1 2 1"), " PlaneNo.0\nマテリアル番号1は範囲外です。"},
        {"material number -0.5", Object(kOneMaterial, "1 3 0 1 2 -0.5"), " PlaneNo.0\nマテリアル番号-0は範囲外です。"},
        {"negative polygon count", Object(kOneMaterial, "-1 3 0 1 2 0"), "\nポリゴン数-1は範囲外です。\n0～5000で指定して下さい。"},
        {"5001 polygons", Object(kOneMaterial, "5001 3 0 1 2 0"), "\nポリゴン数5001は範囲外です。\n0～5000で指定して下さい。"},
        {"ends in the materials", "*tri 2 9 9 9 0 9 9", "\nデータが足りません。\nデータ数 7 で終わっています。"},
        {"ends before the polygon count", "*tri 1 9 9 9 0 1 0 0 0", "\nデータが足りません。\nデータ数 9 で終わっています。"},
        {"ends in a polygon", Object(kOneMaterial, "2 3 0 1 2 0 4 0 1"), "\nデータが足りません。\nデータ数 24 で終わっています。"},
        {"ends before a material number", Object(kOneMaterial, "1 3 0 1 2"),
         "\nデータが足りません。\nデータ数 20 で終わっています。"},
        {"coordinate beyond float", "*tri 1 9 9 9 0 2 0 0 0 1e39 0 0 0", "\n頂点1の座標が範囲外です。"},
        {"first fault in file order wins", Object("1 9 9 9 2", "1 2 0 1 0"),
         "\nマテリアル番号0のハイライト強度2.000000が範囲外です。\n0～1で指定して下さい。"},
    };
    for (const ErrorCase &c : cases) {
        const ObjectRead got = Read(c.content);
        EXPECT_EQ(got.result, 0) << c.what;
        EXPECT_EQ(got.messages, std::vector<std::string>{WithFile(kHead + c.message, lastFile)}) << c.what;
        EXPECT_TRUE(got.recordEmpty) << c.what;
        EXPECT_EQ(got.liveChange, 0) << c.what;
    }
}

// A read that fails in the tagged file reader shows only that reader's message and also
// leaves the record empty, so a host may free it whatever happened.
TEST_F(ObjectReaderTest, TagFailuresShowTheTagReadersMessage) {
    const ObjectRead missing = Read(kTriangle, "ball");
    EXPECT_EQ(missing.result, 0);
    EXPECT_EQ(missing.messages, std::vector<std::string>{WithFile("ファイル'{F}'にタグ'ball'が見つかりません。", lastFile)});
    EXPECT_TRUE(missing.recordEmpty);
    EXPECT_EQ(missing.liveChange, 0);
}

// Allocations counted from the call: work array, values, materials, vertices, polygons, the
// corners, shading vectors. Refusing each in turn must fail cleanly until none is left.
TEST_F(ObjectReaderTest, EveryRefusedAllocationFailsCleanly) {
    int refused = 1;
    for (; refused < 20; ++refused) {
        FailingHeap heap(refused);
        const ObjectRead got = Read(kTriangle);
        if (!FailingHeap::Refused()) {
            EXPECT_EQ(got.result, 1) << refused;
            break;
        }
        EXPECT_EQ(got.result, 0) << refused;
        EXPECT_EQ(got.messages, std::vector<std::string>{"メモリが足りません。"}) << refused;
        EXPECT_TRUE(got.recordEmpty) << refused;
        EXPECT_EQ(got.liveChange, 0) << refused;
    }
    EXPECT_LT(refused, 20) << "the read never succeeded";
    EXPECT_GE(refused, 8) << "the minimal object takes at least seven allocations";
}

TEST_F(ObjectReaderTest, NullRecordIsRefused) {
    DataFile file(kTriangle);
    messages.clear();
    EXPECT_EQ(ReadObjectData(nullptr, file.name(), "tri"), 0);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"ReadObjectData()の呼び出しで、\n引数にNULLが渡されました。"});
}

TEST_F(ObjectReaderTest, TeapotModelLoads) {
    const std::string path = std::string(POLVEX_MODELS_DIR) + "/utah_teapot.q3d";
    messages.clear();
    ASSERT_EQ(ReadObjectData(&record, path.c_str(), "utah_teapot"), 1) << (messages.texts().empty() ? "" : messages.texts()[0]);
    EXPECT_EQ(record.materialNum, 3);
    EXPECT_EQ(record.pntNum, 1177);
    EXPECT_EQ(record.plnNum, 1546);
    EXPECT_NEAR(record.radius, 300.0f, 0.5f);
    int quads = 0;
    for (int j = 0; j < record.plnNum; ++j) quads += record.pln[j].cornerNum == 4;
    EXPECT_EQ(quads, 710);
}

}  // namespace
}  // namespace pvtest
