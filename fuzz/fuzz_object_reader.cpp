// Fuzzer of ReadObjectData on arbitrary file contents and object names: a loaded model must
// keep every limit the renderer relies on, a failed read must leave an empty record, and
// neither may leave tracked blocks behind.
#include "fuzz_support.h"

namespace {

// Walks every array of a loaded model, so that an array shorter than its count is caught.
void CheckModel(const ObjectData &model) {
    if (model.pntNum < 1 || model.pntNum > 5000 || model.plnNum < 0 || model.plnNum > 5000 ||
        model.materialNum < 1 || model.materialNum > 500 || model.pnt == nullptr || model.pln == nullptr ||
        model.material == nullptr || model.shadingVector == nullptr) {
        std::abort();
    }
    volatile float sink = 0.0f;
    for (int32_t v = 0; v < model.pntNum; ++v) sink = model.pnt[v].x + model.shadingVector[v].z;
    for (int32_t k = 0; k < model.materialNum; ++k) {
        if (!(model.material[k].highlight >= 0.0f && model.material[k].highlight <= 1.0f)) std::abort();
    }
    for (int32_t j = 0; j < model.plnNum; ++j) {
        const PlaneData &plane = model.pln[j];
        if (plane.cornerNum < 3 || plane.cornerNum > 8 || plane.corner == nullptr) std::abort();
        if (plane.materialNo < 0 || plane.materialNo >= model.materialNum) std::abort();
        for (int32_t k = 0; k < plane.cornerNum; ++k) {
            if (plane.corner[k] < 0 || plane.corner[k] >= model.pntNum) std::abort();
        }
        sink = plane.normal.x;
    }
    (void)sink;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const pvfuzz::Input in = pvfuzz::Split(data, size);
    const char *path = pvfuzz::Prepare(in);
    const int before = pv::g_state.allocCount;
    ObjectData model;
    std::memset(&model, 0xA5, sizeof model);
    const int32_t result = ReadObjectData(&model, path, in.tag.c_str());
    pvfuzz::g_countdown = 0;
    if (result == 1) {
        CheckModel(model);
        FreeObjectData(&model);
    } else {
        const ObjectData empty{};
        if (result != 0 || std::memcmp(&model, &empty, sizeof model) != 0) std::abort();
    }
    pvfuzz::Finish(before);
    return 0;
}
