// The whole program on the headless backend: start, the message loop, the ways to end it, and a
// scripted game whose saved frames are looked at.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/state.h"
#include "game/game_fixture.h"
#include "user/window.h"

namespace gametest {
namespace {

namespace fs = std::filesystem;
using orvelin::objects;

class ProgramTest : public ::testing::Test {
protected:
    void TearDown() override {
        platform::ResetWindowSystem();
        std::remove("pvdebug.txt");
    }
    pvtest::MessageCapture messages;
};

// Closing by the window, by the menu with the mouse and by Alt+F then X all free both models,
// close the library without a leak report and end with exit code 0.
TEST_F(ProgramTest, EveryWayOfClosingEndsWithExitCodeZeroAndNothingLeaked) {
    const char *scripts[] = {
        "3 key space\n20 close\n",
        "3 key space\n20 menu 40003\n",
        "3 key space\n20 keydown alt\n20 key f\n20 keyup alt\n20 key x\n",
    };
    for (const char *script : scripts) {
        messages.clear();
        int frames = 0;
        EXPECT_EQ(RunProgram(script, "", &frames), 0) << script;
        EXPECT_GE(frames, 20) << script;
        EXPECT_FALSE(pv::g_state.opened) << script;
        EXPECT_EQ(orvelin::models[0].pnt, nullptr) << script;
        EXPECT_EQ(orvelin::models[1].pln, nullptr) << script;
        EXPECT_FALSE(fs::exists("pvdebug.txt")) << script;
        EXPECT_TRUE(messages.boxes().empty()) << script << messages.boxes()[0].text;
        EXPECT_GT(orvelin::score, 0) << script << ": the game ran after Space";
    }
}

TEST_F(ProgramTest, TheFirstWindowSizeIsTheClientAreaOfA640By480Window) {
    EXPECT_EQ(RunProgram("2 close\n"), 0);
    EXPECT_EQ(orvelin::screenWidth, 640 - 2 * platform::kFrameWidth);
    EXPECT_EQ(orvelin::screenHeight, 480 - 2 * platform::kFrameWidth - platform::kCaptionHeight -
                                         platform::kMenuHeight);
}

TEST_F(ProgramTest, NoFramesAreRenderedWhileAnotherApplicationIsActive) {
    // Active, the loop paints frame 11 before the close of frame 11 arrives; deactivated, it
    // sleeps in WaitMessage, whose next event is the close, so frame 10 stays the last.
    struct Case {
        const char *script;
        int frames;
    };
    for (const Case c : {Case{"10 key space\n11 close\n", 11},
                         Case{"10 deactivate\n11 close\n", 10},
                         Case{"10 deactivate\n11 activate\n15 close\n", 15}}) {
        int frames = 0;
        EXPECT_EQ(RunProgram(c.script, "", &frames), 0) << c.script;
        EXPECT_EQ(frames, c.frames) << c.script;
    }
}

TEST_F(ProgramTest, WindowClassThatCannotBeRegisteredIsReported) {
    platform::ResetWindowSystem();
    WNDCLASSA taken{};
    taken.lpfnWndProc = DefWindowProcA;
    taken.lpszClassName = orvelin::kAppName;
    ASSERT_NE(RegisterClassA(&taken), 0);
    orvelin::ResetGame();
    static char instance;
    EXPECT_EQ(orvelin::WinMain(reinterpret_cast<HINSTANCE>(&instance), nullptr,
                               const_cast<char *>(""), SW_SHOWNORMAL),
              0);
    ASSERT_EQ(messages.boxes().size(), 1u);
    EXPECT_EQ(messages.boxes()[0].text, "ウインドウクラスが登録できません。");
    EXPECT_EQ(messages.boxes()[0].caption, "Orvelin ver0.10");
    EXPECT_EQ(messages.boxes()[0].owner, nullptr);
    EXPECT_EQ(messages.boxes()[0].type, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_FALSE(pv::g_state.opened);
}

TEST_F(ProgramTest, MissingModelsEndTheProgramWithoutShowingTheWindow) {
    CopyModels();
    fs::rename("try.q3d", "try.q3d.away");
    orvelin::ResetGame();
    platform::ResetWindowSystem();
    static char instance;
    const int code = orvelin::WinMain(reinterpret_cast<HINSTANCE>(&instance), nullptr,
                                      const_cast<char *>(""), SW_SHOWNORMAL);
    fs::rename("try.q3d.away", "try.q3d");
    EXPECT_EQ(code, 0);
    ASSERT_EQ(messages.boxes().size(), 1u) << "only the reader's own message";
    EXPECT_EQ(messages.boxes()[0].caption, "POLVEX");
    ASSERT_EQ(platform::LiveWindows().size(), 1u);
    EXPECT_FALSE(platform::LiveWindows()[0]->visible);
    ClosePolvex();
}

// Share of pixels in a rectangle that are not black.
double Lit(const Picture &p, int left, int top, int right, int bottom) {
    int lit = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) lit += p.at(x, y) != 0;
    }
    return static_cast<double>(lit) / ((right - left) * (bottom - top));
}

int Differing(const Picture &a, const Picture &b) {
    int count = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i) count += a.pixels[i] != b.pixels[i];
    return count;
}

TEST_F(ProgramTest, ScriptedGameShowsTheSceneAndTheStatusLineAsTheBallFlies) {
    const fs::path dir = fs::absolute("scripted_frames");
    fs::remove_all(dir);
    // Start, fly along the west corridor with the bounce kept low by Down, click through to
    // the solid mode, then steer left into the outer wall and press against it to the end.
    const std::string script =
        "5 key space\n"
        "30 save a\n"
        "40 keydown down\n55 keyup down\n"
        "60 save b\n"
        "90 click 100 100\n"
        "95 keydown down\n110 keyup down\n"
        "120 save c\n"
        "150 keydown down\n165 keyup down\n"
        "200 key left\n200 key left\n200 key left\n200 key left\n200 key left\n"
        "205 keydown down\n220 keyup down\n"
        "230 save d\n"
        "260 keydown down\n275 keyup down\n"
        "300 close\n";
    EXPECT_EQ(RunProgram(script, dir.string()), 0);
    EXPECT_TRUE(messages.boxes().empty()) << messages.boxes()[0].text;
    EXPECT_FLOAT_EQ(orvelin::steerAngle, -0.25f);
    EXPECT_EQ(orvelin::viewMode, 0) << "one click from halftone gives the wireframe";
    EXPECT_GT(objects[1].z, -300.0f) << "still flying at the end";
    EXPECT_LT(objects[1].z, 300.0f) << "still flying at the end";
    // Pressing against the wall costs 10 a frame against 1 for flying.
    EXPECT_LT(orvelin::score, 0) << "the wall was hit";
    EXPECT_NEAR(objects[1].x, -2400.0f, 25.0f) << "the ball stays at the west wall";

    Picture frames[4];
    const char *names[] = {"a", "b", "c", "d"};
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(ReadPng((dir / (std::string(names[i]) + ".png")).string(), frames[i]))
            << names[i];
        const Picture &p = frames[i];
        ASSERT_EQ(p.width, orvelin::screenWidth);
        ASSERT_EQ(p.height, orvelin::screenHeight);
        // The status line is white text on black at the top left.
        int white = 0;
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < 150; ++x) white += p.at(x, y) == 0xFFFFFF;
        }
        EXPECT_GT(white, 100) << names[i] << ": status line";
        EXPECT_GT(Lit(p, 0, 60, p.width, p.height), 0.01) << names[i] << ": the scene";
    }
    for (int i = 0; i + 1 < 4; ++i) {
        EXPECT_GT(Differing(frames[i], frames[i + 1]), 5000) << names[i] << " to " << names[i + 1];
    }
    // Halftone frames are painted all over, wireframe frames are lines on black.
    EXPECT_GT(Lit(frames[0], 0, 60, 632, 434), 0.6);
    EXPECT_GT(Lit(frames[1], 0, 60, 632, 434), 0.6);
    EXPECT_LT(Lit(frames[2], 0, 60, 632, 434), 0.2);
    EXPECT_LT(Lit(frames[3], 0, 60, 632, 434), 0.2);
}

}  // namespace
}  // namespace gametest
