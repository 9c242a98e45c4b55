// Fixtures of the game's tests: the game set up from the real "try.q3d" with a clock that the
// test steps by hand, and helpers to run the whole program on the headless backend.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "orvelin/game.h"
#include "platform/control.h"
#include "support/message_capture.h"

namespace gametest {

// Copies the game's model file into the working directory, where the game looks for it.
void CopyModels();

// The game after SetupScene and a first WM_SIZE of 632 x 434 (the client size of the 640 x 480
// window), on the palette display. The clock stands still inside a frame; Frame() moves it on by
// 17 ms first, so the frame limiter returns at once and each flight frame takes 0.017 s.
class GameTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void Frame();
    void Frames(int count) {
        for (int i = 0; i < count; ++i) Frame();
    }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return orvelin::MainWndProc(orvelin::mainWindow, message, wParam, lParam);
    }
    // Puts camera and ball in flight at height, the ball 200 ahead in the steering direction.
    void Fly(float x, float y, float height);

    static uint32_t Clock(void *context) { return static_cast<GameTest *>(context)->now; }

    uint32_t now = 0;
    pvtest::MessageCapture messages;
};

// Runs WinMain on the headless backend with script and returns its exit code; the frames it
// saves go to directory, and frames receives the number of frames shown.
int RunProgram(const std::string &script, const std::string &directory = "",
               int *frames = nullptr);

// A PNG written by the headless backend, as 0x00RRGGBB pixels.
struct Picture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
bool ReadPng(const std::string &path, Picture &picture);

}  // namespace gametest
