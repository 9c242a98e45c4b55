// Helpers of the text tests: a top-down DIB section in a memory DC with a small readable
// colour table, pixel reads by colour, and the box of the pixels that drawing changed.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <set>
#include <string>

#include "platform/control.h"

namespace pvtest {

// Colour-table indices of the 8-bit canvases; every other entry is a dark grey.
enum TableIndex : uint8_t { kBlackIndex = 0, kWhiteIndex = 1, kRedIndex = 2, kBlueIndex = 3 };

// A rectangle of pixels, right and bottom exclusive; empty when nothing was found.
struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool empty() const { return right <= left || bottom <= top; }
    bool operator==(const Box &) const = default;
};

inline std::ostream &operator<<(std::ostream &out, const Box &box) {
    if (box.empty()) return out << "(empty)";
    return out << "[" << box.left << ", " << box.right << ") x [" << box.top << ", " << box.bottom
               << ")";
}

class TextCanvas {
public:
    TextCanvas(int width, int height, int bitCount) : width_(width), height_(height), bits_(bitCount) {
        struct {
            BITMAPINFOHEADER header;
            RGBQUAD colors[256];
        } description{};
        description.header.biSize = sizeof(BITMAPINFOHEADER);
        description.header.biWidth = width;
        description.header.biHeight = -height; // top-down: row y is y strides in
        description.header.biPlanes = 1;
        description.header.biBitCount = static_cast<WORD>(bitCount);
        description.header.biCompression = BI_RGB;
        for (RGBQUAD &entry : description.colors) entry = RGBQUAD{64, 64, 64, 0};
        description.colors[kBlackIndex] = RGBQUAD{0, 0, 0, 0};
        description.colors[kWhiteIndex] = RGBQUAD{255, 255, 255, 0};
        description.colors[kRedIndex] = RGBQUAD{0, 0, 255, 0};
        description.colors[kBlueIndex] = RGBQUAD{255, 0, 0, 0};
        std::memcpy(table_, description.colors, sizeof table_);
        dc_ = CreateCompatibleDC(nullptr);
        void *pixels = nullptr;
        bitmap_ = CreateDIBSection(dc_, reinterpret_cast<const BITMAPINFO *>(&description),
                                   DIB_RGB_COLORS, &pixels, nullptr, 0);
        pixels_ = static_cast<uint8_t *>(pixels);
        previous_ = SelectObject(dc_, bitmap_);
        stride_ = (bitCount * width + 31) / 32 * 4;
    }
    ~TextCanvas() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    TextCanvas(const TextCanvas &) = delete;
    TextCanvas &operator=(const TextCanvas &) = delete;

    bool ready() const { return dc_ != nullptr && bitmap_ != nullptr && pixels_ != nullptr; }
    HDC dc() const { return dc_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // Paints every pixel: on 8 bits with the table entry of exactly that colour (or entry 4).
    void Fill(COLORREF color) {
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) Put(x, y, color);
        }
    }

    void Put(int x, int y, COLORREF color) {
        uint8_t *p = pixels_ + y * stride_ + x * (bits_ / 8);
        if (bits_ == 8) {
            *p = 4;
            for (int i = 0; i < 4; ++i) {
                if (RGB(table_[i].rgbRed, table_[i].rgbGreen, table_[i].rgbBlue) == color) *p = static_cast<uint8_t>(i);
            }
            return;
        }
        p[0] = GetBValue(color);
        p[1] = GetGValue(color);
        p[2] = GetRValue(color);
    }

    // The stored byte on 8 bits; the colour as 0x00BBGGRR otherwise.
    uint32_t Raw(int x, int y) const {
        const uint8_t *p = pixels_ + y * stride_ + x * (bits_ / 8);
        return bits_ == 8 ? *p : RGB(p[2], p[1], p[0]);
    }

    COLORREF Color(int x, int y) const {
        if (bits_ != 8) return Raw(x, y);
        const RGBQUAD &q = table_[Raw(x, y)];
        return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }

    // The smallest box holding every pixel whose colour is not background.
    Box Changed(COLORREF background) const {
        Box box{width_, height_, 0, 0};
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                if (Color(x, y) == background) continue;
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
            }
        }
        return box.empty() ? Box{} : box;
    }

    int Count(const Box &box, COLORREF color) const {
        int count = 0;
        for (int y = box.top; y < box.bottom; ++y) {
            for (int x = box.left; x < box.right; ++x) count += Color(x, y) == color ? 1 : 0;
        }
        return count;
    }

    std::set<COLORREF> Colors(const Box &box) const {
        std::set<COLORREF> colors;
        for (int y = box.top; y < box.bottom; ++y) {
            for (int x = box.left; x < box.right; ++x) colors.insert(Color(x, y));
        }
        return colors;
    }

    // The pixels of box as rows of '#' (colour) and '.' (anything else), for comparing
    // drawings and for failure messages.
    std::string Picture(const Box &box, COLORREF color) const {
        std::string picture;
        for (int y = box.top; y < box.bottom; ++y) {
            for (int x = box.left; x < box.right; ++x) picture += Color(x, y) == color ? '#' : '.';
            picture += '\n';
        }
        return picture;
    }

private:
    int width_, height_, bits_;
    int stride_ = 0;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    uint8_t *pixels_ = nullptr;
    RGBQUAD table_[256]{};
};

// Clears injected faults and checks that a test gives back every GDI object it made.
class TextTest : public ::testing::Test {
protected:
    void SetUp() override { liveAtStart_ = PlatformLiveGdiObjects(); }
    void TearDown() override {
        PlatformInjectFault(PLATFORM_FAULT_NONE);
        EXPECT_EQ(PlatformLiveGdiObjects(), liveAtStart_) << "GDI objects leaked by the test";
    }

private:
    int liveAtStart_ = 0;
};

inline constexpr COLORREF kBlack = RGB(0, 0, 0);
inline constexpr COLORREF kWhite = RGB(255, 255, 255);
inline constexpr COLORREF kRed = RGB(255, 0, 0);
inline constexpr COLORREF kBlue = RGB(0, 0, 255);
inline constexpr COLORREF kGrey = RGB(64, 64, 64);

}  // namespace pvtest
