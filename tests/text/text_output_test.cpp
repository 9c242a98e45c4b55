// The platform's fonts and text: cell heights, lasting settings, opaque and transparent
// drawing on every depth, UTF-8 with Japanese and placeholder glyphs, and failure cases.
#include <climits>

#include "text/text_canvas.h"

namespace pvtest {
namespace {

HFONT MakeFont(int height, const char *face = nullptr) {
    return CreateFontA(height, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face);
}

SIZE Extent(HDC dc, const std::string &text) {
    SIZE size{-1, -1};
    EXPECT_TRUE(GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size))
        << "measuring \"" << text << "\"";
    return size;
}

// Draws text at (x, y) in white on red (opaque) or white alone (transparent).
void Draw(TextCanvas &canvas, int x, int y, const std::string &text, bool opaque) {
    SetTextColor(canvas.dc(), kWhite);
    SetBkColor(canvas.dc(), kRed);
    SetBkMode(canvas.dc(), opaque ? OPAQUE : TRANSPARENT);
    ASSERT_TRUE(TextOutA(canvas.dc(), x, y, text.c_str(), static_cast<int>(text.size())));
}

// The white pixels that text leaves on a grey canvas, as a picture.
std::string Glyphs(const std::string &text) {
    TextCanvas canvas(64, 24, 32);
    canvas.Fill(kGrey);
    Draw(canvas, 0, 0, text, false);
    return canvas.Picture(Box{0, 0, 64, 24}, kWhite);
}

using TextOutput = TextTest;

TEST_F(TextOutput, HeightSelectsTheCellOrTheEm) {
    TextCanvas canvas(8, 8, 32);
    ASSERT_TRUE(canvas.ready());
    // 0 is the default face at its default cell; positive heights are whole cells; negative
    // ones are the em, to which the face's leading and descent are added.
    const struct {
        int height;
        int minCell, maxCell;
    } cases[] = {{0, 16, 16}, {13, 13, 13}, {24, 24, 24}, {-20, 21, 30}, {-10, 11, 15}};
    for (const auto &c : cases) {
        HFONT font = MakeFont(c.height);
        HGDIOBJ previous = SelectObject(canvas.dc(), font);
        const SIZE size = Extent(canvas.dc(), "Ag");
        EXPECT_GE(size.cy, c.minCell) << "height " << c.height;
        EXPECT_LE(size.cy, c.maxCell) << "height " << c.height;
        EXPECT_GT(size.cx, 0) << "height " << c.height;
        SelectObject(canvas.dc(), previous);
        EXPECT_TRUE(DeleteObject(font));
    }
    // The stock font of a fresh memory DC is the default one.
    EXPECT_EQ(Extent(canvas.dc(), "").cy, 16);
    EXPECT_EQ(Extent(canvas.dc(), "").cx, 0);
}

TEST_F(TextOutput, WidthIsTheSumOfTheAdvances) {
    TextCanvas canvas(8, 8, 32);
    const SIZE one = Extent(canvas.dc(), "W");
    const SIZE i = Extent(canvas.dc(), "i");
    EXPECT_EQ(Extent(canvas.dc(), "WWWi").cx, 3 * one.cx + i.cx);
    EXPECT_LT(i.cx, one.cx) << "the default face is proportional";
}

TEST_F(TextOutput, SettingsLastOnTheDc) {
    TextCanvas canvas(40, 20, 32);
    HDC dc = canvas.dc();
    EXPECT_EQ(GetTextColor(dc), kBlack);
    EXPECT_EQ(GetBkColor(dc), kWhite);
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(SetTextColor(dc, kBlue), kBlack);
    EXPECT_EQ(SetBkColor(dc, kRed), kWhite);
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(SetBkMode(dc, 7), 0) << "an unknown mode is refused";
    ASSERT_TRUE(TextOutA(dc, 0, 0, "x", 1));
    EXPECT_EQ(GetTextColor(dc), kBlue);
    EXPECT_EQ(GetBkColor(dc), kRed);
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);

    EXPECT_EQ(SetTextColor(nullptr, kRed), 0xFFFFFFFFu);
    EXPECT_EQ(GetTextColor(nullptr), 0xFFFFFFFFu);
    EXPECT_EQ(SetBkColor(nullptr, kRed), 0xFFFFFFFFu);
    EXPECT_EQ(GetBkColor(nullptr), 0xFFFFFFFFu);
    EXPECT_EQ(SetBkMode(nullptr, OPAQUE), 0);
    EXPECT_EQ(GetBkMode(nullptr), 0);
}

class TextOnDepth : public TextTest, public ::testing::WithParamInterface<int> {};

TEST_P(TextOnDepth, OpaqueFillsExactlyTheCellInTwoColours) {
    TextCanvas canvas(64, 32, GetParam());
    ASSERT_TRUE(canvas.ready());
    canvas.Fill(kGrey);
    const SIZE size = Extent(canvas.dc(), "Hg");
    Draw(canvas, 5, 3, "Hg", true);
    const Box cell{5, 3, 5 + size.cx, 3 + size.cy};
    EXPECT_EQ(canvas.Changed(kGrey), cell);
    // One-bit glyphs: nothing between the text colour and the background.
    EXPECT_EQ(canvas.Colors(cell), (std::set<COLORREF>{kWhite, kRed}))
        << canvas.Picture(cell, kWhite);
    EXPECT_GT(canvas.Count(cell, kWhite), 10);
}

TEST_P(TextOnDepth, TransparentLeavesTheCellAlone) {
    TextCanvas opaque(64, 32, GetParam());
    opaque.Fill(kGrey);
    Draw(opaque, 5, 3, "Hg", true);
    TextCanvas transparent(64, 32, GetParam());
    transparent.Fill(kGrey);
    Draw(transparent, 5, 3, "Hg", false);
    const Box all{0, 0, 64, 32};
    EXPECT_EQ(transparent.Colors(all), (std::set<COLORREF>{kWhite, kGrey}));
    EXPECT_EQ(transparent.Picture(all, kWhite), opaque.Picture(all, kWhite))
        << "the same glyph pixels with either background";
}

TEST_P(TextOnDepth, ColoursBecomeTheNearestTableEntryOnEightBits) {
    TextCanvas canvas(64, 32, GetParam());
    canvas.Fill(kGrey);
    const COLORREF reddish = RGB(230, 30, 20), bluish = RGB(20, 10, 220);
    SetTextColor(canvas.dc(), reddish);
    SetBkColor(canvas.dc(), bluish);
    ASSERT_TRUE(TextOutA(canvas.dc(), 0, 0, "M", 1));
    const Box cell{0, 0, Extent(canvas.dc(), "M").cx, 16};
    const std::set<COLORREF> expected =
        GetParam() == 8 ? std::set<COLORREF>{kRed, kBlue} : std::set<COLORREF>{reddish, bluish};
    EXPECT_EQ(canvas.Colors(cell), expected);
    if (GetParam() == 8) {
        EXPECT_EQ(canvas.Raw(0, 0), kBlueIndex) << "the cell's corner is background";
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, TextOnDepth, ::testing::Values(8, 24, 32),
                         [](const auto &param) { return std::to_string(param.param) + "Bits"; });

TEST_F(TextOutput, JapaneseDrawsItsOwnGlyphs) {
    const std::string nichi = "日", hon = "本", box = "\xFF";
    const std::string drawn = Glyphs(nichi);
    EXPECT_NE(drawn.find('#'), std::string::npos) << "nothing drawn for 日";
    EXPECT_NE(drawn, Glyphs(box)) << "日 fell back to the placeholder:\n" << drawn;
    EXPECT_NE(drawn, Glyphs(hon));
    TextCanvas canvas(8, 8, 32);
    EXPECT_GE(Extent(canvas.dc(), "日本語").cx, 3 * 10) << "CJK characters are about an em wide";
}

TEST_F(TextOutput, UnknownCharactersAndBadBytesDrawAHollowBox) {
    const std::string box = Glyphs("\xFF");
    EXPECT_EQ(Glyphs("\xF4\x8F\xBF\xBD"), box) << "U+10FFFD, which no font has";
    EXPECT_EQ(Glyphs("\x01"), box) << "a control character";
    TextCanvas canvas(64, 24, 32);
    canvas.Fill(kGrey);
    Draw(canvas, 0, 0, "\xFF", false);
    const Box drawn = canvas.Changed(kGrey);
    ASSERT_FALSE(drawn.empty()) << "the placeholder is visible";
    EXPECT_GE(drawn.right - drawn.left, 3);
    EXPECT_GE(drawn.bottom - drawn.top, 3);
    EXPECT_EQ(canvas.Color(drawn.left, drawn.top), kWhite);
    EXPECT_EQ(canvas.Color((drawn.left + drawn.right) / 2, (drawn.top + drawn.bottom) / 2), kGrey)
        << canvas.Picture(drawn, kWhite);

    // Every byte that is not UTF-8 stands alone: a cut-off sequence, an overlong form, a
    // surrogate and a stray continuation byte.
    const int one = Extent(canvas.dc(), "\xFF").cx;
    EXPECT_EQ(Extent(canvas.dc(), "\xE3\x81").cx, 2 * one);
    EXPECT_EQ(Extent(canvas.dc(), "\xC0\xAF").cx, 2 * one);
    EXPECT_EQ(Extent(canvas.dc(), "\xED\xA0\x80").cx, 3 * one);
    EXPECT_EQ(Extent(canvas.dc(), "a\x80z").cx,
              Extent(canvas.dc(), "a").cx + one + Extent(canvas.dc(), "z").cx);
}

TEST_F(TextOutput, WithoutFontsTextCallsFailAndDrawNothing) {
    TextCanvas canvas(40, 20, 8);
    canvas.Fill(kGrey);
    HFONT font = MakeFont(0);
    PlatformInjectFault(PLATFORM_FAULT_NO_FONTS);
    HGDIOBJ previous = SelectObject(canvas.dc(), font);
    SIZE size{7, 7};
    EXPECT_FALSE(GetTextExtentPoint32A(canvas.dc(), "abc", 3, &size));
    EXPECT_EQ(size.cx, 0);
    EXPECT_EQ(size.cy, 0);
    EXPECT_FALSE(TextOutA(canvas.dc(), 0, 0, "abc", 3));
    EXPECT_EQ(canvas.Changed(kGrey), Box{});
    // The same font works once fonts are back.
    PlatformInjectFault(PLATFORM_FAULT_NONE);
    EXPECT_TRUE(TextOutA(canvas.dc(), 0, 0, "abc", 3));
    EXPECT_FALSE(canvas.Changed(kGrey).empty());
    SelectObject(canvas.dc(), previous);
    DeleteObject(font);
}

TEST_F(TextOutput, RefusesBadArguments) {
    TextCanvas canvas(40, 20, 32);
    SIZE size{};
    EXPECT_FALSE(GetTextExtentPoint32A(nullptr, "a", 1, &size));
    EXPECT_FALSE(GetTextExtentPoint32A(canvas.dc(), "a", -1, &size));
    EXPECT_FALSE(GetTextExtentPoint32A(canvas.dc(), nullptr, 3, &size));
    EXPECT_FALSE(GetTextExtentPoint32A(canvas.dc(), "a", 1, nullptr));
    EXPECT_FALSE(TextOutA(nullptr, 0, 0, "a", 1));
    EXPECT_FALSE(TextOutA(canvas.dc(), 0, 0, nullptr, 1));
    EXPECT_FALSE(TextOutA(canvas.dc(), 0, 0, "a", -2));
    HDC gone = CreateCompatibleDC(nullptr);
    DeleteDC(gone);
    EXPECT_FALSE(TextOutA(gone, 0, 0, "a", 1));
    // A length shorter than the string measures only that many bytes.
    EXPECT_TRUE(GetTextExtentPoint32A(canvas.dc(), "Wi", 1, &size));
    EXPECT_EQ(size.cx, Extent(canvas.dc(), "W").cx);
}

TEST_F(TextOutput, ClipsToTheBitmap) {
    TextCanvas canvas(20, 10, 32);
    canvas.Fill(kGrey);
    Draw(canvas, -7, -5, "WW", true);
    EXPECT_EQ(canvas.Changed(kGrey).left, 0);
    EXPECT_EQ(canvas.Changed(kGrey).top, 0);
    canvas.Fill(kGrey);
    Draw(canvas, 15, 6, "WW", true);
    EXPECT_EQ(canvas.Changed(kGrey), (Box{15, 6, 20, 10}));
    canvas.Fill(kGrey);
    Draw(canvas, INT_MAX - 5, 0, "WW", true);
    Draw(canvas, INT_MIN + 1, INT_MIN + 1, "WW", true);
    Draw(canvas, 0, INT_MAX, "WW", true);
    EXPECT_EQ(canvas.Changed(kGrey), Box{});
}

TEST_F(TextOutput, SelectedFontDecidesTheSize) {
    TextCanvas canvas(8, 8, 32);
    HFONT big = MakeFont(30), named = MakeFont(0, "DejaVu Sans Mono");
    HGDIOBJ stock = SelectObject(canvas.dc(), big);
    EXPECT_EQ(Extent(canvas.dc(), "x").cy, 30);
    EXPECT_EQ(SelectObject(canvas.dc(), named), big);
    EXPECT_EQ(Extent(canvas.dc(), "i").cx, Extent(canvas.dc(), "W").cx)
        << "a named monospaced face is used";
    SelectObject(canvas.dc(), stock);
    EXPECT_EQ(Extent(canvas.dc(), "x").cy, 16);
    EXPECT_TRUE(DeleteObject(big));
    EXPECT_TRUE(DeleteObject(named));
}

}  // namespace
}  // namespace pvtest
