// Frames for the filler tests: a guarded 8-bit buffer that the library draws into, and
// pictures of it that read well in a failure message.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/library_fixture.h"

namespace rastertest {

constexpr uint8_t kUntouched = 0xEE;

// A frame of width x lines pixels with stride - width padding bytes per row and guard rows
// above and below, every byte kUntouched until the library writes. Screen line y lives in
// buffer row lines - 1 - y when bottomUp, in row y otherwise.
class GuardedFrame {
public:
    GuardedFrame(int width, int lines, bool bottomUp, int padding = 3, int guardRows = 2);

    // Points the library's frame state at this buffer.
    void Attach() const;

    uint8_t *bits() { return storage_.data() + guardBytes(); }
    int width() const { return width_; }
    int lines() const { return lines_; }
    int stride() const { return stride_; }
    int BufferRow(int line) const { return bottomUp_ ? lines_ - 1 - line : line; }
    uint8_t At(int x, int line) const;
    uint8_t AtBufferRow(int x, int row) const;

    // Offsets from bits() of every byte outside the frame's pixels that is no longer
    // kUntouched, at most max of them.
    std::vector<long> TouchedOutside(size_t max = 8) const;

    // Screen lines top to bottom, one per text line, each pixel as its index number, or '.'
    // for kUntouched.
    std::string Numbers() const;
    // The same with '#' for every written pixel and '.' for untouched ones.
    std::string Shape() const;

    int CountWritten() const;

private:
    size_t guardBytes() const { return static_cast<size_t>(guardRows_) * stride_; }
    int width_, lines_, stride_, guardRows_;
    bool bottomUp_;
    std::vector<uint8_t> storage_;
};

// Opens the library on a palette display (layout 0 or 1) and closes it after the test; the
// frame state is cleared again before closing so that the library never frees test buffers.
class RasterTest : public pvtest::LibraryTest {
protected:
    void OpenPalette(int layout = 0);
    void TearDown() override;
};

// A shape drawn as text lines of '#' and '.' from a list of inclusive runs per line.
std::string ShapeOf(int width, int lines, const std::vector<std::vector<int>> &runsPerLine);

}  // namespace rastertest
