// Faces loaded through FreeType and rendered to one-bit glyphs: cell metrics as the
// original platform defines them, per-character fallback faces, the placeholder box.
#include "font_face.h"

#include <algorithm>
#include <cmath>

#include FT_TRUETYPE_TABLES_H

namespace platform {
namespace {

// The FreeType library lives as long as the process: faces are released by objects whose
// destruction order at exit is not known, so the library must outlive them all.
FT_Library Library() {
    static FT_Library library = [] {
        FT_Library created = nullptr;
        return FT_Init_FreeType(&created) == 0 ? created : nullptr;
    }();
    return library;
}

// A pixel size beyond any screen; it keeps a wild height from asking FreeType for glyph
// bitmaps of gigabytes.
constexpr int kMaxPixels = 2048;
// Fonts searched per face for characters the main face lacks.
constexpr size_t kMaxFallbacks = 8;
// Rendered characters kept per face before the cache starts again.
constexpr size_t kMaxCachedGlyphs = 2048;

FT_Face OpenFace(const FontFile &file, int ppem) {
    FT_Library library = Library();
    if (!library) return nullptr;
    FT_Face face = nullptr;
    if (FT_New_Face(library, file.path.c_str(), file.index, &face) != 0) return nullptr;
    if (face->units_per_EM == 0 || (ppem > 0 && FT_Set_Pixel_Sizes(face, 0, ppem) != 0)) {
        FT_Done_Face(face);
        return nullptr;
    }
    return face;
}

// The face's design ascent and descent in font units. The original platform's cell is
// the Windows ascent plus descent of the OS/2 table; fonts without one use the
// horizontal header.
void DesignCell(FT_Face face, int *ascent, int *descent) {
    const auto *os2 = static_cast<const TT_OS2 *>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        *ascent = os2->usWinAscent;
        *descent = os2->usWinDescent;
    } else {
        *ascent = face->ascender;
        *descent = -face->descender;
    }
    if (*ascent + *descent <= 0) {
        *ascent = face->units_per_EM * 4 / 5;
        *descent = face->units_per_EM - *ascent;
    }
}

int RoundScale(long units, int ppem, int unitsPerEm) {
    return static_cast<int>(std::lround(static_cast<double>(units) * ppem / unitsPerEm));
}

bool IsControl(char32_t codepoint) {
    return codepoint < 0x20 || (codepoint >= 0x7F && codepoint < 0xA0);
}

}  // namespace

FontFace::~FontFace() {
    for (FT_Face face : fallbacks_) FT_Done_Face(face);
    if (main_) FT_Done_Face(main_);
}

std::unique_ptr<FontFace> FontFace::Load(const FontRequest &request) {
    FT_Face face = nullptr;
    for (const FontFile &file : FindFontFiles(request.family, request.bold, request.italic)) {
        face = OpenFace(file, 0);
        if (face) break;
    }
    if (!face) return nullptr;

    std::unique_ptr<FontFace> font(new FontFace());
    font->family_ = request.family;
    font->main_ = face;
    int designAscent = 0, designDescent = 0;
    DesignCell(face, &designAscent, &designDescent);
    const int unitsPerEm = face->units_per_EM;
    const int asked = request.height == 0 ? kDefaultCellHeight : request.height;
    // A positive height is the whole cell, so the em is what the cell's share of it comes to;
    // a negative one is the em itself, and the cell follows from the design metrics.
    if (asked > 0) {
        const int cell = std::min(asked, kMaxPixels);
        font->ppem = std::max(1, RoundScale(cell, unitsPerEm, designAscent + designDescent));
        font->height = cell;
        font->ascent = std::clamp(RoundScale(designAscent, font->ppem, unitsPerEm), 1, cell);
    } else {
        font->ppem = asked < -kMaxPixels ? kMaxPixels : -asked;
        font->ascent = RoundScale(designAscent, font->ppem, unitsPerEm);
        font->height = std::max(1, font->ascent + RoundScale(designDescent, font->ppem, unitsPerEm));
    }
    if (FT_Set_Pixel_Sizes(face, 0, font->ppem) != 0) return nullptr;
    font->BuildPlaceholder();
    return font;
}

void FontFace::BuildPlaceholder() {
    // A hollow box about half an em wide, standing on the baseline, one pixel of space on
    // either side so that a run of them stays readable as separate characters.
    Glyph &box = placeholder_;
    box.width = std::max(3, ppem / 2);
    box.rows = std::max(3, std::min(ascent, ppem) * 3 / 4);
    box.left = 1;
    box.top = box.rows;
    box.advance = box.width + 2;
    box.bits.assign(static_cast<size_t>(box.width * box.rows), 0);
    for (int y = 0; y < box.rows; ++y) {
        for (int x = 0; x < box.width; ++x) {
            const bool edge = y == 0 || y == box.rows - 1 || x == 0 || x == box.width - 1;
            box.bits[static_cast<size_t>(y * box.width + x)] = edge ? 1 : 0;
        }
    }
}

FT_Face FontFace::FaceFor(char32_t codepoint) {
    if (FT_Get_Char_Index(main_, codepoint) != 0) return main_;
    for (FT_Face face : fallbacks_) {
        if (FT_Get_Char_Index(face, codepoint) != 0) return face;
    }
    if (fallbacks_.size() >= kMaxFallbacks) return nullptr;
    FontFile file;
    if (!FindFallbackFile(family_, codepoint, &file)) return nullptr;
    FT_Face face = OpenFace(file, ppem);
    if (!face) return nullptr;
    // fontconfig's coverage and the file's character map can disagree; a face that does not
    // really have the character is no use to keep.
    if (FT_Get_Char_Index(face, codepoint) == 0) {
        FT_Done_Face(face);
        return nullptr;
    }
    fallbacks_.push_back(face);
    return face;
}

bool FontFace::Render(FT_Face face, char32_t codepoint, Glyph *glyph) const {
    if (FT_Load_Char(face, codepoint, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) return false;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap &bitmap = slot->bitmap;
    if ((bitmap.pixel_mode != FT_PIXEL_MODE_MONO && bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) ||
        bitmap.pitch < 0) {
        return false;
    }
    glyph->left = slot->bitmap_left;
    glyph->top = slot->bitmap_top;
    glyph->width = static_cast<int>(bitmap.width);
    glyph->rows = static_cast<int>(bitmap.rows);
    glyph->advance = static_cast<int>((slot->advance.x + 32) >> 6);
    glyph->bits.assign(static_cast<size_t>(glyph->width) * static_cast<size_t>(glyph->rows), 0);
    for (int y = 0; y < glyph->rows; ++y) {
        const unsigned char *row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
        for (int x = 0; x < glyph->width; ++x) {
            // Embedded grey bitmaps are thresholded, so that every face lands on whole pixels.
            const bool on = bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                                ? (row[x >> 3] & (0x80 >> (x & 7))) != 0
                                : row[x] >= 128;
            glyph->bits[static_cast<size_t>(y * glyph->width + x)] = on ? 1 : 0;
        }
    }
    return true;
}

const Glyph &FontFace::GlyphFor(char32_t codepoint) {
    if (IsControl(codepoint)) return placeholder_;
    auto found = glyphs_.find(codepoint);
    if (found != glyphs_.end()) return found->second;
    if (glyphs_.size() >= kMaxCachedGlyphs) glyphs_.clear();
    Glyph glyph;
    FT_Face face = FaceFor(codepoint);
    // A character that no face has, or that fails to render, is remembered as the box, so
    // that the font search runs once per character.
    if (!face || !Render(face, codepoint, &glyph)) glyph = placeholder_;
    return glyphs_.emplace(codepoint, std::move(glyph)).first->second;
}

}  // namespace platform
