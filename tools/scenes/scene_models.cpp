// Builders of the in-memory models and scenes.
#include "scenes/scene_models.h"

#include <cmath>

namespace pvscene {

int SceneModel::AddPoint(float x, float y, float z) {
    points_.push_back({x, y, z});
    return static_cast<int>(points_.size()) - 1;
}

int SceneModel::AddMaterial(uint8_t red, uint8_t green, uint8_t blue, float highlight) {
    materials_.push_back({{0, red, green, blue}, highlight});
    return static_cast<int>(materials_.size()) - 1;
}

int SceneModel::AddPolygon(std::vector<int32_t> corners, int32_t material) {
    corners_.push_back(std::move(corners));
    PlaneData plane{};
    plane.materialNo = material;
    planes_.push_back(plane);
    return static_cast<int>(planes_.size()) - 1;
}

ObjectData *SceneModel::Finish() {
    for (size_t j = 0; j < planes_.size(); ++j) {
        planes_[j].cornerNum = static_cast<int32_t>(corners_[j].size());
        planes_[j].corner = corners_[j].data();
    }
    data_.pntNum = static_cast<int32_t>(points_.size());
    data_.pnt = points_.data();
    data_.plnNum = static_cast<int32_t>(planes_.size());
    data_.pln = planes_.data();
    data_.materialNum = static_cast<int32_t>(materials_.size());
    data_.material = materials_.data();
    SetObjectDataColor(&data_);
    SetObjectDataShadingVector(&data_);
    return &data_;
}

void SceneModel::Release() {
    PvFree(data_.shadingVector);
    data_.shadingVector = nullptr;
}

std::unique_ptr<SceneModel> Sphere(float radius, int stacks, int slices, Rgb color, float highlight) {
    auto model = std::make_unique<SceneModel>();
    const int material = model->AddMaterial(color.red, color.green, color.blue, highlight);
    const double pi = 3.14159265358979;
    const int north = model->AddPoint(0, 0, radius);
    for (int i = 1; i < stacks; ++i) {
        const double theta = pi * i / stacks;
        for (int j = 0; j < slices; ++j) {
            const double phi = 2 * pi * j / slices;
            model->AddPoint(static_cast<float>(radius * std::sin(theta) * std::cos(phi)),
                            static_cast<float>(radius * std::sin(theta) * std::sin(phi)),
                            static_cast<float>(radius * std::cos(theta)));
        }
    }
    const int south = model->AddPoint(0, 0, -radius);
    auto ring = [&](int i, int j) { return 1 + (i - 1) * slices + (j % slices); };
    // Stepping down a meridian, then east along a parallel, runs anticlockwise from outside.
    for (int j = 0; j < slices; ++j) model->AddPolygon({north, ring(1, j), ring(1, j + 1)}, material);
    for (int i = 1; i + 1 < stacks; ++i) {
        for (int j = 0; j < slices; ++j) {
            model->AddPolygon({ring(i, j), ring(i + 1, j), ring(i + 1, j + 1), ring(i, j + 1)}, material);
        }
    }
    for (int j = 0; j < slices; ++j) {
        model->AddPolygon({ring(stacks - 1, j), south, ring(stacks - 1, j + 1)}, material);
    }
    return model;
}

std::unique_ptr<SceneModel> Box(float hx, float hy, float hz, Rgb color, float highlight) {
    auto model = std::make_unique<SceneModel>();
    const int material = model->AddMaterial(color.red, color.green, color.blue, highlight);
    for (int k = 0; k < 8; ++k) model->AddPoint(k & 1 ? hx : -hx, k & 2 ? hy : -hy, k & 4 ? hz : -hz);
    const int faces[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4}, {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
    for (const auto &f : faces) model->AddPolygon({f[0], f[1], f[2], f[3]}, material);
    return model;
}

std::unique_ptr<SceneModel> Corridor(float start, float length, float halfWidth, float halfHeight,
                                     int segments, Rgb a, Rgb b) {
    auto model = std::make_unique<SceneModel>();
    const int first = model->AddMaterial(a.red, a.green, a.blue, 0.3f);
    const int second = model->AddMaterial(b.red, b.green, b.blue, 0.3f);
    const float w = halfWidth, h = halfHeight;
    // Four points per cross-section: floor right, floor left, ceiling left, ceiling right.
    for (int s = 0; s <= segments; ++s) {
        const float x = start + length * static_cast<float>(s) / static_cast<float>(segments);
        model->AddPoint(x, -w, -h);
        model->AddPoint(x, w, -h);
        model->AddPoint(x, w, h);
        model->AddPoint(x, -w, h);
    }
    for (int s = 0; s < segments; ++s) {
        const int p = 4 * s, q = 4 * (s + 1);
        const int material = s % 2 ? first : second;
        const int other = s % 2 ? second : first;
        model->AddPolygon({p + 0, q + 0, q + 1, p + 1}, material);  // floor, facing up
        model->AddPolygon({p + 2, q + 2, q + 3, p + 3}, material);  // ceiling, facing down
        model->AddPolygon({p + 1, q + 1, q + 2, p + 2}, other);     // left wall, facing right
        model->AddPolygon({p + 0, p + 3, q + 3, q + 0}, other);     // right wall, facing left
    }
    return model;
}

std::unique_ptr<SceneModel> Floor(int cells, float cell, Rgb a, Rgb b) {
    auto model = std::make_unique<SceneModel>();
    const int first = model->AddMaterial(a.red, a.green, a.blue, 0.2f);
    const int second = model->AddMaterial(b.red, b.green, b.blue, 0.2f);
    const float origin = -0.5f * cells * cell;
    for (int r = 0; r <= cells; ++r) {
        for (int c = 0; c <= cells; ++c) model->AddPoint(origin + c * cell, origin + r * cell, 0);
    }
    auto at = [&](int c, int r) { return r * (cells + 1) + c; };
    for (int r = 0; r < cells; ++r) {
        for (int c = 0; c < cells; ++c) {
            model->AddPolygon({at(c, r), at(c + 1, r), at(c + 1, r + 1), at(c, r + 1)}, (r + c) % 2 ? first : second);
        }
    }
    return model;
}

ObjectStruct &Scene::Add(ObjectData *model, float x, float y, float z, int32_t yaw, int32_t pitch) {
    ObjectStruct record{};
    SetObjectStruct(&record, 1, 1, x, y, z, yaw, pitch, 0, model);
    records.push_back(record);
    return records.back();
}

ObjectData *Scene::Keep(std::unique_ptr<SceneModel> model) {
    ObjectData *data = model->Finish();
    models.push_back(std::move(model));
    return data;
}

void Scene::Release() {
    for (auto &model : models) model->Release();
    for (auto &data : loaded) FreeObjectData(data.get());
    models.clear();
    loaded.clear();
    records.resize(1);
}

namespace {

Scene WithCamera(const char *name) {
    Scene scene;
    scene.name = name;
    scene.records.push_back(ObjectStruct{});
    return scene;
}

}  // namespace

Scene SpheresScene() {
    Scene scene = WithCamera("spheres");
    const Rgb colors[] = {{230, 60, 50}, {60, 200, 90}, {70, 110, 240}, {240, 200, 60}, {200, 90, 220}, {80, 210, 220}};
    ObjectData *ball[6];
    for (int k = 0; k < 6; ++k) ball[k] = scene.Keep(Sphere(40, 18, 24, colors[k], 0.6f));
    // A 5 x 5 wall of spheres receding to the right, and three large ones crossing the plane.
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 5; ++c) {
            scene.Add(ball[(r * 5 + c) % 6], 260.0f + 60.0f * c + 25.0f * r, 200.0f - 100.0f * c, 150.0f - 100.0f * r);
        }
    }
    ObjectData *big = scene.Keep(Sphere(70, 18, 24, {250, 250, 250}, 0.8f));
    scene.Add(big, 50, 80, -40);
    scene.Add(big, 60, -90, 50);
    scene.Add(ball[2], 30, 0, -60);
    return scene;
}

Scene CorridorScene() {
    Scene scene = WithCamera("corridor");
    ObjectData *corridor = scene.Keep(Corridor(-40, 10000, 60, 45, 500, {200, 180, 150}, {90, 120, 170}));
    scene.Add(corridor, 0, 0, 0);
    scene.records[0].z = 5;
    scene.records[0].yaw = 20;
    return scene;
}

Scene TeapotScene(const std::string &path) {
    Scene scene = WithCamera("teapot");
    auto teapot = std::make_unique<ObjectData>();
    *teapot = ObjectData{};
    if (ReadObjectData(teapot.get(), path.c_str(), "utah_teapot") == 0) return scene;
    ObjectData *data = teapot.get();
    scene.loaded.push_back(std::move(teapot));
    scene.Add(data, 900, 0, -60, 300, 0);
    scene.records[0].pitch = -150;
    scene.records[0].z = 200;
    return scene;
}

Scene PictureScene() {
    Scene scene = WithCamera("picture");
    ObjectStruct &camera = scene.records[0];
    camera.z = 60;
    camera.pitch = -120;  // looking slightly down
    scene.Add(scene.Keep(Floor(24, 60, {200, 200, 190}, {70, 70, 90})), 500, 0, -20);
    scene.Add(scene.Keep(Sphere(90, 20, 28, {230, 70, 50}, 0.7f)), 60, 150, 40);     // crossing, left
    scene.Add(scene.Keep(Box(60, 60, 60, {80, 200, 110}, 0.4f)), 50, -140, 30, 300);  // crossing, right
    scene.Add(scene.Keep(Sphere(70, 18, 24, {70, 110, 240}, 0.8f)), 420, 40, 50);
    scene.Add(scene.Keep(Sphere(60, 18, 24, {240, 200, 60}, 0.5f)), 330, -70, 40);
    scene.Add(scene.Keep(Box(40, 80, 40, {200, 90, 220}, 0.6f)), 560, -250, 30, 500, 100);
    scene.Add(scene.Keep(Sphere(50, 16, 20, {80, 210, 220}, 0.9f)), 700, 200, 60);
    return scene;
}

}  // namespace pvscene
