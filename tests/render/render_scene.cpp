// In-memory models and the render fixture.
#include "render/render_scene.h"

#include <cmath>

#include "core/color_cube.h"
#include "core/state.h"

namespace pvtest {

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
    return pvscene::Sphere(radius, stacks, slices, {red, green, blue}, highlight);
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
