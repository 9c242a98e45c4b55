// PNG pictures for people to look at: 8-bit frames through their colour table, 32-bit pixels,
// and the library's current frame buffer.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win32.h"

namespace pvscene {

// Writes an 8-bit image (rows of stride bytes, top row first when topDown) through a
// 256-entry colour table. False when the file cannot be written.
bool WritePng8(const std::string &path, const uint8_t *bits, int width, int height, int stride,
               bool topDown, const RGBQUAD *colors);

// Writes 0x00RRGGBB pixels (blue in the lowest byte), top row first.
bool WritePng32(const std::string &path, const uint32_t *pixels, int width, int height);

// Writes the current frame buffer (any row order) as an RGB PNG. False when it cannot.
bool WriteFramePng(const std::string &path);

}  // namespace pvscene
