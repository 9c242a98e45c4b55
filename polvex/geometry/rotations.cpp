// The six fixed rotation orders of the orientation modes 0 to 6, written out from the
// elementary rotations Rx(-ax), Ry(-ay) and Rz(az) so that each costs six table lookups.
#include "geometry/matrix.h"

namespace pv {

namespace {

// Table values widened once, so every product below is formed in double and rounded to float
// only when stored; the builders then agree with each other to the last bit of the tables.
struct Trig {
    double sx, cx, sy, cy, sz, cz;
};

Trig LookUp(int32_t ax, int32_t ay, int32_t az) {
    return {FSin(ax), FCos(ax), FSin(ay), FCos(ay), FSin(az), FCos(az)};
}

void Store(Matrix4 &out, const double (&b)[3][3]) {
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) out(r, c) = static_cast<float>(b[r][c]);
        out(r, 3) = 0.0f;
    }
    out(3, 0) = out(3, 1) = out(3, 2) = 0.0f;
    out(3, 3) = 1.0f;
}

}  // namespace

// Each block below is the product of
//   X = Rx(-ax): (1, 0, 0), (0, cx, -sx), (0, sx, cx)
//   Y = Ry(-ay): (cy, 0, sy), (0, 1, 0), (-sy, 0, cy)
//   Z = Rz(az):  (cz, sz, 0), (-sz, cz, 0), (0, 0, 1)
// in the order of the builder's name, the leftmost factor acting first on a row vector.

void RotateZYX(Matrix4 &out, int32_t ax, int32_t ay, int32_t az) {
    const auto [sx, cx, sy, cy, sz, cz] = LookUp(ax, ay, az);
    const double b[3][3] = {
        {cy * cz, cx * sz + sx * sy * cz, sy * cx * cz - sx * sz},
        {-cy * sz, cx * cz - sx * sy * sz, -(sx * cz + sy * cx * sz)},
        {-sy, sx * cy, cx * cy},
    };
    Store(out, b);
}

void RotateZXY(Matrix4 &out, int32_t ax, int32_t ay, int32_t az) {
    const auto [sx, cx, sy, cy, sz, cz] = LookUp(ax, ay, az);
    const double b[3][3] = {
        {cy * cz + sx * sy * sz, cx * sz, cz * sy - sx * cy * sz},
        {sx * sy * cz - cy * sz, cx * cz, -(sx * cy * cz + sy * sz)},
        {-cx * sy, sx, cx * cy},
    };
    Store(out, b);
}

void RotateYZX(Matrix4 &out, int32_t ax, int32_t ay, int32_t az) {
    const auto [sx, cx, sy, cy, sz, cz] = LookUp(ax, ay, az);
    const double b[3][3] = {
        {cy * cz, cx * cy * sz + sx * sy, cx * sy - sx * cy * sz},
        {-sz, cx * cz, -sx * cz},
        {-sy * cz, sx * cy - cx * sy * sz, cx * cy + sx * sy * sz},
    };
    Store(out, b);
}

void RotateYXZ(Matrix4 &out, int32_t ax, int32_t ay, int32_t az) {
    const auto [sx, cx, sy, cy, sz, cz] = LookUp(ax, ay, az);
    const double b[3][3] = {
        {cy * cz - sx * sy * sz, cy * sz + sx * sy * cz, cx * sy},
        {-cx * sz, cx * cz, -sx},
        {-(sy * cz + sx * cy * sz), sx * cy * cz - sy * sz, cx * cy},
    };
    Store(out, b);
}

void RotateXZY(Matrix4 &out, int32_t ax, int32_t ay, int32_t az) {
    const auto [sx, cx, sy, cy, sz, cz] = LookUp(ax, ay, az);
    const double b[3][3] = {
        {cy * cz, sz, sy * cz},
        {sx * sy - cx * cy * sz, cx * cz, -(cx * sy * sz + sx * cy)},
        {-(cx * sy + sx * cy * sz), sx * cz, cx * cy - sx * sy * sz},
    };
    Store(out, b);
}

void RotateXYZ(Matrix4 &out, int32_t ax, int32_t ay, int32_t az) {
    const auto [sx, cx, sy, cy, sz, cz] = LookUp(ax, ay, az);
    const double b[3][3] = {
        {cy * cz, cy * sz, sy},
        {sx * sy * cz - cx * sz, cx * cz + sx * sy * sz, -sx * cy},
        {-(cx * sy * cz + sx * sz), sx * cz - cx * sy * sz, cx * cy},
    };
    Store(out, b);
}

}  // namespace pv
