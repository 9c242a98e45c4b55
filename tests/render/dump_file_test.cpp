// The frame dump of ModelMode 4: the file's exact bytes, its order against the fills, and the
// fall-back when it cannot be created.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/state.h"
#include "render/render_scene.h"

namespace pvtest {
namespace {

std::vector<uint8_t> ReadDump() {
    std::ifstream in("POLVEX.3DQ", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Hex(const std::vector<uint8_t> &bytes, size_t from = 0) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (size_t k = from; k < bytes.size(); ++k) {
        if (k > from) text += ' ';
        text += digits[bytes[k] >> 4];
        text += digits[bytes[k] & 15];
    }
    return text;
}

const char kTag[] = "51 75 6F 72 76 61 6E 74 69 63 33 44 20 46 72 61 6D 65 73 00";  // "Quorvantic3D Frames"

class DumpFileTest : public RenderTest {
protected:
    void SetUp() override { std::filesystem::remove_all("POLVEX.3DQ"); }
    void TearDown() override {
        RenderTest::TearDown();
        std::filesystem::remove_all("POLVEX.3DQ");
    }
    // The library writes through a buffer that only its close flushes.
    static std::vector<uint8_t> FlushAndRead() {
        if (pv::g_state.dumpFile) std::fflush(pv::g_state.dumpFile);
        return ReadDump();
    }
};

TEST_F(DumpFileTest, EmptyFramesWriteTheTagOnceAndOneEndMarkerEach) {
    OpenFrame(64, 48);
    SetModelMode(4);
    EXPECT_EQ(Render({}), 0);
    EXPECT_EQ(Render({}), 0);
    EXPECT_EQ(Hex(FlushAndRead()), std::string(kTag) + " FF FF FF FF");
    // Closing flushes and closes the file; nothing more is written.
    ClosePolvex();
    EXPECT_EQ(pv::g_state.dumpFile, nullptr);
    EXPECT_EQ(Hex(ReadDump()), std::string(kTag) + " FF FF FF FF");
}

TEST_F(DumpFileTest, OneTriangleIsOneRecordOfCornersAndColour) {
    OpenFrame(64, 48);
    SetModelMode(4);
    // Unlit, so the record carries the pre-lit colour; corners (32,24) (42,24) (32,14).
    ObjectData *triangle = Keep(MakePolygonModel({{0, 0, 0}, {0, 10, 0}, {0, 0, 10}}, 255, 0, 0));
    camera.x = -300;
    // Seen from -x the minimal triangle faces away; turned round it faces the camera.
    ObjectStruct turned = Placed(triangle, 0, 0, 0, 0);
    turned.yaw = 2048;
    EXPECT_EQ(Render({turned}), 1);
    const ColorBytes c = triangle->pln[0].color;
    char colour[16];
    std::snprintf(colour, sizeof colour, "%02X %02X %02X", c.red, c.green, c.blue);
    EXPECT_EQ(Hex(FlushAndRead(), 20),
              std::string("03 ") + colour +
                  " 20 00 00 00 18 00 00 00"
                  " 2A 00 00 00 18 00 00 00"
                  " 20 00 00 00 0E 00 00 00"
                  " FF FF");
}

TEST_F(DumpFileTest, RecordsFollowTheDrawingOrderFarthestFirst) {
    OpenFrame(64, 48);
    SetModelMode(4);
    // Three overlapping squares listed nearest first; the record order must be the reverse,
    // and replaying the records as halftone fills must give the same picture.
    ObjectData *red = Keep(MakeSquareFacingCamera(10, 255, 0, 0));
    ObjectData *green = Keep(MakeSquareFacingCamera(10, 0, 255, 0));
    ObjectData *blue = Keep(MakeSquareFacingCamera(10, 0, 0, 255));
    EXPECT_EQ(Render({Placed(red, 100, 0, 0, 0), Placed(green, 200, 8, 0, 0), Placed(blue, 300, 16, 0, 0)}), 3);
    std::vector<uint8_t> frame(pv::g_state.frameBits,
                               pv::g_state.frameBits + pv::g_state.frameStride * 48);
    PvPatBlt(0);

    const std::vector<uint8_t> dump = FlushAndRead();
    std::vector<uint32_t> colours;
    size_t at = 20;
    while (at < dump.size() && dump[at] != 0xFF) {
        const int n = dump[at];
        colours.push_back(dump[at + 1] | dump[at + 2] << 8 | dump[at + 3] << 16);
        std::vector<POINT> points(n);
        for (int k = 0; k < n; ++k) {
            std::memcpy(&points[k].x, &dump[at + 4 + 8 * k], 4);
            std::memcpy(&points[k].y, &dump[at + 8 + 8 * k], 4);
        }
        PvFillPolygonHalftone(points.data(), n, colours.back());
        at += 4 + 8 * n;
    }
    EXPECT_EQ(at + 2, dump.size());
    ASSERT_EQ(colours.size(), 3u);
    auto channel = [](uint32_t colour, int shift) { return (colour >> shift) & 0xFF; };
    EXPECT_GT(channel(colours[0], 16), 0u) << "blue, farthest, first";
    EXPECT_GT(channel(colours[1], 8), 0u) << "green second";
    EXPECT_GT(channel(colours[2], 0), 0u) << "red, nearest, last";
    EXPECT_TRUE(std::equal(frame.begin(), frame.end(), pv::g_state.frameBits));
}

TEST_F(DumpFileTest, FileThatCannotBeCreatedFallsBackToHalftone) {
    std::filesystem::create_directory("POLVEX.3DQ");
    OpenFrame(64, 48);
    ObjectData *square = Keep(MakeSquareFacingCamera(10, 0, 200, 0));
    SetModelMode(2);
    Render({Placed(square, 100, 0, 0)});
    std::vector<uint8_t> halftone(pv::g_state.frameBits, pv::g_state.frameBits + pv::g_state.frameStride * 48);
    PvPatBlt(0);

    SetModelMode(4);
    messages.clear();
    EXPECT_EQ(Render({Placed(square, 100, 0, 0)}), 1);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"'POLVEX.3DQ'がオープンできません。"});
    EXPECT_EQ(GetModelMode(), 2);
    EXPECT_TRUE(std::equal(halftone.begin(), halftone.end(), pv::g_state.frameBits));
    EXPECT_EQ(pv::g_state.dumpFile, nullptr);

    // Selecting the dump again retries the file.
    std::filesystem::remove_all("POLVEX.3DQ");
    SetModelMode(4);
    Render({});
    EXPECT_NE(pv::g_state.dumpFile, nullptr);
}

TEST_F(DumpFileTest, FramesOfOtherModesInBetweenLeaveTheFileOpenAndUntouched) {
    OpenFrame(64, 48);
    SetModelMode(4);
    Render({});
    SetModelMode(1);
    Render({Placed(Keep(MakeSquareFacingCamera(10, 0, 200, 0)), 100, 0, 0)});
    SetModelMode(4);
    Render({});
    EXPECT_EQ(Hex(FlushAndRead()), std::string(kTag) + " FF FF FF FF");
}

}  // namespace
}  // namespace pvtest
