// The camera and object matrices of the nine orientation modes: six fixed rotation orders
// (mode 6 repeats 5) and the two aiming modes driven by the record's dir and up vectors.
#include <cmath>

#include "core/report.h"
#include "geometry/matrix.h"

namespace pv {

namespace {

constexpr char kBadCameraMode[] = "カメラのdirModeが不正です。";
constexpr char kBadObjectMode[] = "オブジェクトのdirModeが不正です。";

using Builder = void (*)(Matrix4 &, int32_t, int32_t, int32_t);
constexpr Builder kFixedOrders[7] = {RotateZYX, RotateZXY, RotateYZX, RotateYXZ,
                                     RotateXZY, RotateXYZ, RotateXYZ};

float Hypot2(float a, float b) {
    return static_cast<float>(std::sqrt(static_cast<double>(a) * a + static_cast<double>(b) * b));
}

// Heading Y and elevation P of dir, quantised to angle units; h is its horizontal length.
struct Heading {
    int32_t yaw;
    int32_t pitch;
    float h;
};

Heading HeadingOf(const Vector3 &dir) {
    const float h = Hypot2(dir.x, dir.y);
    if (h != 0.0f) return {ToAngle(dir.y, dir.x), ToAngle(dir.z, h), h};
    // Straight up or down: atan2 would depend on the signs of zeros, so the quarter turns
    // are taken directly.
    const int32_t pitch = dir.z > 0.0f ? 1024 : (dir.z < 0.0f ? -1024 : 0);
    return {0, pitch, h};
}

// The turn about the aimed axis that brings up upright once heading and elevation are undone.
// The camera undoes them (sign -1), an object applies them (sign +1).
int32_t RollOf(const Vector3 &up, const Heading &hd, int32_t sign) {
    if (hd.h == 0.0f) return ToAngle(-up.x, up.y);
    const float s1 = FSin(sign * hd.yaw), c1 = FCos(sign * hd.yaw);
    const float s2 = FSin(sign * hd.pitch), c2 = FCos(sign * hd.pitch);
    const float a = up.y * c1 + up.x * s1;
    const float b = up.x * c1 - up.y * s1;
    const float z = b * s2 + up.z * c2;
    return ToAngle(a, z);
}

void SetRows(Matrix4 &out, const float (&rows)[3][3]) {
    IdentityMatrix(out);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) out(r, c) = rows[r][c];
}

// dirMode 7 of an object: x axis exactly along dir, then twist about it. No quantised angles.
void AimExactly(Matrix4 &out, const Vector3 &dir, int32_t twist) {
    const double n =
        std::sqrt(static_cast<double>(dir.x) * dir.x + static_cast<double>(dir.y) * dir.y +
                  static_cast<double>(dir.z) * dir.z);
    if (n == 0.0) {
        IdentityMatrix(out);
        return;
    }
    const float ux = static_cast<float>(dir.x / n);
    const float uy = static_cast<float>(dir.y / n);
    const float uz = static_cast<float>(dir.z / n);
    const float s = FSin(twist), c = FCos(twist);
    const float t = Hypot2(ux, uy);
    if (t == 0.0f) {
        // Vertical: the heading is undefined, so the y axis stays the world's y turned by
        // twist; downwards the block is the mirror image, which reverses the twist's sense.
        const float up[3][3] = {{0, 0, 1}, {-s, c, 0}, {-c, -s, 0}};
        const float down[3][3] = {{0, 0, -1}, {-s, c, 0}, {c, s, 0}};
        SetRows(out, uz > 0.0f ? up : down);
        return;
    }
    const float cy = ux / t, sy = uy / t;
    // Rx(twist) x P x Yw with P the elevation (rows (t, 0, uz), (0, 1, 0), (-uz, 0, t)) and
    // Yw the heading (rows (cy, sy, 0), (-sy, cy, 0), (0, 0, 1)).
    const float rows[3][3] = {
        {t * cy, t * sy, uz},
        {-s * uz * cy - c * sy, c * cy - s * uz * sy, s * t},
        {s * sy - c * uz * cy, -(c * uz * sy + s * cy), c * t},
    };
    SetRows(out, rows);
}

}  // namespace

void CameraMatrix(Matrix4 &out, const ObjectStruct *camera) {
    const uint32_t mode = static_cast<uint32_t>(camera->dirMode);
    if (mode <= 6) {
        kFixedOrders[mode](out, -camera->roll, -camera->pitch, -camera->yaw);
    } else if (mode == 7) {
        const Heading hd = HeadingOf(camera->dir);
        RotateZYX(out, -camera->twist, -hd.pitch, -hd.yaw);
    } else if (mode == 8) {
        const Heading hd = HeadingOf(camera->dir);
        RotateZYX(out, -RollOf(camera->up, hd, -1), -hd.pitch, -hd.yaw);
    } else {
        Report(kBadCameraMode);
        IdentityMatrix(out);
    }
}

void ObjectMatrix(Matrix4 &out, const ObjectStruct *array, int32_t i) {
    const ObjectStruct &e = array[i];
    const uint32_t mode = static_cast<uint32_t>(e.dirMode);
    if (mode <= 6) {
        kFixedOrders[mode](out, e.roll, e.pitch, e.yaw);
    } else if (mode == 7) {
        AimExactly(out, e.dir, e.twist);
    } else if (mode == 8) {
        const Heading hd = HeadingOf(e.dir);
        RotateZYX(out, RollOf(e.up, hd, 1), hd.pitch, hd.yaw);
    } else {
        Report(kBadObjectMode);
        IdentityMatrix(out);
    }
    // Entry 0 alone gives a pure rotation, which the single-record queries rely on.
    if (i != 0) {
        const ObjectStruct &camera = array[0];
        out(3, 0) = e.x - camera.x;
        out(3, 1) = e.y - camera.y;
        out(3, 2) = e.z - camera.z;
    }
}

}  // namespace pv
