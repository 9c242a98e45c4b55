// The object data reader: one model, stored as the values of one tag of a ".q3d" file, checked
// and loaded into the host's ObjectData record, then completed with normals, pre-lit colours
// and shading vectors.
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/report.h"
#include "core/state.h"
#include "data/tagged_file.h"
#include "polvex/polvex.h"

namespace pv {
namespace {

constexpr int32_t kMaxMaterials = 500;
constexpr int32_t kMinCorners = 3;
constexpr int32_t kMaxCorners = 8;

constexpr char kMaterialCountRange[] =
    "Object data error. FILE:%s OBJECT:%s\nマテリアル数%.0fは範囲外です。\n1～%dで指定して下さい。";
constexpr char kHighlightRange[] =
    "Object data error. FILE:%s OBJECT:%s\nマテリアル番号%.0fのハイライト強度%fが範囲外です。\n0～1で指定して下さい。";
constexpr char kVertexCountRange[] =
    "Object data error. FILE:%s OBJECT:%s\n頂点数%.0fは最大頂点数 %d を越えています。";
constexpr char kCornerCountRange[] =
    "Object data error. FILE:%s OBJECT:%s PlaneNo.%d\n角数%dは角数範囲0～%dを越えています。";
constexpr char kVertexNumberRange[] = "Object data error. FILE:%s OBJECT:%s PlaneNo.%d\n頂点番号%.0fは範囲外です。";
constexpr char kMaterialNumberRange[] =
    "Object data error. FILE:%s OBJECT:%s PlaneNo.%d\nマテリアル番号%.0fは範囲外です。";
constexpr char kPolygonCountRange[] =
    "Object data error. FILE:%s OBJECT:%s\nポリゴン数%.0fは範囲外です。\n0～%dで指定して下さい。";
constexpr char kDataTooShort[] =
    "Object data error. FILE:%s OBJECT:%s\nデータが足りません。\nデータ数 %d で終わっています。";
constexpr char kVertexNotFinite[] =
    "Object data error. FILE:%s OBJECT:%s\n頂点%dの座標が範囲外です。";

// Truncation toward zero that stays defined for every float: values beyond the int32 range
// saturate (a huge corner count must be reported, not wrapped into the allowed range).
int32_t Truncate(float value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483648.0f) return std::numeric_limits<int32_t>::max();
    if (value <= -2147483648.0f) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

// The low 8 bits of the value truncated toward zero (256 gives 0, -1 gives 255). Floats of
// 2^24 and more are whole multiples of 256 whenever they reach 2^32, so the work in 64 bits
// is exact for every finite value that does not give 0 anyway.
uint8_t LowByte(float value) {
    if (!std::isfinite(value) || std::fabs(value) >= 9.0e18f) return 0;
    return static_cast<uint8_t>(static_cast<uint64_t>(static_cast<int64_t>(value)));
}

// The same measure SetObjectDataColor uses for the radius, so both store the same value.
float VertexLength(const Vector3 &v) {
    return static_cast<float>(std::sqrt(static_cast<double>(v.x) * v.x + static_cast<double>(v.y) * v.y +
                                        static_cast<double>(v.z) * v.z));
}

// Reads one model from the values of its tag into model, which starts empty. Every test
// reports and ends the read; the values are never read past their count.
class ObjectReader {
public:
    ObjectReader(const float *values, int32_t count, const char *fileName, const char *objectName)
        : values_(values), count_(count), file_(fileName), object_(objectName) {}

    bool Read(ObjectData &model) { return ReadMaterials(model) && ReadVertices(model) && ReadPolygons(model); }

private:
    bool Take(float &value) {
        if (next_ == count_) {
            ReportNamed(kDataTooShort, file_, object_, count_);
            return false;
        }
        value = values_[next_++];
        return true;
    }

    bool ReadMaterials(ObjectData &model);
    bool ReadVertices(ObjectData &model);
    bool ReadPolygons(ObjectData &model);
    bool ReadPolygon(int32_t j, const ObjectData &model, PlaneData &plane);

    const float *values_;
    int32_t count_;
    int32_t next_ = 0;
    const char *file_;
    const char *object_;
};

bool ObjectReader::ReadMaterials(ObjectData &model) {
    float count = 0.0f;
    if (!Take(count)) return false;
    if (!(count >= 1.0f && count <= static_cast<float>(kMaxMaterials))) {
        ReportNamed(kMaterialCountRange, file_, object_, static_cast<double>(count), kMaxMaterials);
        return false;
    }
    const int32_t materials = Truncate(count);
    model.material = static_cast<MaterialData *>(PvAlloc(materials * static_cast<int32_t>(sizeof(MaterialData))));
    if (model.material == nullptr) return false;
    model.materialNum = materials;
    for (int32_t k = 0; k < materials; ++k) {
        float red = 0.0f, green = 0.0f, blue = 0.0f, highlight = 0.0f;
        if (!Take(red) || !Take(green) || !Take(blue) || !Take(highlight)) return false;
        MaterialData &material = model.material[k];
        material.color.red = LowByte(red);
        material.color.green = LowByte(green);
        material.color.blue = LowByte(blue);
        if (!(highlight >= 0.0f && highlight <= 1.0f)) {
            ReportNamed(kHighlightRange, file_, object_, static_cast<double>(k), static_cast<double>(highlight));
            return false;
        }
        material.highlight = highlight;
    }
    return true;
}

bool ObjectReader::ReadVertices(ObjectData &model) {
    float count = 0.0f;
    if (!Take(count)) return false;
    if (!(count >= 1.0f && count <= static_cast<float>(kMaxObjectVertices))) {
        ReportNamed(kVertexCountRange, file_, object_, static_cast<double>(count), kMaxObjectVertices);
        return false;
    }
    const int32_t vertices = Truncate(count);
    model.pnt = static_cast<Vector3 *>(PvAlloc(vertices * static_cast<int32_t>(sizeof(Vector3))));
    if (model.pnt == nullptr) return false;
    model.pntNum = vertices;
    float radius = 0.0f;
    for (int32_t v = 0; v < vertices; ++v) {
        Vector3 &point = model.pnt[v];
        if (!Take(point.x) || !Take(point.y) || !Take(point.z)) return false;
        // A coordinate too large for a float would give infinite lengths and undefined
        // normals that no later step could draw.
        if (!std::isfinite(point.x) || !std::isfinite(point.y) || !std::isfinite(point.z)) {
            ReportNamed(kVertexNotFinite, file_, object_, v);
            return false;
        }
        const float length = VertexLength(point);
        if (length > radius) radius = length;
    }
    model.radius = radius;
    return true;
}

bool ObjectReader::ReadPolygons(ObjectData &model) {
    float count = 0.0f;
    if (!Take(count)) return false;
    // The renderer's per-object arrays hold kMaxObjectPolygons entries.
    if (!(count >= 0.0f && count <= static_cast<float>(kMaxObjectPolygons))) {
        ReportNamed(kPolygonCountRange, file_, object_, static_cast<double>(count), kMaxObjectPolygons);
        return false;
    }
    const int32_t polygons = Truncate(count);
    model.pln = static_cast<PlaneData *>(PvAlloc(polygons * static_cast<int32_t>(sizeof(PlaneData))));
    if (model.pln == nullptr) return false;
    // Polygons not reached yet must hold no corner array that releasing the model could free.
    for (int32_t j = 0; j < polygons; ++j) {
        model.pln[j].cornerNum = 0;
        model.pln[j].corner = nullptr;
    }
    model.plnNum = polygons;
    for (int32_t j = 0; j < polygons; ++j) {
        if (!ReadPolygon(j, model, model.pln[j])) return false;
    }
    return true;
}

bool ObjectReader::ReadPolygon(int32_t j, const ObjectData &model, PlaneData &plane) {
    float value = 0.0f;
    if (!Take(value)) return false;
    const int32_t corners = Truncate(value);
    if (corners < kMinCorners || corners > kMaxCorners) {
        ReportNamed(kCornerCountRange, file_, object_, j, corners, kMaxCorners);
        return false;
    }
    plane.corner = static_cast<int32_t *>(PvAlloc(corners * static_cast<int32_t>(sizeof(int32_t))));
    if (plane.corner == nullptr) return false;
    plane.cornerNum = corners;
    for (int32_t k = 0; k < corners; ++k) {
        if (!Take(value)) return false;
        if (!(value >= 0.0f && value < static_cast<float>(model.pntNum))) {
            ReportNamed(kVertexNumberRange, file_, object_, j, static_cast<double>(value));
            return false;
        }
        plane.corner[k] = Truncate(value);
    }
    if (!Take(value)) return false;
    if (!(value >= 0.0f && value < static_cast<float>(model.materialNum))) {
        ReportNamed(kMaterialNumberRange, file_, object_, j, static_cast<double>(value));
        return false;
    }
    plane.materialNo = Truncate(value);
    return true;
}

// Gives back what a failed read allocated and leaves the record empty, so that neither the
// renderer nor a later FreeObjectData can reach a released or uninitialised array.
void Discard(ObjectData &model) {
    FreeObjectData(&model);
    model = ObjectData{};
}

}  // namespace
}  // namespace pv

// A failed read leaves the record all zero: nothing of a half-read model stays reachable.
extern "C" POLVEX_API int32_t ReadObjectData(ObjectData *object, const char *fileName, const char *objectName) {
    using namespace pv;
    if (object == nullptr) {
        ReportFormat(kNullArgument, "ReadObjectData");
        return 0;
    }
    *object = ObjectData{};
    float *values = nullptr;
    const int32_t count = ReadDataFloat(&values, fileName, objectName);
    if (count == 0) return 0;

    ObjectData model{};
    const bool read = ObjectReader(values, count, fileName, objectName).Read(model);
    PvFree(values);
    if (!read) {
        Discard(model);
        return 0;
    }
    *object = model;
    if (SetObjectDataColor(object) == 0 || SetObjectDataShadingVector(object) == 0) {
        Discard(*object);
        return 0;
    }
    return 1;
}
