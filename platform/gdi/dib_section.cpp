// Device-independent bitmap sections: validation of the bitmap description, allocation of the
// zero-filled pixel rows and the surface through which drawing reaches them.
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>

#include "gdi_registry.h"
#include "kernel/fault_injection.h"

namespace platform {
namespace {

// The original platform addresses a bitmap's bytes with 32-bit sizes; larger ones are refused
// rather than allowed to wrap.
constexpr int64_t kMaxBitmapBytes = std::numeric_limits<int32_t>::max();

struct DibLayout {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitCount = 0;
    int stride = 0;
    int64_t bytes = 0;
    int colorCount = 0;
};

// Checks a description and works out its layout; false for anything this platform cannot make.
bool ReadLayout(const BITMAPINFOHEADER &header, DibLayout &layout) {
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biPlanes != 1) return false;
    if (header.biCompression != BI_RGB) return false;
    const int bits = header.biBitCount;
    if (bits != 8 && bits != 24 && bits != 32) return false;
    if (header.biWidth <= 0 || header.biHeight == 0) return false;
    if (header.biHeight == std::numeric_limits<LONG>::min()) return false;
    // Rows are padded to whole 32-bit words.
    const int64_t stride = (int64_t{bits} * header.biWidth + 31) / 32 * 4;
    const int64_t lines = header.biHeight < 0 ? -int64_t{header.biHeight} : header.biHeight;
    if (stride > kMaxBitmapBytes || lines > kMaxBitmapBytes / stride) return false;
    if (bits == 8 && header.biClrUsed > 256) return false;
    layout.width = header.biWidth;
    layout.height = static_cast<int>(lines);
    layout.topDown = header.biHeight < 0;
    layout.bitCount = bits;
    layout.stride = static_cast<int>(stride);
    layout.bytes = stride * lines;
    layout.colorCount = bits != 8 ? 0 : header.biClrUsed == 0 ? 256 : static_cast<int>(header.biClrUsed);
    return true;
}

Bitmap *NewBitmap(const BITMAPINFO &info, const DibLayout &layout) {
    auto *bitmap = new (std::nothrow) Bitmap;
    if (bitmap == nullptr) return nullptr;
    try {
        bitmap->storage.assign(static_cast<size_t>(layout.bytes), 0);
    } catch (const std::bad_alloc &) {
        delete bitmap;
        return nullptr;
    }
    bitmap->width = layout.width;
    bitmap->height = layout.height;
    bitmap->topDown = layout.topDown;
    bitmap->bitCount = layout.bitCount;
    bitmap->stride = layout.stride;
    // The colour table follows the header, whatever size the header declares; entries past the
    // table's length stay black.
    const auto *table = reinterpret_cast<const uint8_t *>(&info) + info.bmiHeader.biSize;
    std::memcpy(bitmap->colors.data(), table, sizeof(RGBQUAD) * static_cast<size_t>(layout.colorCount));
    return bitmap;
}

}  // namespace

Surface Bitmap::surface() {
    Surface s;
    if (storage.empty()) return s;
    // Bottom-up bitmaps keep their top line last in memory; walking them upward through memory
    // makes every writer see top-down lines.
    s.top = topDown ? storage.data() : storage.data() + ptrdiff_t{stride} * (height - 1);
    s.pitch = topDown ? stride : -ptrdiff_t{stride};
    s.width = width;
    s.height = height;
    s.bitCount = bitCount;
    s.colorTable = bitCount == 8 ? colors.data() : nullptr;
    return s;
}

}  // namespace platform

// Only colour-table colours and memory of our own are supported: DIB_PAL_COLORS and file
// sections are refused. The dc is not needed for colour-table colours and may be null.
extern "C" PLATFORM_API HBITMAP CreateDIBSection(HDC, const BITMAPINFO *info, UINT usage,
                                                 void **bits, void *section, DWORD offset) {
    using namespace platform;
    if (bits != nullptr) *bits = nullptr;
    if (TakeFault(PLATFORM_FAULT_DIB_SECTION)) return nullptr;
    DibLayout layout;
    if (info == nullptr || usage != DIB_RGB_COLORS || section != nullptr || offset != 0) return nullptr;
    if (!ReadLayout(info->bmiHeader, layout)) return nullptr;
    Bitmap *bitmap = NewBitmap(*info, layout);
    if (bitmap == nullptr) return nullptr;
    RegisterObject(bitmap);
    const bool withholdBits = TakeFault(PLATFORM_FAULT_DIB_SECTION_BITS);
    if (bits != nullptr && !withholdBits) *bits = bitmap->storage.data();
    return ToHandle<HBITMAP>(bitmap);
}
