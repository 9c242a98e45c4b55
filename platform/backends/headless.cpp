// The headless backend: windows live in memory only. A script of input events by frame number
// drives the message loop, chosen frames are saved as PNG files, and message boxes are
// recorded and answered at once. It is the reference backend the tests run on.
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "backends/backend.h"
#include "backends/headless_script.h"
#include "platform/control.h"
#include "platform/headless.h"
#include "user/menu.h"

namespace platform {
namespace {

// Key repeat in frames, about the original keyboard's default delay (half a second) and rate
// (thirty a second) at sixty frames a second.
constexpr int kRepeatDelay = 30;
constexpr int kRepeatInterval = 2;

struct HeldKey {
    int pressedAt = 0;
    int lastRepeat = -1;
};

struct HeadlessState {
    bool scripted = false;
    std::vector<ScriptEvent> events;
    size_t next = 0;
    int frames = 0;
    int messages = 0;
    std::string directory;
    std::map<int, HeldKey> held;
    uint32_t virtualTime = 0;
};

HeadlessState g_headless;

uint32_t VirtualClock(void *) { return g_headless.virtualTime++; }

HWND MainWindow() {
    for (HWND w : LiveWindows()) {
        if (w->visible) return w;
    }
    return LiveWindows().empty() ? nullptr : LiveWindows().front();
}

bool WritePng(const std::string &path, HWND window) {
    FILE *file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    bool ok = png != nullptr && info != nullptr && setjmp(png_jmpbuf(png)) == 0;
    if (ok) {
        const int width = window->clientWidth, height = window->clientHeight;
        png_init_io(png, file);
        png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        std::vector<png_byte> row(static_cast<size_t>(width) * 3);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const uint32_t p = window->pixels[static_cast<size_t>(y) * width + x];
                row[x * 3] = static_cast<png_byte>(p >> 16);
                row[x * 3 + 1] = static_cast<png_byte>(p >> 8);
                row[x * 3 + 2] = static_cast<png_byte>(p);
            }
            png_write_row(png, row.data());
        }
        png_write_end(png, nullptr);
    }
    png_destroy_write_struct(png != nullptr ? &png : nullptr, info != nullptr ? &info : nullptr);
    return std::fclose(file) == 0 && ok;
}

void Save(const ScriptEvent &e, HWND window) {
    if (g_headless.directory.empty() || window == nullptr || window->pixels.empty()) return;
    char name[32];
    std::snprintf(name, sizeof name, "frame_%05d", e.frame);
    const std::string path = g_headless.directory + "/" + (e.name.empty() ? name : e.name) + ".png";
    if (!WritePng(path, window)) std::fprintf(stderr, "headless: cannot write %s\n", path.c_str());
}

void ChooseMenuCommand(HWND window, UINT command) {
    int barX = 0;
    POINT item{};
    if (!MenuCommandPoints(window, command, &barX, &item)) {
        std::fprintf(stderr, "headless: no menu item has the command %u\n", command);
        return;
    }
    PostClick(window, barX, -kMenuHeight / 2);
    PostClick(window, item.x, item.y);
}

void Deliver(const ScriptEvent &e) {
    HWND window = MainWindow();
    switch (e.action) {
    case ScriptAction::Key:
        PostKey(window, e.a, true);
        PostKey(window, e.a, false);
        break;
    case ScriptAction::KeyDown:
        PostKey(window, e.a, true);
        g_headless.held[e.a] = HeldKey{g_headless.frames, -1};
        break;
    case ScriptAction::KeyUp:
        PostKey(window, e.a, false);
        g_headless.held.erase(e.a);
        break;
    case ScriptAction::Click: PostClick(window, e.a, e.b); break;
    case ScriptAction::Menu: if (window) ChooseMenuCommand(window, e.a); break;
    case ScriptAction::Resize: ResizeClient(window, e.a, e.b); break;
    case ScriptAction::Activate: SetApplicationActive(true); break;
    case ScriptAction::Deactivate: SetApplicationActive(false); break;
    case ScriptAction::Save: Save(e, window); break;
    case ScriptAction::Close: if (window) PostClose(window); break;
    }
}

void RepeatHeldKeys() {
    for (auto &[key, state] : g_headless.held) {
        const int held = g_headless.frames - state.pressedAt;
        if (held < kRepeatDelay || (held - kRepeatDelay) % kRepeatInterval != 0) continue;
        if (state.lastRepeat == g_headless.frames) continue;
        state.lastRepeat = g_headless.frames;
        PostKey(MainWindow(), key, true);
    }
}

bool Open() {
    if (const char *dir = std::getenv("POLVEX_HEADLESS_FRAMES"); dir != nullptr && *dir != '\0') {
        PlatformHeadlessSetFramesDirectory(dir);
    }
    const char *path = std::getenv("POLVEX_HEADLESS_SCRIPT");
    if (path == nullptr || *path == '\0') return true;
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    if (!in) {
        std::fprintf(stderr, "headless: cannot read the script %s\n", path);
        return true;
    }
    PlatformHeadlessSetScript(text.str().c_str());
    return true;
}

bool CreateWindow(HWND) { return true; }
void ShowWindow(HWND, bool) {}
void DestroyWindow(HWND) {}

void Present(HWND, bool frameDone) {
    if (frameDone) ++g_headless.frames;
}

void PollEvents() {
    if (!g_headless.scripted) return;
    while (g_headless.next < g_headless.events.size() &&
           g_headless.events[g_headless.next].frame <= g_headless.frames) {
        Deliver(g_headless.events[g_headless.next++]);
    }
    RepeatHeldKeys();
}

// Nothing paints while the program waits, so frame numbers cannot be reached: the next event
// comes at once.
bool WaitEvents() {
    if (!g_headless.scripted || g_headless.next >= g_headless.events.size()) return false;
    const int frame = g_headless.events[g_headless.next].frame;
    while (g_headless.next < g_headless.events.size() &&
           g_headless.events[g_headless.next].frame == frame) {
        Deliver(g_headless.events[g_headless.next++]);
    }
    return true;
}

// The first button of each button set is the answer.
int FirstButton(UINT type) {
    switch (type & 0x0F) {
    case 2: return 3;  // abort, retry, ignore: IDABORT
    case 3:
    case 4: return 6;  // yes, no (cancel): IDYES
    case 5: return 4;  // retry, cancel: IDRETRY
    default: return IDOK;
    }
}

int MessageBox(HWND owner, const char *text, const char *caption, UINT type) {
    ++g_headless.messages;
    std::fprintf(stderr, "[message box] %s: %s\n", caption != nullptr ? caption : "",
                 text != nullptr ? text : "");
    if (!g_headless.directory.empty()) {
        std::ofstream log(g_headless.directory + "/messages.txt", std::ios::app);
        log << "frame " << g_headless.frames << " owner " << (owner != nullptr ? "window" : "none")
            << " type 0x" << std::hex << type << std::dec << " caption \""
            << (caption != nullptr ? caption : "") << "\" text \"" << (text != nullptr ? text : "")
            << "\"\n";
    }
    return FirstButton(type);
}

const Backend kHeadless = {"headless",   Open,       CreateWindow, ShowWindow, DestroyWindow,
                           Present,      PollEvents, WaitEvents,   MessageBox};

}  // namespace

const Backend &HeadlessBackend() { return kHeadless; }

}  // namespace platform

extern "C" {

PLATFORM_API BOOL PlatformHeadlessSetScript(const char *text) {
    using namespace platform;
    g_headless.events.clear();
    g_headless.held.clear();
    g_headless.next = 0;
    g_headless.frames = 0;
    g_headless.messages = 0;
    const bool wasScripted = g_headless.scripted;
    g_headless.scripted = false;
    if (text != nullptr) {
        std::string error;
        if (ParseScript(text, g_headless.events, error)) {
            g_headless.scripted = true;
        } else {
            std::fprintf(stderr, "headless script, %s\n", error.c_str());
            g_headless.events.clear();
        }
    }
    if (g_headless.scripted) {
        g_headless.virtualTime = 0;
        PlatformSetTimeSource(VirtualClock, nullptr);
    } else if (wasScripted) {
        PlatformSetTimeSource(nullptr, nullptr);
    }
    return g_headless.scripted || text == nullptr ? TRUE : FALSE;
}

PLATFORM_API void PlatformHeadlessSetFramesDirectory(const char *directory) {
    using namespace platform;
    g_headless.directory = directory != nullptr ? directory : "";
    if (g_headless.directory.empty()) return;
    std::error_code ignored;
    std::filesystem::create_directories(g_headless.directory, ignored);
}

PLATFORM_API int PlatformHeadlessFrameCount(void) { return platform::g_headless.frames; }

PLATFORM_API int PlatformHeadlessMessageCount(void) { return platform::g_headless.messages; }

}  // extern "C"
