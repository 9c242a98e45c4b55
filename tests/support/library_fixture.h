// A test fixture that opens the library on a chosen emulated display, captures its messages
// and closes it again, failing the test when the close reports leaked blocks.
#pragma once

#include <gtest/gtest.h>

#include "core/state.h"
#include "platform/control.h"
#include "support/message_capture.h"

namespace pvtest {

class LibraryTest : public ::testing::Test {
protected:
    // Opens the library on display with message flag 1 and, when width is non-zero, creates a
    // frame buffer of width x height through ResizePolvex (null window).
    void Open(PlatformDisplay display = PLATFORM_DISPLAY_PALETTE, int width = 0, int height = 0);
    void TearDown() override;

    // Tracked blocks currently live.
    static int LiveBlocks() { return pv::g_state.allocCount; }

    MessageCapture messages;
    HDC frameDC = nullptr;
};

// Puts the library state back to its load-time values (closed, default settings), so that
// tests do not see each other's settings.
void ResetLibraryState();

}  // namespace pvtest
