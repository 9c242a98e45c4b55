// The benchmark scenes shared by the renderer and OSMesa benchmarks, and a frame of ours.
#pragma once

#include <chrono>
#include <string>

#include "core/state.h"
#include "platform/control.h"
#include "polvex/polvex.h"
#include "render/polygon_list.h"
#include "scenes/scene_models.h"

namespace pvbench {

enum SceneId { kSpheres, kCorridor, kTeapot, kSceneCount };

inline const char *SceneName(int id) {
    return id == kSpheres ? "spheres" : (id == kCorridor ? "corridor" : "teapot");
}

inline std::string TeapotPath() {
    std::string here = __FILE__;
    return here.substr(0, here.rfind('/')) + "/../../shared/models/utah_teapot.q3d";
}

// Opens the library once on the 8-bit palette display with a 640 x 480 frame buffer.
inline void OpenOnce() {
    static bool opened = false;
    if (opened) return;
    opened = true;
    PlatformSetDisplay(PLATFORM_DISPLAY_PALETTE);
    OpenPolvex(0);
    ResizePolvex(nullptr, 640, 480);
}

// Built once per scene and kept for the whole run.
inline pvscene::Scene &GetScene(int id) {
    static pvscene::Scene scenes[kSceneCount];
    static bool built[kSceneCount] = {};
    OpenOnce();
    if (!built[id]) {
        built[id] = true;
        scenes[id] = id == kSpheres    ? pvscene::SpheresScene()
                     : id == kCorridor ? pvscene::CorridorScene()
                                       : pvscene::TeapotScene(TeapotPath());
    }
    return scenes[id];
}

// One whole frame of ours: clear, render. Returns the polygons drawn.
inline int32_t OurFrame(pvscene::Scene &scene, int mode) {
    SetModelMode(mode);
    PvPatBlt(0);
    return Polvex(scene.count(), scene.records.data());
}

inline double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Average seconds of our whole frame over about a quarter of a second.
inline double OurFrameSeconds(pvscene::Scene &scene, int mode) {
    using Clock = std::chrono::steady_clock;
    OurFrame(scene, mode);
    int frames = 0;
    const Clock::time_point start = Clock::now();
    do {
        OurFrame(scene, mode);
        ++frames;
    } while (Seconds(Clock::now() - start) < 0.25);
    return Seconds(Clock::now() - start) / frames;
}

}  // namespace pvbench
