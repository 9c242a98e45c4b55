// The halftone palette's two layouts, reading entries, and palette selection and realisation.
#include <set>

#include "gdi/gdi_objects.h"
#include "gdi/palette_data.h"
#include "gdi/surface.h"
#include "gdi_test_util.h"

namespace {

class PaletteTest : public pvtest::PlatformTest {};

std::array<RGBQUAD, 256> AsColorTable(const std::array<PALETTEENTRY, 256> &palette) {
    std::array<RGBQUAD, 256> table{};
    for (int i = 0; i < 256; ++i) table[i] = {palette[i].peBlue, palette[i].peGreen, palette[i].peRed, 0};
    return table;
}

// What the library's colour cube relies on: matching a cube colour against the palette lands on
// the slot the cube table names. The only cube colours absent from the palette are the ones the
// first layout folds onto pure green and pure blue; their slot holds that system colour.
TEST_F(PaletteTest, CubeColoursMatchTheirSlotsInBothLayouts) {
    for (const int layout : {0, 1}) {
        const auto &palette = platform::HalftonePalette(layout);
        const auto table = AsColorTable(palette);
        int folded = 0;
        for (int cube = 0; cube < 216; ++cube) {
            const int r = 51 * (cube % 6), g = 51 * (cube / 6 % 6), b = 51 * (cube / 36);
            const int slot = platform::HalftoneCubeSlot(layout, cube);
            const PALETTEENTRY &entry = palette[slot];
            SCOPED_TRACE(testing::Message() << "layout " << layout << " cube " << cube << " (" << r << ","
                                            << g << "," << b << ") slot " << slot);
            if (entry.peRed != r || entry.peGreen != g || entry.peBlue != b) {
                ++folded;
                EXPECT_EQ(layout, 0);
                EXPECT_TRUE(slot == 250 || slot == 252);
                continue;
            }
            EXPECT_EQ(platform::NearestColorIndex(table.data(), RGB(r, g, b)), slot);
        }
        EXPECT_EQ(folded, layout == 0 ? 4 : 0);
    }
}

TEST_F(PaletteTest, LayoutsHoldSystemColoursAndDistinctEntries) {
    struct Slot {
        int index;
        BYTE r, g, b;
    };
    const Slot system[] = {{0, 0, 0, 0},     {249, 255, 0, 0},   {250, 0, 255, 0},   {251, 255, 255, 0},
                           {252, 0, 0, 255}, {253, 255, 0, 255}, {254, 0, 255, 255}, {255, 255, 255, 255}};
    for (const int layout : {0, 1}) {
        SCOPED_TRACE(testing::Message() << "layout " << layout);
        const auto &palette = platform::HalftonePalette(layout);
        for (const Slot &s : system) {
            EXPECT_EQ(palette[s.index].peRed, s.r) << s.index;
            EXPECT_EQ(palette[s.index].peGreen, s.g) << s.index;
            EXPECT_EQ(palette[s.index].peBlue, s.b) << s.index;
        }
        std::set<uint32_t> colours;
        for (const PALETTEENTRY &e : palette) {
            colours.insert(RGB(e.peRed, e.peGreen, e.peBlue));
            EXPECT_EQ(e.peFlags, 0);
        }
        EXPECT_EQ(colours.size(), 256u) << "every slot holds its own colour";
    }
    const auto &first = platform::HalftonePalette(0)[29];
    const auto &second = platform::HalftonePalette(1)[29];
    EXPECT_EQ(RGB(first.peRed, first.peGreen, first.peBlue), RGB(0x33, 0, 0));
    EXPECT_NE(RGB(second.peRed, second.peGreen, second.peBlue), RGB(0x33, 0, 0));
}

TEST_F(PaletteTest, CreateHalftonePaletteFollowsTheDisplay) {
    struct Case {
        PlatformDisplay display;
        int layout;
    };
    for (const Case c : {Case{PLATFORM_DISPLAY_PALETTE, 0}, Case{PLATFORM_DISPLAY_PALETTE_ALT, 1},
                         Case{PLATFORM_DISPLAY_TRUECOLOR, 0}}) {
        SCOPED_TRACE(testing::Message() << "display " << c.display);
        PlatformSetDisplay(c.display);
        HDC screen = GetDC(nullptr);
        HPALETTE palette = CreateHalftonePalette(screen);
        ASSERT_NE(palette, nullptr);
        PALETTEENTRY entries[256];
        ASSERT_EQ(GetPaletteEntries(palette, 0, 256, entries), 256u);
        const auto &expected = platform::HalftonePalette(c.layout);
        for (int i = 0; i < 256; ++i) {
            EXPECT_EQ(RGB(entries[i].peRed, entries[i].peGreen, entries[i].peBlue),
                      RGB(expected[i].peRed, expected[i].peGreen, expected[i].peBlue))
                << "entry " << i;
        }
        EXPECT_TRUE(DeleteObject(palette));
        ReleaseDC(nullptr, screen);
    }
    EXPECT_EQ(CreateHalftonePalette(nullptr), nullptr);
}

TEST_F(PaletteTest, GetPaletteEntriesIsClampedToThePalette) {
    HDC screen = GetDC(nullptr);
    HPALETTE palette = CreateHalftonePalette(screen);
    PALETTEENTRY entries[8] = {};
    const PALETTEENTRY untouched{1, 2, 3, 4};
    entries[2] = untouched;
    EXPECT_EQ(GetPaletteEntries(palette, 0, 0, nullptr), 256u);
    EXPECT_EQ(GetPaletteEntries(palette, 254, 8, entries), 2u);
    EXPECT_EQ(entries[1].peRed, 255) << "entry 255 is white";
    EXPECT_EQ(entries[2].peFlags, 4) << "nothing written past the palette's end";
    EXPECT_EQ(GetPaletteEntries(palette, 256, 1, entries), 0u);
    EXPECT_EQ(GetPaletteEntries(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), 0, 0, nullptr), 20u);
    DeleteObject(palette);
    EXPECT_EQ(GetPaletteEntries(palette, 0, 8, entries), 0u) << "stale handle";
    ReleaseDC(nullptr, screen);
}

TEST_F(PaletteTest, RealizingChangesTheSystemPaletteOnce) {
    // Choosing a display starts a fresh system palette holding only the static colours.
    PlatformSetDisplay(PLATFORM_DISPLAY_PALETTE_ALT);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HPALETTE palette = CreateHalftonePalette(screen);
    HPALETTE defaultPalette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));

    EXPECT_EQ(RealizePalette(memory), 0u) << "the default palette is the static colours";
    EXPECT_EQ(SelectPalette(memory, palette, FALSE), defaultPalette);
    // Layout 1 keeps the static colours at 0-6, 8, 9 and 246-255; slot 7 and slots 10-245 change.
    EXPECT_EQ(RealizePalette(memory), 237u);
    EXPECT_EQ(RealizePalette(memory), 0u) << "already in the system palette";
    EXPECT_EQ(SelectPalette(screen, palette, FALSE), defaultPalette);
    EXPECT_EQ(RealizePalette(screen), 0u);

    PlatformSetDisplay(PLATFORM_DISPLAY_TRUECOLOR);
    EXPECT_EQ(RealizePalette(screen), 0u) << "no system palette on true colour";

    EXPECT_EQ(SelectPalette(memory, defaultPalette, FALSE), palette);
    EXPECT_EQ(SelectPalette(screen, defaultPalette, FALSE), palette);
    EXPECT_EQ(SelectPalette(nullptr, palette, FALSE), nullptr);
    DeleteObject(palette);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

}  // namespace
