// The emulated display: the POLVEX_DISPLAY setting is read once, at first use, unless a call
// has chosen the display already. Each case runs in a fresh copy of this program, since the
// setting is read only once per process.
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "gdi_test_util.h"

namespace {

// Set in the copy: the display it must find.
constexpr const char *kExpectVariable = "POLVEX_TEST_EXPECT_DISPLAY";

std::string SelfPath() {
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    return n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string();
}

// In the copy: check the display found at first use, then that changing the setting later has
// no effect while a call still does.
TEST(DisplayEnvironmentTest, ReadOnceAtFirstUse) {
    const char *expected = std::getenv(kExpectVariable);
    if (expected == nullptr) GTEST_SKIP() << "runs only in the copies started by RunsEachSetting";
    EXPECT_EQ(static_cast<int>(PlatformGetDisplay()), std::atoi(expected));
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), std::atoi(expected) == PLATFORM_DISPLAY_TRUECOLOR ? 32 : 8);
    ReleaseDC(nullptr, screen);
    setenv("POLVEX_DISPLAY", std::atoi(expected) == PLATFORM_DISPLAY_TRUECOLOR ? "palette" : "truecolor", 1);
    EXPECT_EQ(static_cast<int>(PlatformGetDisplay()), std::atoi(expected));
    PlatformSetDisplay(PLATFORM_DISPLAY_PALETTE_ALT);
    EXPECT_EQ(PlatformGetDisplay(), PLATFORM_DISPLAY_PALETTE_ALT);
}

TEST(DisplayEnvironmentTest, RunsEachSetting) {
    if (std::getenv(kExpectVariable) != nullptr) GTEST_SKIP();
    const std::string self = SelfPath();
    ASSERT_FALSE(self.empty());
    struct Case {
        const char *setting; // null: unset
        PlatformDisplay display;
    };
    for (const Case c : {Case{nullptr, PLATFORM_DISPLAY_PALETTE}, Case{"palette", PLATFORM_DISPLAY_PALETTE},
                         Case{"palette-alt", PLATFORM_DISPLAY_PALETTE_ALT},
                         Case{"truecolor", PLATFORM_DISPLAY_TRUECOLOR}, Case{"mono", PLATFORM_DISPLAY_PALETTE}}) {
        const std::string setting = c.setting ? std::string("POLVEX_DISPLAY=") + c.setting : "-u POLVEX_DISPLAY";
        const std::string command = "env " + setting + " " + kExpectVariable + "=" + std::to_string(c.display) +
                                    " '" + self + "' --gtest_filter=DisplayEnvironmentTest.ReadOnceAtFirstUse" +
                                    " > /dev/null 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
    }
}

}  // namespace
