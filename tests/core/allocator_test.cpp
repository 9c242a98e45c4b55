// Tracked allocator: slot table growth and reuse, leak report file, failure messages.
#include <cstdio>
#include <filesystem>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/heap.h"
#include "support/library_fixture.h"

namespace {

using pvtest::LibraryTest;

std::string ReadFile(const char *path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool FileExists(const char *path) {
    std::FILE *f = std::fopen(path, "rb");
    if (f) std::fclose(f);
    return f != nullptr;
}

int SlotOf(const void *block) {
    for (int i = 0; i < pv::g_state.allocCapacity; ++i) {
        if (pv::g_state.allocTable[i] == block) return i;
    }
    return -1;
}

// Each test works in a folder of its own, so that report files of tests running at the same
// time do not meet.
class AllocatorTest : public LibraryTest {
protected:
    void SetUp() override {
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        folder = std::filesystem::current_path() / ("allocator_" + name);
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        home = std::filesystem::current_path();
        std::filesystem::current_path(folder);
        Open();
        base = LiveBlocks();
    }
    void TearDown() override {
        LibraryTest::TearDown();
        std::filesystem::current_path(home);
        std::filesystem::remove_all(folder);
    }
    std::filesystem::path folder, home;
    int base = 0;
};

TEST_F(AllocatorTest, FullTableDoublesAndNewBlockTakesFirstAddedSlot) {
    std::vector<void *> blocks;
    while (LiveBlocks() < 1024) blocks.push_back(PvAlloc(8));
    ASSERT_EQ(pv::g_state.allocCapacity, 1024);
    void *extra = PvAlloc(8);
    ASSERT_NE(extra, nullptr);
    EXPECT_EQ(pv::g_state.allocCapacity, 2048);
    EXPECT_EQ(SlotOf(extra), 1024);
    EXPECT_EQ(LiveBlocks(), 1025);
    for (void *b : blocks) PvFree(b);
    PvFree(extra);
    EXPECT_EQ(LiveBlocks(), base);
}

TEST_F(AllocatorTest, FreedSlotIsReusedBeforeHigherEmptySlots) {
    std::vector<void *> blocks;
    for (int i = 0; i < 8; ++i) blocks.push_back(PvAlloc(16));
    const int slot = SlotOf(blocks[5]);
    PvFree(blocks[5]);
    void *again = PvAlloc(16);
    EXPECT_EQ(SlotOf(again), slot);
    blocks[5] = again;
    for (void *b : blocks) PvFree(b);
}

TEST_F(AllocatorTest, FreeOfUntrackedOrNullPointerReturnsItAndChangesNothing) {
    void *plain = std::malloc(4);
    EXPECT_EQ(PvFree(plain), plain);
    EXPECT_EQ(PvFree(nullptr), nullptr);
    EXPECT_EQ(LiveBlocks(), base);
    std::free(plain);
}

TEST_F(AllocatorTest, ReAllocKeepsSlotAndContents) {
    auto *block = static_cast<char *>(PvAlloc(4));
    const int slot = SlotOf(block);
    std::memcpy(block, "abc", 4);
    auto *grown = static_cast<char *>(PvReAlloc(block, 4096));
    ASSERT_NE(grown, nullptr);
    EXPECT_EQ(SlotOf(grown), slot);
    EXPECT_STREQ(grown, "abc");
    EXPECT_EQ(LiveBlocks(), base + 1);
    PvFree(grown);
}

TEST_F(AllocatorTest, ReAllocOfUntrackedOrNullPointerGivesNullAndAllocatesNothing) {
    void *plain = std::malloc(4);
    EXPECT_EQ(PvReAlloc(plain, 64), nullptr);
    EXPECT_EQ(PvReAlloc(nullptr, 64), nullptr);
    EXPECT_EQ(LiveBlocks(), base);
    EXPECT_TRUE(messages.boxes().empty());
    std::free(plain);
}

// Heap failures, simulated through the replaceable heap.
struct FailingHeap {
    FailingHeap() : saved(pv::g_heap) {
        pv::g_heap.alloc = [](size_t) -> void * { return nullptr; };
        pv::g_heap.realloc = [](void *, size_t) -> void * { return nullptr; };
    }
    ~FailingHeap() { pv::g_heap = saved; }
    pv::Heap saved;
};

TEST_F(AllocatorTest, HeapFailuresReportOutOfMemoryAndKeepTheTable) {
    void *block = PvAlloc(32);
    {
        FailingHeap failing;
        EXPECT_EQ(PvAlloc(32), nullptr);
        EXPECT_EQ(PvReAlloc(block, 64), nullptr);
    }
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"メモリが足りません。", "メモリが足りません。"}));
    EXPECT_EQ(messages.boxes()[0].caption, "POLVEX");
    EXPECT_EQ(messages.boxes()[0].type, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_EQ(messages.boxes()[0].owner, nullptr);
    // The old block is still valid and tracked after a failed resize.
    EXPECT_EQ(LiveBlocks(), base + 1);
    EXPECT_EQ(PvFree(block), block);
    EXPECT_EQ(LiveBlocks(), base);
}

TEST_F(AllocatorTest, FailedTableGrowthReportsAndKeepsCapacity) {
    std::vector<void *> blocks;
    while (LiveBlocks() < 1024) blocks.push_back(PvAlloc(1));
    {
        FailingHeap failing;
        EXPECT_EQ(PvAlloc(1), nullptr);
    }
    EXPECT_EQ(pv::g_state.allocCapacity, 1024);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"メモリが足りません。"});
    for (void *b : blocks) PvFree(b);
}

TEST_F(AllocatorTest, AllFreeWritesReportOfForgottenBlocksInSlotOrder) {
    // Fill slots up to 17, then keep only the blocks of two slots alive, the later one first
    // in allocation order, to show that the report follows the slots.
    std::vector<void *> blocks;
    while (LiveBlocks() < 18) blocks.push_back(PvAlloc(8));
    void *inSlot17 = pv::g_state.allocTable[17];
    void *inSlot3 = pv::g_state.allocTable[3];
    for (void *b : blocks) {
        if (b != inSlot17 && b != inSlot3) PvFree(b);
    }
    // Release the library's own work buffers as closing does, so only the two remain.
    std::vector<void *> own;
    for (int i = 0; i < pv::g_state.allocCapacity; ++i) {
        void *b = pv::g_state.allocTable[i];
        if (b && b != inSlot3 && b != inSlot17) own.push_back(b);
    }
    for (void *b : own) PvFree(b);
    ASSERT_EQ(LiveBlocks(), 2);
    messages.clear();

    PvAllFree();
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{"PvFree()してないポインタがあります。\n詳細はpvdebug.txtに出力します。"});
    std::ostringstream expected;
    expected << "PvFree()していないポインタ\n"
             << "1:" << reinterpret_cast<intptr_t>(inSlot3) << "\n"
             << "2:" << reinterpret_cast<intptr_t>(inSlot17) << "\n";
    EXPECT_EQ(ReadFile("pvdebug.txt"), expected.str());
    EXPECT_EQ(LiveBlocks(), 0);

    // A second call finds nothing left: no message, the file stays as it was.
    messages.clear();
    std::remove("pvdebug.txt");
    PvAllFree();
    EXPECT_TRUE(messages.boxes().empty());
    EXPECT_FALSE(FileExists("pvdebug.txt"));
    // The work buffers are gone; reopen so that the fixture's close sees a normal library.
    pv::g_state.sinTable = pv::g_state.cosTable = nullptr;
    pv::g_state.polygonList = nullptr;
    pv::g_state.viewDepth = pv::g_state.viewHorz = pv::g_state.viewVert = nullptr;
    pv::g_state.screenPoints = nullptr;
    pv::g_state.vertexUsed = nullptr;
    pv::g_state.polygonFacing = nullptr;
}

TEST_F(AllocatorTest, AllFreeWithoutMessageFlagReleasesSilently) {
    pv::g_state.messageFlag = 0;
    PvAlloc(8);
    PvAlloc(8);
    ClosePolvex();
    EXPECT_TRUE(messages.boxes().empty());
    EXPECT_FALSE(FileExists("pvdebug.txt"));
    EXPECT_EQ(LiveBlocks(), 0);
}

TEST_F(AllocatorTest, UnwritableReportFileIsReportedAndBlocksAreStillReleased) {
    ASSERT_EQ(std::system("mkdir -p pvdebug.txt"), 0);
    PvAlloc(8);
    ClosePolvex();
    std::system("rmdir pvdebug.txt");
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"pvdebug.txtが書き込めません。"});
    EXPECT_EQ(LiveBlocks(), 0);
}

TEST_F(AllocatorTest, CleanCloseWritesNoFileAndShowsNothing) {
    void *block = PvAlloc(100);
    PvFree(block);
    ClosePolvex();
    EXPECT_TRUE(messages.boxes().empty());
    EXPECT_FALSE(FileExists("pvdebug.txt"));
}

TEST_F(AllocatorTest, NegativeSizeIsRefused) {
    EXPECT_EQ(PvAlloc(-1), nullptr);
    EXPECT_EQ(LiveBlocks(), base);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"メモリが足りません。"});
}

}  // namespace
