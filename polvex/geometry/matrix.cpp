// Matrix products and the identity for the row-vector convention of the geometry layer.
#include "geometry/matrix.h"

namespace pv {

void MultiplyMatrix(Matrix4 &out, const Matrix4 &a, const Matrix4 &b) {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += a(r, k) * b(k, c);
            out(r, c) = sum;
        }
    }
}

void IdentityMatrix(Matrix4 &out) {
    for (int i = 0; i < 16; ++i) out.m[i] = (i % 5 == 0) ? 1.0f : 0.0f;
}

}  // namespace pv
