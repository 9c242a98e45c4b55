// PNG output through libpng.
#include "scenes/png_output.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "core/state.h"

namespace pvscene {

namespace {

bool WriteRgbRows(const std::string &path, const std::vector<uint8_t> &rgb, int width, int height) {
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
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        png_write_row(png, const_cast<png_bytep>(rgb.data() + static_cast<size_t>(y) * width * 3));
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

}  // namespace

bool WritePng8(const std::string &path, const uint8_t *bits, int width, int height, int stride,
               bool topDown, const RGBQUAD *colors) {
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        const uint8_t *row = bits + static_cast<ptrdiff_t>(topDown ? y : height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            const RGBQUAD &q = colors[row[x]];
            uint8_t *out = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            out[0] = q.rgbRed;
            out[1] = q.rgbGreen;
            out[2] = q.rgbBlue;
        }
    }
    return WriteRgbRows(path, rgb, width, height);
}

bool WritePng32(const std::string &path, const uint32_t *pixels, int width, int height) {
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
        rgb[i * 3] = static_cast<uint8_t>(pixels[i] >> 16);
        rgb[i * 3 + 1] = static_cast<uint8_t>(pixels[i] >> 8);
        rgb[i * 3 + 2] = static_cast<uint8_t>(pixels[i]);
    }
    return WriteRgbRows(path, rgb, width, height);
}

bool WriteFramePng(const std::string &path) {
    const pv::LibraryState &s = pv::g_state;
    const int width = s.frameWidth, height = pv::FrameLines();
    if (s.frameBits == nullptr || width <= 0 || height <= 0) return false;
    const bool topDown = s.frameHeight < 0;
    if (s.bitmapInfo.header.biBitCount == 8) {
        return WritePng8(path, s.frameBits, width, height, s.frameStride, topDown, s.bitmapInfo.colors);
    }
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const int row = topDown ? y : height - 1 - y;
        std::memcpy(&pixels[static_cast<size_t>(y) * width], s.frameBits + static_cast<size_t>(row) * s.frameStride,
                    static_cast<size_t>(width) * 4);
    }
    return WritePng32(path, pixels.data(), width, height);
}

}  // namespace pvscene
