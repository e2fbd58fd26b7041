// Chunks for the pools: huge-page mappings for large ones, the heap for the rest.
#include "platform/core/PoolChunks.h"

#include <sys/mman.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> g_mappedBytes{0};

// The huge pages that lie whole inside a heap block may still be backed by huge pages.
void AskForHugePagesInside(void* block, std::size_t bytes) {
    const auto start = reinterpret_cast<std::uintptr_t>(block);
    const std::uintptr_t first = (start + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes;
    const std::uintptr_t end = (start + bytes) / kHugePageBytes * kHugePageBytes;
    if (end > first) {
        ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
    }
}

bool IsWholeHugePages(std::size_t bytes) {
    return bytes >= kHugePageBytes && bytes % kHugePageBytes == 0;
}

} // namespace

void* AllocateChunk(std::size_t bytes) {
    if (!IsWholeHugePages(bytes)) {
        void* const block = std::malloc(bytes);
        if (block == nullptr) {
            throw std::bad_alloc();
        }
        AskForHugePagesInside(block, bytes);
        return block;
    }
    // Mapped one huge page larger, then trimmed to a huge-page boundary at both ends.
    const std::size_t mapped = bytes + kHugePageBytes;
    void* const raw = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) {
        throw std::bad_alloc();
    }
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (start + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes;
    if (aligned > start) {
        ::munmap(raw, aligned - start);
    }
    const std::uintptr_t tail = start + mapped - (aligned + bytes);
    if (tail > 0) {
        ::munmap(reinterpret_cast<void*>(aligned + bytes), tail);
    }
    // A hint: without it the block still works, in small pages.
    ::madvise(reinterpret_cast<void*>(aligned), bytes, MADV_HUGEPAGE);
    g_mappedBytes += bytes;
    return reinterpret_cast<void*>(aligned);
}

void FreeChunk(void* block, std::size_t bytes) {
    if (block == nullptr) {
        return;
    }
    if (!IsWholeHugePages(bytes)) {
        std::free(block);
        return;
    }
    ::munmap(block, bytes);
    g_mappedBytes -= bytes;
}

std::size_t MappedChunkBytes() {
    return g_mappedBytes;
}
