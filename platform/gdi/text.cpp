// Fonts and text: CreateFontA, the text settings of device contexts, and measuring and
// drawing UTF-8 strings with one-bit glyphs.
#include <algorithm>
#include <cstdint>
#include <utility>

#include "font_cache.h"
#include "gdi_registry.h"
#include "surface.h"

namespace platform {
namespace {

// What the colour getters and setters answer for a device context that is not live.
constexpr COLORREF kInvalidColor = 0xFFFFFFFF;
// Stands for a byte that does not start or continue a valid UTF-8 sequence.
constexpr char32_t kInvalidByte = 0xFFFFFFFF;

bool IsContinuation(uint8_t byte) { return (byte & 0xC0) == 0x80; }

// Decodes the sequence at text[0], of at most available bytes, into *codepoint and returns
// its length. Overlong forms, surrogates and values past U+10FFFF are not UTF-8: their
// first byte decodes alone as kInvalidByte, and the bytes after it are looked at afresh.
int DecodeUtf8(const uint8_t *text, int available, char32_t *codepoint) {
    const uint8_t lead = text[0];
    *codepoint = kInvalidByte;
    if (lead < 0x80) {
        *codepoint = lead;
        return 1;
    }
    int length = 0;
    uint8_t low = 0x80, high = 0xBF; // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 1;
    }
    if (available < length || text[1] < low || text[1] > high) return 1;
    char32_t value = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        if (!IsContinuation(text[i])) return 1;
        value = (value << 6) | (text[i] & 0x3F);
    }
    *codepoint = value;
    return length;
}

// Calls draw(glyph, pen) for each character of text, pen being the glyph's offset from the
// text's start; returns the sum of the advances.
template <class Draw>
int64_t ForEachGlyph(FontFace &face, const char *text, int length, Draw draw) {
    const auto *bytes = reinterpret_cast<const uint8_t *>(text);
    int64_t pen = 0;
    for (int i = 0; i < length;) {
        char32_t codepoint = 0;
        i += DecodeUtf8(bytes + i, length - i, &codepoint);
        const Glyph &glyph =
            codepoint == kInvalidByte ? face.Placeholder() : face.GlyphFor(codepoint);
        draw(glyph, pen);
        pen += glyph.advance;
    }
    return pen;
}

int64_t TextWidth(FontFace &face, const char *text, int length) {
    return ForEachGlyph(face, text, length, [](const Glyph &, int64_t) {});
}

// The face of a live DC's font, or null when the call cannot measure or draw.
FontFace *TextFace(HDC dc, const char *text, int length) {
    if (!IsLiveDc(dc) || length < 0 || (text == nullptr && length > 0)) return nullptr;
    return ResolveFontFace(dc->font != nullptr ? dc->font : StockFont());
}

// The part of a rectangle in 64-bit coordinates that lies on the surface.
struct Clip {
    int64_t left, top, right, bottom;
    bool empty() const { return left >= right || top >= bottom; }
};

Clip ClipToSurface(const Surface &surface, int64_t left, int64_t top, int64_t right,
                   int64_t bottom) {
    return {std::max<int64_t>(left, 0), std::max<int64_t>(top, 0),
            std::min<int64_t>(right, surface.width), std::min<int64_t>(bottom, surface.height)};
}

// Paints the set bits of glyph with its pen at (penX, baseline), as runs, inside clip.
void DrawGlyph(const Surface &surface, const Glyph &glyph, int64_t penX, int64_t baseline,
               const Clip &clip, PixelValue color) {
    const int64_t originX = penX + glyph.left;
    const int64_t originY = baseline - glyph.top;
    for (int row = 0; row < glyph.rows; ++row) {
        const int64_t y = originY + row;
        if (y < clip.top || y >= clip.bottom) continue;
        const uint8_t *bits = glyph.bits.data() + static_cast<size_t>(row * glyph.width);
        for (int column = 0; column < glyph.width;) {
            if (!bits[column]) {
                ++column;
                continue;
            }
            const int start = column;
            while (column < glyph.width && bits[column]) ++column;
            const int64_t x0 = std::max(originX + start, clip.left);
            const int64_t x1 = std::min(originX + column, clip.right);
            if (x0 < x1) {
                FillSpan(surface, static_cast<int>(y), static_cast<int>(x0), static_cast<int>(x1),
                         color);
            }
        }
    }
}

}  // namespace
}  // namespace platform

extern "C" {

PLATFORM_API HFONT CreateFontA(int height, int, int, int, int weight, DWORD italic, DWORD,
                               DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, LPCSTR faceName) {
    using namespace platform;
    // The face itself is looked up when the font first measures or draws, as on the original
    // platform, where creating a font only records what is asked for.
    auto *font = new Font;
    font->height = height;
    font->weight = weight;
    font->italic = italic != 0;
    if (faceName != nullptr) font->faceName = faceName;
    RegisterObject(font);
    return ToHandle<HFONT>(font);
}

PLATFORM_API COLORREF SetTextColor(HDC dc, COLORREF color) {
    if (!platform::IsLiveDc(dc)) return platform::kInvalidColor;
    return std::exchange(dc->textColor, color);
}

PLATFORM_API COLORREF GetTextColor(HDC dc) {
    return platform::IsLiveDc(dc) ? dc->textColor : platform::kInvalidColor;
}

PLATFORM_API COLORREF SetBkColor(HDC dc, COLORREF color) {
    if (!platform::IsLiveDc(dc)) return platform::kInvalidColor;
    return std::exchange(dc->bkColor, color);
}

PLATFORM_API COLORREF GetBkColor(HDC dc) {
    return platform::IsLiveDc(dc) ? dc->bkColor : platform::kInvalidColor;
}

PLATFORM_API int SetBkMode(HDC dc, int mode) {
    if (!platform::IsLiveDc(dc) || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    return std::exchange(dc->bkMode, mode);
}

PLATFORM_API int GetBkMode(HDC dc) { return platform::IsLiveDc(dc) ? dc->bkMode : 0; }

// The width is the sum of the characters' advances and the height the font's cell height,
// whatever the text holds; an empty text is 0 wide and one cell high.
PLATFORM_API BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int length, SIZE *size) {
    using namespace platform;
    if (size == nullptr) return FALSE;
    *size = SIZE{0, 0};
    FontFace *face = TextFace(dc, text, length);
    if (face == nullptr) return FALSE;
    const int64_t width = TextWidth(*face, text, length);
    size->cx = static_cast<LONG>(std::min<int64_t>(width, INT32_MAX));
    size->cy = face->height;
    return TRUE;
}

// Draws the text with its cell's top-left corner at (x, y). The opaque background covers the
// cell exactly (the extent's width by the cell height), and glyphs are kept inside the same
// rectangle, so that nothing is painted outside the measured extent.
PLATFORM_API BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int length) {
    using namespace platform;
    FontFace *face = TextFace(dc, text, length);
    if (face == nullptr) return FALSE;
    const Surface surface = DcSurface(dc);
    if (!surface.valid()) return TRUE; // a DC without pixels takes the text and shows nothing
    const int64_t width = TextWidth(*face, text, length);
    const Clip clip = ClipToSurface(surface, x, y, int64_t{x} + width, int64_t{y} + face->height);
    if (clip.empty()) return TRUE;
    if (dc->bkMode == OPAQUE) {
        const RECT cell{static_cast<LONG>(clip.left), static_cast<LONG>(clip.top),
                        static_cast<LONG>(clip.right), static_cast<LONG>(clip.bottom)};
        FillRect(surface, cell, MapColor(surface, dc->bkColor));
    }
    const PixelValue color = MapColor(surface, dc->textColor);
    const int64_t baseline = int64_t{y} + face->ascent;
    ForEachGlyph(*face, text, length, [&](const Glyph &glyph, int64_t pen) {
        DrawGlyph(surface, glyph, int64_t{x} + pen, baseline, clip, color);
    });
    return TRUE;
}

}  // extern "C"
