// Polyline: open one-pixel lines through the points with the DC's pen, clipped to its surface.
#include "gdi_registry.h"
#include "lines.h"
#include "surface.h"

// Needs at least two points. Each segment leaves out its end pixel, so shared corners are
// painted once and the final point is not painted; a closed outline repeats its first point
// last and so paints every corner exactly once. The null pen draws nothing. On an 8-bit
// surface the pen's colour becomes the nearest colour-table entry.
extern "C" PLATFORM_API BOOL Polyline(HDC dc, const POINT *points, int count) {
    using namespace platform;
    if (!IsLiveDc(dc) || points == nullptr || count < 2) return FALSE;
    const Surface surface = DcSurface(dc);
    if (!surface.valid() || dc->pen == nullptr || dc->pen->null) return TRUE;
    const PixelValue pen = MapColor(surface, dc->pen->color);
    for (int i = 0; i + 1 < count; ++i) DrawLine(surface, points[i], points[i + 1], pen);
    return TRUE;
}
