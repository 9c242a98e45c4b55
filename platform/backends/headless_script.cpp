// Reading the headless backend's script: one "<frame> <event> [arguments]" per line.
#include "backends/headless_script.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <sstream>

namespace platform {
namespace {

const std::map<std::string, int> &KeyNames() {
    static const std::map<std::string, int> names = {
        {"left", VK_LEFT},     {"right", VK_RIGHT}, {"up", VK_UP},
        {"down", VK_DOWN},     {"space", VK_SPACE}, {"return", VK_RETURN},
        {"escape", VK_ESCAPE}, {"alt", VK_MENU},    {"shift", 0x10},
        {"backspace", VK_BACK}, {"f4", 0x73}};
    return names;
}

// A key by name, single letter or digit, or code ("0x25", "37"); -1 when it is none.
int KeyCode(const std::string &word) {
    std::string lower = word;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    auto found = KeyNames().find(lower);
    if (found != KeyNames().end()) return found->second;
    if (lower.size() == 1 && std::isalnum(static_cast<unsigned char>(lower[0]))) {
        return std::toupper(static_cast<unsigned char>(lower[0]));
    }
    char *end = nullptr;
    const long code = std::strtol(lower.c_str(), &end, 0);
    if (end != lower.c_str() && *end == '\0' && code > 0 && code < 256) return static_cast<int>(code);
    return -1;
}

bool ReadInt(std::istringstream &in, int &value) { return static_cast<bool>(in >> value); }

// Reads the event after the frame number; an empty string on success, else what is wrong.
std::string ReadEvent(std::istringstream &in, ScriptEvent &e) {
    static const std::map<std::string, ScriptAction> actions = {
        {"key", ScriptAction::Key},           {"keydown", ScriptAction::KeyDown},
        {"keyup", ScriptAction::KeyUp},       {"click", ScriptAction::Click},
        {"menu", ScriptAction::Menu},         {"resize", ScriptAction::Resize},
        {"activate", ScriptAction::Activate}, {"deactivate", ScriptAction::Deactivate},
        {"save", ScriptAction::Save},         {"close", ScriptAction::Close}};
    std::string word;
    if (!(in >> word)) return "an event is missing";
    auto found = actions.find(word);
    if (found == actions.end()) return "unknown event \"" + word + "\"";
    e.action = found->second;
    switch (e.action) {
    case ScriptAction::Key:
    case ScriptAction::KeyDown:
    case ScriptAction::KeyUp: {
        std::string key;
        if (!(in >> key) || (e.a = KeyCode(key)) < 0) return "a key is missing or unknown";
        break;
    }
    case ScriptAction::Click:
    case ScriptAction::Resize:
        if (!ReadInt(in, e.a) || !ReadInt(in, e.b)) return "two numbers are needed";
        if (e.action == ScriptAction::Resize && (e.a < 0 || e.b < 0)) return "negative size";
        break;
    case ScriptAction::Menu:
        if (!ReadInt(in, e.a)) return "a command number is needed";
        break;
    case ScriptAction::Save:
        in >> e.name;
        if (e.name.find('/') != std::string::npos) return "a save name cannot hold '/'";
        break;
    default: break;
    }
    std::string rest;
    if (in >> rest) return "unexpected \"" + rest + "\"";
    return {};
}

}  // namespace

bool ParseScript(const std::string &text, std::vector<ScriptEvent> &events, std::string &error) {
    events.clear();
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        const size_t hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        std::istringstream in(line);
        ScriptEvent e;
        if (!(in >> e.frame)) {
            std::string word;
            std::istringstream check(line);
            if (!(check >> word)) continue;  // blank or comment only
            error = "line " + std::to_string(number) + ": a frame number is needed";
            return false;
        }
        if (e.frame < 0) {
            error = "line " + std::to_string(number) + ": negative frame number";
            return false;
        }
        const std::string problem = ReadEvent(in, e);
        if (!problem.empty()) {
            error = "line " + std::to_string(number) + ": " + problem;
            return false;
        }
        events.push_back(e);
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const ScriptEvent &x, const ScriptEvent &y) { return x.frame < y.frame; });
    return true;
}

}  // namespace platform
