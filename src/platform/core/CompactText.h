// A UTF-16 text in one pointer: its length and units in one block, on the heap or in a tree's
// text arena, so a million items' titles cost a few bytes each beyond their characters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <string_view>

class TextArena;

/// An owning UTF-16 text the size of a pointer. The empty text holds nothing. Any other text is a
/// block of its length (32 bits) and its units: either on the heap, which the text frees, or in a
/// `TextArena`, which frees all its blocks at once when it goes. Copies and assignments always take
/// a heap block of their own, so a text never outlives the memory it points into, as long as a text
/// made in an arena lives no longer than the arena (the tree that owns both sees to that).
class CompactText {
public:
    CompactText() = default;
    CompactText(std::u16string_view text) : m_block(HeapBlock(text)) {}
    CompactText(const std::u16string& text) : CompactText(std::u16string_view(text)) {}
    CompactText(const char16_t* text) : CompactText(std::u16string_view(text)) {}
    CompactText(const CompactText& other) : m_block(HeapBlock(other.view())) {}
    CompactText(CompactText&& other) noexcept : m_block(other.m_block) { other.m_block = 0; }
    CompactText& operator=(const CompactText& other) { return *this = other.view(); }
    CompactText& operator=(CompactText&& other) noexcept;
    CompactText& operator=(std::u16string_view text);
    CompactText& operator=(const std::u16string& text) { return *this = std::u16string_view(text); }
    CompactText& operator=(const char16_t* text) { return *this = std::u16string_view(text); }
    ~CompactText() { Release(); }

    /// Makes room for `length` units in `arena` and answers where to write them; the text holds
    /// whatever was there before until they are written. `length` 0 gives the empty text.
    char16_t* ResizeInArena(TextArena& arena, std::uint32_t length);
    /// Holds a copy of `text` in `arena`.
    void AssignInArena(TextArena& arena, std::u16string_view text);
    /// Keeps only the first `length` units of a text `ResizeInArena` just made, the last block the
    /// arena handed out, and gives the rest back to the arena: a reader makes room for the most
    /// units a field can decode to, decodes, then keeps what it wrote.
    void ShrinkLastInArena(TextArena& arena, std::uint32_t length);

    std::u16string_view view() const { return {data(), size()}; }
    operator std::u16string_view() const { return view(); }
    std::u16string str() const { return std::u16string(view()); }
    std::size_t size() const {
        if (m_block == 0) {
            return 0;
        }
        std::uint32_t length;
        std::memcpy(&length, Block(), sizeof(length));
        return length;
    }
    bool empty() const { return m_block == 0; }
    const char16_t* data() const {
        return m_block == 0 ? u"" : reinterpret_cast<const char16_t*>(Block() + kHeaderBytes);
    }

    friend bool operator==(const CompactText& a, const CompactText& b) { return a.view() == b.view(); }
    friend bool operator==(const CompactText& a, std::u16string_view b) { return a.view() == b; }
    friend bool operator==(const CompactText& a, const std::u16string& b) { return a.view() == b; }
    friend bool operator==(const CompactText& a, const char16_t* b) { return a.view() == b; }

    /// The bytes before a block's units: its length.
    static constexpr std::size_t kHeaderBytes = sizeof(std::uint32_t);

private:
    /// The low bit of the block's address tells an arena block (1) from a heap block (0); blocks are
    /// aligned to their header, so the bit is free.
    static constexpr std::uintptr_t kArenaTag = 1;

    static std::uintptr_t HeapBlock(std::u16string_view text);
    unsigned char* Block() const { return reinterpret_cast<unsigned char*>(m_block & ~kArenaTag); }
    /// Frees a heap block; an arena block and the empty text need nothing, and that check stays
    /// inline, since a million items are destroyed at once.
    void Release() {
        if (m_block != 0 && (m_block & kArenaTag) == 0) {
            FreeHeapBlock();
        }
        m_block = 0;
    }
    void FreeHeapBlock();

    std::uintptr_t m_block = 0;
};

/// Prints the text as UTF-8, for test failure messages.
std::ostream& operator<<(std::ostream& out, const CompactText& text);

/// The blocks of texts of one tree, taken from large chunks and all given back at once. A text
/// replaced in its tree leaves its block behind until the arena goes: texts are edited by hand, so
/// what is left behind stays small beside what a list loads.
class TextArena {
public:
    /// Chunks grow from a page up to this size by default: two huge pages, for lists of a million.
    static constexpr std::size_t kLargestChunkBytes = std::size_t{4} * 1024 * 1024;

    /// An arena whose chunks grow up to `largestChunkBytes`: a smaller limit wastes less of the
    /// last chunk where texts are fewer.
    explicit TextArena(std::size_t largestChunkBytes = kLargestChunkBytes)
        : m_largestChunkBytes(largestChunkBytes) {}
    TextArena(const TextArena&) = delete;
    TextArena& operator=(const TextArena&) = delete;
    ~TextArena() { Reset(); }

    /// Gives back every chunk; only once no text of the arena is left.
    void Reset();

    /// Makes the next chunk the arena starts hold at least `bytes` (up to `kLargestReservedBytes`),
    /// for a reader that knows about how much text is coming, such as a list file's length: one
    /// chunk in huge pages then takes what a run of growing chunks would, with far fewer page
    /// faults. Nothing is taken before the next text needs it.
    void Reserve(std::size_t bytes);
    /// The most one reservation makes room for: a damaged file's length asks for no more.
    static constexpr std::size_t kLargestReservedBytes = std::size_t{256} * 1024 * 1024;

    /// Takes back the end of the last block handed out, from `end` on.
    void GiveBackAfter(unsigned char* end) {
        m_fresh = end + (kBlockAlignment - reinterpret_cast<std::uintptr_t>(end) % kBlockAlignment) %
                            kBlockAlignment;
    }
    /// Room for `bytes` bytes aligned for a block's header, valid until the arena goes.
    unsigned char* Allocate(std::size_t bytes) {
        const std::size_t rounded = (bytes + kBlockAlignment - 1) / kBlockAlignment * kBlockAlignment;
        if (static_cast<std::size_t>(m_freshEnd - m_fresh) < rounded) {
            Grow(rounded);
        }
        unsigned char* const block = m_fresh;
        m_fresh += rounded;
        return block;
    }

private:
    static constexpr std::size_t kBlockAlignment = alignof(std::uint32_t);
    static constexpr std::size_t kFirstChunkBytes = 4096;

    void Grow(std::size_t atLeast);

    struct Chunk;
    Chunk* m_chunks = nullptr;
    unsigned char* m_fresh = nullptr;
    unsigned char* m_freshEnd = nullptr;
    std::size_t m_nextChunkBytes = kFirstChunkBytes;
    /// A text longer than this gets a chunk of its own.
    std::size_t m_largestChunkBytes;
};

inline char16_t* CompactText::ResizeInArena(TextArena& arena, std::uint32_t length) {
    Release();
    if (length == 0) {
        return nullptr;
    }
    unsigned char* const block = arena.Allocate(kHeaderBytes + std::size_t{length} * sizeof(char16_t));
    std::memcpy(block, &length, sizeof(length));
    m_block = reinterpret_cast<std::uintptr_t>(block) | kArenaTag;
    return reinterpret_cast<char16_t*>(block + kHeaderBytes);
}
