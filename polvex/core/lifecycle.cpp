// Opening and closing the library: work buffers, angle tables, light, display inspection.
#include "core/lifecycle.h"

#include <array>
#include <cmath>
#include <cstring>

#include "core/frame_buffer.h"
#include "core/heap.h"
#include "core/report.h"
#include "core/state.h"

namespace pv {
namespace {

// The work buffers in the order they are allocated and released, with their sizes.
struct WorkBuffer {
    void **field;
    int32_t bytes;
};

std::array<WorkBuffer, 9> WorkBuffers() {
    return {{{reinterpret_cast<void **>(&g_state.sinTable), 4 * kAngleSteps},
             {reinterpret_cast<void **>(&g_state.cosTable), 4 * kAngleSteps},
             {reinterpret_cast<void **>(&g_state.polygonList), kPolygonEntryBytes * kMaxFramePolygons},
             {reinterpret_cast<void **>(&g_state.viewDepth), 4 * kMaxObjectVertices},
             {reinterpret_cast<void **>(&g_state.viewHorz), 4 * kMaxObjectVertices},
             {reinterpret_cast<void **>(&g_state.viewVert), 4 * kMaxObjectVertices},
             {reinterpret_cast<void **>(&g_state.screenPoints), 8 * kMaxObjectVertices},
             {reinterpret_cast<void **>(&g_state.vertexUsed), kMaxObjectVertices},
             {reinterpret_cast<void **>(&g_state.polygonFacing), 4 * kMaxObjectPolygons}}};
}

void ReleaseWorkBuffers() {
    for (const WorkBuffer &buffer : WorkBuffers()) {
        PvFree(*buffer.field);
        *buffer.field = nullptr;
    }
}

// All work buffers, or none: a failed allocation gives back the ones obtained before it.
bool AllocateWorkBuffers() {
    for (const WorkBuffer &buffer : WorkBuffers()) {
        *buffer.field = PvAlloc(buffer.bytes);
        if (*buffer.field == nullptr) {
            ReleaseWorkBuffers();
            return false;
        }
    }
    return true;
}

void BuildAngleTables() {
    for (int i = 0; i < kAngleSteps; ++i) {
        const double angle = 2.0 * i * (M_PI / kAngleSteps);
        g_state.sinTable[i] = static_cast<float>(std::sin(angle));
        g_state.cosTable[i] = static_cast<float>(std::cos(angle));
    }
}

void NormaliseLight() {
    float *l = g_state.light;
    const float length = std::sqrt(l[0] * l[0] + l[1] * l[1] + l[2] * l[2]);
    for (int i = 0; i < 3; ++i) l[i] /= length;
}

void InspectDisplay() {
    HDC screen = GetDC(nullptr);
    const bool palette = (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) != 0 && GetDeviceCaps(screen, BITSPIXEL) == 8;
    g_state.paletteDevice = palette ? 1 : 0;
    g_state.halftoneVariant = 0;
    if (palette) {
        HPALETTE halftone = CreateHalftonePalette(screen);
        PALETTEENTRY entry{};
        GetPaletteEntries(halftone, 29, 1, &entry);
        g_state.halftoneVariant = (entry.peRed == 0x33 && entry.peGreen == 0 && entry.peBlue == 0) ? 0 : 1;
        DeleteObject(halftone);
    }
    ReleaseDC(nullptr, screen);
}

}  // namespace

int32_t CheckPolvexOpen() {
    if (g_state.opened == 1) return 1;
    Report("OpenPolvex()を呼ぶ前にPolvex()を呼び出しています。");
    return 0;
}

}  // namespace pv

using namespace pv;

extern "C" {

// A failed open leaves the library closed with nothing allocated, so a later open can succeed.
POLVEX_API int32_t OpenPolvex(int32_t messageFlag) {
    if (g_state.opened == 1) return 1;
    g_state.opened = 1;
    g_state.messageFlag = messageFlag;

    g_state.allocTable = static_cast<void **>(g_heap.alloc(sizeof(void *) * static_cast<size_t>(g_state.allocCapacity)));
    if (g_state.allocTable == nullptr) {
        Report(kOutOfMemory);
        g_state.opened = 0;
        return 0;
    }
    std::memset(g_state.allocTable, 0, sizeof(void *) * static_cast<size_t>(g_state.allocCapacity));
    g_state.allocCount = 0;

    if (!AllocateWorkBuffers()) {
        g_heap.free(g_state.allocTable);
        g_state.allocTable = nullptr;
        g_state.allocCount = 0;
        g_state.opened = 0;
        return 0;
    }
    BuildAngleTables();
    auto *entries = reinterpret_cast<uint8_t *>(g_state.polygonList);
    for (int i = 0; i < kMaxFramePolygons; ++i) {
        std::memset(entries + static_cast<size_t>(i) * kPolygonEntryBytes, 0, kPolygonEntryClearedBytes);
    }
    g_state.pointProc = nullptr;
    NormaliseLight();
    InspectDisplay();
    return 1;
}

POLVEX_API void ClosePolvex(void) {
    if (g_state.opened == 0) return;
    g_state.opened = 0;
    ReleaseWorkBuffers();
    if (g_state.dumpFile != nullptr) {
        std::fclose(g_state.dumpFile);
        g_state.dumpFile = nullptr;
    }
    ReleaseFrameBuffer();
    PvAllFree();
    // The emptied table goes back to the heap too, so that a later open does not leak it.
    g_heap.free(g_state.allocTable);
    g_state.allocTable = nullptr;
}

}  // extern "C"
