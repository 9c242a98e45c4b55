// The output pass: the frame's polygon list drawn in the current rendering mode.
#include <cstring>

#include "core/report.h"
#include "core/state.h"
#include "polvex/polvex.h"
#include "render/dump_file.h"
#include "render/polygon_list.h"

namespace pv {

namespace {

// Wireframe: unsorted, each entry a closed outline in the stock white pen. The closing point
// is supplied in a local copy, so an entry needs no thirteenth point.
void DrawOutlines(const PolygonEntry *list, int32_t count) {
    HDC dc = g_state.memoryDC;
    HGDIOBJ previous = SelectObject(dc, GetStockObject(WHITE_PEN));
    POINT outline[kMaxEntryCorners + 1];
    for (int32_t n = 0; n < count; ++n) {
        const PolygonEntry &entry = list[n];
        const int corners = entry.cornerNum;
        std::memcpy(outline, entry.points, static_cast<size_t>(corners) * sizeof(POINT));
        outline[corners] = entry.points[0];
        Polyline(dc, outline, corners + 1);
    }
    SelectObject(dc, previous);
}

enum class Fill { Solid, Halftone, Gouraud };

// Sorted farthest first, then each entry filled; with a dump file each record is written just
// before its fill, so the file lists the polygons in drawing order.
void FillSorted(const PolygonEntry *list, int32_t count, Fill fill, bool dump) {
    uint16_t order[kMaxFramePolygons];
    SortByDepth(list, count, order);
    for (int32_t k = 0; k < count; ++k) {
        const PolygonEntry &entry = list[order[k]];
        switch (fill) {
            case Fill::Solid:
                PvFillPolygon(entry.points, entry.cornerNum, entry.color);
                break;
            case Fill::Halftone:
                if (dump) WriteDumpRecord(entry);
                PvFillPolygonHalftone(entry.points, entry.cornerNum, entry.color);
                break;
            case Fill::Gouraud:
                PvFillPolygonGouraudShading(entry.points, entry.cornerNum, entry.cornerColors);
                break;
        }
    }
}

}  // namespace

void OutputPolygons(int32_t count) {
    const PolygonEntry *list = g_state.polygonList;
    switch (g_state.modelMode) {
        case 0:
            DrawOutlines(list, count);
            break;
        case 1:
            FillSorted(list, count, Fill::Solid, false);
            break;
        case 2:
            FillSorted(list, count, Fill::Halftone, false);
            break;
        case 3:
            FillSorted(list, count, Fill::Gouraud, false);
            break;
        case 4:
            if (OpenDumpFile()) {
                FillSorted(list, count, Fill::Halftone, true);
                WriteDumpEndOfFrame();
            } else {
                FillSorted(list, count, Fill::Halftone, false);
            }
            break;
        case 999:
            break;
        default:
            ReportAlways(kBadModelModeMessage);
            break;
    }
}

}  // namespace pv
