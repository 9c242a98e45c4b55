// The tracked allocator: every block the library hands out is kept in a table, so that
// closing the library can release what was forgotten and list it in "pvdebug.txt".
#include <cstdio>
#include <cstring>

#include "core/heap.h"
#include "core/report.h"
#include "core/state.h"

namespace pv {
namespace {

// Slot holding block, or -1. A null pointer matches no slot.
int32_t FindSlot(const void *block) {
    if (block == nullptr || g_state.allocTable == nullptr) return -1;
    for (int32_t i = 0; i < g_state.allocCapacity; ++i) {
        if (g_state.allocTable[i] == block) return i;
    }
    return -1;
}

// Doubles the table, keeping the existing slots; false (nothing changed) when the heap
// cannot provide the larger table or the doubled size would not fit in a slot count.
bool GrowTable() {
    const int32_t oldCapacity = g_state.allocCapacity;
    if (oldCapacity > INT32_MAX / 2) return false;
    const int32_t newCapacity = oldCapacity * 2;
    void *grown = g_heap.realloc(g_state.allocTable, sizeof(void *) * static_cast<size_t>(newCapacity));
    if (grown == nullptr) return false;
    g_state.allocTable = static_cast<void **>(grown);
    std::memset(g_state.allocTable + oldCapacity, 0, sizeof(void *) * static_cast<size_t>(oldCapacity));
    g_state.allocCapacity = newCapacity;
    return true;
}

}  // namespace
}  // namespace pv

using namespace pv;

extern "C" {

POLVEX_API void *PvAlloc(int32_t size) {
    if (g_state.allocTable == nullptr) return nullptr;  // the library is not open
    if (g_state.allocCount == g_state.allocCapacity && !GrowTable()) {
        Report(kOutOfMemory);
        return nullptr;
    }
    int32_t slot = 0;
    while (g_state.allocTable[slot] != nullptr) ++slot;
    // A negative size is a caller's mistake that the heap would read as a huge request.
    void *block = size >= 0 ? g_heap.alloc(static_cast<size_t>(size)) : nullptr;
    if (block == nullptr) {
        Report(kOutOfMemory);
        return nullptr;
    }
    g_state.allocTable[slot] = block;
    ++g_state.allocCount;
    return block;
}

// A pointer that no slot holds (null included) is not resized and gives null: resizing a
// block the allocator does not own would hand foreign memory to the heap. After a failed
// resize the old block is still valid and stays tracked, so nothing is lost.
POLVEX_API void *PvReAlloc(void *block, int32_t size) {
    const int32_t slot = FindSlot(block);
    if (slot < 0) return nullptr;
    void *resized = size >= 0 ? g_heap.realloc(block, static_cast<size_t>(size)) : nullptr;
    if (resized == nullptr) {
        Report(kOutOfMemory);
        return nullptr;
    }
    g_state.allocTable[slot] = resized;
    return resized;
}

POLVEX_API void *PvFree(void *block) {
    const int32_t slot = FindSlot(block);
    if (slot >= 0) {
        g_state.allocTable[slot] = nullptr;
        --g_state.allocCount;
        g_heap.free(block);
    }
    return block;
}

POLVEX_API void PvAllFree(void) {
    if (g_state.allocTable == nullptr) return;
    int32_t live = 0;
    for (int32_t i = 0; i < g_state.allocCapacity; ++i) live += g_state.allocTable[i] != nullptr;

    std::FILE *report = nullptr;
    if (live != 0 && g_state.messageFlag != 0) {
        report = std::fopen("pvdebug.txt", "wt");
        if (report != nullptr) {
            std::fputs("PvFree()していないポインタ\n", report);
            Report("PvFree()してないポインタがあります。\n詳細はpvdebug.txtに出力します。");
        } else {
            Report("pvdebug.txtが書き込めません。");
        }
    }
    long number = 0;
    for (int32_t i = 0; i < g_state.allocCapacity; ++i) {
        void *block = g_state.allocTable[i];
        if (block == nullptr) continue;
        ++number;
        if (report != nullptr) {
            std::fprintf(report, "%ld:%ld\n", number, static_cast<long>(reinterpret_cast<intptr_t>(block)));
        }
        g_heap.free(block);
        g_state.allocTable[i] = nullptr;
    }
    g_state.allocCount = 0;
    if (report != nullptr) std::fclose(report);
}

}  // extern "C"
