// Whole frames of the renderer at 640 x 480 on the palette display, for three scenes in the
// four drawing modes: frames and polygons per second, and the frame split into listing
// (everything before the output pass), sorting and drawing.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "bench/render_scene_setup.h"

namespace {

using Clock = std::chrono::steady_clock;

// Listing alone is a frame in the mode that lists and draws nothing; sorting alone is the
// sort of the frame's list; the rest of a frame is drawing.
void SplitFrame(pvscene::Scene &scene, int32_t polygons, double frame, benchmark::State &state) {
    constexpr int kRounds = 50;
    Clock::time_point start = Clock::now();
    for (int k = 0; k < kRounds; ++k) pvbench::OurFrame(scene, 999);
    const double listing = pvbench::Seconds(Clock::now() - start) / kRounds;
    uint16_t order[pv::kMaxFramePolygons];
    start = Clock::now();
    for (int k = 0; k < kRounds; ++k) pv::SortByDepth(pv::g_state.polygonList, polygons, order);
    const double sorting = pvbench::Seconds(Clock::now() - start) / kRounds;
    state.counters["list_ms"] = listing * 1e3;
    state.counters["sort_ms"] = sorting * 1e3;
    state.counters["draw_ms"] = (frame - listing - sorting) * 1e3;
}

void BM_Frame(benchmark::State &state) {
    const int sceneId = static_cast<int>(state.range(0));
    const int mode = static_cast<int>(state.range(1));
    pvscene::Scene &scene = pvbench::GetScene(sceneId);
    if (scene.count() == 0) {
        state.SkipWithError("model file not readable");
        return;
    }
    int32_t polygons = 0;
    Clock::time_point start = Clock::now();
    for (auto _ : state) {
        polygons = pvbench::OurFrame(scene, mode);
        benchmark::DoNotOptimize(pv::g_state.frameBits[0]);
    }
    const double frame = pvbench::Seconds(Clock::now() - start) / static_cast<double>(state.iterations());
    state.SetLabel(std::string(pvbench::SceneName(sceneId)) + " mode " + std::to_string(mode));
    state.counters["polygons"] = polygons;
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["poly/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * polygons, benchmark::Counter::kIsRate);
    if (mode != 0) SplitFrame(scene, polygons, frame, state);
}

BENCHMARK(BM_Frame)
    ->ArgsProduct({{pvbench::kSpheres, pvbench::kCorridor, pvbench::kTeapot}, {0, 1, 2, 3}})
    ->ArgNames({"scene", "mode"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
