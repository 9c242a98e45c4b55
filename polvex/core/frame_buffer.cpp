// The frame buffer: a DIB section in a memory device context, its halftone palette on
// palette displays, clearing, and realising the palette in a window.
#include "core/frame_buffer.h"

#include <cstdlib>
#include <cstring>
#include <utility>

#include "core/color_cube.h"
#include "core/report.h"
#include "core/state.h"

namespace pv {
namespace {

// What the library created itself, so that closing gives back exactly that: the memory DC
// and the bitmap and palette that were selected into it when it was new.
HDC s_ownedDC = nullptr;
HGDIOBJ s_originalBitmap = nullptr;
HPALETTE s_originalPalette = nullptr;

int32_t StrideFor(int bitCount, int32_t width) {
    return static_cast<int32_t>(((static_cast<int64_t>(bitCount) * width + 31) / 32) * 4);
}

void SetDimensions(int32_t width, int32_t height) {
    BITMAPINFOHEADER &h = g_state.bitmapInfo.header;
    h.biWidth = width;
    h.biHeight = height;
    g_state.frameWidth = width;
    g_state.frameHeight = height;
    g_state.frameStride = StrideFor(h.biBitCount, width);
}

void CreateContext(HWND window, int32_t width, int32_t height) {
    HDC windowDC = GetDC(window);
    std::memset(&g_state.bitmapInfo, 0, sizeof g_state.bitmapInfo);
    BITMAPINFOHEADER &h = g_state.bitmapInfo.header;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biPlanes = 1;
    h.biBitCount = static_cast<WORD>(GetDeviceCaps(windowDC, BITSPIXEL));
    h.biCompression = BI_RGB;
    SetDimensions(width, height);

    if (g_state.paletteDevice != 0) {
        g_state.palette = CreateHalftonePalette(windowDC);
        static_assert(sizeof(PALETTEENTRY) == sizeof(RGBQUAD));
        GetPaletteEntries(g_state.palette, 0, 256, reinterpret_cast<PALETTEENTRY *>(g_state.bitmapInfo.colors));
        // Palette entries are red, green, blue, flags; a colour table wants blue first.
        for (RGBQUAD &q : g_state.bitmapInfo.colors) std::swap(q.rgbBlue, q.rgbRed);
    }
    g_state.memoryDC = CreateCompatibleDC(windowDC);
    ReleaseDC(window, windowDC);
    s_ownedDC = g_state.memoryDC;
    if (g_state.paletteDevice != 0) {
        s_originalPalette = SelectPalette(g_state.memoryDC, g_state.palette, FALSE);
    }
}

// A new bitmap section of the current dimensions replaces the selected one. On failure the
// previous bitmap stays selected and owned, and frameBits is null so nothing is drawn.
HDC ReplaceBitmap(HWND window) {
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(g_state.memoryDC, reinterpret_cast<const BITMAPINFO *>(&g_state.bitmapInfo),
                                      DIB_RGB_COLORS, &bits, nullptr, 0);
    g_state.frameBits = static_cast<uint8_t *>(bits);
    if (bitmap == nullptr) {
        Report("CreateDIBSection()でビットマップが生成できませんでした。", window);
        return nullptr;
    }
    if (bits == nullptr) {
        DeleteObject(bitmap);
        Report("CreateDIBSection()でビットマップのアドレスが取得できませんでした。", window);
        return nullptr;
    }
    HGDIOBJ replaced = SelectObject(g_state.memoryDC, bitmap);
    if (g_state.memoryDC == s_ownedDC && s_originalBitmap == nullptr) {
        s_originalBitmap = replaced;  // the context's own bitmap, put back when closing
    } else if (replaced != nullptr) {
        DeleteObject(replaced);
    }
    g_state.frameBitmap = bitmap;
    return g_state.memoryDC;
}

}  // namespace

void ReleaseFrameBuffer() {
    if (g_state.memoryDC != nullptr && g_state.memoryDC == s_ownedDC) {
        // Put the context's own objects back first, so that ours are no longer selected.
        if (s_originalBitmap != nullptr) SelectObject(s_ownedDC, s_originalBitmap);
        if (s_originalPalette != nullptr) SelectPalette(s_ownedDC, s_originalPalette, FALSE);
    }
    if (g_state.frameBitmap != nullptr) DeleteObject(g_state.frameBitmap);
    if (g_state.palette != nullptr) DeleteObject(g_state.palette);
    g_state.frameBitmap = nullptr;
    g_state.palette = nullptr;
    if (g_state.memoryDC != nullptr && g_state.memoryDC == s_ownedDC) {
        DeleteDC(s_ownedDC);
        g_state.memoryDC = nullptr;
        g_state.frameBits = nullptr;
    }
    s_ownedDC = nullptr;
    s_originalBitmap = nullptr;
    s_originalPalette = nullptr;
}

}  // namespace pv

using namespace pv;

extern "C" {

POLVEX_API HDC ResizePolvex(HWND window, int32_t width, int32_t height) {
    if (g_state.memoryDC == nullptr) {
        CreateContext(window, width, height);
    } else {
        SetDimensions(width, height);
    }
    return ReplaceBitmap(window);
}

POLVEX_API void PvPatBlt(uint32_t color) {
    if (g_state.paletteDevice == 0) {
        HBRUSH brush = CreateSolidBrush(color);
        HGDIOBJ previous = SelectObject(g_state.memoryDC, brush);
        // A top-down buffer has a negative height; its rectangle is the same lines.
        PatBlt(g_state.memoryDC, 0, 0, g_state.frameWidth, std::abs(g_state.frameHeight), PATCOPY);
        SelectObject(g_state.memoryDC, previous);
        DeleteObject(brush);
        return;
    }
    if (g_state.frameBits == nullptr) return;
    // Every byte of the buffer, the row ends included, takes the index; memset writes the
    // same bytes as the word loop and lets the C library pick the widest stores.
    const uint8_t index = PaletteIndex(color, g_state.halftoneVariant);
    const size_t words = static_cast<size_t>(g_state.frameStride) * static_cast<size_t>(FrameLines()) / 4;
    std::memset(g_state.frameBits, index, words * 4);
}

POLVEX_API int32_t PvRealizePalette(HDC dc) {
    if (g_state.paletteDevice == 0 || dc == nullptr || g_state.palette == nullptr) return 0;
    SelectPalette(dc, g_state.palette, FALSE);
    return static_cast<int32_t>(RealizePalette(dc));
}

}  // extern "C"
