// Scene settings: projection, near plane, rendering mode, light, angle tables, and the frame
// buffer a host may point the renderer at.
#include <cmath>

#include "core/state.h"

using namespace pv;

extern "C" {

POLVEX_API void SetScreenDistance(float distance) {
    if (distance > 0) g_state.screenDistance = distance;
}

POLVEX_API float GetScreenDistance(void) { return g_state.screenDistance; }

POLVEX_API void SetCenter(float x, float y) {
    g_state.centerX = x;
    g_state.centerY = y;
}

POLVEX_API void GetCenter(float *x, float *y) {
    // Both pointers are required; a missing one is skipped rather than written through.
    if (x != nullptr) *x = g_state.centerX;
    if (y != nullptr) *y = g_state.centerY;
}

POLVEX_API void SetClipDistance(float distance) {
    if (distance > 0) g_state.clipDistance = distance;
}

POLVEX_API float GetClipDistance(void) { return g_state.clipDistance; }

// Gouraud shading exists only on palette devices; elsewhere it falls back to halftone paint.
POLVEX_API void SetModelMode(int32_t mode) {
    g_state.modelMode = (g_state.paletteDevice == 0 && mode == 3) ? 2 : mode;
}

POLVEX_API int32_t GetModelMode(void) { return g_state.modelMode; }

POLVEX_API void SetLight(const float *direction, float ambient) {
    if (direction != nullptr) {
        const float x = direction[0], y = direction[1], z = direction[2];
        const float length = std::sqrt(x * x + y * y + z * z);
        if (length != 0) {
            g_state.light[0] = x / length;
            g_state.light[1] = y / length;
            g_state.light[2] = z / length;
        }
    }
    if (ambient >= 0 && ambient <= 1) g_state.ambient = ambient;  // NaN fails both tests
}

POLVEX_API void GetLight(float *direction, float *ambient) {
    if (direction != nullptr) {
        for (int i = 0; i < 3; ++i) direction[i] = g_state.light[i];
    }
    if (ambient != nullptr) *ambient = g_state.ambient;
}

// The tables exist only while the library is open; a closed library answers 0.
POLVEX_API float FSin(int32_t angle) { return g_state.sinTable ? g_state.sinTable[angle & 0xFFF] : 0.0f; }

POLVEX_API float FCos(int32_t angle) { return g_state.cosTable ? g_state.cosTable[angle & 0xFFF] : 0.0f; }

POLVEX_API void SetVirtualScreen(HDC dc, void *bits, HBITMAP bitmap, void * /*unused*/, int32_t width,
                                 int32_t height, int32_t stride) {
    if (dc != nullptr) g_state.memoryDC = dc;
    if (bits != nullptr) g_state.frameBits = static_cast<uint8_t *>(bits);
    if (bitmap != nullptr) g_state.frameBitmap = bitmap;
    if (width > 0) g_state.frameWidth = width;
    if (height > 0) g_state.frameHeight = height;
    if (stride > 0) g_state.frameStride = stride;
}

POLVEX_API void GetVirtualScreen(HDC *dc, void **bits, HBITMAP *bitmap, HPALETTE *palette) {
    if (dc != nullptr) *dc = g_state.memoryDC;
    if (bits != nullptr) *bits = g_state.frameBits;
    if (bitmap != nullptr) *bitmap = g_state.frameBitmap;
    if (palette != nullptr) *palette = g_state.palette;
}

}  // extern "C"
