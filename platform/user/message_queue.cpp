// The thread's message queue: posted messages and input, the quit flag, WM_PAINT synthesised
// for invalid windows when nothing else is queued, key state, translation into characters,
// and sending and dispatching to window procedures.
#include <array>
#include <deque>

#include "backends/backend.h"
#include "user/window.h"

namespace platform {
namespace {

std::deque<MSG> g_queue;
bool g_quitPosted = false;
int g_quitCode = 0;
std::array<bool, 256> g_keyDown{};

bool Matches(const MSG &msg, HWND window, UINT first, UINT last) {
    if (window != nullptr && msg.hwnd != window) return false;
    if (first == 0 && last == 0) return true;
    return msg.message >= first && msg.message <= last;
}

bool InRange(UINT message, UINT first, UINT last) {
    return (first == 0 && last == 0) || (message >= first && message <= last);
}

MSG MakeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg{};
    msg.hwnd = window;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = GetTickCount();
    return msg;
}

// The character a key gives on a plain US keyboard, or 0 for keys without one.
WPARAM CharacterOf(WPARAM key, bool shift) {
    if (key >= 'A' && key <= 'Z') return shift ? key : key + ('a' - 'A');
    if (key >= '0' && key <= '9') return key;
    switch (key) {
    case VK_SPACE: return ' ';
    case VK_RETURN: return '\r';
    case VK_ESCAPE: return 0x1B;
    case VK_BACK: return 0x08;
    default: return 0;
    }
}

constexpr UINT kShiftKey = 0x10;

}  // namespace

bool TakeQueuedMessage(MSG *msg) {
    if (g_queue.empty()) return false;
    *msg = g_queue.front();
    g_queue.pop_front();
    return true;
}

void PostToQueue(const MSG &msg) { g_queue.push_back(msg); }

void DropQueuedMessages(HWND window) {
    std::erase_if(g_queue, [window](const MSG &m) { return m.hwnd == window; });
}

void ResetQueue() {
    g_queue.clear();
    g_quitPosted = false;
    g_quitCode = 0;
    g_keyDown.fill(false);
}

bool KeyIsDown(UINT virtualKey) { return virtualKey < 256 && g_keyDown[virtualKey]; }

// lParam as the original system fills it: repeat count 1, bit 29 with Alt held, bit 30 when
// the key was already down (a repeat), bit 31 when it is released.
void PostKey(HWND window, UINT virtualKey, bool down) {
    if (virtualKey >= 256) return;
    const bool wasDown = g_keyDown[virtualKey];
    g_keyDown[virtualKey] = down;
    const bool alt = g_keyDown[VK_MENU] || (virtualKey == VK_MENU && wasDown);
    LPARAM lParam = 1;
    if (alt) lParam |= LPARAM{1} << 29;
    if (wasDown) lParam |= LPARAM{1} << 30;
    if (!down) lParam |= static_cast<LPARAM>(static_cast<DWORD>(1u << 31));
    UINT message = down ? WM_KEYDOWN : WM_KEYUP;
    if (alt) message = down ? WM_SYSKEYDOWN : WM_SYSKEYUP;
    PostToQueue(MakeMessage(window, message, virtualKey, lParam));
}

void PostClick(HWND window, int x, int y) {
    if (y < 0) {
        PostToQueue(MakeMessage(window, WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(x, y)));
        return;
    }
    constexpr WPARAM kLeftButton = 0x0001;  // MK_LBUTTON
    PostToQueue(MakeMessage(window, WM_LBUTTONDOWN, kLeftButton, MAKELPARAM(x, y)));
    PostToQueue(MakeMessage(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y)));
}

void PostClose(HWND window) { PostToQueue(MakeMessage(window, WM_CLOSE, 0, 0)); }

}  // namespace platform

extern "C" {

// Order of retrieval as on the original system: queued messages and input first, then WM_QUIT,
// then WM_PAINT for a visible window with an update region. WM_PAINT is never removed here;
// painting (BeginPaint) is what takes it away.
PLATFORM_API BOOL PeekMessageA(MSG *msg, HWND window, UINT first, UINT last, UINT remove) {
    using namespace platform;
    if (msg == nullptr) return FALSE;
    ActiveBackend().PollEvents();
    for (auto it = g_queue.begin(); it != g_queue.end(); ++it) {
        if (!Matches(*it, window, first, last)) continue;
        *msg = *it;
        if (remove & PM_REMOVE) g_queue.erase(it);
        return TRUE;
    }
    if (g_quitPosted && InRange(WM_QUIT, first, last)) {
        *msg = MakeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(g_quitCode), 0);
        if (remove & PM_REMOVE) g_quitPosted = false;
        return TRUE;
    }
    if (!InRange(WM_PAINT, first, last)) return FALSE;
    for (HWND w : LiveWindows()) {
        if (w->invalid && w->visible && (window == nullptr || window == w)) {
            *msg = MakeMessage(w, WM_PAINT, 0, 0);
            return TRUE;
        }
    }
    return FALSE;
}

// Key presses with a character put WM_CHAR (WM_SYSCHAR with Alt) at the head of the queue, so
// that it is the next message retrieved, before the key's release.
PLATFORM_API BOOL TranslateMessage(const MSG *msg) {
    using namespace platform;
    if (msg == nullptr) return FALSE;
    if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN) return FALSE;
    const WPARAM character = CharacterOf(msg->wParam, KeyIsDown(kShiftKey));
    if (character == 0) return FALSE;
    const UINT message = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
    g_queue.push_front(MakeMessage(msg->hwnd, message, character, msg->lParam));
    return TRUE;
}

PLATFORM_API LRESULT DispatchMessageA(const MSG *msg) {
    using namespace platform;
    if (msg == nullptr || !IsLiveWindow(msg->hwnd)) return 0;
    return msg->hwnd->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

PLATFORM_API BOOL WaitMessage(void) {
    using namespace platform;
    MSG msg;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) return TRUE;
    if (ActiveBackend().WaitEvents()) return TRUE;
    // Nothing can arrive any more: the program would sleep for ever, so its windows are closed
    // as if the user had closed them.
    if (LiveWindows().empty()) return FALSE;
    for (HWND w : LiveWindows()) PostClose(w);
    return TRUE;
}

PLATFORM_API BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    using namespace platform;
    if (window != nullptr && !IsLiveWindow(window)) return FALSE;
    PostToQueue(MakeMessage(window, message, wParam, lParam));
    return TRUE;
}

PLATFORM_API LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    using namespace platform;
    if (!IsLiveWindow(window)) return 0;
    return window->proc(window, message, wParam, lParam);
}

PLATFORM_API void PostQuitMessage(int exitCode) {
    platform::g_quitPosted = true;
    platform::g_quitCode = exitCode;
}

}  // extern "C"
