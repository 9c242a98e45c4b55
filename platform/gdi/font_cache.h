// The faces behind fonts: a small cache of loaded faces, so that a font created and deleted
// for every line of text does not load its file each time.
#pragma once

#include "font_face.h"
#include "gdi_objects.h"

namespace platform {

// The face that font draws with, loaded on first use and shared with every font that asks
// for the same face and size. Null when no font can be found (also while the no-fonts fault
// is armed, without remembering that failure in font).
FontFace *ResolveFontFace(Font *font);

}  // namespace platform
