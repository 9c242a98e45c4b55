// Guarded frames and pictures for the filler tests.
#include "raster/raster_fixture.h"

#include <cstdio>

#include "core/state.h"

namespace rastertest {

GuardedFrame::GuardedFrame(int width, int lines, bool bottomUp, int padding, int guardRows)
    : width_(width), lines_(lines), stride_(((width + padding + 3) / 4) * 4), guardRows_(guardRows),
      bottomUp_(bottomUp),
      storage_(static_cast<size_t>(lines + 2 * guardRows) * stride_, kUntouched) {}

void GuardedFrame::Attach() const {
    pv::g_state.frameBits = const_cast<uint8_t *>(storage_.data()) + guardBytes();
    pv::g_state.frameWidth = width_;
    pv::g_state.frameHeight = bottomUp_ ? lines_ : -lines_;
    pv::g_state.frameStride = stride_;
}

uint8_t GuardedFrame::AtBufferRow(int x, int row) const {
    return storage_[guardBytes() + static_cast<size_t>(row) * stride_ + x];
}

uint8_t GuardedFrame::At(int x, int line) const { return AtBufferRow(x, BufferRow(line)); }

std::vector<long> GuardedFrame::TouchedOutside(size_t max) const {
    std::vector<long> touched;
    const long first = static_cast<long>(guardBytes());
    for (size_t i = 0; i < storage_.size() && touched.size() < max; ++i) {
        const long offset = static_cast<long>(i) - first;
        const bool inPixels = offset >= 0 && offset < static_cast<long>(lines_) * stride_ && offset % stride_ < width_;
        if (!inPixels && storage_[i] != kUntouched) touched.push_back(offset);
    }
    return touched;
}

std::string GuardedFrame::Numbers() const {
    std::string text = "\n";
    char cell[8];
    for (int y = 0; y < lines_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const uint8_t v = At(x, y);
            if (v == kUntouched) std::snprintf(cell, sizeof cell, "%s.", x ? " " : "");
            else std::snprintf(cell, sizeof cell, "%s%d", x ? " " : "", v);
            text += cell;
        }
        text += '\n';
    }
    return text;
}

std::string GuardedFrame::Shape() const {
    std::string text = "\n";
    for (int y = 0; y < lines_; ++y) {
        for (int x = 0; x < width_; ++x) text += At(x, y) == kUntouched ? '.' : '#';
        text += '\n';
    }
    return text;
}

int GuardedFrame::CountWritten() const {
    int count = 0;
    for (int y = 0; y < lines_; ++y)
        for (int x = 0; x < width_; ++x) count += At(x, y) != kUntouched;
    return count;
}

void RasterTest::OpenPalette(int layout) {
    Open(layout ? PLATFORM_DISPLAY_PALETTE_ALT : PLATFORM_DISPLAY_PALETTE);
}

void RasterTest::TearDown() {
    pv::g_state.frameBits = nullptr;
    pv::g_state.frameWidth = pv::g_state.frameHeight = pv::g_state.frameStride = 0;
    LibraryTest::TearDown();
}

std::string ShapeOf(int width, int lines, const std::vector<std::vector<int>> &runsPerLine) {
    std::string text = "\n";
    for (int y = 0; y < lines; ++y) {
        std::string line(static_cast<size_t>(width), '.');
        if (y < static_cast<int>(runsPerLine.size())) {
            const auto &runs = runsPerLine[y];
            for (size_t k = 0; k + 1 < runs.size(); k += 2)
                for (int x = runs[k]; x <= runs[k + 1]; ++x) line[x] = '#';
        }
        text += line + '\n';
    }
    return text;
}

}  // namespace rastertest
