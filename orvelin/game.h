// Orvelin's state and entry points: the game frame (game.cpp), the window procedure
// (window_proc.cpp) and the program's start and message loop (win_main.cpp). The state is a set
// of globals, as the window procedure and the frame share it; tests drive the same functions.
#pragma once

#include <cstdint>

#include "polvex/polvex.h"

namespace orvelin {

// ---- Program (win_main.cpp) ----
extern HINSTANCE appInstance;
extern int32_t appActive;          // non-zero while the program is the active application
extern const char *const kAppName; // class name and window title
constexpr UINT kExitCommand = 40003;

// ---- Game (game.cpp) ----
constexpr int kObjectCount = 13;   // camera, ball, stage and ten empty records
extern HWND mainWindow;
extern HDC frameDC;                // memory DC returned by the last ResizePolvex
extern int32_t screenWidth, screenHeight;
extern int32_t viewMode;           // ModelMode shown: 0 wireframe, 1 solid, 2 halftone
extern float steerAngle;           // radians, turned by Left and Right
extern float bounceFrames;         // frames per bounce cycle, set by Up and Down
extern int32_t restartRequest;     // set by Space while parked
extern ObjectData models[2];       // [0] ball, [1] stage
extern ObjectStruct objects[kObjectCount]; // [0] camera, [1] ball, [2] stage
extern double timeLeft;            // seconds
extern int32_t score;
extern int32_t bounceCounter;
extern float fallSpeed;
extern int32_t lastFrameClock, lastTimeClock; // program clock, ms
extern uint32_t lastFpsTick;                  // tick count, ms
extern int32_t fpsFrames, fps;
extern double accel;               // speed divisor of the latest frame that chose one
extern char buf[256];              // the status line of the latest frame
extern const char *const modeLabels[4];
extern const char *const objectNames[2];

// Opens the library, loads both models and places camera, ball and stage; 1 when ready.
int32_t SetupScene();
// One frame: moves the game on, renders, draws the status line and shows it in paintDC.
void GameFrame(HDC paintDC);
// Spins on the program clock until 1 / rate seconds have passed since since.
void WaitFrame(double rate, int32_t since);
// Puts every game and program variable back to its value at program start.
void ResetGame();

// ---- Window (window_proc.cpp, win_main.cpp) ----
LRESULT MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Registers the "MAINMENU" resource with the platform (menu_resource.cpp).
void RegisterMenuResource();
int WinMain(HINSTANCE instance, HINSTANCE previous, char *commandLine, int showCommand);

}  // namespace orvelin
