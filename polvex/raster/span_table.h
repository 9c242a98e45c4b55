// The span table of the 8-bit fillers and its integer edge walk, shared by the solid, halftone
// and Gouraud fills: each buffer row gets one x from a downward edge and one from an upward
// edge, and a pixel kernel chosen per polygon paints the row between them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win32.h"

namespace pv {

// Rows of the span tables, and so the tallest frame buffer that the 8-bit fills draw into;
// taller buffers are left untouched rather than drawn in part.
constexpr int kSpanRows = 4096;

// One x (or one channel value) per row for downward and for upward edges. Not cleared: every
// row between the topmost and the bottommost vertex is written by both directions first.
template <typename Entry>
struct SpanColumn {
    Entry down[kSpanRows];
    Entry up[kSpanRows];
};

struct RowRange {
    int top;
    int bottom;
    bool empty() const { return bottom - top <= 0; }
};

// Smallest and largest start row of the non-horizontal edges; a polygon lying on one row has
// none and comes out empty.
RowRange FindRowRange(const POINT *vertices, int count);

// Walks one edge from (y0, u0) to (y1, u1), y0 != y1, into table: row y0 + k receives u0 plus
// the nearest integer to k (u1 - u0) / n, exact halves toward u0, and row y1 receives u1.
template <typename Entry>
inline void WalkEdge(int y0, int y1, int32_t u0, int32_t u1, Entry *table) {
    const int step = y1 > y0 ? 1 : -1;
    const int32_t n = y1 > y0 ? y1 - y0 : y0 - y1;
    const int64_t span = static_cast<int64_t>(u1) - u0;
    const int32_t d = static_cast<int32_t>(span < 0 ? -span : span);
    const int32_t s = u1 > u0 ? 1 : -1;
    const int32_t sq = s * (d / n);
    const int32_t r = d % n;
    int32_t e = n / 2;
    int32_t u = u0;
    int y = y0;
    for (int32_t i = 0; i < n; ++i) {
        table[y] = static_cast<Entry>(u);
        y += step;
        u += sq;
        e -= r;
        if (e < 0) {
            u += s;
            e += n;
        }
    }
    table[y1] = static_cast<Entry>(u1);
}

// Walks every edge, vertex k to k + 1 and last the closing one, in that order, with the value
// valueOf(i) of vertex i: edges whose row grows write down entries, the others up entries.
template <typename Entry, typename ValueOf>
inline void WalkEdges(const POINT *vertices, int count, ValueOf valueOf, SpanColumn<Entry> &column) {
    for (int k = 0; k < count; ++k) {
        const int next = k + 1 == count ? 0 : k + 1;
        const int y0 = vertices[k].y, y1 = vertices[next].y;
        if (y0 == y1) continue;
        WalkEdge(y0, y1, valueOf(k), valueOf(next), y1 > y0 ? column.down : column.up);
    }
}

// Paints rows top to bottom inclusive: kernel(rowStart, row, downX, upX) for each.
template <typename Kernel>
inline void PaintRows(uint8_t *pixels, ptrdiff_t stride, const SpanColumn<int32_t> &xs,
                      RowRange range, Kernel &kernel) {
    uint8_t *rowStart = pixels + static_cast<ptrdiff_t>(range.top) * stride;
    for (int row = range.top; row <= range.bottom; ++row, rowStart += stride) {
        kernel(rowStart, row, xs.down[row], xs.up[row]);
    }
}

}  // namespace pv
