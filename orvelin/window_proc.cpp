// The main window's procedure: turns window messages into library calls and game input.
#include "orvelin/game.h"

namespace orvelin {
namespace {

constexpr float kSteerStep = 0.05f;
constexpr float kBand = 300.0f;

// The same for a key's code (WM_KEYDOWN) and a character (WM_CHAR): typing "%", "&", "'",
// "(" or a space acts like the arrow keys and Space, whose codes they share.
void Key(WPARAM code) {
    if (code == VK_RIGHT) {
        steerAngle += kSteerStep;
    } else if (code == VK_LEFT) {
        steerAngle -= kSteerStep;
    }
    if (code == VK_UP) bounceFrames = 10.0f;
    if (code == VK_DOWN) bounceFrames = 40.0f;
    if (code == VK_SPACE && (objects[0].z >= kBand || objects[0].z <= -kBand)) {
        restartRequest = 1;
    }
}

LRESULT RealizeInWindow(HWND window) {
    HDC dc = GetDC(window);
    const LRESULT realized = PvRealizePalette(dc);
    ReleaseDC(window, dc);
    return realized;
}

void Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    PvRealizePalette(dc);
    GameFrame(dc);
    EndPaint(window, &paint);
}

}  // namespace

LRESULT MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:
        FreeObjectData(&models[0]);
        FreeObjectData(&models[1]);
        ClosePolvex();
        PostQuitMessage(0);
        break;
    case WM_SIZE:
        screenWidth = LOWORD(lParam);
        screenHeight = HIWORD(lParam);
        frameDC = ResizePolvex(window, screenWidth, screenHeight);
        SetScreenDistance(static_cast<float>(screenWidth / 2));
        break;
    case WM_PAINT: Paint(window); return 0;
    case WM_ACTIVATEAPP: appActive = static_cast<int32_t>(wParam); break;
    case WM_KEYDOWN:
    case WM_CHAR: Key(wParam); break;
    case WM_KEYUP:
        if (wParam == VK_UP || wParam == VK_DOWN) bounceFrames = 20.0f;
        break;
    case WM_LBUTTONDOWN:
        viewMode = (viewMode + 1) % 3;
        SetModelMode(viewMode);
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == kExitCommand) SendMessageA(window, WM_DESTROY, 0, 0);
        break;
    case WM_QUERYNEWPALETTE: return RealizeInWindow(window);
    case WM_PALETTECHANGED:
        if (reinterpret_cast<HWND>(wParam) == window) break;
        return RealizeInWindow(window);
    default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace orvelin
