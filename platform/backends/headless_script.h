// The headless backend's script: input events, each at a frame number (format in
// platform/headless.h).
#pragma once

#include <string>
#include <vector>

#include "platform/win32.h"

namespace platform {

enum class ScriptAction { Key, KeyDown, KeyUp, Click, Menu, Resize, Activate, Deactivate, Save,
                          Close };

struct ScriptEvent {
    int frame = 0;
    ScriptAction action = ScriptAction::Key;
    int a = 0;        // key code, x, width or menu command
    int b = 0;        // y or height
    std::string name; // file name of a save, without ".png"
};

// Reads a whole script. Events are kept in frame order (stable for equal frames). On failure
// returns false and sets error to the offending line and what is wrong with it.
bool ParseScript(const std::string &text, std::vector<ScriptEvent> &events, std::string &error);

}  // namespace platform
