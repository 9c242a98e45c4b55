// The frame dump file "POLVEX.3DQ": a 20-byte tag once per file, then per frame one record per
// drawn polygon in drawing order and the end-of-frame marker 0xFF 0xFF. Little-endian.
#pragma once

#include "render/polygon_entry.h"

namespace pv {

inline constexpr const char kDumpFileName[] = "POLVEX.3DQ";

// Opens the dump file when it is not open yet, replacing an earlier file, and writes the tag.
// When it cannot be created: reports it, switches modelMode to 2 and returns false.
bool OpenDumpFile();

// One polygon record: corner count byte, red, green, blue, then x and y of every corner.
void WriteDumpRecord(const PolygonEntry &entry);

// The end-of-frame marker, written after every dumped frame, also an empty one.
void WriteDumpEndOfFrame();

}  // namespace pv
