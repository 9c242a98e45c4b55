// The process heap used by the tracked allocator and the block table.
#include "core/heap.h"

#include <cstdlib>

namespace pv {

Heap g_heap = {std::malloc, std::realloc, std::free};

}  // namespace pv
