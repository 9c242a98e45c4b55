// Shared helpers of the platform tests: bitmap descriptions, a DIB section in a memory DC, and
// a fixture that restores the emulated display and checks that no GDI object leaks.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "platform/control.h"

namespace pvtest {

// A bitmap description with room for a full colour table.
struct DibInfo {
    BITMAPINFOHEADER header{};
    RGBQUAD colors[256]{};

    DibInfo(int width, int height, int bitCount) {
        header.biSize = sizeof(BITMAPINFOHEADER);
        header.biWidth = width;
        header.biHeight = height;
        header.biPlanes = 1;
        header.biBitCount = static_cast<WORD>(bitCount);
        header.biCompression = BI_RGB;
    }
    const BITMAPINFO *info() const { return reinterpret_cast<const BITMAPINFO *>(this); }
};

// A memory DC with a DIB section selected, released at the end of the scope.
struct DibCanvas {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    uint8_t *bits = nullptr;

    explicit DibCanvas(const DibInfo &description) {
        dc = CreateCompatibleDC(nullptr);
        void *pixels = nullptr;
        bitmap = CreateDIBSection(dc, description.info(), DIB_RGB_COLORS, &pixels, nullptr, 0);
        bits = static_cast<uint8_t *>(pixels);
        previous = SelectObject(dc, bitmap);
    }
    ~DibCanvas() {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    DibCanvas(const DibCanvas &) = delete;
    DibCanvas &operator=(const DibCanvas &) = delete;
};

class PlatformTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedDisplay_ = PlatformGetDisplay();
        liveAtStart_ = PlatformLiveGdiObjects();
    }
    void TearDown() override {
        PlatformInjectFault(PLATFORM_FAULT_NONE);
        PlatformSetDisplay(savedDisplay_);
        EXPECT_EQ(PlatformLiveGdiObjects(), liveAtStart_) << "GDI objects leaked by the test";
    }

private:
    PlatformDisplay savedDisplay_ = PLATFORM_DISPLAY_PALETTE;
    int liveAtStart_ = 0;
};

}  // namespace pvtest
