// Renders the picture scene (lit spheres and boxes over a floor, some crossing the near plane)
// once in every rendering mode on the 8-bit palette display and writes render_mode<N>.png.
//
//   render_scenes [output directory, default "docs"]
#include <cstdio>
#include <string>

#include "platform/control.h"
#include "polvex/polvex.h"
#include "scenes/png_output.h"
#include "scenes/scene_models.h"

int main(int argc, char **argv) {
    const std::string directory = argc > 1 ? argv[1] : "docs";
    PlatformSetDisplay(PLATFORM_DISPLAY_PALETTE);
    if (!OpenPolvex(1)) return 1;
    if (!ResizePolvex(nullptr, 640, 480)) {
        ClosePolvex();
        return 1;
    }
    pvscene::Scene scene = pvscene::PictureScene();
    int status = 0;
    for (int mode : {0, 1, 2, 3, 4, 999}) {
        SetModelMode(mode);
        PvPatBlt(0);
        const int32_t drawn = Polvex(scene.count(), scene.records.data());
        const std::string path = directory + "/render_mode" + std::to_string(mode) + ".png";
        const bool written = pvscene::WriteFramePng(path);
        std::printf("mode %3d: %4d polygons -> %s%s\n", mode, drawn, path.c_str(), written ? "" : " (not written)");
        if (!written) status = 1;
    }
    scene.Release();
    ClosePolvex();
    // The frame dump of mode 4 is only a by-product here.
    std::remove("POLVEX.3DQ");
    return status;
}
