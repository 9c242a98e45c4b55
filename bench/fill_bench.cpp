// Throughput of the three 8-bit fillers on a 640 x 480 frame, in pixels per second and as a
// share of memset's throughput over the same number of bytes measured in the same run.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <vector>

#include "core/state.h"
#include "polvex/polvex.h"

namespace {

constexpr int kWidth = 640, kHeight = 480;

std::vector<uint8_t> &Frame() {
    static std::vector<uint8_t> frame(static_cast<size_t>(kWidth) * kHeight);
    return frame;
}

// The fillers read only the frame state, so the benchmark points it at its own buffer on an
// emulated palette display without opening the library.
void AttachFrame() {
    pv::g_state.paletteDevice = 1;
    pv::g_state.halftoneVariant = 0;
    pv::g_state.frameBits = Frame().data();
    pv::g_state.frameWidth = kWidth;
    pv::g_state.frameHeight = -kHeight;
    pv::g_state.frameStride = kWidth;
}

struct Shape {
    std::vector<POINT> points;
    std::vector<uint32_t> colors;
};

Shape MakeShape(int which) {
    switch (which) {
    case 0: return {{{0, 0}, {639, 0}, {639, 479}, {0, 479}}, {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF}};
    case 1: return {{{100, 100}, {163, 110}, {120, 163}}, {0x3080F0, 0xF02010, 0x10F060}};
    default: return {{{300, 200}, {307, 202}, {302, 207}}, {0x3080F0, 0xF02010, 0x10F060}};
    }
}

const char *ShapeName(int which) { return which == 0 ? "fullscreen" : (which == 1 ? "tri64" : "tri8"); }

int PaintedPixels(const Shape &shape) {
    std::fill(Frame().begin(), Frame().end(), 0);
    PvFillPolygon(shape.points.data(), static_cast<int32_t>(shape.points.size()), 0xFFFFFF);
    int count = 0;
    for (uint8_t byte : Frame()) count += byte != 0;
    return count;
}

// memset of the same number of bytes, timed here so that both figures come from one run.
double MemsetBytesPerSecond(size_t bytes) {
    uint8_t *target = Frame().data();
    size_t repeats = 0;
    const auto start = std::chrono::steady_clock::now();
    auto now = start;
    while (now - start < std::chrono::milliseconds(50)) {
        for (int i = 0; i < 64; ++i, ++repeats) {
            std::memset(target, static_cast<int>(repeats & 0xFF), bytes);
            benchmark::ClobberMemory();
        }
        now = std::chrono::steady_clock::now();
    }
    return static_cast<double>(bytes) * repeats / std::chrono::duration<double>(now - start).count();
}

enum Filler { kSolid, kHalftone, kGouraud };

void BM_Fill(benchmark::State &state) {
    const Filler filler = static_cast<Filler>(state.range(0));
    AttachFrame();
    const Shape shape = MakeShape(static_cast<int>(state.range(1)));
    const int pixels = PaintedPixels(shape);
    const double memsetRate = MemsetBytesPerSecond(static_cast<size_t>(pixels));
    const int32_t count = static_cast<int32_t>(shape.points.size());
    for (auto _ : state) {
        switch (filler) {
        case kSolid: PvFillPolygon(shape.points.data(), count, 0x2060C0); break;
        case kHalftone: PvFillPolygonHalftone(shape.points.data(), count, 0x2060C0); break;
        case kGouraud: PvFillPolygonGouraudShading(shape.points.data(), count, shape.colors.data()); break;
        }
        benchmark::ClobberMemory();
    }
    const double done = static_cast<double>(pixels) * state.iterations();
    state.SetItemsProcessed(static_cast<int64_t>(done));
    state.counters["pixels"] = pixels;
    state.counters["vs_memset"] = benchmark::Counter(done / memsetRate, benchmark::Counter::kIsRate);
    state.SetLabel(std::string(filler == kSolid ? "solid " : (filler == kHalftone ? "halftone " : "gouraud ")) +
                   ShapeName(static_cast<int>(state.range(1))));
}

// Wall time: both the fills and the memset baseline are timed by the same clock.
BENCHMARK(BM_Fill)->ArgsProduct({{kSolid, kHalftone, kGouraud}, {0, 1, 2}})->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
