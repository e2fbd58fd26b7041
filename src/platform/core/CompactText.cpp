// Texts in one pointer, and the arena that holds a tree's texts.
#include "platform/core/CompactText.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <new>
#include <stdexcept>

#include "platform/core/PoolChunks.h"
#include "platform/core/Strings.h"

namespace {

std::size_t BlockBytes(std::size_t length) {
    if (length > std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("a text longer than 4294967295 units");
    }
    return CompactText::kHeaderBytes + length * sizeof(char16_t);
}

void WriteLength(unsigned char* block, std::size_t length) {
    const auto stored = static_cast<std::uint32_t>(length);
    std::memcpy(block, &stored, sizeof(stored));
}

} // namespace

std::uintptr_t CompactText::HeapBlock(std::u16string_view text) {
    if (text.empty()) {
        return 0;
    }
    auto* const block = static_cast<unsigned char*>(std::malloc(BlockBytes(text.size())));
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    WriteLength(block, text.size());
    std::memcpy(block + kHeaderBytes, text.data(), text.size() * sizeof(char16_t));
    return reinterpret_cast<std::uintptr_t>(block);
}

void CompactText::FreeHeapBlock() {
    std::free(reinterpret_cast<void*>(m_block));
}

CompactText& CompactText::operator=(CompactText&& other) noexcept {
    if (this != &other) {
        Release();
        m_block = other.m_block;
        other.m_block = 0;
    }
    return *this;
}

CompactText& CompactText::operator=(std::u16string_view text) {
    // Made before the old block goes: `text` may be a view of it.
    const std::uintptr_t made = HeapBlock(text);
    Release();
    m_block = made;
    return *this;
}

void CompactText::AssignInArena(TextArena& arena, std::u16string_view text) {
    if (text.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("a text longer than 4294967295 units");
    }
    char16_t* const units = ResizeInArena(arena, static_cast<std::uint32_t>(text.size()));
    std::copy(text.begin(), text.end(), units);
}

void CompactText::ShrinkLastInArena(TextArena& arena, std::uint32_t length) {
    if (length >= size()) {
        return;
    }
    unsigned char* const block = Block();
    if (length == 0) {
        m_block = 0;
        arena.GiveBackAfter(block);
        return;
    }
    WriteLength(block, length);
    arena.GiveBackAfter(block + kHeaderBytes + std::size_t{length} * sizeof(char16_t));
}

std::ostream& operator<<(std::ostream& out, const CompactText& text) {
    return out << ToUtf8(text.view());
}

/// A chunk's link to the one made before it, at its start.
struct TextArena::Chunk {
    Chunk* previous;
    std::size_t bytes;
};

void TextArena::Reset() {
    while (m_chunks != nullptr) {
        Chunk* const previous = m_chunks->previous;
        FreeChunk(m_chunks, m_chunks->bytes);
        m_chunks = previous;
    }
    m_fresh = nullptr;
    m_freshEnd = nullptr;
    m_nextChunkBytes = kFirstChunkBytes;
}

void TextArena::Reserve(std::size_t bytes) {
    const std::size_t wanted = sizeof(Chunk) + std::min(bytes, kLargestReservedBytes);
    m_nextChunkBytes = std::max(m_nextChunkBytes, wanted);
}

void TextArena::Grow(std::size_t atLeast) {
    // Chunks are whole pages (whole huge pages once they are large, unless reserved), the link
    // included.
    const std::size_t bytes = std::max(m_nextChunkBytes, sizeof(Chunk) + atLeast);
    const std::size_t usable = bytes - sizeof(Chunk);
    auto* const chunk = static_cast<Chunk*>(AllocateChunk(bytes));
    chunk->previous = m_chunks;
    chunk->bytes = bytes;
    m_chunks = chunk;
    m_fresh = reinterpret_cast<unsigned char*>(chunk + 1);
    m_freshEnd = m_fresh + usable;
    // A text longer than a chunk gets its own and leaves the growth where it was.
    if (bytes == m_nextChunkBytes) {
        m_nextChunkBytes = std::min(m_nextChunkBytes * 2, m_largestChunkBytes);
    }
}
