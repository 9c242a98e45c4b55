// Rendering a frame allocates nothing: neither tracked blocks nor anything from the heap.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <new>

#include "core/heap.h"
#include "core/state.h"
#include "render/render_scene.h"

namespace {

// Counts operator new calls while armed; the test binary's only replacement of it.
bool g_counting = false;
int g_newCalls = 0;

}  // namespace

// Every plain and array form is replaced, all on malloc and free, so that sanitizer builds
// see matching calls; kept out of line so that the compiler does not pair them with its own.
// The aligned forms keep the runtime's own pair.
namespace {
void *Counted(size_t size) noexcept {
    if (g_counting) ++g_newCalls;
    return std::malloc(size ? size : 1);
}
}  // namespace

#define PV_NOINLINE __attribute__((noinline))
PV_NOINLINE void *operator new(size_t size) {
    if (void *block = Counted(size)) return block;
    throw std::bad_alloc();
}
PV_NOINLINE void *operator new[](size_t size) {
    if (void *block = Counted(size)) return block;
    throw std::bad_alloc();
}
PV_NOINLINE void *operator new(size_t size, const std::nothrow_t &) noexcept { return Counted(size); }
PV_NOINLINE void *operator new[](size_t size, const std::nothrow_t &) noexcept { return Counted(size); }
PV_NOINLINE void operator delete(void *block) noexcept { std::free(block); }
PV_NOINLINE void operator delete(void *block, size_t) noexcept { std::free(block); }
PV_NOINLINE void operator delete(void *block, const std::nothrow_t &) noexcept { std::free(block); }
PV_NOINLINE void operator delete[](void *block) noexcept { std::free(block); }
PV_NOINLINE void operator delete[](void *block, size_t) noexcept { std::free(block); }
PV_NOINLINE void operator delete[](void *block, const std::nothrow_t &) noexcept { std::free(block); }
#undef PV_NOINLINE

namespace pvtest {
namespace {

int g_heapCalls = 0;
void *CountingAlloc(size_t size) {
    ++g_heapCalls;
    return std::malloc(size);
}

class FrameAllocationTest : public RenderTest {};

TEST_F(FrameAllocationTest, FramesInEveryModeAllocateNothing) {
    OpenFrame();
    std::vector<ObjectStruct> objects;
    ObjectData *sphere = Keep(MakeSphere(40, 10, 14, 200, 120, 60));
    for (int k = 0; k < 6; ++k) objects.push_back(Placed(sphere, 40.0f + 60.0f * k, 30.0f * k - 80, 0));
    std::vector<ObjectStruct> array = {camera};
    array.insert(array.end(), objects.begin(), objects.end());
    // The dump file is opened by the first frame of mode 4; later frames only write to it.
    SetModelMode(4);
    Polvex(static_cast<int32_t>(objects.size()), array.data());

    const pv::Heap saved = pv::g_heap;
    pv::g_heap.alloc = CountingAlloc;
    const int32_t blocks = pv::g_state.allocCount;
    g_counting = true;
    for (int mode : {0, 1, 2, 3, 4, 999}) {
        SetModelMode(mode);
        EXPECT_GT(Polvex(static_cast<int32_t>(objects.size()), array.data()), 0) << "mode " << mode;
    }
    g_counting = false;
    pv::g_heap = saved;
    EXPECT_EQ(g_newCalls, 0);
    EXPECT_EQ(g_heapCalls, 0);
    EXPECT_EQ(pv::g_state.allocCount, blocks);
    std::remove("POLVEX.3DQ");
}

}  // namespace
}  // namespace pvtest
