// The process heap behind the tracked allocator and the block table. Tests replace the
// functions to make allocations fail; everything else uses them as they are.
#pragma once

#include <cstddef>

namespace pv {

struct Heap {
    void *(*alloc)(size_t size);
    void *(*realloc)(void *block, size_t size);
    void (*free)(void *block);
};

extern Heap g_heap;

}  // namespace pv
