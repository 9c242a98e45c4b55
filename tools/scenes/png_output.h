// PNG pictures of the library's 8-bit frame buffer, through its colour table.
#pragma once

#include <string>

namespace pvscene {

// Writes the current frame buffer (any row order) as an RGB PNG. False when it cannot.
bool WriteFramePng(const std::string &path);

}  // namespace pvscene
