// Helpers of the data file tests: data files written into the working directory under names
// unique to the running test, and a process heap that refuses one chosen allocation.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/heap.h"

namespace pvtest {

// A file holding content, removed again when the helper goes out of scope.
class DataFile {
public:
    explicit DataFile(std::string_view content, std::string_view extension = ".q3d") {
        static int serial = 0;
        const ::testing::TestInfo *info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "_" + info->name();
        for (char &c : name) {
            if (c == '/' || c == ' ') c = '_';
        }
        path_ = name + "_" + std::to_string(++serial) + std::string(extension);
        std::FILE *file = std::fopen(path_.c_str(), "wb");
        EXPECT_NE(file, nullptr) << path_;
        if (file != nullptr) {
            std::fwrite(content.data(), 1, content.size(), file);
            std::fclose(file);
        }
    }
    ~DataFile() { std::remove(path_.c_str()); }
    DataFile(const DataFile &) = delete;
    DataFile &operator=(const DataFile &) = delete;

    const std::string &path() const { return path_; }
    const char *name() const { return path_.c_str(); }

private:
    std::string path_;
};

// While it lives, the process heap behind the tracked allocator fails its n-th allocation
// (counted from 1) and serves every other one.
class FailingHeap {
public:
    explicit FailingHeap(int n) : saved_(pv::g_heap) {
        countdown_ = n;
        pv::g_heap.alloc = &Alloc;
    }
    ~FailingHeap() { pv::g_heap = saved_; }
    FailingHeap(const FailingHeap &) = delete;
    FailingHeap &operator=(const FailingHeap &) = delete;

    // True once the refused allocation has been asked for.
    static bool Refused() { return countdown_ <= 0; }

private:
    static void *Alloc(size_t size) {
        if (--countdown_ == 0) return nullptr;
        return std::malloc(size);
    }
    static inline int countdown_ = 0;
    pv::Heap saved_;
};

// Replaces every "{F}" in text with file.
inline std::string WithFile(std::string text, const std::string &file) {
    for (size_t at = text.find("{F}"); at != std::string::npos; at = text.find("{F}", at + file.size())) {
        text.replace(at, 3, file);
    }
    return text;
}

// True when text is well-formed UTF-8 (no character cut in half).
inline bool IsWholeUtf8(const std::string &text) {
    size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const size_t need = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 0;
        if (need == 0 || i + need > text.size()) return false;
        for (size_t k = 1; k < need; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        }
        i += need;
    }
    return true;
}

}  // namespace pvtest
