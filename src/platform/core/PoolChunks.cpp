// Chunks for the pools: huge-page mappings for large ones, the heap for the rest.
#include "platform/core/PoolChunks.h"

#include <sys/mman.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> g_mappedBytes{0};

/// A block of at least one huge page is mapped on its own, so every whole huge page in it can be
/// one; a smaller one would waste most of the huge page it started.
bool IsMapped(std::size_t bytes) {
    return bytes >= kHugePageBytes;
}

/// The length of the mapping that holds `bytes`: whole huge pages, so the last part of a block is one
/// too instead of hundreds of small pages. What lies past the block is never touched.
std::size_t MappedLength(std::size_t bytes) {
    return (bytes + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes;
}

} // namespace

void* AllocateChunk(std::size_t bytes) {
    if (!IsMapped(bytes)) {
        void* const block = std::malloc(bytes);
        if (block == nullptr) {
            throw std::bad_alloc();
        }
        return block;
    }
    // Mapped one huge page larger, then trimmed to a huge-page boundary at both ends.
    const std::size_t length = MappedLength(bytes);
    const std::size_t mapped = length + kHugePageBytes;
    void* const raw = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) {
        throw std::bad_alloc();
    }
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (start + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes;
    if (aligned > start) {
        ::munmap(raw, aligned - start);
    }
    const std::uintptr_t tail = start + mapped - (aligned + length);
    if (tail > 0) {
        ::munmap(reinterpret_cast<void*>(aligned + length), tail);
    }
    // A hint: without it the block still works, in small pages.
    ::madvise(reinterpret_cast<void*>(aligned), length, MADV_HUGEPAGE);
    g_mappedBytes += length;
    return reinterpret_cast<void*>(aligned);
}

void FreeChunk(void* block, std::size_t bytes) {
    if (block == nullptr) {
        return;
    }
    if (!IsMapped(bytes)) {
        std::free(block);
        return;
    }
    const std::size_t length = MappedLength(bytes);
    ::munmap(block, length);
    g_mappedBytes -= length;
}

std::size_t MappedChunkBytes() {
    return g_mappedBytes;
}
