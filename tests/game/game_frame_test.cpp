// The game frame: parking and restarting, the countdown and its speed divisors, the walls, the
// status line and the frame rate, with a clock stepped by hand.
#include <cstring>
#include <string>

#include "core/state.h"
#include "game/game_fixture.h"

namespace gametest {
namespace {

using orvelin::objects;

std::string StatusLine() { return orvelin::buf; }

TEST_F(GameTest, NothingMovesAndTheTimeShowsFortyUntilSpaceThenBothStartAt290) {
    Frames(30);
    EXPECT_FLOAT_EQ(objects[0].x, -2350.0f);
    EXPECT_FLOAT_EQ(objects[0].y, -2250.0f);
    EXPECT_FLOAT_EQ(objects[1].x, -2350.0f);
    EXPECT_FLOAT_EQ(objects[1].y, -2050.0f);
    EXPECT_FLOAT_EQ(objects[1].z, 300.0f);
    EXPECT_EQ(orvelin::timeLeft, 40.0);
    EXPECT_EQ(StatusLine(), "FPS 0, Time 40, Score 0");

    Send(WM_KEYDOWN, VK_SPACE);
    Frame();
    EXPECT_EQ(objects[0].z, 290.0f);
    EXPECT_EQ(objects[1].z, 290.0f);
    EXPECT_EQ(orvelin::restartRequest, 0);
    EXPECT_EQ(orvelin::bounceCounter, 1);
    // The restart frame itself does not move; the next one flies, falling first.
    EXPECT_FLOAT_EQ(objects[1].y, -2050.0f);
    Frame();
    EXPECT_FLOAT_EQ(objects[1].y, -2050.0f + 200.0f / 12.0f);
    EXPECT_EQ(objects[1].z, 289.0f);
    EXPECT_EQ(orvelin::score, 1);
    EXPECT_DOUBLE_EQ(orvelin::timeLeft, 40.0 - 0.017);
}

TEST_F(GameTest, SpeedDivisorFollowsTheTimeLeft) {
    struct Case {
        double timeLeft;
        double divisor;
    };
    for (const Case c : {Case{20.5, 12.0}, Case{20.0, 10.0}, Case{10.0, 8.0}, Case{0.5, 8.0}}) {
        Fly(-2200.0f, -1000.0f, 0.0f);
        orvelin::timeLeft = c.timeLeft;
        Frame();
        EXPECT_EQ(orvelin::accel, c.divisor) << "time left " << c.timeLeft;
        EXPECT_FLOAT_EQ(objects[0].y, -1000.0f + static_cast<float>(200.0 / c.divisor))
            << "time left " << c.timeLeft;
        EXPECT_EQ(orvelin::timeLeft, c.timeLeft) << "the clock stood still in this frame";
    }
    EXPECT_TRUE(messages.boxes().empty());
}

TEST_F(GameTest, TheGameEndsAtZeroWithItsMessageAndParksTheBall) {
    Fly(-2200.0f, -1000.0f, 0.0f);
    orvelin::score = 123;
    orvelin::timeLeft = 0.0;
    Frame();
    ASSERT_EQ(messages.boxes().size(), 1u);
    const pvtest::CapturedBox &box = messages.boxes()[0];
    EXPECT_EQ(box.text, "終了します");
    EXPECT_EQ(box.caption, "メッセージ");
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(box.type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(orvelin::timeLeft, 40.0);
    EXPECT_EQ(orvelin::score, 0);
    EXPECT_EQ(objects[0].z, 300.0f);
    EXPECT_EQ(objects[1].z, 300.0f);
    // Parked: the ball did not fly in that frame.
    EXPECT_FLOAT_EQ(objects[0].y, -1000.0f);
}

TEST_F(GameTest, CrossingTheOuterWallTakesTheStepBackAndCostsNine) {
    orvelin::steerAngle = 1.5707964f;  // heading +x
    Fly(2195.0f, 0.0f, 0.0f);
    orvelin::score = 0;
    Frame();
    EXPECT_EQ(orvelin::score, -9);
    EXPECT_NEAR(objects[1].x, 2395.0f, 0.01f);
    EXPECT_NEAR(objects[0].x, 2195.0f, 0.01f);
    // Without the wall the same frame scores 1.
    Fly(2000.0f, 0.0f, 0.0f);
    orvelin::score = 0;
    Frame();
    EXPECT_EQ(orvelin::score, 1);
    EXPECT_NEAR(objects[1].x, 2200.0f + 200.0f / 12.0f, 0.01f);
}

TEST_F(GameTest, InnerBlockPushesBackTheStepIntoIt) {
    orvelin::steerAngle = 1.5707964f;  // heading +x, from the west corridor into the block
    Fly(-2210.0f, 0.0f, 0.0f);
    orvelin::score = 0;
    Frame();
    EXPECT_EQ(orvelin::score, -9);
    EXPECT_NEAR(objects[0].x, -2210.0f, 0.01f);
}

TEST_F(GameTest, TheTimeShownIsTruncated) {
    orvelin::timeLeft = 39.99;
    Frame();
    EXPECT_EQ(StatusLine(), "FPS 0, Time 39, Score 0");
    // The status line and the mode label are drawn in white over the black frame.
    const pv::LibraryState &s = pv::g_state;
    auto whiteInRows = [&](int top, int bottom) {
        int count = 0;
        for (int y = top; y < bottom; ++y) {
            const int row = s.frameHeight > 0 ? s.frameHeight - 1 - y : y;
            const uint8_t *line = static_cast<const uint8_t *>(s.frameBits) + row * s.frameStride;
            for (int x = 0; x < 200; ++x) count += line[x] == 255;
        }
        return count;
    };
    EXPECT_GT(whiteInRows(0, 12), 50) << "status line";
    EXPECT_GT(whiteInRows(14, 26), 50) << "mode label";
}

TEST_F(GameTest, HoldingDownSinksTheBallOutOfTheBandAndSpaceReturnsItToMinus200) {
    Send(WM_KEYDOWN, VK_SPACE);
    Frame();
    Send(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(orvelin::bounceFrames, 40.0f);
    int frames = 0;
    while (objects[1].z > -300.0f && frames < 1000) {
        Frame();
        ++frames;
    }
    ASSERT_LE(objects[1].z, -300.0f) << "still in the band after " << frames << " frames";
    const float parked = objects[1].z;
    const double timeLeft = orvelin::timeLeft;
    Frames(5);
    EXPECT_EQ(objects[1].z, parked);
    EXPECT_EQ(orvelin::timeLeft, timeLeft);
    Send(WM_KEYUP, VK_DOWN);
    EXPECT_EQ(orvelin::bounceFrames, 20.0f);
    Send(WM_KEYDOWN, VK_SPACE);
    Frame();
    EXPECT_EQ(objects[0].z, -200.0f);
    EXPECT_EQ(objects[1].z, -200.0f);
    EXPECT_EQ(orvelin::fallSpeed, 0.0f);
}

TEST_F(GameTest, FrameRateStaysZeroDuringTheFirstSecond) {
    // Frame k ends at 17 k ms; the first window of more than 1000 ms closes at frame 59.
    for (int k = 1; k < 59; ++k) {
        Frame();
        ASSERT_EQ(orvelin::fps, 0) << "frame " << k;
    }
    EXPECT_EQ(StatusLine().rfind("FPS 0,", 0), 0u);
    Frame();
    EXPECT_EQ(orvelin::fps, 58 * 1000 / 1003);
    EXPECT_EQ(StatusLine().rfind("FPS 57,", 0), 0u);
}

TEST_F(GameTest, FrameLimiterWaitsSeventeenMilliseconds) {
    // A clock that advances one millisecond a reading shows how long the limiter spins.
    struct Ticking {
        static uint32_t Read(void *context) { return (*static_cast<uint32_t *>(context))++; }
    };
    uint32_t ticks = 1000;
    PlatformSetTimeSource(&Ticking::Read, &ticks);
    orvelin::WaitFrame(60.0, 1000);
    EXPECT_EQ(ticks, 1018u) << "the last reading was 1017";
    PlatformSetTimeSource(&GameTest::Clock, this);
}

}  // namespace
}  // namespace gametest
