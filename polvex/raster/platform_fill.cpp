// The fill path of displays without a palette: the platform draws into the memory DC.
#include "core/state.h"
#include "raster/fillers.h"

namespace pv {

// Coverage and fill rule are the platform's (alternate fill, right and bottom borders
// excluded); the platform also clips, so the points go through unchanged.
void FillThroughPlatform(const POINT *points, int32_t count, uint32_t color) {
    HDC dc = g_state.memoryDC;
    if (dc == nullptr || points == nullptr || count < 1) return;
    HBRUSH brush = CreateSolidBrush(color);
    HGDIOBJ previousBrush = SelectObject(dc, brush);
    SelectObject(dc, GetStockObject(NULL_PEN));
    Polygon(dc, points, count);
    if (previousBrush != nullptr) SelectObject(dc, previousBrush);
    if (brush != nullptr) DeleteObject(brush);
}

}  // namespace pv
