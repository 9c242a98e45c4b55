// A loaded face at one pixel size: its cell metrics and its characters as one-bit glyph
// bitmaps, with faces found per character for what the main face lacks.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "font_lookup.h"

namespace platform {

// A character ready to draw: coverage bits (one byte per pixel, 0 or 1, rows top first),
// placed relative to the pen on the baseline.
struct Glyph {
    int left = 0;     // pixels from the pen to the bitmap's first column
    int top = 0;      // pixels from the baseline up to the bitmap's first row
    int width = 0;
    int rows = 0;
    int advance = 0;  // pixels the pen moves on
    std::vector<uint8_t> bits;
};

// The size a font asks for, in the platform's terms.
struct FontRequest {
    std::string family; // empty: the default family
    int height = 0;     // 0 default, < 0 em height, > 0 cell height
    bool bold = false;
    bool italic = false;
};

// The cell height of a font that asks for none.
inline constexpr int kDefaultCellHeight = 16;

struct FontFace {
    ~FontFace();
    FontFace(const FontFace &) = delete;
    FontFace &operator=(const FontFace &) = delete;

    // Loads the best installed match for request; null when no font can be loaded at all.
    static std::unique_ptr<FontFace> Load(const FontRequest &request);

    int ascent = 0;  // cell rows above the baseline
    int height = 0;  // cell height: ascent plus the rows below the baseline
    int ppem = 0;    // pixels per em every face of this font is rendered at

    // The glyph of codepoint: from the main face, from a face found for it, or the hollow
    // box that stands for a character no installed font has (and for control characters).
    const Glyph &GlyphFor(char32_t codepoint);
    // The hollow box, also drawn for bytes that are not UTF-8.
    const Glyph &Placeholder() const { return placeholder_; }

private:
    FontFace() = default;
    FT_Face FaceFor(char32_t codepoint);
    bool Render(FT_Face face, char32_t codepoint, Glyph *glyph) const;
    void BuildPlaceholder();

    std::string family_;
    FT_Face main_ = nullptr;
    std::vector<FT_Face> fallbacks_;
    std::unordered_map<char32_t, Glyph> glyphs_;
    Glyph placeholder_;
};

}  // namespace platform
