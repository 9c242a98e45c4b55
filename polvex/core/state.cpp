// The library's global state record and its load-time defaults.
#include "core/state.h"

namespace pv {

LibraryState MakeDefaultState() {
    LibraryState s{};
    static const char tag[20] = "Quorvantic3D Frames";
    for (int i = 0; i < 20; ++i) s.makerTag[i] = tag[i];
    s.screenDistance = 300.0f;
    s.clipDistance = 30.0f;
    s.modelMode = 2;
    s.light[0] = 220.0f;
    s.light[1] = 50.0f;
    s.light[2] = -255.0f;
    s.ambient = 0.4f;
    s.highlightPower = 40.0f;
    s.messageFlag = 1;
    s.allocCapacity = kInitialAllocCapacity;
    return s;
}

LibraryState g_state = MakeDefaultState();

}  // namespace pv
