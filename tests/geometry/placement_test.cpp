// Placement records: SetObjectStruct, LookAt, ToAngle, and the matrix product they feed.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "geometry/matrix.h"
#include "support/library_fixture.h"

namespace pvtest {
namespace {

TEST(ToAngle, QuarterTurnsAndTruncationTowardZero) {
    const struct {
        float y, x;
        int32_t expected;
    } cases[] = {
        {0, 1, 0},   {1, 0, 1024},  {0, -1, 2048}, {-1, 0, -1024}, {1, 1, 512}, {-0.0f, -1, -2048},
        {1, 100, 6}, {-1, 100, -6}, {1, 1000, 0},  {-1, 1000, 0},  {0, 0, 0},   {-3, 3, -512},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(pv::ToAngle(c.y, c.x), c.expected) << "ToAngle(" << c.y << ", " << c.x << ")";
    }
}

TEST(SetObjectStruct, StoresThePlacementAndKeepsTheMode) {
    ObjectStruct record{};
    record.dirMode = 7;
    record.dir = {1, 2, 3};
    record.up = {4, 5, 6};
    record.twist = 99;
    ObjectData model{};
    SetObjectStruct(&record, 1, 2, 3.5f, -4.5f, 5.25f, 100, -200, 4097, &model);
    EXPECT_EQ(record.visible, 1);
    EXPECT_EQ(record.lighting, 2);
    EXPECT_EQ(record.x, 3.5f);
    EXPECT_EQ(record.y, -4.5f);
    EXPECT_EQ(record.z, 5.25f);
    EXPECT_EQ(record.yaw, 100);
    EXPECT_EQ(record.pitch, -200);
    EXPECT_EQ(record.roll, 4097);
    EXPECT_EQ(record.objectData, &model);
    EXPECT_EQ(record.dirMode, 7);
    EXPECT_EQ(record.dir.z, 3.0f);
    EXPECT_EQ(record.up.x, 4.0f);
    EXPECT_EQ(record.twist, 99);
    SetObjectStruct(nullptr, 1, 1, 0, 0, 0, 0, 0, 0, nullptr);  // ignored
}

TEST(LookAt, TurnsHeadingAndElevationTowardsThePoint) {
    const struct {
        float from[3], to[3];
        int32_t yaw, pitch;
    } cases[] = {
        {{0, 0, 0}, {0, 0, 10}, 0, 1024},    // straight up
        {{0, 0, 0}, {-10, 0, 0}, 2048, 0},   // behind
        {{0, 0, 0}, {0, 0, -10}, 0, -1024},  // straight down
        {{3, 4, 5}, {3, 4, 5}, 0, 0},        // its own position
        {{0, 0, 0}, {-0.0f, 0, 0}, 0, 0},    // a negative zero is still no heading
        {{5, 5, 5}, {6, 6, 5}, 512, 0},      // half a right angle to the left
        {{1, 1, 1}, {1, 3, 3}, 1024, 512},   // to the left and up
    };
    for (const auto &c : cases) {
        ObjectStruct record{};
        record.dirMode = 7;
        record.roll = 300;
        record.x = c.from[0], record.y = c.from[1], record.z = c.from[2];
        LookAt(&record, c.to);
        EXPECT_EQ(record.yaw, c.yaw) << "towards " << c.to[0] << ", " << c.to[1] << ", " << c.to[2];
        EXPECT_EQ(record.pitch, c.pitch)
            << "towards " << c.to[0] << ", " << c.to[1] << ", " << c.to[2];
        EXPECT_EQ(record.roll, 0);
        EXPECT_EQ(record.dirMode, 7);
    }
}

class AimingTest : public LibraryTest {
protected:
    void SetUp() override { Open(); }
};

// A dirMode 0 camera aimed with LookAt sees the point on its view axis, up to the angle step.
TEST_F(AimingTest, LookAtPutsThePointOnTheViewAxis) {
    ObjectStruct camera{};
    camera.x = 10, camera.y = 20, camera.z = 5;
    const float point[3] = {-30, 60, 40};
    LookAt(&camera, point);
    pv::Matrix4 m;
    pv::CameraMatrix(m, &camera);
    const float d[3] = {point[0] - camera.x, point[1] - camera.y, point[2] - camera.z};
    float view[3];
    for (int c = 0; c < 3; ++c) view[c] = d[0] * m(0, c) + d[1] * m(1, c) + d[2] * m(2, c);
    const float distance = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    const float slack = distance * 2 * 3.1416f / 4096;  // one angle unit either way
    EXPECT_NEAR(view[0], distance, slack);
    EXPECT_NEAR(view[1], 0.0f, slack);
    EXPECT_NEAR(view[2], 0.0f, slack);
}

TEST(MultiplyMatrix, RowVectorsTakeTheLeftFactorFirst) {
    const pv::Matrix4 a = {{1, 2, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 3, 4, 5, 1}};
    const pv::Matrix4 b = {{0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1}};
    const float expected[16] = {-2, 1, 0, 0, -1, 0, 0, 0, 0, 0, 2, 0, -4, 3, 10, 1};
    pv::Matrix4 out;
    pv::MultiplyMatrix(out, a, b);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(out.m[i], expected[i]) << "entry " << i;
}

}  // namespace
}  // namespace pvtest
