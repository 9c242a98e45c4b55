// DIB sections: row layout, refused descriptions, zero-filled pixels and injected faults.
#include <climits>
#include <vector>

#include "gdi/gdi_objects.h"
#include "gdi_test_util.h"

namespace {

using pvtest::DibInfo;

class DibSectionTest : public pvtest::PlatformTest {};

TEST_F(DibSectionTest, RowsAreWholeWordsAndPixelsStartZero) {
    struct Case {
        int width, bitCount, stride;
    };
    for (const Case c : {Case{640, 8, 640}, Case{641, 8, 644}, Case{641, 24, 1924}, Case{1, 24, 4},
                         Case{3, 32, 12}}) {
        SCOPED_TRACE(testing::Message() << c.width << " pixels at " << c.bitCount << " bits");
        DibInfo description(c.width, -3, c.bitCount);
        void *bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(nullptr, description.info(), DIB_RGB_COLORS, &bits, nullptr, 0);
        ASSERT_NE(bitmap, nullptr);
        ASSERT_NE(bits, nullptr);
        auto *object = static_cast<platform::Bitmap *>(platform::LiveObject(bitmap));
        EXPECT_EQ(object->stride, c.stride);
        EXPECT_EQ(object->storage.size(), static_cast<size_t>(3 * c.stride));
        EXPECT_EQ(std::vector<uint8_t>(object->storage.size(), 0), object->storage);
        EXPECT_EQ(bits, object->storage.data());
        EXPECT_TRUE(DeleteObject(bitmap));
    }
}

// Line 0 is the last row in memory when the height is positive and the first when negative.
TEST_F(DibSectionTest, HeightSignChoosesRowOrder) {
    for (const int height : {4, -4}) {
        SCOPED_TRACE(testing::Message() << "height " << height);
        DibInfo description(5, height, 8);
        pvtest::DibCanvas canvas(description);
        const platform::Surface surface = platform::DcSurface(canvas.dc);
        ASSERT_TRUE(surface.valid());
        EXPECT_EQ(surface.height, 4);
        const int stride = 8;
        const int firstLineRow = height > 0 ? 3 : 0;
        EXPECT_EQ(surface.top, canvas.bits + firstLineRow * stride);
        EXPECT_EQ(surface.pitch, height > 0 ? -stride : stride);
    }
}

TEST_F(DibSectionTest, ColourTableIsCopiedWithClrUsedZeroMeaningAll) {
    DibInfo description(2, 2, 8);
    description.colors[0] = {1, 2, 3, 0};
    description.colors[255] = {7, 8, 9, 0};
    pvtest::DibCanvas all(description);
    const platform::Surface full = platform::DcSurface(all.dc);
    EXPECT_EQ(full.colorTable[0].rgbRed, 3);
    EXPECT_EQ(full.colorTable[255].rgbBlue, 7);

    description.header.biClrUsed = 1;
    pvtest::DibCanvas one(description);
    const platform::Surface part = platform::DcSurface(one.dc);
    EXPECT_EQ(part.colorTable[0].rgbGreen, 2);
    EXPECT_EQ(part.colorTable[255].rgbBlue, 0) << "entries past biClrUsed must stay black";
}

TEST_F(DibSectionTest, UnsupportedDescriptionsAreRefused) {
    struct Case {
        const char *what;
        int width, height, bitCount;
        DWORD clrUsed;
        WORD planes;
    };
    const Case cases[] = {
        {"4 bits", 8, 8, 4, 0, 1},
        {"16 bits", 8, 8, 16, 0, 1},
        {"zero width", 0, 8, 8, 0, 1},
        {"negative width", -8, 8, 8, 0, 1},
        {"zero height", 8, 0, 8, 0, 1},
        {"most negative height", 8, INT_MIN, 8, 0, 1},
        {"byte count overflows", INT_MAX, INT_MAX, 32, 0, 1},
        {"rows of 8 GB", INT_MAX, 2, 32, 0, 1},
        {"257 colours", 8, 8, 8, 257, 1},
        {"two planes", 8, 8, 8, 0, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        DibInfo description(c.width, c.height, c.bitCount);
        description.header.biClrUsed = c.clrUsed;
        description.header.biPlanes = c.planes;
        void *bits = &description;
        EXPECT_EQ(CreateDIBSection(nullptr, description.info(), DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
        EXPECT_EQ(bits, nullptr);
    }
    DibInfo valid(8, 8, 8);
    void *bits = nullptr;
    EXPECT_EQ(CreateDIBSection(nullptr, nullptr, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(CreateDIBSection(nullptr, valid.info(), 1, &bits, nullptr, 0), nullptr) << "palette colours";
    EXPECT_EQ(CreateDIBSection(nullptr, valid.info(), DIB_RGB_COLORS, &bits, &valid, 0), nullptr)
        << "file sections";
}

TEST_F(DibSectionTest, InjectedFaultsFireOnce) {
    const DibInfo description(4, 4, 8);
    void *bits = nullptr;

    PlatformInjectFault(PLATFORM_FAULT_DIB_SECTION);
    EXPECT_EQ(CreateDIBSection(nullptr, description.info(), DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(bits, nullptr);
    HBITMAP again = CreateDIBSection(nullptr, description.info(), DIB_RGB_COLORS, &bits, nullptr, 0);
    EXPECT_NE(again, nullptr);
    EXPECT_NE(bits, nullptr);
    DeleteObject(again);

    PlatformInjectFault(PLATFORM_FAULT_DIB_SECTION_BITS);
    HBITMAP withoutBits = CreateDIBSection(nullptr, description.info(), DIB_RGB_COLORS, &bits, nullptr, 0);
    EXPECT_NE(withoutBits, nullptr);
    EXPECT_EQ(bits, nullptr);
    HBITMAP withBits = CreateDIBSection(nullptr, description.info(), DIB_RGB_COLORS, &bits, nullptr, 0);
    EXPECT_NE(bits, nullptr);
    EXPECT_TRUE(DeleteObject(withoutBits));
    EXPECT_TRUE(DeleteObject(withBits));

    PlatformInjectFault(PLATFORM_FAULT_DIB_SECTION);
    PlatformInjectFault(PLATFORM_FAULT_NONE);
    HBITMAP cleared = CreateDIBSection(nullptr, description.info(), DIB_RGB_COLORS, &bits, nullptr, 0);
    EXPECT_NE(cleared, nullptr) << "PLATFORM_FAULT_NONE disarms every fault";
    DeleteObject(cleared);
}

}  // namespace
