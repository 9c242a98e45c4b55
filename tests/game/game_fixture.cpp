// Fixtures of the game's tests.
#include "game/game_fixture.h"

#include <png.h>

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "platform/headless.h"
#include "support/library_fixture.h"
#include "user/window.h"

namespace gametest {

void CopyModels() {
    std::filesystem::copy_file(POLVEX_SOURCE_DIR "/orvelin/try.q3d", "try.q3d",
                               std::filesystem::copy_options::overwrite_existing);
}

void GameTest::SetUp() {
    CopyModels();
    std::remove("pvdebug.txt");
    pvtest::ResetLibraryState();
    platform::ResetWindowSystem();
    PlatformSetDisplay(PLATFORM_DISPLAY_PALETTE);
    PlatformSetTimeSource(&GameTest::Clock, this);
    orvelin::ResetGame();
    // A hidden window of the game's class, so that the procedure sees its own window.
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = orvelin::MainWndProc;
    windowClass.lpszClassName = "GameTest";
    ASSERT_NE(RegisterClassA(&windowClass), 0);
    orvelin::mainWindow = CreateWindowA("GameTest", "GameTest", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                        0, 640, 480, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(orvelin::mainWindow, nullptr);
    ASSERT_EQ(orvelin::SetupScene(), 1);
    Send(WM_SIZE, 0, MAKELPARAM(632, 434));
    ASSERT_NE(orvelin::frameDC, nullptr);
    ASSERT_TRUE(messages.boxes().empty()) << messages.boxes()[0].text;
}

void GameTest::TearDown() {
    messages.clear();
    Send(WM_DESTROY);
    EXPECT_TRUE(messages.boxes().empty()) << "closing reported: " << messages.boxes()[0].text;
    EXPECT_FALSE(std::filesystem::exists("pvdebug.txt"));
    PlatformSetTimeSource(nullptr, nullptr);
    platform::ResetWindowSystem();
    pvtest::ResetLibraryState();
}

void GameTest::Frame() {
    now += 17;
    orvelin::GameFrame(nullptr);
}

void GameTest::Fly(float x, float y, float height) {
    using orvelin::objects;
    objects[0].x = x;
    objects[0].y = y;
    objects[0].z = height;
    objects[1].x = x + 200.0f * std::sin(orvelin::steerAngle);
    objects[1].y = y + 200.0f * std::cos(orvelin::steerAngle);
    objects[1].z = height;
    // Falling at speed 0: the height stays put in the next frame.
    orvelin::bounceCounter = 1;
    orvelin::fallSpeed = 0.0f;
    orvelin::lastTimeClock = static_cast<int32_t>(now + 17);
}

int RunProgram(const std::string &script, const std::string &directory, int *frames) {
    CopyModels();
    std::remove("pvdebug.txt");
    pvtest::ResetLibraryState();
    platform::ResetWindowSystem();
    PlatformSetDisplay(PLATFORM_DISPLAY_PALETTE);
    orvelin::ResetGame();
    orvelin::RegisterMenuResource();
    PlatformHeadlessSetFramesDirectory(directory.empty() ? nullptr : directory.c_str());
    EXPECT_TRUE(PlatformHeadlessSetScript(script.c_str()));
    static char instance;
    const int code = orvelin::WinMain(reinterpret_cast<HINSTANCE>(&instance), nullptr,
                                      const_cast<char *>(""), SW_SHOWNORMAL);
    if (frames != nullptr) *frames = PlatformHeadlessFrameCount();
    PlatformHeadlessSetScript(nullptr);
    PlatformHeadlessSetFramesDirectory(nullptr);
    return code;
}

bool ReadPng(const std::string &path, Picture &picture) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_BGRA;
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    picture.pixels.assign(static_cast<size_t>(picture.width) * picture.height, 0);
    if (!png_image_finish_read(&image, nullptr, picture.pixels.data(), 0, nullptr)) return false;
    for (uint32_t &p : picture.pixels) p &= 0x00FFFFFF;
    return true;
}

}  // namespace gametest
