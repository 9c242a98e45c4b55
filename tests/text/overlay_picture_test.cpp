// The status line and the mode label over a rendered frame on the palette display, as the
// game draws them; with POLVEX_WRITE_PICTURES=1 the frame is also written to
// docs/text_overlay.png for people to look at.
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "polvex/polvex.h"
#include "support/library_fixture.h"
#include "support/png_writer.h"

namespace pvtest {
namespace {

constexpr int kWidth = 640, kHeight = 480;
constexpr uint8_t kBlackIndex = 0, kWhiteIndex = 255;

// The frame buffer is bottom-up: the top line is the last row in memory.
uint8_t FramePixel(int x, int y) {
    return pv::g_state.frameBits[(kHeight - 1 - y) * pv::g_state.frameStride + x];
}

std::vector<uint8_t> FrameCopy() {
    const uint8_t *bits = pv::g_state.frameBits;
    return std::vector<uint8_t>(bits, bits + pv::g_state.frameStride * kHeight);
}

std::set<uint8_t> IndicesIn(int left, int top, int right, int bottom) {
    std::set<uint8_t> indices;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) indices.insert(FramePixel(x, y));
    }
    return indices;
}

// A few dithered polygons standing in for a rendered frame; one lies under both text lines.
void PaintScene() {
    PvPatBlt(0);
    const POINT floor[] = {{0, 479}, {639, 479}, {470, 260}, {170, 260}};
    const POINT wall[] = {{0, 8}, {260, 20}, {230, 150}, {0, 120}};
    const POINT ball[] = {{320, 150}, {370, 170}, {390, 220}, {360, 270}, {300, 270}, {270, 210}};
    PvFillPolygonHalftone(floor, 4, RGB(60, 120, 200));
    PvFillPolygonHalftone(wall, 4, RGB(200, 90, 40));
    PvFillPolygonHalftone(ball, 6, RGB(230, 220, 60));
}

class TextOverlay : public LibraryTest {};

TEST_F(TextOverlay, StatusLineAndModeLabelOverTheFrame) {
    Open(PLATFORM_DISPLAY_PALETTE, kWidth, kHeight);
    PaintScene();
    const uint64_t status = Font(frameDC, 1, 0, "tl", "FPS 60, Time 40, Score 0", 0xFFFFFF, 0,
                                 nullptr, 0);
    const int w = static_cast<int>(status & 0xFFFFFFFF), h = static_cast<int>(status >> 32);
    ASSERT_GT(w, 0);
    ASSERT_EQ(h, 16);
    // White on black lands on the halftone palette's own white and black, nothing between.
    EXPECT_EQ(IndicesIn(1, 0, 1 + w, h), (std::set<uint8_t>{kBlackIndex, kWhiteIndex}));

    const std::vector<uint8_t> before = FrameCopy();
    const uint64_t label = Font(frameDC, 1, h, "tl", "Halftone Paint", 0xFFFFFF, -1, nullptr, 0);
    const int lw = static_cast<int>(label & 0xFFFFFFFF), lh = static_cast<int>(label >> 32);
    ASSERT_GT(lw, 0);
    // Transparent: every pixel of the label's cell is white or what the frame had there.
    int white = 0, kept = 0;
    for (int y = h; y < h + lh; ++y) {
        for (int x = 1; x < 1 + lw; ++x) {
            const uint8_t now = FramePixel(x, y);
            const uint8_t was = before[(kHeight - 1 - y) * pv::g_state.frameStride + x];
            if (now == kWhiteIndex && was != kWhiteIndex) ++white;
            else if (now == was) ++kept;
            else ADD_FAILURE() << "pixel (" << x << ", " << y << ") became " << int(now);
        }
    }
    EXPECT_GT(white, 20);
    EXPECT_GT(kept, white);
    EXPECT_NE(IndicesIn(1, h, 1 + lw, h + lh).size(), 2u) << "the dithered wall shows through";

    const char *wanted = std::getenv("POLVEX_WRITE_PICTURES");
    if (wanted != nullptr && std::strcmp(wanted, "1") == 0) {
        const std::filesystem::path docs = std::filesystem::path(POLVEX_SOURCE_DIR) / "docs";
        std::filesystem::create_directories(docs);
        EXPECT_TRUE(WritePng8((docs / "text_overlay.png").string(), pv::g_state.frameBits, kWidth,
                              kHeight, pv::g_state.frameStride, false, pv::g_state.bitmapInfo.colors));
    }
}

}  // namespace
}  // namespace pvtest
