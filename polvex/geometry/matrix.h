// 4x4 float matrices for row vectors (p' = p x M), the six rotation orders and the camera and
// object matrices of the nine orientation modes.
#pragma once

#include <cstdint>

#include "polvex/polvex.h"

namespace pv {

// Stored row by row, entry (r, c) at 4r + c. Rows 0 to 2 are the images of the x, y and z
// axes, row 3 the translation.
struct Matrix4 {
    float m[16];
    float operator()(int r, int c) const { return m[4 * r + c]; }
    float &operator()(int r, int c) { return m[4 * r + c]; }
};

// out = a x b; out may alias neither a nor b.
void MultiplyMatrix(Matrix4 &out, const Matrix4 &a, const Matrix4 &b);

// The identity: unit block, zero translation row, entry 15 one.
void IdentityMatrix(Matrix4 &out);

// Pure rotations built from the sine and cosine tables: Rx(-ax), Ry(-ay) and Rz(az) in the
// order of the name, leftmost acting first.
void RotateZYX(Matrix4 &out, int32_t ax, int32_t ay, int32_t az);
void RotateZXY(Matrix4 &out, int32_t ax, int32_t ay, int32_t az);
void RotateYZX(Matrix4 &out, int32_t ax, int32_t ay, int32_t az);
void RotateYXZ(Matrix4 &out, int32_t ax, int32_t ay, int32_t az);
void RotateXZY(Matrix4 &out, int32_t ax, int32_t ay, int32_t az);
void RotateXYZ(Matrix4 &out, int32_t ax, int32_t ay, int32_t az);

// atan2(y, x) in angle units (4096 per turn), truncated toward zero.
int32_t ToAngle(float y, float x);

// The camera's view rotation (translation row zero).
void CameraMatrix(Matrix4 &out, const ObjectStruct *camera);

// The placement of array[i] relative to the camera array[0]: its rotation, and for i > 0 the
// translation row set to its position minus the camera's.
void ObjectMatrix(Matrix4 &out, const ObjectStruct *array, int32_t i);

}  // namespace pv
