// A small most-recently-used cache of loaded faces, keyed by what fonts ask for.
#include "font_cache.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "kernel/fault_injection.h"

namespace platform {
namespace {

// Enough for a program's handful of text styles; loading a face costs a fontconfig sort and
// a file open, drawing with a cached one costs nothing of the kind.
constexpr size_t kCachedFaces = 8;

struct CacheEntry {
    FontRequest request;
    std::shared_ptr<FontFace> face;
};

bool SameRequest(const FontRequest &a, const FontRequest &b) {
    return a.family == b.family && a.height == b.height && a.bold == b.bold &&
           a.italic == b.italic;
}

// Most recently used first.
std::vector<CacheEntry> &Cache() {
    static std::vector<CacheEntry> cache;
    return cache;
}

std::shared_ptr<FontFace> CachedFace(const FontRequest &request) {
    std::vector<CacheEntry> &cache = Cache();
    auto found = std::find_if(cache.begin(), cache.end(), [&](const CacheEntry &entry) {
        return SameRequest(entry.request, request);
    });
    if (found != cache.end()) {
        std::rotate(cache.begin(), found, found + 1);
        return cache.front().face;
    }
    std::shared_ptr<FontFace> face(FontFace::Load(request));
    if (!face) return nullptr;
    // An evicted face lives on in the fonts that still hold it.
    if (cache.size() >= kCachedFaces) cache.pop_back();
    cache.insert(cache.begin(), CacheEntry{request, face});
    return face;
}

}  // namespace

FontFace *ResolveFontFace(Font *font) {
    if (font == nullptr || FaultArmed(PLATFORM_FAULT_NO_FONTS)) return nullptr;
    if (!font->resolved) {
        FontRequest request;
        request.family = font->faceName;
        request.height = font->height;
        request.bold = font->weight >= 600; // semi-bold and heavier
        request.italic = font->italic;
        font->face = CachedFace(request);
        // A failed lookup is tried again next time: fonts may be installed meanwhile, and
        // nothing is drawn in between either way.
        font->resolved = font->face != nullptr;
    }
    return font->face.get();
}

}  // namespace platform
