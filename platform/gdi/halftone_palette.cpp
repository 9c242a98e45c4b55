// The system halftone palette in its two layouts, and the static colours every palette display
// reserves.
#include "palette_data.h"

#include <cstddef>

namespace platform {
namespace {

// Where each colour of the 6x6x6 cube (r + 6 g + 36 b, levels 0 to 5, channel = 51 x level)
// sits in each layout. This is the display's own arrangement; the library's colour cube is
// built to agree with it.
constexpr uint8_t kCubeSlot[2 * 216] = {
    // Layout 0; one line per blue level and three green levels.
      0, 29, 30, 31, 32,249,   33, 34, 35, 36, 37, 38,   39, 40, 41, 42, 43, 44,
     45, 46, 47, 48, 49, 50,   51, 52, 53, 54, 55, 56,  250,250, 57, 58, 59,251,
     60, 61, 62, 63, 64, 65,   66, 67, 68, 69, 70, 71,   72, 73, 74, 75, 76, 77,
     78, 79, 80, 81, 82, 83,   84, 85, 86, 87, 88, 89,  250, 90, 91, 92, 93, 94,
     95, 96, 97, 98, 99,100,  101,102,103,104,105,106,  107,108,109,110,111,227,
    112,113,114,115,116,117,  118,119,151,120,121,122,  123,124,228,125,126,229,
    133,162,135,131,132,137,  166,134,140,130,136,143,  138,139,174,141,142,177,
    129,144,145,146,147,148,  149,150,157,152,153,154,  155,156,192,158,159,160,
    161,196,163,164,165,127,  199,167,168,169,170,171,  172,173,207,175,176,210,
    178,179,180,181,182,183,  184,185,186,187,188,189,  190,191,224,193,194,195,
    252,252,197,198,128,253,  252,200,201,202,203,204,  205,206,230,208,209,231,
    211,212,213,214,215,216,  217,218,219,220,221,222,  254,223,232,225,226,255,
    // Layout 1; one line per blue level and three green levels.
      0, 10, 11, 12, 13,249,   14, 15, 16, 17, 18, 19,   20, 21, 22, 23, 24, 25,
     26, 27, 28, 29, 30, 31,   32, 33, 34, 35, 36, 37,  250, 38, 39, 40, 41,251,
     42, 43, 44, 45, 46, 47,   48, 49, 50, 51, 52, 53,   54, 55, 56, 57, 58, 59,
     60, 61, 62, 63, 64, 65,   66, 67, 68, 69, 70, 71,   72, 73, 74, 75, 76, 77,
     78, 79, 80, 81, 82, 83,   84, 85, 86, 87, 88, 89,   90, 91, 92, 93, 94, 95,
     96, 97, 98, 99,100,101,  102,103,104,105,106,107,  108,109,110,111,112,113,
    114,115,116,117,118,119,  120,121,122,123,124,125,  126,127,128,129,130,131,
    132,133,134,135,136,137,  138,139,140,141,142,143,  144,145,146,147,148,149,
    150,151,152,153,154,155,  156,157,158,159,160,161,  162,163,164,165,166,167,
    168,169,170,171,172,173,  174,175,176,177,  7,178,  179,180,181,182,183,184,
    252,185,186,187,188,253,  189,190,191,192,193,194,  195,196,197,198,199,200,
    201,202,203,204,205,206,  207,208,209,210,211,212,  254,213,214,215,216,255,
};

// The twenty colours a palette display keeps fixed: ten at the bottom, ten at the top.
constexpr PALETTEENTRY kStaticColors[kStaticColorCount] = {
    {0, 0, 0, 0},       {128, 0, 0, 0},     {0, 128, 0, 0},     {128, 128, 0, 0},
    {0, 0, 128, 0},     {128, 0, 128, 0},   {0, 128, 128, 0},   {192, 192, 192, 0},
    {192, 220, 192, 0}, {166, 202, 240, 0}, {255, 251, 240, 0}, {160, 160, 164, 0},
    {128, 128, 128, 0}, {255, 0, 0, 0},     {0, 255, 0, 0},     {255, 255, 0, 0},
    {0, 0, 255, 0},     {255, 0, 255, 0},   {0, 255, 255, 0},   {255, 255, 255, 0},
};

bool IsSystemColorSlot(int index) { return index == 0 || index >= 249; }

// Fills the slots that no cube colour reaches. They must never equal a cube colour, or matching
// a cube colour against the palette could land on the wrong slot: the static colours are off
// the 51-step grid, and the greys skip every multiple of 51 and the static greys.
void FillUnusedSlots(std::array<PALETTEENTRY, 256> &entries, const std::array<bool, 256> &used) {
    int grey = 3;
    for (int i = 0; i < 256; ++i) {
        if (used[i]) continue;
        if (i < 10 || i >= 246) {
            entries[i] = StaticColor(i);
            continue;
        }
        while (grey % 51 == 0 || grey == 128 || grey == 192) grey += 7;
        const auto v = static_cast<BYTE>(grey);
        entries[i] = {v, v, v, 0};
        grey += 7;
    }
}

std::array<PALETTEENTRY, 256> BuildLayout(int layout) {
    std::array<PALETTEENTRY, 256> entries{};
    std::array<bool, 256> used{};
    for (int cube = 0; cube < 216; ++cube) {
        const int slot = kCubeSlot[216 * layout + cube];
        used[slot] = true;
        // Layout 0 sends a few cube colours next to pure green and pure blue onto those system
        // colours; the slot keeps the system colour itself.
        if (IsSystemColorSlot(slot)) {
            entries[slot] = StaticColor(slot);
            continue;
        }
        const auto level = [](int n) { return static_cast<BYTE>(51 * n); };
        entries[slot] = {level(cube % 6), level(cube / 6 % 6), level(cube / 36), 0};
    }
    FillUnusedSlots(entries, used);
    return entries;
}

}  // namespace

PALETTEENTRY StaticColor(int index) {
    if (index >= 0 && index < 10) return kStaticColors[index];
    if (index >= 246 && index < 256) return kStaticColors[index - 236];
    return {0, 0, 0, 0};
}

int StaticColorSlot(int n) { return n < 10 ? n : n + 236; }

uint8_t HalftoneCubeSlot(int layout, int cube) { return kCubeSlot[216 * layout + cube]; }

const std::array<PALETTEENTRY, 256> &HalftonePalette(int layout) {
    static const std::array<PALETTEENTRY, 256> layouts[2] = {BuildLayout(0), BuildLayout(1)};
    return layouts[layout == 1 ? 1 : 0];
}

}  // namespace platform
