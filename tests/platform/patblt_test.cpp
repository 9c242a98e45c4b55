// PatBlt on DIB sections of every depth: the clipped rectangle gets the brush, nothing else
// changes, and on 8 bits the brush becomes the nearest colour-table entry.
#include <string>
#include <vector>

#include "gdi/gdi_objects.h"
#include "gdi_test_util.h"

namespace {

using pvtest::DibCanvas;
using pvtest::DibInfo;

class PatBltTest : public pvtest::PlatformTest {};

// Row r of memory as text, one character per byte: '.' for 0, '#' for the fill byte, '?' else.
std::string RowBytes(const uint8_t *bits, int stride, int row, uint8_t fill) {
    std::string out;
    for (int i = 0; i < stride; ++i) {
        const uint8_t v = bits[row * stride + i];
        out += v == 0 ? '.' : v == fill ? '#' : '?';
    }
    return out;
}

DibInfo GreyTable(int width, int height, int bitCount = 8) {
    DibInfo description(width, height, bitCount);
    for (int i = 0; i < 256; ++i) {
        const auto v = static_cast<BYTE>(i);
        description.colors[i] = {v, v, v, 0};
    }
    return description;
}

// Memory rows of a 3-pixel-wide, 4-line bitmap after filling pixels 1-2 of lines 1-5: the
// rectangle is clipped at the right and bottom edges and the row padding is left alone.
TEST_F(PatBltTest, FillsTheClippedRectangleAtEveryDepth) {
    struct Case {
        int bitCount;
        int height;
        std::vector<std::string> rows; // memory order
    };
    const Case cases[] = {
        {8, -4, {"....", ".##.", ".##.", ".##."}},
        {8, 4, {".##.", ".##.", ".##.", "...."}},
        {24, -4, {"............", "...######...", "...######...", "...######..."}},
        {32, -4, {"............", "....###.###.", "....###.###.", "....###.###."}},
        {32, 4, {"....###.###.", "....###.###.", "....###.###.", "............"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.bitCount << " bits, height " << c.height);
        const DibInfo description = GreyTable(3, c.height, c.bitCount);
        DibCanvas canvas(description);
        HBRUSH brush = CreateSolidBrush(RGB(0x40, 0x40, 0x40));
        HGDIOBJ previous = SelectObject(canvas.dc, brush);
        EXPECT_TRUE(PatBlt(canvas.dc, 1, 1, 10, 10, PATCOPY));
        const int stride = static_cast<int>(c.rows[0].size());
        std::vector<std::string> rows;
        for (int r = 0; r < 4; ++r) rows.push_back(RowBytes(canvas.bits, stride, r, 0x40));
        EXPECT_EQ(rows, c.rows);
        SelectObject(canvas.dc, previous);
        DeleteObject(brush);
    }
}

TEST_F(PatBltTest, TrueColourPixelsAreBlueGreenRed) {
    for (const int bitCount : {24, 32}) {
        SCOPED_TRACE(bitCount);
        DibCanvas canvas(DibInfo(1, -1, bitCount));
        HBRUSH brush = CreateSolidBrush(RGB(0x11, 0x22, 0x33));
        HGDIOBJ previous = SelectObject(canvas.dc, brush);
        PatBlt(canvas.dc, 0, 0, 1, 1, PATCOPY);
        EXPECT_EQ(canvas.bits[0], 0x33);
        EXPECT_EQ(canvas.bits[1], 0x22);
        EXPECT_EQ(canvas.bits[2], 0x11);
        if (bitCount == 32) {
            EXPECT_EQ(canvas.bits[3], 0);
        }
        SelectObject(canvas.dc, previous);
        DeleteObject(brush);
    }
}

TEST_F(PatBltTest, EightBitsTakeTheNearestTableEntry) {
    DibInfo description(4, -1, 8);
    description.colors[0] = {0, 0, 0, 0};
    description.colors[1] = {0, 0, 200, 0};   // red 200
    description.colors[2] = {200, 0, 0, 0};   // blue 200
    description.colors[3] = {0, 200, 200, 0}; // yellow
    for (int i = 4; i < 256; ++i) description.colors[i] = {255, 255, 255, 0};
    DibCanvas canvas(description);
    struct Case {
        COLORREF color;
        uint8_t index;
    };
    int x = 0;
    for (const Case c : {Case{RGB(250, 10, 0), 1}, Case{RGB(0, 0, 120), 2}, Case{RGB(180, 150, 20), 3},
                         Case{RGB(255, 255, 250), 4}}) {
        HBRUSH brush = CreateSolidBrush(c.color);
        HGDIOBJ previous = SelectObject(canvas.dc, brush);
        PatBlt(canvas.dc, x, 0, 1, 1, PATCOPY);
        EXPECT_EQ(canvas.bits[x], c.index) << "colour 0x" << std::hex << c.color;
        SelectObject(canvas.dc, previous);
        DeleteObject(brush);
        ++x;
    }
}

TEST_F(PatBltTest, RopsAndEdgeCases) {
    const DibInfo description = GreyTable(4, -2);
    DibCanvas canvas(description);
    const std::vector<uint8_t> zeros(8, 0);
    const auto bytes = [&] { return std::vector<uint8_t>(canvas.bits, canvas.bits + 8); };

    EXPECT_TRUE(PatBlt(canvas.dc, 0, 0, 4, 2, WHITENESS));
    EXPECT_EQ(bytes(), std::vector<uint8_t>(8, 255));
    EXPECT_TRUE(PatBlt(canvas.dc, 0, 0, 4, 2, BLACKNESS));
    EXPECT_EQ(bytes(), zeros);

    HGDIOBJ previous = SelectObject(canvas.dc, GetStockObject(NULL_BRUSH));
    EXPECT_TRUE(PatBlt(canvas.dc, 0, 0, 4, 2, PATCOPY));
    EXPECT_EQ(bytes(), zeros) << "the null brush paints nothing";

    SelectObject(canvas.dc, GetStockObject(WHITE_BRUSH));
    EXPECT_TRUE(PatBlt(canvas.dc, 3, 2, -2, -1, PATCOPY)) << "negative extents turn around";
    EXPECT_EQ(bytes(), (std::vector<uint8_t>{0, 0, 0, 0, 0, 255, 255, 0}));
    EXPECT_TRUE(PatBlt(canvas.dc, -5, -5, 4, 4, PATCOPY));
    EXPECT_TRUE(PatBlt(canvas.dc, INT32_MAX - 1, 0, INT32_MAX, 2, PATCOPY));
    EXPECT_EQ(bytes(), (std::vector<uint8_t>{0, 0, 0, 0, 0, 255, 255, 0})) << "wholly outside";
    EXPECT_FALSE(PatBlt(canvas.dc, 0, 0, 4, 2, SRCCOPY));
    EXPECT_EQ(bytes(), (std::vector<uint8_t>{0, 0, 0, 0, 0, 255, 255, 0}));
    SelectObject(canvas.dc, previous);

    EXPECT_FALSE(PatBlt(nullptr, 0, 0, 1, 1, PATCOPY));
    HDC screen = GetDC(nullptr);
    EXPECT_TRUE(PatBlt(screen, 0, 0, 640, 480, PATCOPY)) << "the bare screen accepts and paints nothing";
    ReleaseDC(nullptr, screen);
    HDC fresh = CreateCompatibleDC(nullptr);
    EXPECT_TRUE(PatBlt(fresh, 0, 0, 1, 1, WHITENESS));
    EXPECT_FALSE(platform::DcSurface(fresh).valid()) << "the shared placeholder bitmap is never drawn into";
    DeleteDC(fresh);
}

}  // namespace
