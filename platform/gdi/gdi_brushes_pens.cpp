// Solid brushes and pens.
#include <new>

#include "gdi_registry.h"

extern "C" {

PLATFORM_API HBRUSH CreateSolidBrush(COLORREF color) {
    using namespace platform;
    auto *brush = new (std::nothrow) Brush;
    if (brush == nullptr) return nullptr;
    brush->color = color;
    RegisterObject(brush);
    return ToHandle<HBRUSH>(brush);
}

// Solid and null pens only; other styles are refused. A width below 1 draws one pixel wide,
// as a width of 0 does on the original platform.
PLATFORM_API HPEN CreatePen(int style, int width, COLORREF color) {
    using namespace platform;
    if (style != PS_SOLID && style != PS_NULL) return nullptr;
    auto *pen = new (std::nothrow) Pen;
    if (pen == nullptr) return nullptr;
    pen->null = style == PS_NULL;
    pen->color = color;
    pen->width = width < 1 ? 1 : width;
    RegisterObject(pen);
    return ToHandle<HPEN>(pen);
}

}  // extern "C"
