// The library's Font: placement codes against measured extents, stacked lines, the settings
// it leaves on the device context, measuring only, and what it returns when it cannot measure.
#include <climits>

#include "polvex/polvex.h"
#include "text/text_canvas.h"

namespace pvtest {
namespace {

constexpr int32_t kNone = -1;

struct Size {
    int w, h;
};

Size Unpack(uint64_t packed) {
    return {static_cast<int>(packed & 0xFFFFFFFFu), static_cast<int>(packed >> 32)};
}

// The extent of text in the default font, as the platform measures it.
Size Measured(const char *text) {
    TextCanvas canvas(8, 8, 32);
    SIZE size{};
    EXPECT_TRUE(GetTextExtentPoint32A(canvas.dc(), text, static_cast<int>(std::strlen(text)), &size));
    return {size.cx, size.cy};
}

// Where the opaque cell of text lands for an anchor and placement code, on a black canvas.
Box CellOf(int x, int y, const char *placement, const char *text, int width = 640,
           int height = 480) {
    TextCanvas canvas(width, height, 8);
    canvas.Fill(kBlack);
    Font(canvas.dc(), x, y, placement, text, static_cast<int32_t>(kWhite),
         static_cast<int32_t>(kRed), nullptr, 0);
    return canvas.Changed(kBlack);
}

const char *Shown(const char *placement) { return placement ? placement : "(null)"; }

using FontTest = TextTest;

TEST_F(FontTest, PlacementCodesPutTheCellAroundTheAnchor) {
    // A text of odd width, so that the centred cases show the truncated half.
    const char *text = "Placement";
    const Size s = Measured(text);
    const int x = 320, y = 240;
    const int cl = x - s.w / 2, ct = y - s.h / 2;
    enum Horizontal { Centre, Left, Right };
    enum Vertical { Middle, Top, Bottom };
    const struct {
        const char *code;
        Horizontal across;
        Vertical down;
    } cases[] = {
        {nullptr, Centre, Middle}, {"", Centre, Middle},  {"c", Centre, Middle},
        {"cl", Centre, Middle},    {"ct", Centre, Middle}, {"cbr", Centre, Middle},
        {"l", Left, Middle},       {"r", Right, Middle},   {"t", Centre, Top},
        {"b", Centre, Bottom},     {"tl", Left, Top},      {"lt", Left, Top},
        {"tr", Right, Top},        {"rt", Right, Top},     {"bl", Left, Bottom},
        {"lb", Left, Bottom},      {"br", Right, Bottom},  {"rb", Right, Bottom},
        {"tc", Centre, Top},       {"lr", Left, Middle},   {"rl", Left, Middle},
        {"tb", Centre, Top},       {"bt", Centre, Top},    {"xy", Centre, Middle},
        {"xl", Left, Middle},      {"bx", Centre, Bottom}, {"xxl", Centre, Middle},
        {"rbtl", Right, Bottom},
    };
    for (const auto &c : cases) {
        const int left = c.across == Left ? x : c.across == Right ? x - s.w : cl;
        const int top = c.down == Top ? y : c.down == Bottom ? y - s.h : ct;
        EXPECT_EQ(CellOf(x, y, c.code, text), (Box{left, top, left + s.w, top + s.h}))
            << "placement " << Shown(c.code);
    }
}

TEST_F(FontTest, CentredCornerTruncatesTheHalves) {
    // At height 13 the cell is 13 rows, so the top is 100 - 6 = 94 as with any odd height.
    TextCanvas canvas(200, 200, 8);
    canvas.Fill(kBlack);
    const Size s = Unpack(Font(canvas.dc(), 100, 100, nullptr, "Text 1", static_cast<int32_t>(kWhite),
                               static_cast<int32_t>(kRed), nullptr, 13));
    ASSERT_EQ(s.h, 13);
    const int left = 100 - s.w / 2;
    EXPECT_EQ(canvas.Changed(kBlack), (Box{left, 94, left + s.w, 94 + 13}));
}

TEST_F(FontTest, SecondLineGoesDirectlyBelowTheFirst) {
    TextCanvas canvas(640, 480, 8);
    canvas.Fill(kBlack);
    const Size first = Unpack(Font(canvas.dc(), 1, 0, "tl", "FPS 60, Time 40, Score 0",
                                   static_cast<int32_t>(kWhite), static_cast<int32_t>(kRed), nullptr, 0));
    const Size second = Unpack(Font(canvas.dc(), 1, first.h, "tl", "Halftone Paint",
                                    static_cast<int32_t>(kWhite), static_cast<int32_t>(kBlue), nullptr, 0));
    EXPECT_EQ(first.h, 16);
    const Box firstCell{1, 0, 1 + first.w, first.h};
    const Box secondCell{1, first.h, 1 + second.w, first.h + second.h};
    EXPECT_EQ(canvas.Changed(kBlack), (Box{1, 0, 1 + std::max(first.w, second.w), first.h + second.h}));
    EXPECT_EQ(canvas.Colors(firstCell), (std::set<COLORREF>{kWhite, kRed}));
    EXPECT_EQ(canvas.Colors(secondCell), (std::set<COLORREF>{kWhite, kBlue}));
}

TEST_F(FontTest, BottomRightCodeEndsTheCellAtTheAnchor) {
    const Size s = Measured("Score 0");
    // 'rb' puts the cell's exclusive right and bottom edges on the anchor: at (639, 479) the
    // last column and row stay free, at (640, 480) the text fills the frame's corner pixel.
    EXPECT_EQ(CellOf(639, 479, "rb", "Score 0"), (Box{639 - s.w, 479 - s.h, 639, 479}));
    EXPECT_EQ(CellOf(640, 480, "rb", "Score 0"), (Box{640 - s.w, 480 - s.h, 640, 480}));
}

TEST_F(FontTest, MeasuringOnlyChangesNothing) {
    TextCanvas canvas(100, 40, 32);
    canvas.Fill(kGrey);
    HDC dc = canvas.dc();
    SetTextColor(dc, kBlue);
    SetBkColor(dc, kGrey);
    SetBkMode(dc, OPAQUE);
    HFONT own = CreateFontA(30, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr);
    HGDIOBJ stock = SelectObject(dc, own);
    const int live = PlatformLiveGdiObjects();

    const Size s = Unpack(Font(dc, 10, 10, "tl", "Measure me", kNone, static_cast<int32_t>(kRed), nullptr, 0));
    EXPECT_EQ(s.w, Measured("Measure me").w);
    EXPECT_EQ(s.h, 16) << "measured in the font made for the call, not the selected one";
    EXPECT_EQ(canvas.Changed(kGrey), Box{});
    EXPECT_EQ(GetTextColor(dc), kBlue);
    EXPECT_EQ(GetBkColor(dc), kGrey);
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(PlatformLiveGdiObjects(), live) << "the call's font is deleted";
    EXPECT_EQ(SelectObject(dc, stock), own) << "the DC's own font is selected again";
    DeleteObject(own);
}

TEST_F(FontTest, DrawingLeavesItsSettingsOnTheDc) {
    TextCanvas canvas(200, 40, 24);
    HDC dc = canvas.dc();
    const int live = PlatformLiveGdiObjects();
    SetBkColor(dc, kBlue);
    Font(dc, 0, 0, "tl", "a", static_cast<int32_t>(kWhite), kNone, nullptr, 0);
    EXPECT_EQ(GetTextColor(dc), kWhite);
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    EXPECT_EQ(GetBkColor(dc), kBlue) << "a transparent call keeps the background colour";
    Font(dc, 0, 0, "tl", "a", static_cast<int32_t>(kRed), static_cast<int32_t>(kBlack), nullptr, 0);
    EXPECT_EQ(GetTextColor(dc), kRed);
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetBkColor(dc), kBlack) << "black is a colour, not transparency";
    EXPECT_EQ(PlatformLiveGdiObjects(), live);
}

TEST_F(FontTest, OpaqueAndTransparentBackgrounds) {
    TextCanvas opaque(100, 20, 8), transparent(100, 20, 8);
    opaque.Fill(kBlue);
    transparent.Fill(kBlue);
    const Size s = Unpack(Font(opaque.dc(), 0, 0, "tl", "Halftone", static_cast<int32_t>(kWhite),
                               static_cast<int32_t>(kBlack), nullptr, 0));
    Font(transparent.dc(), 0, 0, "tl", "Halftone", static_cast<int32_t>(kWhite), kNone, nullptr, 0);
    const Box cell{0, 0, s.w, s.h};
    EXPECT_EQ(opaque.Colors(cell), (std::set<COLORREF>{kWhite, kBlack}));
    EXPECT_EQ(transparent.Colors(cell), (std::set<COLORREF>{kWhite, kBlue}));
    EXPECT_EQ(opaque.Picture(cell, kWhite), transparent.Picture(cell, kWhite));
}

TEST_F(FontTest, ReturnsTheExtentPacked) {
    TextCanvas canvas(300, 60, 32);
    const uint64_t packed = Font(canvas.dc(), 0, 0, "tl", "日本語 text", static_cast<int32_t>(kWhite),
                                 kNone, nullptr, 24);
    const Size s = Unpack(packed);
    EXPECT_EQ(s.h, 24);
    EXPECT_GT(s.w, 0);
    EXPECT_EQ(packed, static_cast<uint64_t>(s.w) | (uint64_t{24} << 32));
    EXPECT_FALSE(canvas.Changed(kBlack).empty()) << "Japanese text draws";
}

TEST_F(FontTest, NothingToMeasureGivesZero) {
    EXPECT_EQ(Font(nullptr, 1, 0, "tl", "FPS", static_cast<int32_t>(kWhite), 0, nullptr, 0), 0u);
    EXPECT_EQ(Font(nullptr, 1, 0, "tl", "FPS", kNone, kNone, nullptr, 0), 0u);

    TextCanvas canvas(100, 20, 8);
    canvas.Fill(kBlue);
    PlatformInjectFault(PLATFORM_FAULT_NO_FONTS);
    EXPECT_EQ(Font(canvas.dc(), 1, 0, "tl", "FPS", static_cast<int32_t>(kWhite), 0, nullptr, 0), 0u);
    EXPECT_EQ(Font(canvas.dc(), 1, 0, "tl", "FPS", kNone, kNone, nullptr, 0), 0u);
    EXPECT_EQ(canvas.Changed(kBlue), Box{});
    PlatformInjectFault(PLATFORM_FAULT_NONE);

    // An empty or null text is no width and one cell high; nothing is drawn.
    EXPECT_EQ(Font(canvas.dc(), 1, 0, "tl", "", static_cast<int32_t>(kWhite), 0, nullptr, 0), uint64_t{16} << 32);
    EXPECT_EQ(Font(canvas.dc(), 1, 0, "tl", nullptr, static_cast<int32_t>(kWhite), 0, nullptr, 0), uint64_t{16} << 32);
    EXPECT_EQ(canvas.Changed(kBlue), Box{});
}

TEST_F(FontTest, AnchorsFarOutsideDrawNothing) {
    TextCanvas canvas(100, 20, 8);
    canvas.Fill(kBlue);
    for (const char *code : {"rb", "tl", "c"}) {
        Font(canvas.dc(), INT_MIN, INT_MIN, code, "edge", static_cast<int32_t>(kWhite), 0, nullptr, 0);
        Font(canvas.dc(), INT_MAX, INT_MAX, code, "edge", static_cast<int32_t>(kWhite), 0, nullptr, 0);
    }
    EXPECT_EQ(canvas.Changed(kBlue), Box{});
}

}  // namespace
}  // namespace pvtest
