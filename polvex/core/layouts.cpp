// Compile-time pins of the records shared with the host: the designed byte layout on a 32-bit
// target, and natural alignment with 8-byte pointers on a 64-bit one.
#include <cstddef>

#include "polvex/polvex.h"

namespace {

constexpr bool kWide = sizeof(void *) == 8;
static_assert(sizeof(void *) == 4 || kWide, "records are laid out for 4- or 8-byte pointers");

// The offset a field has on this target: its designed offset on 32-bit, the naturally aligned
// one on 64-bit.
constexpr size_t At(size_t narrow, size_t wide) {
    return kWide ? wide : narrow;
}

static_assert(sizeof(Vector3) == 12);
static_assert(offsetof(Vector3, x) == 0 && offsetof(Vector3, y) == 4 && offsetof(Vector3, z) == 8);

static_assert(sizeof(ColorBytes) == 4);
static_assert(offsetof(ColorBytes, reserved) == 0 && offsetof(ColorBytes, red) == 1 &&
              offsetof(ColorBytes, green) == 2 && offsetof(ColorBytes, blue) == 3);

static_assert(sizeof(MaterialData) == 8);
static_assert(offsetof(MaterialData, color) == 0 && offsetof(MaterialData, highlight) == 4);

static_assert(sizeof(PlaneData) == At(28, 40));
static_assert(offsetof(PlaneData, materialNo) == 0);
static_assert(offsetof(PlaneData, color) == 4);
static_assert(offsetof(PlaneData, cornerNum) == 8);
static_assert(offsetof(PlaneData, corner) == At(12, 16));
static_assert(offsetof(PlaneData, normal) == At(16, 24));

static_assert(sizeof(ObjectData) == At(32, 56));
static_assert(offsetof(ObjectData, pntNum) == 0);
static_assert(offsetof(ObjectData, pnt) == At(4, 8));
static_assert(offsetof(ObjectData, plnNum) == At(8, 16));
static_assert(offsetof(ObjectData, pln) == At(12, 24));
static_assert(offsetof(ObjectData, radius) == At(16, 32));
static_assert(offsetof(ObjectData, materialNum) == At(20, 36));
static_assert(offsetof(ObjectData, material) == At(24, 40));
static_assert(offsetof(ObjectData, shadingVector) == At(28, 48));

static_assert(sizeof(ObjectStruct) == At(68, 72));
static_assert(offsetof(ObjectStruct, visible) == 0);
static_assert(offsetof(ObjectStruct, lighting) == 4);
static_assert(offsetof(ObjectStruct, dirMode) == 8);
static_assert(offsetof(ObjectStruct, x) == 12);
static_assert(offsetof(ObjectStruct, y) == 16);
static_assert(offsetof(ObjectStruct, z) == 20);
static_assert(offsetof(ObjectStruct, yaw) == 24);
static_assert(offsetof(ObjectStruct, pitch) == 28);
static_assert(offsetof(ObjectStruct, roll) == 32);
static_assert(offsetof(ObjectStruct, dir) == 36);
static_assert(offsetof(ObjectStruct, up) == 48);
static_assert(offsetof(ObjectStruct, twist) == 60);
static_assert(offsetof(ObjectStruct, objectData) == 64);

}  // namespace
