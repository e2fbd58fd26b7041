// Chunks of the pools: large ones mapped on huge-page boundaries and counted, small ones from the heap.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/core/PoolChunks.h"

namespace {

constexpr std::size_t kMiB = 1024 * 1024;
constexpr std::size_t kTwoMiB = 2 * kMiB;
constexpr std::size_t kSmallPage = 4096;

TEST(PoolChunks, LargeBlocksAreMappedAndCountedInWholeHugePages) {
    // {asked, mapped}: a block from one huge page up is mapped in whole 2 MiB pages.
    const std::size_t cases[][2] = {
        {kTwoMiB, kTwoMiB},
        {kTwoMiB + 1, 2 * kTwoMiB},
        {3 * kTwoMiB + 100'000, 4 * kTwoMiB},
        {4 * kTwoMiB, 4 * kTwoMiB},
    };
    for (const auto& [asked, mapped] : cases) {
        const std::size_t before = MappedChunkBytes();
        auto* const block = static_cast<unsigned char*>(AllocateChunk(asked));
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % kTwoMiB, 0u) << asked;
        EXPECT_EQ(MappedChunkBytes() - before, mapped) << asked;
        // Every byte asked for is there, the first and the last included.
        std::memset(block, 0x5A, 64);
        std::memset(block + asked - 64, 0xA5, 64);
        EXPECT_EQ(block[0], 0x5A);
        EXPECT_EQ(block[asked - 1], 0xA5);
        FreeChunk(block, asked);
        EXPECT_EQ(MappedChunkBytes(), before) << asked;
    }
}

TEST(PoolChunks, BlocksBelowAHugePageComeFromTheHeap) {
    const std::size_t before = MappedChunkBytes();
    for (const std::size_t asked : {std::size_t{16}, kSmallPage, kTwoMiB - kSmallPage}) {
        auto* const block = static_cast<unsigned char*>(AllocateChunk(asked));
        EXPECT_EQ(MappedChunkBytes(), before) << asked;
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % 16, 0u) << asked;
        block[asked - 1] = 1;
        FreeChunk(block, asked);
    }
    FreeChunk(nullptr, kTwoMiB);
    EXPECT_EQ(MappedChunkBytes(), before);
}

} // namespace
