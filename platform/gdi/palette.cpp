// Logical palettes: the halftone palette, reading entries, selecting a palette into a DC and
// realising it in the platform-wide system palette.
#include <algorithm>
#include <new>
#include <optional>

#include "display_state.h"
#include "gdi_registry.h"
#include "palette_data.h"

namespace platform {
namespace {

// The colours the display shows. It starts with only the static colours, as after boot, and
// starts again whenever the emulated display is chosen anew.
struct SystemPalette {
    std::optional<int> generation;
    std::array<PALETTEENTRY, 256> entries{};
};

SystemPalette &CurrentSystemPalette() {
    static SystemPalette system;
    const int generation = DisplayGeneration();
    if (system.generation != generation) {
        system.generation = generation;
        for (int i = 0; i < 256; ++i) system.entries[i] = StaticColor(i);
    }
    return system;
}

bool SameColor(const PALETTEENTRY &a, const PALETTEENTRY &b) {
    return a.peRed == b.peRed && a.peGreen == b.peGreen && a.peBlue == b.peBlue;
}

}  // namespace

}  // namespace platform

extern "C" {

// The halftone palette of the display's own layout; a true-colour display has no layout of its
// own and gets the first.
PLATFORM_API HPALETTE CreateHalftonePalette(HDC dc) {
    using namespace platform;
    if (!IsLiveDc(dc)) return nullptr;
    auto *palette = new (std::nothrow) Palette;
    if (palette == nullptr) return nullptr;
    palette->entries = HalftonePalette(DisplayHalftoneLayout());
    palette->count = 256;
    RegisterObject(palette);
    return ToHandle<HPALETTE>(palette);
}

// Copies up to count entries from start, clamped to the palette; a null entries pointer asks
// for the palette's size.
PLATFORM_API UINT GetPaletteEntries(HPALETTE handle, UINT start, UINT count,
                                    PALETTEENTRY *entries) {
    using namespace platform;
    const auto *palette = LiveAs<Palette>(handle, GdiType::Palette);
    if (palette == nullptr) return 0;
    const auto size = static_cast<UINT>(palette->count);
    if (entries == nullptr) return size;
    if (start >= size) return 0;
    const UINT n = std::min(count, size - start);
    std::copy_n(palette->entries.begin() + start, n, entries);
    return n;
}

// Foreground and background selection behave alike: there is one application on this display.
PLATFORM_API HPALETTE SelectPalette(HDC dc, HPALETTE handle, BOOL) {
    using namespace platform;
    auto *palette = LiveAs<Palette>(handle, GdiType::Palette);
    if (!IsLiveDc(dc) || palette == nullptr) return nullptr;
    Palette *previous = dc->palette;
    if (previous == palette) return handle;
    NoteSelected(palette);
    dc->palette = palette;
    HPALETTE result = ToHandle<HPALETTE>(previous);
    NoteDeselected(previous);
    return result;
}

// Maps the DC's palette into the system palette slot for slot and reports how many system
// entries changed; a true-colour display has no system palette and maps nothing.
PLATFORM_API UINT RealizePalette(HDC dc) {
    using namespace platform;
    if (!IsLiveDc(dc) || !DisplayHasPalette()) return 0;
    SystemPalette &system = CurrentSystemPalette();
    const Palette &palette = *dc->palette;
    // The default palette holds the static colours, which sit at both ends of the system palette.
    const bool statics = palette.count == kStaticColorCount;
    UINT changed = 0;
    for (int n = 0; n < palette.count; ++n) {
        PALETTEENTRY &slot = system.entries[statics ? StaticColorSlot(n) : n];
        if (SameColor(slot, palette.entries[n])) continue;
        slot = palette.entries[n];
        ++changed;
    }
    return changed;
}

}  // extern "C"
