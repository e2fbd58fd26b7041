// Searches over runs of bytes that look at sixteen bytes at a time where the processor has SSE2 (every
// x86-64 does) and eight bytes at a time elsewhere: where a run of ASCII ends, where the first of
// three given bytes lies, and where any of them lie among the next 32 bytes. Readers of long texts
// spend most of their time in these.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace byte_search {

using Word = std::uint64_t;
inline constexpr std::size_t kWordBytes = sizeof(Word);
inline constexpr Word kLowBits = 0x0101010101010101ULL;
inline constexpr Word kHighBits = 0x8080808080808080ULL;
inline constexpr unsigned kBitsPerByte = 8;
/// The word-at-a-time answers count bytes from the lowest address up, which is the lowest bits
/// first only on little-endian machines; elsewhere the plain loops answer.
inline constexpr bool kWordsWork = std::endian::native == std::endian::little;

#if defined(__SSE2__)
/// The bytes one vector compare looks at.
inline constexpr std::size_t kVectorBytes = sizeof(__m128i);

inline __m128i LoadVector(const char* at) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
}
/// One bit per byte of `vector`, the lowest address in the lowest bit: set where the byte's high bit is.
inline unsigned HighBitsOf(__m128i vector) {
    return static_cast<unsigned>(_mm_movemask_epi8(vector));
}
#endif

inline Word LoadWord(const char* at) {
    Word word;
    std::memcpy(&word, at, kWordBytes);
    return word;
}

/// A word with the high bit set in the lowest byte of `word` that is zero (higher bytes may be
/// marked wrongly, so only the lowest mark counts), and 0 when none is.
constexpr Word MarkZeroBytes(Word word) {
    return (word - kLowBits) & ~word & kHighBits;
}

/// The index of the byte the lowest mark of `marks` (not 0) stands for.
inline std::size_t FirstMarked(Word marks) {
    return static_cast<std::size_t>(std::countr_zero(marks)) / kBitsPerByte;
}

/// How many bytes at the start of `data` are ASCII (below 0x80).
inline std::size_t AsciiPrefix(const char* data, std::size_t size) {
    std::size_t pos = 0;
#if defined(__SSE2__)
    for (; pos + kVectorBytes <= size; pos += kVectorBytes) {
        if (const unsigned high = HighBitsOf(LoadVector(data + pos)); high != 0) {
            return pos + static_cast<std::size_t>(std::countr_zero(high));
        }
    }
#endif
    if constexpr (kWordsWork) {
        for (; pos + kWordBytes <= size; pos += kWordBytes) {
            if (const Word high = LoadWord(data + pos) & kHighBits; high != 0) {
                return pos + FirstMarked(high);
            }
        }
    }
    while (pos < size && static_cast<unsigned char>(data[pos]) < 0x80) {
        ++pos;
    }
    return pos;
}

/// Where the first of the bytes `a`, `b` and `c` lies in `data`; `size` when none does. Always inlined,
/// so the three bytes, known where it is called, are spread into vectors once and not per search.
[[gnu::always_inline]] inline std::size_t FindAnyOf(const char* data, std::size_t size, char a, char b,
                                                    char c) {
    std::size_t pos = 0;
#if defined(__SSE2__)
    if (size >= kVectorBytes) {
        const __m128i spreadA = _mm_set1_epi8(a);
        const __m128i spreadB = _mm_set1_epi8(b);
        const __m128i spreadC = _mm_set1_epi8(c);
        const auto marksAt = [&](std::size_t at) {
            const __m128i bytes = LoadVector(data + at);
            return HighBitsOf(
                _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, spreadA), _mm_cmpeq_epi8(bytes, spreadB)),
                             _mm_cmpeq_epi8(bytes, spreadC)));
        };
        for (; pos + kVectorBytes <= size; pos += kVectorBytes) {
            if (const unsigned marks = marksAt(pos); marks != 0) {
                return pos + static_cast<std::size_t>(std::countr_zero(marks));
            }
        }
        if (pos == size) {
            return size;
        }
        // The last few bytes are looked at in the block that ends with them; the bytes it shares with
        // the block before are known not to match.
        const std::size_t lastBlock = size - kVectorBytes;
        const unsigned marks = marksAt(lastBlock) >> (pos - lastBlock);
        return marks != 0 ? pos + static_cast<std::size_t>(std::countr_zero(marks)) : size;
    }
#endif
    if constexpr (kWordsWork) {
        const Word spreadA = kLowBits * static_cast<unsigned char>(a);
        const Word spreadB = kLowBits * static_cast<unsigned char>(b);
        const Word spreadC = kLowBits * static_cast<unsigned char>(c);
        for (; pos + kWordBytes <= size; pos += kWordBytes) {
            const Word word = LoadWord(data + pos);
            const Word marks =
                MarkZeroBytes(word ^ spreadA) | MarkZeroBytes(word ^ spreadB) | MarkZeroBytes(word ^ spreadC);
            if (marks != 0) {
                return pos + FirstMarked(marks);
            }
        }
    }
    while (pos < size && data[pos] != a && data[pos] != b && data[pos] != c) {
        ++pos;
    }
    return pos;
}

/// The bytes `MarkAnyOf` looks at: two blocks, enough for a short record.
inline constexpr std::size_t kMarkedBytes = 32;
using Marks = std::uint32_t;

/// Marks of the `kMarkedBytes` bytes at `data` (all of which must be readable), one bit for each, the
/// lowest address in the lowest bit.
struct MarkedBytes {
    /// Set where the byte is one of the wanted ones.
    Marks any;
    /// Set where the byte is the first wanted one.
    Marks first;
};

/// Marks where the bytes `a`, `b` or `c` are, and apart where `a` is.
[[gnu::always_inline]] inline MarkedBytes MarkAnyOf(const char* data, char a, char b, char c) {
#if defined(__SSE2__)
    const __m128i spreadA = _mm_set1_epi8(a);
    const __m128i spreadB = _mm_set1_epi8(b);
    const __m128i spreadC = _mm_set1_epi8(c);
    const auto marksAt = [&](const char* at) {
        const __m128i bytes = LoadVector(at);
        const __m128i isA = _mm_cmpeq_epi8(bytes, spreadA);
        const __m128i any =
            _mm_or_si128(_mm_or_si128(isA, _mm_cmpeq_epi8(bytes, spreadB)), _mm_cmpeq_epi8(bytes, spreadC));
        return MarkedBytes{HighBitsOf(any), HighBitsOf(isA)};
    };
    const MarkedBytes low = marksAt(data);
    const MarkedBytes high = marksAt(data + kVectorBytes);
    return {static_cast<Marks>(low.any | (high.any << kVectorBytes)),
            static_cast<Marks>(low.first | (high.first << kVectorBytes))};
#else
    MarkedBytes marks{0, 0};
    for (std::size_t i = 0; i < kMarkedBytes; ++i) {
        marks.any |= static_cast<Marks>(data[i] == a || data[i] == b || data[i] == c) << i;
        marks.first |= static_cast<Marks>(data[i] == a) << i;
    }
    return marks;
#endif
}

} // namespace byte_search
