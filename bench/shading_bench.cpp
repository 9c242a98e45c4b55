// Shading vectors of a 5000-vertex, 5000-polygon model: the library's one pass over the corners
// against the plain scan of every polygon for every vertex, measured in the same run.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <vector>

#include "polvex/polvex.h"

namespace {

constexpr int32_t kVertices = 5000;
constexpr int32_t kPolygons = 5000;

// Random corner lists of 3 to 8 vertices with random unit normals, in tracked memory.
ObjectData &Model() {
    static ObjectData model = [] {
        ObjectData o{};
        std::mt19937 rng(42);
        std::uniform_int_distribution<int32_t> vertex(0, kVertices - 1), corners(3, 8);
        std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
        o.pntNum = kVertices;
        o.pnt = static_cast<Vector3 *>(PvAlloc(kVertices * sizeof(Vector3)));
        o.plnNum = kPolygons;
        o.pln = static_cast<PlaneData *>(PvAlloc(kPolygons * sizeof(PlaneData)));
        for (int32_t j = 0; j < kPolygons; ++j) {
            PlaneData &p = o.pln[j];
            p = PlaneData{};
            p.cornerNum = corners(rng);
            p.corner = static_cast<int32_t *>(PvAlloc(p.cornerNum * 4));
            for (int32_t k = 0; k < p.cornerNum; ++k) p.corner[k] = vertex(rng);
            Vector3 n = {unit(rng), unit(rng), unit(rng)};
            const float l = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
            p.normal = {n.x / l, n.y / l, n.z / l};
        }
        return o;
    }();
    return model;
}

void OnePass(benchmark::State &state) {
    ObjectData &o = Model();
    for (auto _ : state) {
        SetObjectDataShadingVector(&o);
        benchmark::DoNotOptimize(o.shadingVector[kVertices - 1]);
        PvFree(o.shadingVector);
        o.shadingVector = nullptr;
    }
}

// The definition taken literally: every polygon scanned for every vertex.
void PlainScan(benchmark::State &state) {
    const ObjectData &o = Model();
    std::vector<Vector3> out(kVertices);
    for (auto _ : state) {
        for (int32_t v = 0; v < o.pntNum; ++v) {
            Vector3 sum = {0, 0, 0}, last = {0, 0, 0};
            int32_t count = 0;
            for (int32_t j = 0; j < o.plnNum; ++j) {
                const PlaneData &p = o.pln[j];
                bool uses = false;
                for (int32_t k = 0; k < p.cornerNum; ++k) uses = uses || p.corner[k] == v;
                if (!uses) continue;
                sum = {sum.x + p.normal.x, sum.y + p.normal.y, sum.z + p.normal.z};
                ++count;
                last = p.normal;
            }
            if (count == 0) {
                out[v] = {0, 0, 1};
                continue;
            }
            const Vector3 a = {sum.x / count, sum.y / count, sum.z / count};
            const float l = std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
            out[v] = l < 0.001f ? last : Vector3{a.x / l, a.y / l, a.z / l};
        }
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
}

BENCHMARK(PlainScan)->Unit(benchmark::kMicrosecond);
BENCHMARK(OnePass)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char **argv) {
    setenv("POLVEX_BACKEND", "headless", 0);
    if (OpenPolvex(0) != 1) return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ClosePolvex();
    return 0;
}
