// Library fixture: open on an emulated display, close and check for leaks.
#include "support/library_fixture.h"

#include <cstdio>

#include "core/frame_buffer.h"
#include "polvex/polvex.h"

namespace pvtest {

void LibraryTest::Open(PlatformDisplay display, int width, int height) {
    ResetLibraryState();
    PlatformSetDisplay(display);
    ASSERT_EQ(OpenPolvex(1), 1);
    if (width != 0) {
        frameDC = ResizePolvex(nullptr, width, height);
        ASSERT_NE(frameDC, nullptr);
    }
}

void LibraryTest::TearDown() {
    if (pv::g_state.opened) {
        messages.clear();
        ClosePolvex();
        EXPECT_EQ(messages.boxes().size(), 0u) << "closing reported: "
                                               << (messages.boxes().empty() ? "" : messages.boxes()[0].text);
        std::remove("pvdebug.txt");
    }
    ResetLibraryState();
    PlatformSetDisplay(PLATFORM_DISPLAY_PALETTE);
}

}  // namespace pvtest

namespace pvtest {

void ResetLibraryState() {
    if (pv::g_state.opened) ClosePolvex();
    pv::ReleaseFrameBuffer();
    pv::g_state = pv::MakeDefaultState();
}

}  // namespace pvtest
