// Device contexts: the screen and window DCs handed out by GetDC, memory DCs, their
// capabilities and the selection of bitmaps, brushes, pens and fonts into them.
#include "gdi_registry.h"

namespace platform {
namespace {

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

// Every DC starts with the stock objects selected.
HDC NewDc(DcKind kind, HWND window) {
    HDC dc = new HDC__;
    dc->kind = kind;
    dc->window = window;
    dc->brush = StockBrush(WHITE_BRUSH);
    dc->pen = StockPen(BLACK_PEN);
    dc->font = StockFont();
    dc->palette = StockPalette();
    if (kind == DcKind::Memory) dc->bitmap = StockBitmap();
    for (GdiObject *o : {static_cast<GdiObject *>(dc->brush), static_cast<GdiObject *>(dc->pen),
                         static_cast<GdiObject *>(dc->font), static_cast<GdiObject *>(dc->palette),
                         static_cast<GdiObject *>(dc->bitmap)}) {
        if (o != nullptr) NoteSelected(o);
    }
    RegisterDc(dc);
    return dc;
}

void FreeDc(HDC dc) {
    UnregisterDc(dc);
    NoteDeselected(dc->brush);
    NoteDeselected(dc->pen);
    NoteDeselected(dc->font);
    NoteDeselected(dc->palette);
    NoteDeselected(dc->bitmap);
    delete dc;
}

// Puts object into slot and returns what it replaced.
template <class T>
HGDIOBJ Swap(T *&slot, T *object) {
    T *previous = slot;
    if (previous == object) return ToHandle<HGDIOBJ>(previous);
    NoteSelected(object);
    slot = object;
    HGDIOBJ handle = ToHandle<HGDIOBJ>(previous);
    NoteDeselected(previous);
    return handle;
}

// A bitmap belongs to at most one memory DC at a time; the shared placeholder is the exception.
HGDIOBJ SelectBitmap(HDC dc, Bitmap *bitmap) {
    if (dc->kind != DcKind::Memory) return nullptr;
    if (bitmap != dc->bitmap && !bitmap->stock && bitmap->selections > 0) return nullptr;
    return Swap(dc->bitmap, bitmap);
}

int Extent(HDC dc, bool horizontal) {
    if (dc->kind == DcKind::Screen) return horizontal ? kScreenWidth : kScreenHeight;
    if (dc->kind == DcKind::Memory) return horizontal ? dc->bitmap->width : dc->bitmap->height;
    const Surface surface = WindowSurface(dc->window);
    return horizontal ? surface.width : surface.height;
}

}  // namespace

Surface DcSurface(HDC dc) {
    if (!IsLiveDc(dc)) return {};
    switch (dc->kind) {
    case DcKind::Memory: return dc->bitmap->stock ? Surface{} : dc->bitmap->surface();
    case DcKind::Window: return WindowSurface(dc->window);
    case DcKind::Screen: return {};
    }
    return {};
}

}  // namespace platform

extern "C" {

PLATFORM_API HDC GetDC(HWND window) {
    using namespace platform;
    if (window == nullptr) return NewDc(DcKind::Screen, nullptr);
    return IsLiveWindow(window) ? NewDc(DcKind::Window, window) : nullptr;
}

PLATFORM_API int ReleaseDC(HWND window, HDC dc) {
    using namespace platform;
    if (!IsLiveDc(dc) || dc->kind == DcKind::Memory || dc->window != window) return 0;
    FreeDc(dc);
    return 1;
}

PLATFORM_API HDC CreateCompatibleDC(HDC dc) {
    using namespace platform;
    if (dc != nullptr && !IsLiveDc(dc)) return nullptr;
    return NewDc(DcKind::Memory, nullptr);
}

// Only memory DCs are deleted; screen and window DCs go back through ReleaseDC.
PLATFORM_API BOOL DeleteDC(HDC dc) {
    using namespace platform;
    if (!IsLiveDc(dc) || dc->kind != DcKind::Memory) return FALSE;
    FreeDc(dc);
    return TRUE;
}

// Every DC, memory DCs included, reports the display's format and palette capability; the
// resolution is the screen's, the window's client area or the selected bitmap's size.
PLATFORM_API int GetDeviceCaps(HDC dc, int index) {
    using namespace platform;
    if (!IsLiveDc(dc)) return 0;
    switch (index) {
    case BITSPIXEL: return DisplayBitsPerPixel();
    case PLANES: return 1;
    case RASTERCAPS: return DisplayHasPalette() ? RC_PALETTE : 0;
    case SIZEPALETTE: return DisplayHasPalette() ? 256 : 0;
    case HORZRES: return Extent(dc, true);
    case VERTRES: return Extent(dc, false);
    default: return 0;
    }
}

// Palettes are selected with SelectPalette, not here.
PLATFORM_API HGDIOBJ SelectObject(HDC dc, HGDIOBJ handle) {
    using namespace platform;
    GdiObject *object = LiveObject(handle);
    if (!IsLiveDc(dc) || object == nullptr) return nullptr;
    switch (object->type) {
    case GdiType::Bitmap: return SelectBitmap(dc, static_cast<Bitmap *>(object));
    case GdiType::Brush: return Swap(dc->brush, static_cast<Brush *>(object));
    case GdiType::Pen: return Swap(dc->pen, static_cast<Pen *>(object));
    case GdiType::Font: return Swap(dc->font, static_cast<Font *>(object));
    case GdiType::Palette: return nullptr;
    }
    return nullptr;
}

// Drawing is immediate, so there is never anything to flush.
PLATFORM_API BOOL GdiFlush(void) { return TRUE; }

}  // extern "C"
