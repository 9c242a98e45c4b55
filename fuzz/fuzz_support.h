// Shared harness of the reader fuzzers: splits an input into a refused allocation, a tag name
// and file contents, runs one reader on them with the library open, and aborts when a call
// leaves tracked blocks behind or shows a message that would not fit its buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <unistd.h>

#include "core/heap.h"
#include "core/state.h"
#include "platform/control.h"
#include "polvex/polvex.h"

namespace pvfuzz {

// One input: byte 0 picks the process-heap allocation to refuse when it is below 64 (the
// n-th from the call, counted from 1; printable seeds start with '@' and refuse none), the
// bytes up to the first line end are the tag name, the rest is the file.
struct Input {
    int refuse = 0;
    std::string tag;
    const uint8_t *file = nullptr;
    size_t fileSize = 0;
};

inline Input Split(const uint8_t *data, size_t size) {
    Input in;
    if (size == 0) return in;
    in.refuse = data[0] < 64 ? data[0] : 0;
    const uint8_t *rest = data + 1;
    const size_t restSize = size - 1;
    const void *end = std::memchr(rest, '\n', restSize);
    const size_t tagSize = end ? static_cast<size_t>(static_cast<const uint8_t *>(end) - rest) : restSize;
    in.tag.assign(reinterpret_cast<const char *>(rest), tagSize);
    in.tag = in.tag.c_str();  // a name ends at its first zero byte, as the readers see it
    in.file = rest + tagSize + (end ? 1 : 0);
    in.fileSize = restSize - tagSize - (end ? 1 : 0);
    return in;
}

inline int g_countdown = 0;

inline void *RefusingAlloc(size_t size) {
    if (g_countdown > 0 && --g_countdown == 0) return nullptr;
    return std::malloc(size);
}

// Message boxes are checked, not shown: every text must fit the 256-byte buffer.
inline int CheckBox(HWND, const char *text, const char *, UINT, void *) {
    if (text == nullptr || std::strlen(text) > 255) {
        std::fprintf(stderr, "message of %zu bytes\n", text ? std::strlen(text) : 0);
        std::abort();
    }
    return IDOK;
}

// Opens the library once (messages on, so their formatting runs) and names this process's
// file; returns the file name.
inline const char *Setup() {
    static std::string path;
    if (path.empty()) {
        PlatformSetMessageBoxHook(&CheckBox, nullptr);
        if (OpenPolvex(1) != 1) std::abort();
        pv::g_heap.alloc = &RefusingAlloc;
        const char *dir = std::getenv("TMPDIR");
        path = std::string(dir && *dir ? dir : "/tmp") + "/polvex-fuzz-" + std::to_string(getpid()) + ".q3d";
    }
    return path.c_str();
}

// Writes the input's file and arms the refused allocation; returns the file name.
inline const char *Prepare(const Input &in) {
    const char *path = Setup();
    std::FILE *file = std::fopen(path, "wb");
    if (file == nullptr) std::abort();
    if (in.fileSize != 0) std::fwrite(in.file, 1, in.fileSize, file);
    std::fclose(file);
    g_countdown = in.refuse;
    return path;
}

inline void Finish(int liveBefore) {
    g_countdown = 0;
    if (pv::g_state.allocCount != liveBefore) {
        std::fprintf(stderr, "%d tracked blocks left behind\n", pv::g_state.allocCount - liveBefore);
        std::abort();
    }
}

// Runs ReadDataInt or ReadDataFloat on one input.
template <typename Value>
void FuzzTagReader(int32_t (*reader)(Value **, const char *, const char *), const uint8_t *data, size_t size) {
    const Input in = Split(data, size);
    const char *path = Prepare(in);
    const int before = pv::g_state.allocCount;
    Value *out = nullptr;
    const int32_t count = reader(&out, path, in.tag.c_str());
    if (count < 0 || count > 16000 || (count == 0) != (out == nullptr)) std::abort();
    volatile Value sink{};
    for (int32_t i = 0; i < count; ++i) sink = out[i];  // every returned value is readable
    (void)sink;
    g_countdown = 0;
    if (count > 0) PvFree(out);
    Finish(before);
}

}  // namespace pvfuzz
