// In-memory models and the render fixture.
#include "render/render_scene.h"

#include <cmath>

#include "core/color_cube.h"
#include "core/state.h"

namespace pvtest {

int TestModel::AddPoint(float x, float y, float z) {
    points_.push_back({x, y, z});
    return static_cast<int>(points_.size()) - 1;
}

void TestModel::AddMaterial(uint8_t red, uint8_t green, uint8_t blue, float highlight) {
    materials_.push_back({{0, red, green, blue}, highlight});
}

int TestModel::AddPolygon(std::vector<int32_t> corners, int32_t material) {
    corners_.push_back(std::move(corners));
    PlaneData plane{};
    plane.materialNo = material;
    planes_.push_back(plane);
    return static_cast<int>(planes_.size()) - 1;
}

ObjectData *TestModel::Finish() {
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

void TestModel::Release() {
    PvFree(data_.shadingVector);
    data_.shadingVector = nullptr;
}

std::unique_ptr<TestModel> MakePolygonModel(const std::vector<Vector3> &corners, uint8_t red,
                                            uint8_t green, uint8_t blue) {
    auto model = std::make_unique<TestModel>();
    model->AddMaterial(red, green, blue);
    std::vector<int32_t> list;
    for (const Vector3 &p : corners) list.push_back(model->AddPoint(p.x, p.y, p.z));
    model->AddPolygon(list);
    return model;
}

std::unique_ptr<TestModel> MakeSquareFacingCamera(float half, uint8_t red, uint8_t green, uint8_t blue) {
    // Seen from -x, +y is on the viewer's left: this order runs anticlockwise from there.
    return MakePolygonModel({{0, -half, -half}, {0, -half, half}, {0, half, half}, {0, half, -half}},
                            red, green, blue);
}

std::unique_ptr<TestModel> MakeSphere(float radius, int stacks, int slices, uint8_t red,
                                      uint8_t green, uint8_t blue, float highlight) {
    auto model = std::make_unique<TestModel>();
    model->AddMaterial(red, green, blue, highlight);
    const float pi = 3.14159265f;
    const int north = model->AddPoint(0, 0, radius);
    for (int i = 1; i < stacks; ++i) {
        const float theta = pi * i / stacks;
        for (int j = 0; j < slices; ++j) {
            const float phi = 2 * pi * j / slices;
            model->AddPoint(radius * std::sin(theta) * std::cos(phi),
                            radius * std::sin(theta) * std::sin(phi), radius * std::cos(theta));
        }
    }
    const int south = model->AddPoint(0, 0, -radius);
    auto ring = [&](int i, int j) { return 1 + (i - 1) * slices + (j % slices); };
    for (int j = 0; j < slices; ++j) model->AddPolygon({north, ring(1, j), ring(1, j + 1)});
    for (int i = 1; i + 1 < stacks; ++i) {
        for (int j = 0; j < slices; ++j) {
            model->AddPolygon({ring(i, j), ring(i + 1, j), ring(i + 1, j + 1), ring(i, j + 1)});
        }
    }
    for (int j = 0; j < slices; ++j) model->AddPolygon({ring(stacks - 1, j), south, ring(stacks - 1, j + 1)});
    return model;
}

ObjectStruct Placed(ObjectData *model, float x, float y, float z, int32_t lighting) {
    ObjectStruct record{};
    SetObjectStruct(&record, 1, lighting, x, y, z, 0, 0, 0, model);
    return record;
}

void RenderTest::OpenFrame(int width, int height, PlatformDisplay display) {
    Open(display, width, height);
    PvPatBlt(0);
    camera = ObjectStruct{};
}

void RenderTest::TearDown() {
    for (auto &model : models) model->Release();
    models.clear();
    LibraryTest::TearDown();
}

ObjectData *RenderTest::Keep(std::unique_ptr<TestModel> model) {
    ObjectData *data = model->Finish();
    models.push_back(std::move(model));
    return data;
}

int32_t RenderTest::Render(const std::vector<ObjectStruct> &objects) {
    std::vector<ObjectStruct> array;
    array.push_back(camera);
    array.insert(array.end(), objects.begin(), objects.end());
    return Polvex(static_cast<int32_t>(objects.size()), array.data());
}

uint8_t RenderTest::Pixel(int x, int y) const {
    const pv::LibraryState &s = pv::g_state;
    const int row = s.frameHeight > 0 ? s.frameHeight - 1 - y : y;
    return s.frameBits[static_cast<size_t>(row) * s.frameStride + x];
}

uint8_t RenderTest::IndexOf(uint32_t color) { return pv::PaletteIndex(color, pv::g_state.halftoneVariant); }

}  // namespace pvtest
