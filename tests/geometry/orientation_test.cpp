// Rotation builders and the camera and object matrices of the nine orientation modes.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <sstream>
#include <string>

#include "geometry/matrix.h"
#include "support/library_fixture.h"

namespace pvtest {
namespace {

using pv::Matrix4;

constexpr char kBadCamera[] = "カメラのdirModeが不正です。";
constexpr char kBadObject[] = "オブジェクトのdirModeが不正です。";

std::string Block(const Matrix4 &m) {
    std::ostringstream s;
    for (int r = 0; r < 4; ++r) {
        s << "\n  ";
        for (int c = 0; c < 4; ++c) s << m(r, c) << (c < 3 ? ", " : "");
    }
    return s.str();
}

bool SameBits(const Matrix4 &a, const Matrix4 &b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Checks the rows of the 3 x 3 block and that the rest is the rotation frame (zeros, 1 at 15).
void ExpectBlock(const Matrix4 &m, const float (&rows)[3][3], float tolerance = 1e-6f) {
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(m(r, c), rows[r][c], tolerance)
                << "entry (" << r << ", " << c << ")" << Block(m);
    EXPECT_EQ(m(0, 3), 0.0f);
    EXPECT_EQ(m(1, 3), 0.0f);
    EXPECT_EQ(m(2, 3), 0.0f);
    EXPECT_EQ(m(3, 3), 1.0f);
}

constexpr float kIdentity[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};

ObjectStruct Record(int32_t dirMode, int32_t yaw, int32_t pitch, int32_t roll) {
    ObjectStruct e{};
    e.dirMode = dirMode;
    e.yaw = yaw;
    e.pitch = pitch;
    e.roll = roll;
    return e;
}

Matrix4 ObjectAlone(const ObjectStruct &e) {
    Matrix4 m;
    pv::ObjectMatrix(m, &e, 0);
    return m;
}

Matrix4 Camera(const ObjectStruct &e) {
    Matrix4 m;
    pv::CameraMatrix(m, &e);
    return m;
}

class OrientationTest : public LibraryTest {
protected:
    void SetUp() override { Open(); }
};

// Each builder against the product of its three elementary rotations, formed in double.
TEST_F(OrientationTest, BuildersMultiplyTheElementaryRotationsInTheirOrder) {
    using BuilderFn = void (*)(Matrix4 &, int32_t, int32_t, int32_t);
    const struct {
        const char *name;
        BuilderFn build;
    } builders[] = {{"ZYX", pv::RotateZYX}, {"ZXY", pv::RotateZXY}, {"YZX", pv::RotateYZX},
                    {"YXZ", pv::RotateYXZ}, {"XZY", pv::RotateXZY}, {"XYZ", pv::RotateXYZ}};
    const int32_t angles[][3] = {{100, 700, 1900}, {-300, 2500, 4000}, {1024, -512, 77}};
    for (const auto &b : builders) {
        for (const auto &a : angles) {
            const double sx = FSin(a[0]), cx = FCos(a[0]), sy = FSin(a[1]), cy = FCos(a[1]);
            const double sz = FSin(a[2]), cz = FCos(a[2]);
            const double rx[3][3] = {{1, 0, 0}, {0, cx, -sx}, {0, sx, cx}};
            const double ry[3][3] = {{cy, 0, sy}, {0, 1, 0}, {-sy, 0, cy}};
            const double rz[3][3] = {{cz, sz, 0}, {-sz, cz, 0}, {0, 0, 1}};
            const double(*f[3])[3];
            for (int k = 0; k < 3; ++k) f[k] = b.name[k] == 'X' ? rx : b.name[k] == 'Y' ? ry : rz;
            float expected[3][3];
            for (int r = 0; r < 3; ++r) {
                for (int c = 0; c < 3; ++c) {
                    double sum = 0;
                    for (int k = 0; k < 3; ++k)
                        for (int l = 0; l < 3; ++l) sum += f[0][r][k] * f[1][k][l] * f[2][l][c];
                    expected[r][c] = static_cast<float>(sum);
                }
            }
            Matrix4 m;
            std::memset(&m, 0x7F, sizeof m);  // every entry must be written
            b.build(m, a[0], a[1], a[2]);
            SCOPED_TRACE(std::string(b.name) + " " + std::to_string(a[0]) + " " +
                         std::to_string(a[1]) + " " + std::to_string(a[2]));
            ExpectBlock(m, expected);
            EXPECT_EQ(m(3, 0), 0.0f);
            EXPECT_EQ(m(3, 1), 0.0f);
            EXPECT_EQ(m(3, 2), 0.0f);
        }
    }
}

TEST_F(OrientationTest, ZeroAnglesGiveTheIdentityInEveryFixedMode) {
    for (int32_t mode = 0; mode <= 6; ++mode) {
        SCOPED_TRACE("dirMode " + std::to_string(mode));
        const ObjectStruct e = Record(mode, 0, 0, 0);
        ExpectBlock(Camera(e), kIdentity, 0.0f);
        ExpectBlock(ObjectAlone(e), kIdentity, 0.0f);
    }
    EXPECT_TRUE(messages.boxes().empty());
}

TEST_F(OrientationTest, ObjectAxesTurnTheRightHandedWay) {
    const struct {
        const char *what;
        ObjectStruct e;
        float rows[3][3];
    } cases[] = {
        {"yaw 1024", Record(0, 1024, 0, 0), {{0, 1, 0}, {-1, 0, 0}, {0, 0, 1}}},
        {"pitch 1024", Record(0, 0, 1024, 0), {{0, 0, 1}, {0, 1, 0}, {-1, 0, 0}}},
        {"roll 1024", Record(0, 0, 0, 1024), {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ExpectBlock(ObjectAlone(c.e), c.rows);
    }
    // The camera undoes the same turn: with yaw 1024 the world y axis is its view axis.
    ExpectBlock(Camera(Record(0, 1024, 0, 0)), {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}});
}

TEST_F(OrientationTest, ModeThreeBlockIsOrthonormal) {
    const Matrix4 m = ObjectAlone(Record(3, 256, 256, 256));
    const double s = FSin(256), c = FCos(256);
    EXPECT_NEAR(m(0, 0), c * c - s * s * s, 1e-7) << "cos^2(pi/8) - sin^3(pi/8)";
    for (int a = 0; a < 3; ++a) {
        for (int b = 0; b < 3; ++b) {
            const double dot =
                double(m(a, 0)) * m(b, 0) + double(m(a, 1)) * m(b, 1) + double(m(a, 2)) * m(b, 2);
            EXPECT_NEAR(dot, a == b ? 1.0 : 0.0, 1e-6) << "rows " << a << ", " << b << Block(m);
        }
    }
}

TEST_F(OrientationTest, ModeSixIsModeFive) {
    for (const auto &a : {std::array{0, 0, 0}, std::array{300, -1200, 3333}}) {
        const ObjectStruct five = Record(5, a[0], a[1], a[2]), six = Record(6, a[0], a[1], a[2]);
        EXPECT_TRUE(SameBits(Camera(five), Camera(six)));
        EXPECT_TRUE(SameBits(ObjectAlone(five), ObjectAlone(six)));
    }
}

TEST_F(OrientationTest, ObjectAimsExactlyAlongDir) {
    const float r14 = 1.0f / std::sqrt(14.0f);
    ObjectStruct e = Record(7, 0, 0, 0);
    e.dir = {1, 2, 3};
    e.twist = 300;
    const Matrix4 m = ObjectAlone(e);
    EXPECT_NEAR(m(0, 0), r14, 1e-6f);
    EXPECT_NEAR(m(0, 1), 2 * r14, 1e-6f);
    EXPECT_NEAR(m(0, 2), 3 * r14, 1e-6f);
    for (int a = 0; a < 3; ++a)
        for (int b = 0; b < 3; ++b)
            EXPECT_NEAR(m(a, 0) * m(b, 0) + m(a, 1) * m(b, 1) + m(a, 2) * m(b, 2), a == b, 1e-6)
                << Block(m);
    // Right-handed: row 0 x row 1 = row 2.
    EXPECT_NEAR(m(0, 1) * m(1, 2) - m(0, 2) * m(1, 1), m(2, 0), 1e-6f);

    const struct {
        Vector3 dir;
        int32_t twist;
        float rows[3][3];
    } vertical[] = {
        {{0, 0, 5}, 0, {{0, 0, 1}, {0, 1, 0}, {-1, 0, 0}}},
        {{0, 0, -5}, 0, {{0, 0, -1}, {0, 1, 0}, {1, 0, 0}}},
        {{0, 0, 5}, 1024, {{0, 0, 1}, {-1, 0, 0}, {0, -1, 0}}},
        {{0, 0, -5}, 1024, {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}}},
        {{0, 0, 0}, 700, {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}},  // no direction: identity
    };
    for (const auto &v : vertical) {
        e.dir = v.dir;
        e.twist = v.twist;
        SCOPED_TRACE("dir z " + std::to_string(v.dir.z) + ", twist " + std::to_string(v.twist));
        ExpectBlock(ObjectAlone(e), v.rows);
    }
}

TEST_F(OrientationTest, CameraAimingUsesQuantisedHeadingAndElevation) {
    ObjectStruct aimed = Record(7, 0, 0, 0);
    aimed.dir = {1, 1, 0};
    EXPECT_TRUE(SameBits(Camera(aimed), Camera(Record(0, 512, 0, 0))))
        << Block(Camera(aimed)) << Block(Camera(Record(0, 512, 0, 0)));

    aimed.dir = {0, 0, 0};  // no direction: heading and elevation 0, the twist still applies
    aimed.twist = 100;
    EXPECT_TRUE(SameBits(Camera(aimed), Camera(Record(0, 0, 0, 100))));
    aimed.dir = {0, 0, -2};
    EXPECT_TRUE(SameBits(Camera(aimed), Camera(Record(0, 0, -1024, 100))));
}

// With dirMode 8 the camera looks along dir and turns the picture until up points up.
TEST_F(OrientationTest, CameraModeEightLooksAlongDirWithUpUpright) {
    const struct {
        Vector3 dir, up;
    } cases[] = {{{1, 0, 0}, {0, 1, 0}},
                 {{0, 1, 0}, {-1, 0, 0}},
                 {{3, -3, 0}, {0, 0, -1}},
                 {{1, 0, 1}, {-1, 0, 1}}};
    for (const auto &c : cases) {
        ObjectStruct e = Record(8, 0, 0, 0);
        e.dir = c.dir;
        e.up = c.up;
        const Matrix4 m = Camera(e);
        auto view = [&m](const Vector3 &p, int col) {
            return p.x * m(0, col) + p.y * m(1, col) + p.z * m(2, col);
        };
        const float dl = std::sqrt(c.dir.x * c.dir.x + c.dir.y * c.dir.y + c.dir.z * c.dir.z);
        const float ul = std::sqrt(c.up.x * c.up.x + c.up.y * c.up.y + c.up.z * c.up.z);
        SCOPED_TRACE(Block(m));
        EXPECT_NEAR(view(c.dir, 0), dl, 1e-5f);
        EXPECT_NEAR(view(c.dir, 1), 0.0f, 1e-5f);
        EXPECT_NEAR(view(c.up, 1), 0.0f, 1e-5f);
        EXPECT_NEAR(view(c.up, 2), ul, 1e-5f);
    }
}

TEST_F(OrientationTest, ObjectModeEightIsTheHeadingElevationRollConstruction) {
    const struct {
        Vector3 dir, up;
        int32_t roll, pitch, yaw;  // the angles the construction must arrive at
    } cases[] = {
        {{1, 0, 0}, {0, 1, 0}, 1024, 0, 0},
        {{0, 1, 0}, {-1, 0, 0}, -1024, 0, 1024},
        {{1, 0, 1}, {0, 0, 1}, 0, 512, 0},
        {{0, 0, -1}, {1, 0, 0}, -1024, -1024, 0},  // vertical: roll from up alone
        {{0, 0, 0}, {0, 0, 1}, 0, 0, 0},
    };
    for (const auto &c : cases) {
        ObjectStruct e = Record(8, 0, 0, 0);
        e.dir = c.dir;
        e.up = c.up;
        Matrix4 expected;
        pv::RotateZYX(expected, c.roll, c.pitch, c.yaw);
        EXPECT_TRUE(SameBits(ObjectAlone(e), expected)) << Block(ObjectAlone(e)) << Block(expected);
    }
    // With up straight up and a horizontal dir the x axis does point along dir.
    ObjectStruct e = Record(8, 0, 0, 0);
    e.dir = {1, 1, 0};
    e.up = {0, 0, 1};
    const Matrix4 m = ObjectAlone(e);
    EXPECT_NEAR(m(0, 0), std::sqrt(0.5f), 1e-6f);
    EXPECT_NEAR(m(0, 1), std::sqrt(0.5f), 1e-6f);
    EXPECT_NEAR(m(0, 2), 0.0f, 1e-6f);
}

TEST_F(OrientationTest, ObjectTranslationIsMeasuredFromTheCamera) {
    ObjectStruct array[2] = {Record(0, 100, 200, 300), Record(7, 0, 0, 0)};
    array[0].x = 10, array[0].y = -20, array[0].z = 0.5f;
    array[1].x = 11, array[1].y = 20, array[1].z = -3;
    array[1].dir = {0, 0, 1};
    Matrix4 m;
    pv::ObjectMatrix(m, array, 1);
    EXPECT_EQ(m(3, 0), 1.0f);
    EXPECT_EQ(m(3, 1), 40.0f);
    EXPECT_EQ(m(3, 2), -3.5f);
    EXPECT_EQ(m(0, 2), 1.0f);
}

TEST_F(OrientationTest, InvalidModeIsReportedForItsRoleEveryTime) {
    for (const int32_t mode : {9, -1, 1000}) {
        SCOPED_TRACE("dirMode " + std::to_string(mode));
        messages.clear();
        ObjectStruct array[2] = {Record(mode, 100, 200, 300), Record(mode, 400, 500, 600)};
        array[1].x = 5, array[1].y = 6, array[1].z = 7;
        Matrix4 m;
        std::memset(&m, 0x7F, sizeof m);
        pv::CameraMatrix(m, &array[0]);
        ExpectBlock(m, kIdentity, 0.0f);
        EXPECT_EQ(messages.texts(), (std::vector<std::string>{kBadCamera}));
        pv::CameraMatrix(m, &array[0]);
        pv::ObjectMatrix(m, array, 1);
        ExpectBlock(m, kIdentity, 0.0f);
        EXPECT_EQ(m(3, 0), 5.0f);
        EXPECT_EQ(m(3, 1), 6.0f);
        EXPECT_EQ(m(3, 2), 7.0f);
        pv::ObjectMatrix(m, array, 0);  // a lone record is an object too
        EXPECT_EQ(messages.texts(),
                  (std::vector<std::string>{kBadCamera, kBadCamera, kBadObject, kBadObject}));
        for (const CapturedBox &box : messages.boxes()) {
            EXPECT_EQ(box.caption, "POLVEX");
            EXPECT_EQ(box.type, static_cast<UINT>(MB_ICONWARNING));
        }
    }
    messages.clear();
    pv::g_state.messageFlag = 0;
    const ObjectStruct bad = Record(9, 0, 0, 0);
    ExpectBlock(Camera(bad), kIdentity, 0.0f);
    EXPECT_TRUE(messages.boxes().empty());
    pv::g_state.messageFlag = 1;
}

}  // namespace
}  // namespace pvtest
