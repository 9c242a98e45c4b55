// Internal model of the drawing layer: GDI objects, device contexts and the surfaces that
// drawing calls write into. Geometry code reduces every drawing call to spans on a Surface;
// only surface.cpp writes pixels.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32.h"

namespace platform {

enum class GdiType : uint8_t { Bitmap, Brush, Pen, Font, Palette };

// Base of every object behind an HGDIOBJ. Handles are pointers to these; the registry in
// gdi_registry.cpp knows which pointers are live, so a stale or foreign handle is refused
// instead of being dereferenced.
struct GdiObject {
    explicit GdiObject(GdiType t) : type(t) {}
    virtual ~GdiObject() = default;
    GdiType type;
    bool stock = false;    // stock objects are shared and never deleted
    int selections = 0;    // number of DCs that have it selected
    bool deletePending = false;
};

// A pixel array: the top row's address and a signed row step, so that bottom-up and top-down
// bitmaps are walked the same way. bitCount is 8 (indices into colorTable), 24 or 32.
struct Surface {
    uint8_t *top = nullptr;
    ptrdiff_t pitch = 0; // bytes from one line to the line below it
    int width = 0;
    int height = 0;
    int bitCount = 0;
    const RGBQUAD *colorTable = nullptr; // 256 entries for 8 bits
    bool valid() const { return top != nullptr && width > 0 && height > 0; }
};

struct Bitmap : GdiObject {
    Bitmap() : GdiObject(GdiType::Bitmap) {}
    std::vector<uint8_t> storage;     // pixel bytes, rows aligned to 4 bytes
    std::array<RGBQUAD, 256> colors{}; // colour table (8 bits)
    int width = 0;
    int height = 0;  // lines, always positive
    bool topDown = false;
    int bitCount = 0;
    int stride = 0;  // bytes per row in memory
    Surface surface();
};

struct Brush : GdiObject {
    Brush() : GdiObject(GdiType::Brush) {}
    bool null = false;
    COLORREF color = 0;
};

struct Pen : GdiObject {
    Pen() : GdiObject(GdiType::Pen) {}
    bool null = false;
    COLORREF color = 0;
    int width = 1;
};

struct FontFace;  // font_face.h: a loaded face at one size

struct Font : GdiObject {
    Font() : GdiObject(GdiType::Font) {}
    int height = 0;          // as given to CreateFontA (0 default, < 0 em height, > 0 cell)
    std::string faceName;    // empty: the default face
    int weight = 0;
    bool italic = false;
    std::shared_ptr<FontFace> face; // resolved lazily; null when no font could be found
    bool resolved = false;
};

struct Palette : GdiObject {
    Palette() : GdiObject(GdiType::Palette) {}
    std::array<PALETTEENTRY, 256> entries{};
    int count = 256;
};

enum class DcKind : uint8_t { Screen, Window, Memory };

}  // namespace platform

// The device context behind an HDC. Every DC starts with the stock objects selected, black
// text on an opaque white background, as on the original platform.
struct HDC__ {
    platform::DcKind kind = platform::DcKind::Memory;
    HWND window = nullptr;                  // window DCs
    platform::Bitmap *bitmap = nullptr;     // memory DCs: the selected bitmap
    platform::Brush *brush = nullptr;
    platform::Pen *pen = nullptr;
    platform::Font *font = nullptr;
    platform::Palette *palette = nullptr;
    COLORREF textColor = 0x000000;
    COLORREF bkColor = 0xFFFFFF;
    int bkMode = OPAQUE;
    bool released = false;
};

namespace platform {

// The pixels a DC draws into: the selected bitmap of a memory DC, the backing store of a
// window DC; invalid for the screen DC (nothing is drawn on the bare screen).
Surface DcSurface(HDC dc);

// The client-area pixels of a window (its backing store), from the window layer; invalid when
// window is not a live window.
Surface WindowSurface(HWND window);
// True when window is a live window.
bool IsLiveWindow(HWND window);

// True when dc is a live device context.
bool IsLiveDc(HDC dc);

// Registry of live GDI objects.
void RegisterObject(GdiObject *object);
bool IsLiveObject(const void *handle, GdiType type);
GdiObject *LiveObject(const void *handle);

// Stock objects, created on first use.
Brush *StockBrush(int index);
Pen *StockPen(int index);
Font *StockFont();
Palette *StockPalette();
Bitmap *StockBitmap(); // the 1x1 bitmap of a fresh memory DC

// Current display.
int DisplayBitsPerPixel();
bool DisplayHasPalette();
int DisplayHalftoneLayout(); // 0 or 1 on palette displays

// The system halftone palette of a layout, 256 entries.
const std::array<PALETTEENTRY, 256> &HalftonePalette(int layout);

}  // namespace platform
