// The game itself: setting up the scene once, and the frame that moves the ball and the camera
// through the corridor, runs the countdown and the score, renders and shows the status line.
#include <cmath>
#include <cstdio>

#include "orvelin/game.h"
#include "platform/control.h"

namespace orvelin {

HWND mainWindow = nullptr;
HDC frameDC = nullptr;
int32_t screenWidth = 0, screenHeight = 0;
int32_t viewMode = 2;
float steerAngle = 0.0f;
float bounceFrames = 20.0f;
int32_t restartRequest = 0;
ObjectData models[2];
ObjectStruct objects[kObjectCount];
double timeLeft = 40.0;
int32_t score = 0;
int32_t bounceCounter = 0;
float fallSpeed = 0.0f;
int32_t lastFrameClock = 0, lastTimeClock = 0;
uint32_t lastFpsTick = 0;
int32_t fpsFrames = 0, fps = 0;
double accel = 12.0;
char buf[256];
const char *const modeLabels[4] = {"Wireframe", "Solid Paint", "Halftone Paint",
                                   "Gouraud Shading"};
const char *const objectNames[2] = {"ball", "stage"};

namespace {

constexpr const char *kDataFile = "try.q3d";
constexpr const char *kCaption = "Orvelin ver0.10";
constexpr double kLead = 200.0;
constexpr float kBand = 300.0f;       // the ball flies while -300 < height < 300
constexpr float kOuterWall = 2400.0f;
constexpr float kInnerBlock = 2000.0f;
constexpr float kRise = 60.0f;
constexpr float kFallAcceleration = 0.3f;
constexpr double kGameLength = 40.0;
constexpr int32_t kWallPenalty = 10;
constexpr uint32_t kWhite = 0xFFFFFF;

// The processor clock of the original program: milliseconds since the program started.
int32_t ProgramClock() { return PlatformProgramClock(); }

ObjectStruct &Camera() { return objects[0]; }
ObjectStruct &Ball() { return objects[1]; }

bool Flying(float height) { return height > -kBand && height < kBand; }

void SetHeights(float height) {
    Camera().z = height;
    Ball().z = height;
}

// Steps 6 and 7: the countdown, and the divisor for this frame's speed; the game ends at 0.
// The frame that ends the game chooses no divisor, so its wall corrections use the divisor of
// the frame before.
void Countdown() {
    if (Flying(Ball().z)) timeLeft -= (ProgramClock() - lastTimeClock) / 1000.0;
    lastTimeClock = ProgramClock();
    if (timeLeft > 20) {
        accel = 12.0;
    } else if (timeLeft > 10) {
        accel = 10.0;
    } else if (timeLeft > 0) {
        accel = 8.0;
    } else {
        MessageBoxA(nullptr, "終了します", "メッセージ", MB_OK);
        timeLeft = kGameLength;
        score = 0;
        SetHeights(300.0f);
    }
}

// Step 8: one frame of flight and of the bounce rhythm.
void Fly(double dx, double dy) {
    Camera().x += dx / accel;
    Ball().x += dx / accel;
    Camera().y += dy / accel;
    Ball().y += dy / accel;
    ++score;
    if (bounceCounter == 0) {
        Camera().z += kRise;
        Ball().z += kRise;
    } else {
        Camera().z -= fallSpeed;
        Ball().z -= fallSpeed;
        fallSpeed += kFallAcceleration;
    }
    ++bounceCounter;
    if (static_cast<float>(bounceCounter) >= bounceFrames) {
        bounceCounter = 0;
        fallSpeed = 0.0f;
    }
}

void TakeBackX(double dx) {
    Camera().x -= dx / accel;
    Ball().x -= dx / accel;
    score -= kWallPenalty;
}

void TakeBackY(double dy) {
    Camera().y -= dy / accel;
    Ball().y -= dy / accel;
    score -= kWallPenalty;
}

// Steps 9 to 11: the outer walls and the inner block push the ball back by this frame's step.
void Walls(double dx, double dy) {
    if (Ball().x > kOuterWall || Ball().x < -kOuterWall) TakeBackX(dx);
    if (Ball().y > kOuterWall || Ball().y < -kOuterWall) TakeBackY(dy);
    const bool insideBlock = Ball().x > -kInnerBlock && Ball().x < kInnerBlock &&
                             Ball().y > -kInnerBlock && Ball().y < kInnerBlock;
    if (!insideBlock) return;
    if (Camera().y <= -kInnerBlock || Camera().y >= kInnerBlock) TakeBackY(dy);
    if (Camera().x <= -kInnerBlock || Camera().x >= kInnerBlock) TakeBackX(dx);
}

// Step 12: Space while parked puts both back into the band, falling first.
void Restart() {
    if (restartRequest != 1) return;
    if (Camera().z >= kBand) {
        SetHeights(290.0f);
        fallSpeed = 1.0f;
    }
    if (Camera().z <= -kBand) {
        SetHeights(-200.0f);
        fallSpeed = 0.0f;
    }
    restartRequest = 0;
    bounceCounter = 1;
}

// Steps 16 to 20: the frame rate over windows of more than a second, and the two text lines.
void StatusLine() {
    const uint32_t delta = GetTickCount() - lastFpsTick;
    if (delta > 1000) {
        fps = static_cast<int32_t>(static_cast<uint32_t>(fpsFrames) * 1000u / delta);
        lastFpsTick += delta;
        fpsFrames = 0;
    }
    std::snprintf(buf, 255, "FPS %ld, Time %d, Score %d", static_cast<long>(fps),
                  static_cast<int>(timeLeft), score);
    const uint64_t ret = Font(frameDC, 1, 0, "tl", buf, static_cast<int32_t>(kWhite), 0, nullptr, 0);
    ++fpsFrames;
    const int32_t height = static_cast<int32_t>(ret >> 32);
    Font(frameDC, 1, height, "tl", modeLabels[viewMode], static_cast<int32_t>(kWhite), -1, nullptr,
         0);
}

}  // namespace

int32_t SetupScene() {
    if (OpenPolvex(1) == 0) {
        MessageBoxA(mainWindow, "Polvexがオープンできません。", kCaption, MB_ICONWARNING);
        return 0;
    }
    SetModelMode(viewMode);
    for (int i = 0; i < 2; ++i) {
        if (ReadObjectData(&models[i], kDataFile, objectNames[i]) == 0) return 0;
    }
    SetObjectStruct(&objects[0], 1, 1, -2350.0f, -2250.0f, 300.0f, 0, 0, 0, nullptr);
    SetObjectStruct(&objects[1], 1, 1, -2350.0f, -2050.0f, 300.0f, 0, 0, 0, &models[0]);
    SetObjectStruct(&objects[2], 1, 1, 0.0f, 0.0f, 0.0f, 0, 0, 0, &models[1]);
    return 1;
}

void GameFrame(HDC paintDC) {
    PvPatBlt(0);
    Ball().yaw = Ball().pitch = Ball().roll = 0;
    const double dx = Ball().x - Camera().x;
    const double dy = Ball().y - Camera().y;
    Ball().x = static_cast<float>(Camera().x + kLead * std::sin(static_cast<double>(steerAngle)));
    Ball().y = static_cast<float>(Camera().y + kLead * std::cos(static_cast<double>(steerAngle)));
    Countdown();
    if (Flying(Ball().z)) Fly(dx, dy);
    Walls(dx, dy);
    Restart();
    WaitFrame(60.0, lastFrameClock);
    lastFrameClock = ProgramClock();
    const float target[3] = {Ball().x, Ball().y, Ball().z};
    LookAt(&Camera(), target);
    Polvex(12, objects);
    StatusLine();
    BitBlt(paintDC, 0, 0, screenWidth, screenHeight, frameDC, 0, 0, SRCCOPY);
    GdiFlush();
}

void WaitFrame(double rate, int32_t since) {
    int32_t now = ProgramClock();
    while (1.0 / rate > (now - since) / 1000.0) now = ProgramClock();
}

void ResetGame() {
    appInstance = nullptr;
    appActive = 1;
    mainWindow = nullptr;
    frameDC = nullptr;
    screenWidth = screenHeight = 0;
    viewMode = 2;
    steerAngle = 0.0f;
    bounceFrames = 20.0f;
    restartRequest = 0;
    models[0] = models[1] = ObjectData{};
    for (ObjectStruct &o : objects) o = ObjectStruct{};
    timeLeft = kGameLength;
    score = bounceCounter = 0;
    fallSpeed = 0.0f;
    lastFrameClock = lastTimeClock = 0;
    lastFpsTick = 0;
    fpsFrames = fps = 0;
    accel = 12.0;
    buf[0] = '\0';
}

}  // namespace orvelin
