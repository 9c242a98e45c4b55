// Bit-block transfer (SRCCOPY): copies a rectangle between the surfaces of two DCs, converting
// 8-bit sources through their colour table when the destination is not 8 bits. This is the
// copy kernel of the drawing layer, so it writes destination rows itself.
#include <algorithm>
#include <cstring>

#include "gdi/surface.h"
#include "user/window.h"

namespace platform {
namespace {

struct Rect {
    int x, y, width, height;
};

// Clips the destination rectangle and its source origin to both surfaces together, so that
// every copied pixel exists on both sides.
bool ClipBoth(const Surface &dest, const Surface &source, Rect &d, int &sx, int &sy) {
    auto clipAxis = [](int &pos, int &src, int &len, int destLimit, int srcLimit) {
        int shift = std::max({0, -pos, -src});
        pos += shift;
        src += shift;
        len -= shift;
        len = std::min({len, destLimit - pos, srcLimit - src});
    };
    clipAxis(d.x, sx, d.width, dest.width, source.width);
    clipAxis(d.y, sy, d.height, dest.height, source.height);
    return d.width > 0 && d.height > 0;
}

uint32_t PackedColor(const RGBQUAD &entry) {
    return uint32_t{entry.rgbRed} << 16 | uint32_t{entry.rgbGreen} << 8 | entry.rgbBlue;
}

void CopyRow(const Surface &dest, uint8_t *to, const Surface &source, const uint8_t *from,
             int count) {
    const int db = dest.bitCount / 8, sb = source.bitCount / 8;
    if (dest.bitCount == source.bitCount) {
        std::memmove(to, from, static_cast<size_t>(count) * db);
        return;
    }
    if (source.bitCount == 8 && source.colorTable != nullptr) {
        // Palette indices become the colours their table names.
        for (int i = 0; i < count; ++i) {
            const uint32_t c = PackedColor(source.colorTable[from[i]]);
            std::memcpy(to + i * db, &c, 3);
            if (db == 4) to[i * db + 3] = 0;
        }
        return;
    }
    for (int i = 0; i < count; ++i) {
        const uint8_t *p = from + i * sb;
        if (db == 1) {
            to[i] = dest.colorTable != nullptr
                        ? NearestColorIndex(dest.colorTable, RGB(p[2], p[1], p[0]))
                        : 0;
            continue;
        }
        to[i * db] = p[0];
        to[i * db + 1] = p[1];
        to[i * db + 2] = p[2];
        if (db == 4) to[i * db + 3] = 0;
    }
}

}  // namespace
}  // namespace platform

// Only the plain copy is supported; other raster operations are refused.
extern "C" PLATFORM_API BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source,
                                    int sx, int sy, DWORD rop) {
    using namespace platform;
    if (rop != SRCCOPY || !IsLiveDc(dest) || !IsLiveDc(source)) return FALSE;
    const Surface to = DcSurface(dest);
    const Surface from = DcSurface(source);
    if (!to.valid() || !from.valid()) return FALSE;
    Rect d{x, y, width, height};
    if (ClipBoth(to, from, d, sx, sy)) {
        const int db = to.bitCount / 8, sb = from.bitCount / 8;
        // Rows are walked in the order that keeps an overlapping copy within one bitmap right.
        const bool upward = to.top == from.top && d.y > sy;
        for (int i = 0; i < d.height; ++i) {
            const int row = upward ? d.height - 1 - i : i;
            uint8_t *out = to.top + (d.y + row) * to.pitch + static_cast<ptrdiff_t>(d.x) * db;
            const uint8_t *in = from.top + (sy + row) * from.pitch + static_cast<ptrdiff_t>(sx) * sb;
            CopyRow(to, out, from, in, d.width);
        }
    }
    if (dest->kind == DcKind::Window) NoteWindowDrawn(dest->window);
    return TRUE;
}
