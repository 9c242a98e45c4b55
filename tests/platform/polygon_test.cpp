// Polygon on 8-, 24- and 32-bit DIB sections: the platform's coverage rule, clipping, the pen
// outline and the nearest colour-table entry on 8 bits.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "platform/control.h"
#include "platform/win32.h"

namespace {

struct Info256 {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

// A top-down DIB section of the given depth selected into a memory DC; on 8 bits the colour
// table is a grey ramp with pure red at entry 200.
class Dib {
public:
    Dib(int width, int height, int bits) : width_(width), height_(height), bits_(bits) {
        Info256 info{};
        info.header = {40, width, -height, 1, static_cast<WORD>(bits), BI_RGB, 0, 0, 0, 0, 0};
        for (int i = 0; i < 256; ++i) info.colors[i] = {BYTE(i), BYTE(i), BYTE(i), 0};
        info.colors[200] = {0, 0, 255, 0};
        dc_ = CreateCompatibleDC(nullptr);
        void *pixels = nullptr;
        bitmap_ = CreateDIBSection(dc_, reinterpret_cast<BITMAPINFO *>(&info), DIB_RGB_COLORS, &pixels, nullptr, 0);
        pixels_ = static_cast<uint8_t *>(pixels);
        stride_ = ((bits * width + 31) / 32) * 4;
        std::memset(pixels_, 0xEE, static_cast<size_t>(stride_) * height);
        previous_ = SelectObject(dc_, bitmap_);
    }
    ~Dib() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }
    bool valid() const { return pixels_ != nullptr; }
    // First byte of pixel (x, y): the index on 8 bits, blue on 24 and 32.
    uint8_t Byte(int x, int y) const { return pixels_[y * stride_ + x * (bits_ / 8)]; }
    bool Painted(int x, int y) const { return Byte(x, y) != 0xEE; }
    std::string Shape() const {
        std::string text = "\n";
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) text += Painted(x, y) ? '#' : '.';
            text += '\n';
        }
        return text;
    }
    bool PaddingUntouched() const {
        for (int y = 0; y < height_; ++y)
            for (int i = width_ * (bits_ / 8); i < stride_; ++i)
                if (pixels_[y * stride_ + i] != 0xEE) return false;
        return true;
    }

private:
    int width_, height_, bits_, stride_ = 0;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_ = nullptr;
    uint8_t *pixels_ = nullptr;
};

void Draw(Dib &dib, const POINT *points, int count, COLORREF brushColor, bool pen) {
    HBRUSH brush = CreateSolidBrush(brushColor);
    HGDIOBJ oldBrush = SelectObject(dib.dc(), brush);
    HGDIOBJ oldPen = SelectObject(dib.dc(), GetStockObject(pen ? WHITE_PEN : NULL_PEN));
    EXPECT_TRUE(Polygon(dib.dc(), points, count));
    SelectObject(dib.dc(), oldPen);
    SelectObject(dib.dc(), oldBrush);
    DeleteObject(brush);
}

TEST(Polygon, FillsPixelCentresInsideWithoutRightAndBottomBorders) {
    for (const int bits : {8, 24, 32}) {
        Dib dib(8, 6, bits);
        ASSERT_TRUE(dib.valid());
        const POINT square[] = {{1, 1}, {5, 1}, {5, 4}, {1, 4}};
        Draw(dib, square, 4, RGB(255, 0, 0), false);
        EXPECT_EQ(dib.Shape(), "\n........\n.####...\n.####...\n.####...\n........\n........\n") << bits << " bits";
        EXPECT_TRUE(dib.PaddingUntouched());
    }
}

TEST(Polygon, TriangleCoversCentresAndMapsColourPerDepth) {
    for (const int bits : {8, 24, 32}) {
        Dib dib(8, 6, bits);
        const POINT triangle[] = {{0, 0}, {6, 0}, {0, 6}};
        Draw(dib, triangle, 3, RGB(250, 3, 2), false);
        // Row y covers centres x + 1/2 < 6 - (y + 1/2): x up to 5 - y - 1 inclusive.
        EXPECT_EQ(dib.Shape(), "\n#####...\n####....\n###.....\n##......\n#.......\n........\n") << bits;
        EXPECT_EQ(dib.Byte(0, 0), bits == 8 ? 200 : 2) << "nearest entry / stored blue";
    }
}

TEST(Polygon, AlternateFillLeavesTheOverlapOfAFoldedOutlineEmpty) {
    Dib dib(10, 4, 32);
    // Two squares traced as one outline through a shared corner path: the region covered twice
    // is outside under the alternate rule.
    const POINT folded[] = {{0, 0}, {6, 0}, {6, 4}, {4, 4}, {4, 0}, {10, 0}, {10, 4}, {0, 4}};
    Draw(dib, folded, 8, RGB(255, 255, 255), false);
    EXPECT_EQ(dib.Shape(), "\n####..####\n####..####\n####..####\n####..####\n");
}

TEST(Polygon, OutlineWithThePenIncludesRightAndBottomEdges) {
    Dib dib(7, 6, 24);
    const POINT square[] = {{1, 1}, {5, 1}, {5, 4}, {1, 4}};
    HGDIOBJ oldBrush = SelectObject(dib.dc(), GetStockObject(NULL_BRUSH));
    HGDIOBJ oldPen = SelectObject(dib.dc(), GetStockObject(WHITE_PEN));
    EXPECT_TRUE(Polygon(dib.dc(), square, 4));
    SelectObject(dib.dc(), oldPen);
    SelectObject(dib.dc(), oldBrush);
    EXPECT_EQ(dib.Shape(), "\n.......\n.#####.\n.#...#.\n.#...#.\n.#####.\n.......\n");
}

TEST(Polygon, ExtremePointsAreClippedToTheBitmap) {
    for (const int bits : {8, 24, 32}) {
        Dib dib(9, 5, bits);
        const POINT huge[] = {{INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MAX}};
        Draw(dib, huge, 4, RGB(0, 0, 255), true);
        EXPECT_EQ(dib.Shape(), "\n#########\n#########\n#########\n#########\n#########\n") << bits;
        EXPECT_TRUE(dib.PaddingUntouched());
        const POINT outside[] = {{-50, -50}, {-1, -50}, {-1, 50}};
        Dib empty(9, 5, bits);
        Draw(empty, outside, 3, RGB(0, 0, 255), true);
        EXPECT_EQ(empty.Shape(), "\n.........\n.........\n.........\n.........\n.........\n");
    }
}

TEST(Polygon, RefusesBadArguments) {
    Dib dib(4, 4, 32);
    const POINT one[] = {{1, 1}};
    EXPECT_FALSE(Polygon(dib.dc(), one, 1));
    EXPECT_FALSE(Polygon(dib.dc(), nullptr, 3));
    EXPECT_FALSE(Polygon(nullptr, one, 1));
}

}  // namespace
