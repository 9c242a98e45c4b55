// Internal frame buffer operations shared with the lifecycle.
#pragma once

namespace pv {

// Deletes the frame bitmap and the palette, and the memory device context when the library
// created it, leaving no frame buffer: the next ResizePolvex builds everything anew.
void ReleaseFrameBuffer();

}  // namespace pv
