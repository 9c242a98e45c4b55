// Filling and aiming placement records, and the conversion of directions to angle units.
#include <cmath>

#include "geometry/matrix.h"

namespace pv {

// 4096 / (2 pi) as a double: atan2 gives radians, angles count 4096 units to a full turn.
constexpr double kRadiansToAngle = 651.8986469044033;

int32_t ToAngle(float y, float x) {
    return static_cast<int32_t>(std::atan2(static_cast<double>(y), static_cast<double>(x)) *
                                kRadiansToAngle);
}

}  // namespace pv

extern "C" POLVEX_API void SetObjectStruct(ObjectStruct *record, int32_t visible, int32_t lighting,
                                           float x, float y, float z, int32_t yaw, int32_t pitch,
                                           int32_t roll, ObjectData *objectData) {
    if (record == nullptr) return;
    // dirMode, dir, up and twist stay as the host set them, so a record keeps its mode.
    record->visible = visible;
    record->lighting = lighting;
    record->x = x;
    record->y = y;
    record->z = z;
    record->yaw = yaw;
    record->pitch = pitch;
    record->roll = roll;
    record->objectData = objectData;
}

extern "C" POLVEX_API void LookAt(ObjectStruct *record, const float *point) {
    const float dx = point[0] - record->x;
    const float dy = point[1] - record->y;
    const float dz = point[2] - record->z;
    // atan2(0, -0) would give a half turn; a point straight above or at the record keeps 0.
    record->yaw = (dx == 0.0f && dy == 0.0f) ? 0 : pv::ToAngle(dy, dx);
    const float h =
        static_cast<float>(std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy));
    record->pitch = (dz == 0.0f && h == 0.0f) ? 0 : pv::ToAngle(dz, h);
    record->roll = 0;
}
