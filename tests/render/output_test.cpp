// The output pass drawing the sorted list in the wireframe, solid and Gouraud modes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/state.h"
#include "render/polygon_entry.h"
#include "render/render_scene.h"

namespace pvtest {
namespace {

class OutputTest : public RenderTest {
protected:
    std::vector<uint8_t> Frame() const {
        return {pv::g_state.frameBits, pv::g_state.frameBits + pv::g_state.frameStride * 48};
    }
    // The window x0..x1, y0..y1 as rows of characters: '.' black, else the key of the index.
    std::string Window(int x0, int x1, int y0, int y1, const std::vector<std::pair<uint8_t, char>> &keys) const {
        std::string text;
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                char c = '?';
                for (const auto &[index, key] : keys) {
                    if (Pixel(x, y) == index) c = key;
                }
                text += c;
            }
            text += '\n';
        }
        return text;
    }
};

TEST_F(OutputTest, WireframeDrawsEachEntryAsAClosedWhiteOutline) {
    OpenFrame(64, 48);
    SetModelMode(0);
    // A square of 300 x 2 / 100 = 6 pixels to each side of the centre (32, 24).
    EXPECT_EQ(Render({Placed(Keep(MakeSquareFacingCamera(2, 255, 0, 0)), 100, 0, 0)}), 1);
    EXPECT_EQ(Window(24, 40, 16, 32, {{IndexOf(0), '.'}, {IndexOf(0xFFFFFF), '#'}}),
              ".................\n"
              ".................\n"
              "..#############..\n"
              "..#...........#..\n"
              "..#...........#..\n"
              "..#...........#..\n"
              "..#...........#..\n"
              "..#...........#..\n"
              "..#...........#..\n"
              "..#...........#..\n"
              "..#...........#..\n"
              "..#...........#..\n"
              "..#...........#..\n"
              "..#...........#..\n"
              "..#############..\n"
              ".................\n"
              ".................\n");
}

TEST_F(OutputTest, SolidModePaintsFarthestFirstWhateverTheListOrder) {
    OpenFrame(64, 48);
    SetModelMode(1);
    ObjectData *near = Keep(MakeSquareFacingCamera(2, 255, 0, 0));
    ObjectData *far = Keep(MakeSquareFacingCamera(4, 0, 0, 255));
    // Listed nearest first; the near square (columns 26 to 38) sits in front of the far one
    // (4 pixels to each side of column 36, moved right by a world y of -4 at depth 300).
    EXPECT_EQ(Render({Placed(near, 100, 0, 0, 0), Placed(far, 300, -4, 0, 0)}), 2);
    auto prelit = [](const ObjectData *m) {
        const ColorBytes c = m->pln[0].color;
        return IndexOf(static_cast<uint32_t>(c.blue) << 16 | c.green << 8 | c.red);
    };
    const uint8_t red = prelit(near), blue = prelit(far);
    ASSERT_NE(red, blue);
    EXPECT_EQ(Window(24, 40, 24, 24, {{IndexOf(0), '.'}, {red, 'r'}, {blue, 'b'}}),
              "..rrrrrrrrrrrrrbb\n");
}

TEST_F(OutputTest, GouraudModeFillsEachEntryWithItsCornerColours) {
    OpenFrame(64, 48);
    SetModelMode(3);
    ObjectData *sphere = Keep(MakeSphere(10, 6, 8, 255, 255, 255));
    const int32_t drawn = Render({Placed(sphere, 60, 0, 0)});
    ASSERT_GT(drawn, 0);
    const std::vector<uint8_t> rendered = Frame();

    // Redraw the sorted list by hand: the same fills give the same picture.
    std::vector<const pv::PolygonEntry *> entries;
    for (int n = 0; n < drawn; ++n) entries.push_back(&pv::g_state.polygonList[n]);
    std::stable_sort(entries.begin(), entries.end(),
                     [](const pv::PolygonEntry *a, const pv::PolygonEntry *b) { return a->depth > b->depth; });
    PvPatBlt(0);
    bool shaded = false;
    for (const pv::PolygonEntry *e : entries) {
        PvFillPolygonGouraudShading(e->points, e->cornerNum, e->cornerColors);
        for (int k = 1; k < e->cornerNum; ++k) shaded |= e->cornerColors[k] != e->cornerColors[0];
    }
    EXPECT_TRUE(shaded) << "corner colours come from the vertex shading vectors";
    EXPECT_EQ(rendered, Frame());
}

TEST_F(OutputTest, WireframeOnATrueColourDisplayDrawsThroughThePlatform) {
    OpenFrame(64, 48, PLATFORM_DISPLAY_TRUECOLOR);
    SetModelMode(0);
    Render({Placed(Keep(MakeSquareFacingCamera(2, 255, 0, 0)), 100, 0, 0)});
    const uint32_t *pixels = reinterpret_cast<const uint32_t *>(pv::g_state.frameBits);
    const int lineWords = pv::g_state.frameStride / 4;
    auto at = [&](int x, int y) {
        const int row = pv::g_state.frameHeight > 0 ? pv::g_state.frameHeight - 1 - y : y;
        return pixels[row * lineWords + x] & 0xFFFFFF;
    };
    EXPECT_EQ(at(26, 18), 0xFFFFFFu);
    EXPECT_EQ(at(38, 30), 0xFFFFFFu);
    EXPECT_EQ(at(32, 24), 0u);
}

}  // namespace
}  // namespace pvtest
