// Storage for the nodes of one tree: objects made in large chunks that never move, a free list for the
// ones given back, and every chunk released at once with the pool.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
#define CORVINA_POOL_POISONING 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define CORVINA_POOL_POISONING 1
#endif
#endif
#ifdef CORVINA_POOL_POISONING
#include <sanitizer/asan_interface.h>
#endif

#include <algorithm>
#include <cstddef>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/core/PoolChunks.h"

/// Makes and destroys objects of one type at fixed addresses. Chunks grow from a page to two huge
/// pages, so a tree of ten rows takes little and a tree of a million items takes a few dozen chunks
/// the system may back with huge pages. Objects still alive when the pool goes are not
/// destroyed: the pool's owner destroys them first.
template <class T> class NodePool {
public:
    NodePool() = default;
    NodePool(const NodePool&) = delete;
    NodePool& operator=(const NodePool&) = delete;
    ~NodePool() {
        for (const Chunk& chunk : m_chunks) {
            FreeChunk(chunk.block, chunk.bytes);
        }
    }

    /// Makes an object from `args` in a free slot; nothing is taken when its constructor throws.
    template <class... Args> T* Create(Args&&... args) {
        Slot* const slot = Take();
        try {
            return ::new (static_cast<void*>(slot)) T(std::forward<Args>(args)...);
        } catch (...) {
            Give(slot);
            throw;
        }
    }

    /// Makes room for `count` more objects in one chunk of just the size missing, so an owner that
    /// knows how many it will make (a control filled with a whole list) takes no chunk larger than
    /// it needs. The fresh slots left in the newest chunk go to the free list first.
    void Reserve(std::size_t count) {
        const auto fresh = static_cast<std::size_t>(m_freshEnd - m_fresh);
        if (m_freeCount + fresh >= count) {
            return;
        }
        const std::size_t missing = count - m_freeCount - fresh;
        while (m_fresh != m_freshEnd) {
            Give(m_fresh++);
        }
        StartChunk((missing * sizeof(Slot) + kPageBytes - 1) / kPageBytes * kPageBytes);
    }

    /// Gives back every chunk at once, with every object in them, and starts afresh: for objects
    /// that need no destructor, which a pool of a million takes no walk over to forget.
    void Clear() {
        static_assert(std::is_trivially_destructible_v<T>,
                      "objects with a destructor are destroyed one by one");
        for (const Chunk& chunk : m_chunks) {
            FreeChunk(chunk.block, chunk.bytes);
        }
        m_chunks.clear();
        m_free = nullptr;
        m_freeCount = 0;
        m_fresh = nullptr;
        m_freshEnd = nullptr;
        m_nextChunkBytes = kFirstChunkBytes;
    }

    /// Destroys `object` (made by this pool) and keeps its slot for the next `Create`.
    void Destroy(T* object) {
        object->~T();
        Give(reinterpret_cast<Slot*>(object));
    }

private:
    union Slot {
        Slot* next;
        alignas(T) unsigned char bytes[sizeof(T)];
    };
    static constexpr std::size_t kPageBytes = 4096;
    static constexpr std::size_t kFirstChunkBytes = kPageBytes;
    /// Chunks stop growing at two huge pages, so each holds at least one whole.
    static constexpr std::size_t kLargestChunkBytes = 2 * kHugePageBytes;

    Slot* Take() {
        if (m_free != nullptr) {
            Slot* const slot = m_free;
            Unpoison(slot);
            m_free = slot->next;
            --m_freeCount;
            return slot;
        }
        if (m_fresh == m_freshEnd) {
            Grow();
        }
        return m_fresh++;
    }

    void Give(Slot* slot) {
        slot->next = m_free;
        m_free = slot;
        ++m_freeCount;
        Poison(slot);
    }

    // A slot on the free list is poisoned for the address sanitizer, so a node used after it was
    // deleted is reported as it would be on the heap.
    static void Poison([[maybe_unused]] Slot* slot) {
#ifdef CORVINA_POOL_POISONING
        ASAN_POISON_MEMORY_REGION(slot, sizeof(Slot));
#endif
    }
    static void Unpoison([[maybe_unused]] Slot* slot) {
#ifdef CORVINA_POOL_POISONING
        ASAN_UNPOISON_MEMORY_REGION(slot, sizeof(Slot));
#endif
    }

    void Grow() {
        const std::size_t bytes = std::max(m_nextChunkBytes, sizeof(Slot));
        StartChunk(bytes);
        m_nextChunkBytes = std::min(bytes * 2, kLargestChunkBytes);
    }

    /// Takes a chunk of `bytes` and hands out its slots next.
    void StartChunk(std::size_t bytes) {
        m_chunks.reserve(m_chunks.size() + 1); // may throw: before there is a chunk to lose
        void* const chunk = AllocateChunk(bytes);
        m_chunks.push_back({chunk, bytes});
        // Handed out in address order, so nodes made one after another lie side by side, and each
        // page is first touched by the node made in it.
        m_fresh = static_cast<Slot*>(chunk);
        m_freshEnd = m_fresh + bytes / sizeof(Slot);
    }

    struct Chunk {
        void* block;
        std::size_t bytes;
    };
    std::vector<Chunk> m_chunks;
    /// Slots given back, most recent first.
    Slot* m_free = nullptr;
    std::size_t m_freeCount = 0;
    /// The newest chunk's slots that were never handed out.
    Slot* m_fresh = nullptr;
    Slot* m_freshEnd = nullptr;
    std::size_t m_nextChunkBytes = kFirstChunkBytes;
};
