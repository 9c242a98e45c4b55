// Finding font files through fontconfig: the file behind a requested typeface, and a file
// that covers one character the chosen face lacks.
#pragma once

#include <string>
#include <vector>

namespace platform {

// One face inside a font file (collections hold several).
struct FontFile {
    std::string path;
    int index = 0;
};

// The family asked for when a font names no typeface.
inline constexpr const char kDefaultFamily[] = "sans-serif";

// Scalable font files for a typeface, best match first, as fontconfig ranks them (it
// substitutes a similar face when the named one is not installed). Empty when no scalable
// font is installed at all. family empty: the default family.
std::vector<FontFile> FindFontFiles(const std::string &family, bool bold, bool italic);

// A scalable font file that has a glyph for codepoint, preferring faces like family and
// Japanese shapes (the text of this system is mostly Japanese when it leaves ASCII). False
// when no installed font covers it.
bool FindFallbackFile(const std::string &family, char32_t codepoint, FontFile *file);

}  // namespace platform
