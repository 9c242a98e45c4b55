// Models built in memory and a fixture that renders them: the camera at the origin looking
// along +x (depth = x, horz = y, vert = z), a 640x480 palette frame buffer unless told.
#pragma once

#include <memory>
#include <vector>

#include "polvex/polvex.h"
#include "scenes/scene_models.h"
#include "support/library_fixture.h"

namespace pvtest {

// A model whose arrays live in the test (the scene tool's builder). Corners run anticlockwise
// seen from the front side.
using TestModel = pvscene::SceneModel;

// A triangle, corners as given.
std::unique_ptr<TestModel> MakePolygonModel(const std::vector<Vector3> &corners, uint8_t red = 200,
                                            uint8_t green = 100, uint8_t blue = 50);
// A square of side 2 * half in the plane x = 0, facing -x (towards a camera looking along +x).
std::unique_ptr<TestModel> MakeSquareFacingCamera(float half, uint8_t red, uint8_t green, uint8_t blue);
// A latitude-longitude sphere about the origin.
std::unique_ptr<TestModel> MakeSphere(float radius, int stacks, int slices, uint8_t red,
                                      uint8_t green, uint8_t blue, float highlight = 0.5f);

ObjectStruct Placed(ObjectData *model, float x, float y, float z, int32_t lighting = 1);

class RenderTest : public LibraryTest {
protected:
    void OpenFrame(int width = 640, int height = 480, PlatformDisplay display = PLATFORM_DISPLAY_PALETTE);
    void TearDown() override;

    // Keeps the model until the test ends and returns its record.
    ObjectData *Keep(std::unique_ptr<TestModel> model);

    // Renders camera + objects, returning Polvex's result.
    int32_t Render(const std::vector<ObjectStruct> &objects);

    // Palette index at column x of screen line y.
    uint8_t Pixel(int x, int y) const;
    // The palette index a colour maps to.
    static uint8_t IndexOf(uint32_t color);

    ObjectStruct camera{};
    std::vector<std::unique_ptr<TestModel>> models;
};

}  // namespace pvtest
