// The window procedure: mouse, keys, resizing and the palette messages.
#include "game/game_fixture.h"

namespace gametest {
namespace {

using orvelin::objects;

TEST_F(GameTest, ThreeClicksCycleTheModelModeFromHalftone) {
    EXPECT_EQ(GetModelMode(), 2);
    for (int expected : {0, 1, 2}) {
        Send(WM_LBUTTONDOWN, 1, MAKELPARAM(10, 10));
        EXPECT_EQ(GetModelMode(), expected);
        EXPECT_EQ(orvelin::viewMode, expected);
        Frame();
        EXPECT_TRUE(messages.boxes().empty()) << messages.boxes()[0].text;
    }
}

TEST_F(GameTest, ClientWidth801GivesScreenDistance400) {
    Send(WM_SIZE, 0, MAKELPARAM(801, 300));
    EXPECT_EQ(GetScreenDistance(), 400.0f);
    EXPECT_EQ(orvelin::screenWidth, 801);
    EXPECT_EQ(orvelin::screenHeight, 300);
    EXPECT_NE(orvelin::frameDC, nullptr);
    Frame();
    EXPECT_TRUE(messages.boxes().empty());
}

TEST_F(GameTest, SpaceSetsARequestOnlyOutsideTheBand) {
    struct Case {
        float height;
        int request;
    };
    for (UINT message : {WM_KEYDOWN, WM_CHAR}) {
        for (const Case c : {Case{0.0f, 0}, Case{299.9f, 0}, Case{-299.9f, 0}, Case{300.0f, 1},
                             Case{-300.0f, 1}, Case{1000.0f, 1}}) {
            orvelin::restartRequest = 0;
            objects[0].z = c.height;
            Send(message, VK_SPACE);
            EXPECT_EQ(orvelin::restartRequest, c.request)
                << "height " << c.height << " message " << message;
        }
    }
}

TEST_F(GameTest, ArrowKeysAndTheirCharactersSteerAndSetTheBounce) {
    Send(WM_KEYDOWN, VK_RIGHT);
    EXPECT_FLOAT_EQ(orvelin::steerAngle, 0.05f);
    Send(WM_CHAR, '\'');  // the character with the Right arrow's code
    EXPECT_FLOAT_EQ(orvelin::steerAngle, 0.10f);
    Send(WM_KEYDOWN, VK_LEFT);
    Send(WM_CHAR, '%');
    Send(WM_CHAR, '%');
    EXPECT_FLOAT_EQ(orvelin::steerAngle, -0.05f);
    Send(WM_KEYDOWN, VK_UP);
    EXPECT_EQ(orvelin::bounceFrames, 10.0f);
    Send(WM_KEYUP, VK_LEFT);
    EXPECT_EQ(orvelin::bounceFrames, 10.0f) << "only Up and Down reset the bounce";
    Send(WM_KEYUP, VK_UP);
    EXPECT_EQ(orvelin::bounceFrames, 20.0f);
    Send(WM_CHAR, '(');
    EXPECT_EQ(orvelin::bounceFrames, 40.0f);
}

TEST_F(GameTest, PaletteChangedByTheWindowItselfDoesNotRealiseAgain) {
    HWND other = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x1234));
    // Choosing the display again restarts the system palette, so a realisation changes it.
    PlatformSetDisplay(PLATFORM_DISPLAY_PALETTE);
    EXPECT_EQ(Send(WM_PALETTECHANGED, reinterpret_cast<WPARAM>(orvelin::mainWindow)), 0);
    const LRESULT realised = Send(WM_PALETTECHANGED, reinterpret_cast<WPARAM>(other));
    EXPECT_GT(realised, 0) << "the system palette was still to be realised";
    EXPECT_EQ(Send(WM_PALETTECHANGED, reinterpret_cast<WPARAM>(other)), 0)
        << "a second realisation changes nothing";
    PlatformSetDisplay(PLATFORM_DISPLAY_PALETTE);
    EXPECT_EQ(Send(WM_QUERYNEWPALETTE), realised);
}

TEST_F(GameTest, PaletteMessagesRealiseNothingOnTrueColour) {
    PlatformSetDisplay(PLATFORM_DISPLAY_TRUECOLOR);
    EXPECT_EQ(Send(WM_QUERYNEWPALETTE), 0);
    PlatformSetDisplay(PLATFORM_DISPLAY_PALETTE);
}

}  // namespace
}  // namespace gametest
