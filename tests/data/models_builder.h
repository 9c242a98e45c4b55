// Builds ObjectData records in tracked memory for the model tests, as the object reader would.
#pragma once

#include <cstring>
#include <vector>

#include "polvex/polvex.h"

namespace pvtest {

struct PolygonSpec {
    std::vector<int32_t> corners;
    int32_t materialNo = 0;
};

// Every array comes from PvAlloc, so FreeObjectData releases the model completely.
inline ObjectData BuildModel(const std::vector<Vector3> &points,
                             const std::vector<PolygonSpec> &polygons,
                             const std::vector<MaterialData> &materials) {
    ObjectData object{};
    object.pntNum = static_cast<int32_t>(points.size());
    object.pnt =
        static_cast<Vector3 *>(PvAlloc(static_cast<int32_t>(points.size() * sizeof(Vector3))));
    std::memcpy(object.pnt, points.data(), points.size() * sizeof(Vector3));
    object.plnNum = static_cast<int32_t>(polygons.size());
    object.pln = static_cast<PlaneData *>(
        PvAlloc(static_cast<int32_t>(polygons.size() * sizeof(PlaneData))));
    for (size_t j = 0; j < polygons.size(); ++j) {
        PlaneData &plane = object.pln[j];
        plane = PlaneData{};
        plane.materialNo = polygons[j].materialNo;
        plane.cornerNum = static_cast<int32_t>(polygons[j].corners.size());
        plane.corner = static_cast<int32_t *>(PvAlloc(plane.cornerNum * 4));
        std::memcpy(plane.corner, polygons[j].corners.data(), plane.cornerNum * 4u);
    }
    object.materialNum = static_cast<int32_t>(materials.size());
    object.material = static_cast<MaterialData *>(
        PvAlloc(static_cast<int32_t>(materials.size() * sizeof(MaterialData))));
    std::memcpy(object.material, materials.data(), materials.size() * sizeof(MaterialData));
    return object;
}

inline MaterialData Material(uint8_t red, uint8_t green, uint8_t blue, float highlight) {
    return {{0, red, green, blue}, highlight};
}

// The unit default light, as OpenPolvex leaves it.
inline Vector3 CurrentLight() {
    float light[3];
    GetLight(light, nullptr);
    return {light[0], light[1], light[2]};
}

}  // namespace pvtest
