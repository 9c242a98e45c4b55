// The program's start: the window class, the hidden window, the scene, and the message loop
// that renders a frame whenever the program is idle and active.
#include "orvelin/game.h"

namespace orvelin {

HINSTANCE appInstance = nullptr;
int32_t appActive = 1;
const char *const kAppName = "Orvelin ver0.10";

namespace {

constexpr UINT kClassStyle = CS_BYTEALIGNCLIENT | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;

bool RegisterMainClass(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.style = kClassStyle;
    windowClass.lpfnWndProc = MainWndProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszMenuName = "MAINMENU";
    windowClass.lpszClassName = kAppName;
    return RegisterClassA(&windowClass) != 0;
}

// Runs until WM_QUIT and returns its exit code. Idle moments invalidate the window, which
// makes the system send the WM_PAINT that renders the next frame.
int MessageLoop() {
    MSG msg;
    for (;;) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        } else if (appActive != 0) {
            InvalidateRect(mainWindow, nullptr, TRUE);
        } else {
            WaitMessage();
        }
    }
}

}  // namespace

int WinMain(HINSTANCE instance, HINSTANCE previous, char *, int showCommand) {
    appInstance = instance;
    if (previous == nullptr && !RegisterMainClass(instance)) {
        MessageBoxA(nullptr, "ウインドウクラスが登録できません。", kAppName, MB_ICONWARNING);
        return 0;
    }
    screenWidth = 640;
    screenHeight = 480;
    mainWindow = CreateWindowA(kAppName, kAppName, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0,
                               screenWidth, screenHeight, nullptr, nullptr, instance, nullptr);
    if (SetupScene() == 0) return 0;
    ShowWindow(mainWindow, showCommand);
    return MessageLoop();
}

}  // namespace orvelin
