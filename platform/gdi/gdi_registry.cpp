// The registry of live GDI objects, the stock objects, and object deletion.
#include "gdi_registry.h"

#include <unordered_set>

#include "palette_data.h"
#include "platform/control.h"

namespace platform {
namespace {

// Handles are compared as addresses and never dereferenced until found here.
std::unordered_set<const void *> &Objects() {
    static std::unordered_set<const void *> objects;
    return objects;
}

std::unordered_set<const void *> &Dcs() {
    static std::unordered_set<const void *> dcs;
    return dcs;
}

void Destroy(GdiObject *object) {
    Objects().erase(object);
    delete object;
}

template <class T>
T *MakeStock(T *object) {
    object->stock = true;
    RegisterObject(object);
    return object;
}

Brush *NewStockBrush(bool null, COLORREF color) {
    auto *brush = new Brush;
    brush->null = null;
    brush->color = color;
    return MakeStock(brush);
}

Pen *NewStockPen(bool null, COLORREF color) {
    auto *pen = new Pen;
    pen->null = null;
    pen->color = color;
    return MakeStock(pen);
}

}  // namespace

void RegisterObject(GdiObject *object) { Objects().insert(object); }

GdiObject *LiveObject(const void *handle) {
    if (handle == nullptr || !Objects().contains(handle)) return nullptr;
    auto *object = static_cast<GdiObject *>(const_cast<void *>(handle));
    return object->deletePending ? nullptr : object;
}

bool IsLiveObject(const void *handle, GdiType type) {
    const GdiObject *object = LiveObject(handle);
    return object != nullptr && object->type == type;
}

void NoteSelected(GdiObject *object) { ++object->selections; }

void NoteDeselected(GdiObject *object) {
    if (object == nullptr) return;
    --object->selections;
    if (object->selections == 0 && object->deletePending) Destroy(object);
}

void RegisterDc(HDC dc) { Dcs().insert(dc); }
void UnregisterDc(HDC dc) { Dcs().erase(dc); }
bool IsLiveDc(HDC dc) { return dc != nullptr && Dcs().contains(dc); }

// Stock objects live as long as the program; they are made on first use so that nothing
// depends on the order of static initialisation.
Brush *StockBrush(int index) {
    static Brush *white = NewStockBrush(false, RGB(255, 255, 255));
    static Brush *black = NewStockBrush(false, RGB(0, 0, 0));
    static Brush *null = NewStockBrush(true, 0);
    switch (index) {
    case WHITE_BRUSH: return white;
    case BLACK_BRUSH: return black;
    case NULL_BRUSH: return null;
    default: return nullptr;
    }
}

Pen *StockPen(int index) {
    static Pen *white = NewStockPen(false, RGB(255, 255, 255));
    static Pen *black = NewStockPen(false, RGB(0, 0, 0));
    static Pen *null = NewStockPen(true, 0);
    switch (index) {
    case WHITE_PEN: return white;
    case BLACK_PEN: return black;
    case NULL_PEN: return null;
    default: return nullptr;
    }
}

Font *StockFont() {
    static Font *font = MakeStock(new Font);
    return font;
}

// The default palette holds only the static colours, as on the original platform.
Palette *StockPalette() {
    static Palette *palette = [] {
        auto *p = new Palette;
        p->count = kStaticColorCount;
        for (int n = 0; n < kStaticColorCount; ++n) p->entries[n] = StaticColor(StaticColorSlot(n));
        return MakeStock(p);
    }();
    return palette;
}

// A fresh memory DC draws into this 1x1 placeholder; DcSurface never hands it out, so nothing
// can paint into a bitmap that every memory DC shares.
Bitmap *StockBitmap() {
    static Bitmap *bitmap = [] {
        auto *b = new Bitmap;
        b->width = 1;
        b->height = 1;
        b->bitCount = 1;
        b->stride = 4;
        b->storage.assign(4, 0);
        return MakeStock(b);
    }();
    return bitmap;
}

}  // namespace platform

extern "C" {

PLATFORM_API HGDIOBJ GetStockObject(int index) {
    using namespace platform;
    switch (index) {
    case WHITE_BRUSH:
    case BLACK_BRUSH:
    case NULL_BRUSH: return static_cast<GdiObject *>(StockBrush(index));
    case WHITE_PEN:
    case BLACK_PEN:
    case NULL_PEN: return static_cast<GdiObject *>(StockPen(index));
    case SYSTEM_FONT: return static_cast<GdiObject *>(StockFont());
    case DEFAULT_PALETTE: return static_cast<GdiObject *>(StockPalette());
    default: return nullptr;
    }
}

// An object still selected into a DC is only marked: the handle stops working at once, and the
// object itself goes when its last DC lets go of it.
PLATFORM_API BOOL DeleteObject(HGDIOBJ handle) {
    using namespace platform;
    GdiObject *object = LiveObject(handle);
    if (object == nullptr) return FALSE;
    if (object->stock) return TRUE;
    if (object->selections > 0) {
        object->deletePending = true;
        return TRUE;
    }
    Destroy(object);
    return TRUE;
}

PLATFORM_API int PlatformLiveGdiObjects(void) {
    int count = 0;
    for (const void *handle : platform::Objects()) {
        if (!static_cast<const platform::GdiObject *>(handle)->stock) ++count;
    }
    return count;
}

}  // extern "C"
