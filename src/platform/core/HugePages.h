// The hint that lets the system back a large block of memory with huge pages.
#pragma once

#include <sys/mman.h>

#include <cstddef>
#include <cstdint>

/// The size of a huge page on the machines we run on.
inline constexpr std::size_t kHugePageBytes = std::size_t{2} * 1024 * 1024;

/// Asks the system to back the huge pages that lie whole inside `block` with huge pages, so a large
/// tree takes fewer page faults and translation entries. A hint: without it all still works.
inline void AskForHugePages(void* block, std::size_t bytes) {
    const auto start = reinterpret_cast<std::uintptr_t>(block);
    const std::uintptr_t first = (start + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes;
    const std::uintptr_t end = (start + bytes) / kHugePageBytes * kHugePageBytes;
    if (end > first) {
        ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
    }
}
