// Models and scenes built in memory for the picture tool and the benchmarks: lit spheres,
// boxes, a corridor, a floor, and the teapot model read from its data file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "polvex/polvex.h"

namespace pvscene {

// A model whose arrays belong to the program; only the shading vectors come from the library.
class SceneModel {
public:
    int AddPoint(float x, float y, float z);
    int AddMaterial(uint8_t red, uint8_t green, uint8_t blue, float highlight = 0.0f);
    int AddPolygon(std::vector<int32_t> corners, int32_t material = 0);
    // Points the record at the arrays and derives normals, pre-lit colours and shading vectors.
    ObjectData *Finish();
    void Release();
    int32_t polygons() const { return static_cast<int32_t>(corners_.size()); }
    ObjectData &data() { return data_; }

private:
    std::vector<Vector3> points_;
    std::vector<std::vector<int32_t>> corners_;
    std::vector<PlaneData> planes_;
    std::vector<MaterialData> materials_;
    ObjectData data_{};
};

struct Rgb {
    uint8_t red, green, blue;
};

// Latitude-longitude sphere: triangles at the poles, quadrilaterals between.
std::unique_ptr<SceneModel> Sphere(float radius, int stacks, int slices, Rgb color, float highlight);
// Box of half extents hx, hy, hz about the origin, facing outward.
std::unique_ptr<SceneModel> Box(float hx, float hy, float hz, Rgb color, float highlight);
// A square tube along +x from x = start, seen from inside: four walls of `segments` quads
// each, alternating two colours.
std::unique_ptr<SceneModel> Corridor(float start, float length, float halfWidth, float halfHeight,
                                     int segments, Rgb a, Rgb b);
// A chequered floor of cells x cells squares of side `cell`, centred on the origin, facing up.
std::unique_ptr<SceneModel> Floor(int cells, float cell, Rgb a, Rgb b);

// A camera and its objects, ready for Polvex(count(), records.data()).
struct Scene {
    std::string name;
    std::vector<std::unique_ptr<SceneModel>> models;
    std::vector<std::unique_ptr<ObjectData>> loaded;  // read from files, freed by FreeObjectData
    std::vector<ObjectStruct> records;                // entry 0 is the camera

    ObjectStruct &Add(ObjectData *model, float x, float y, float z, int32_t yaw = 0, int32_t pitch = 0);
    ObjectData *Keep(std::unique_ptr<SceneModel> model);
    int32_t count() const { return static_cast<int32_t>(records.size()) - 1; }
    void Release();
};

// Needs an open library. About 5000 front-facing polygons of lit spheres, some crossing the
// near plane.
Scene SpheresScene();
// About 2000 front-facing polygons: the camera inside a long corridor.
Scene CorridorScene();
// The teapot of the shared models, or an empty scene (no records but the camera) when the
// file cannot be read.
Scene TeapotScene(const std::string &path);
// Several lit objects at different depths, some crossing the near plane, over a floor.
Scene PictureScene();

}  // namespace pvscene
