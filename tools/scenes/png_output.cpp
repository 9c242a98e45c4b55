// PNG output of the frame buffer through libpng.
#include "scenes/png_output.h"

#include <png.h>

#include <cstdio>
#include <vector>

#include "core/state.h"

namespace pvscene {

bool WriteFramePng(const std::string &path) {
    const pv::LibraryState &s = pv::g_state;
    const int width = s.frameWidth, height = pv::FrameLines();
    if (s.frameBits == nullptr || width <= 0 || height <= 0) return false;
    const bool eightBit = s.bitmapInfo.header.biBitCount == 8;
    std::vector<png_byte> rgb(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        const int row = s.frameHeight > 0 ? height - 1 - y : y;
        const uint8_t *line = s.frameBits + static_cast<size_t>(row) * s.frameStride;
        for (int x = 0; x < width; ++x) {
            png_byte *out = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            if (eightBit) {
                const RGBQUAD &q = s.bitmapInfo.colors[line[x]];
                out[0] = q.rgbRed, out[1] = q.rgbGreen, out[2] = q.rgbBlue;
            } else {
                const uint8_t *p = line + 4 * x;  // blue, green, red, unused
                out[0] = p[2], out[1] = p[1], out[2] = p[0];
            }
        }
    }
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) png_write_row(png, &rgb[static_cast<size_t>(y) * width * 3]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

}  // namespace pvscene
