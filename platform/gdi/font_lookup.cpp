// Font file lookup through fontconfig.
#include "font_lookup.h"

#include <fontconfig/fontconfig.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace platform {
namespace {

// The configuration is loaded once and kept for the life of the process; fontconfig's own
// scans of the font directories are what make a lookup slow, so they must not repeat.
FcConfig *Config() {
    static FcConfig *config = [] {
#if defined(__SANITIZE_ADDRESS__)
        // fontconfig's configuration parser loses a few hundred bytes once per process; the
        // leak checker is told about that one allocation burst so that it keeps watching ours.
        __lsan_disable();
        FcConfig *loaded = FcInitLoadConfigAndFonts();
        __lsan_enable();
        return loaded;
#else
        return FcInitLoadConfigAndFonts();
#endif
    }();
    return config;
}

// Owns a pattern or font set for the length of one lookup.
struct PatternHolder {
    FcPattern *pattern;
    ~PatternHolder() {
        if (pattern) FcPatternDestroy(pattern);
    }
};
struct FontSetHolder {
    FcFontSet *set;
    ~FontSetHolder() {
        if (set) FcFontSetDestroy(set);
    }
};
struct CharSetHolder {
    FcCharSet *set;
    ~CharSetHolder() {
        if (set) FcCharSetDestroy(set);
    }
};

FcPattern *RequestPattern(const std::string &family, bool bold, bool italic) {
    FcPattern *pattern = FcPatternCreate();
    if (!pattern) return nullptr;
    const std::string &name = family.empty() ? std::string(kDefaultFamily) : family;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(name.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    return pattern;
}

// Fills file from a sorted candidate when it is a scalable face stored in a file.
bool UsableFile(FcPattern *candidate, FontFile *file) {
    FcBool scalable = FcFalse;
    if (FcPatternGetBool(candidate, FC_SCALABLE, 0, &scalable) != FcResultMatch || !scalable) {
        return false;
    }
    FcChar8 *path = nullptr;
    if (FcPatternGetString(candidate, FC_FILE, 0, &path) != FcResultMatch || !path) return false;
    int index = 0;
    if (FcPatternGetInteger(candidate, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
    file->path = reinterpret_cast<const char *>(path);
    file->index = index;
    return true;
}

// The installed fonts ordered by closeness to pattern, after the configuration's and the
// default substitutions.
FcFontSet *SortedFonts(FcPattern *pattern) {
    FcConfig *config = Config();
    if (!config) return nullptr;
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    return FcFontSort(config, pattern, FcFalse, nullptr, &result);
}

}  // namespace

std::vector<FontFile> FindFontFiles(const std::string &family, bool bold, bool italic) {
    std::vector<FontFile> files;
    PatternHolder pattern{RequestPattern(family, bold, italic)};
    if (!pattern.pattern) return files;
    FontSetHolder sorted{SortedFonts(pattern.pattern)};
    if (!sorted.set) return files;
    // A few candidates are enough: a file that FreeType refuses is rare, and the rest of the
    // list holds faces that look less and less like the request.
    constexpr size_t kCandidates = 4;
    for (int i = 0; i < sorted.set->nfont && files.size() < kCandidates; ++i) {
        FontFile file;
        if (UsableFile(sorted.set->fonts[i], &file)) files.push_back(file);
    }
    return files;
}

bool FindFallbackFile(const std::string &family, char32_t codepoint, FontFile *file) {
    PatternHolder pattern{RequestPattern(family, false, false)};
    if (!pattern.pattern) return false;
    CharSetHolder wanted{FcCharSetCreate()};
    if (!wanted.set || !FcCharSetAddChar(wanted.set, codepoint)) return false;
    FcPatternAddCharSet(pattern.pattern, FC_CHARSET, wanted.set);
    FcPatternAddString(pattern.pattern, FC_LANG, reinterpret_cast<const FcChar8 *>("ja"));
    FontSetHolder sorted{SortedFonts(pattern.pattern)};
    if (!sorted.set) return false;
    for (int i = 0; i < sorted.set->nfont; ++i) {
        FcPattern *candidate = sorted.set->fonts[i];
        FcCharSet *covered = nullptr;
        if (FcPatternGetCharSet(candidate, FC_CHARSET, 0, &covered) != FcResultMatch) continue;
        if (FcCharSetHasChar(covered, codepoint) && UsableFile(candidate, file)) return true;
    }
    return false;
}

}  // namespace platform
