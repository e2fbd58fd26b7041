// Chunks for the pools of big trees, backed by huge pages where the system allows.
#pragma once

#include <cstddef>

/// The size of a huge page on the machines we run on.
inline constexpr std::size_t kHugePageBytes = std::size_t{2} * 1024 * 1024;

/// A block of `bytes` for a pool's chunk, aligned to at least 16 bytes; throws `std::bad_alloc`
/// when there is no memory. A block of a huge page or more is mapped in whole huge pages on a
/// huge-page boundary with the hint that huge pages back it, so a million nodes take a few dozen page
/// faults instead of tens of thousands. Smaller blocks come from the heap.
void* AllocateChunk(std::size_t bytes);
/// Gives back a block from `AllocateChunk` of the same `bytes`.
void FreeChunk(void* block, std::size_t bytes);
/// The bytes of the mapped blocks now in use, in whole huge pages (heap blocks are the allocator's to count),
/// so a measurement of memory sees all of a tree.
std::size_t MappedChunkBytes();
