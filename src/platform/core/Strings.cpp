// UTF-16 <-> UTF-8 conversion with the Windows-1252 fallback, and %1-style formatting.
#include "platform/core/Strings.h"

#include <array>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/core/ByteSearch.h"

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;
constexpr char32_t kLastCodePoint = 0x10FFFF;
constexpr char16_t kHighSurrogateFirst = 0xD800;
constexpr char16_t kLowSurrogateFirst = 0xDC00;
constexpr char16_t kLowSurrogateLast = 0xDFFF;
constexpr char32_t kFirstSupplementary = 0x10000;
constexpr unsigned kSurrogateBits = 10;
constexpr char32_t kSurrogatePayloadMask = 0x3FF;

// Windows-1252 bytes 0x80 to 0x9F; the rest of the page equals Latin-1.
constexpr std::array<char16_t, 32> kCp1252HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
constexpr unsigned char kCp1252TableFirst = 0x80;
constexpr unsigned char kCp1252TableEnd = 0xA0;

bool IsHighSurrogate(char16_t unit) {
    return unit >= kHighSurrogateFirst && unit < kLowSurrogateFirst;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= kLowSurrogateFirst && unit <= kLowSurrogateLast;
}
bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

char* EncodeCodePointUtf8(char32_t cp, char* out) {
    if (cp < 0x80) {
        *out++ = static_cast<char>(cp);
    } else if (cp < 0x800) {
        *out++ = static_cast<char>(0xC0 | (cp >> 6));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < kFirstSupplementary) {
        *out++ = static_cast<char>(0xE0 | (cp >> 12));
        *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (cp >> 18));
        *out++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

char16_t* PutUtf16(char32_t cp, char16_t* out) {
    if (cp < kFirstSupplementary) {
        *out++ = static_cast<char16_t>(cp);
        return out;
    }
    const char32_t payload = cp - kFirstSupplementary;
    *out++ = static_cast<char16_t>(kHighSurrogateFirst + (payload >> kSurrogateBits));
    *out++ = static_cast<char16_t>(kLowSurrogateFirst + (payload & kSurrogatePayloadMask));
    return out;
}

// Decodes one well-formed UTF-8 sequence at `pos` (no overlongs, no surrogates, nothing past
// U+10FFFF); returns its length, or 0 when the bytes there are not one.
std::size_t DecodeUtf8Sequence(std::string_view bytes, std::size_t pos, char32_t& cp) {
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[pos + i]); };
    const unsigned char lead = at(0);
    std::size_t length = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        minimum = 0x80;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        minimum = 0x800;
        cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        minimum = kFirstSupplementary;
        cp = lead & 0x07;
    } else {
        return 0;
    }
    if (bytes.size() - pos < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (!IsContinuation(at(i))) {
            return 0;
        }
        cp = (cp << 6) | (at(i) & 0x3F);
    }
    const bool isSurrogate = cp >= kHighSurrogateFirst && cp <= kLowSurrogateLast;
    if (cp < minimum || cp > kLastCodePoint || isSurrogate) {
        return 0;
    }
    return length;
}

// Narrows the ASCII units at the start of `text` eight at a time into `out`, while eight whole units
// are left and all of them are ASCII; answers how many it took. Titles and notes are nearly all
// ASCII, and an export spends most of its time here.
std::size_t NarrowAsciiBlocks(std::u16string_view text, char* out) {
    std::size_t done = 0;
#if defined(__SSE2__)
    constexpr std::size_t kUnitsPerBlock = sizeof(__m128i) / sizeof(char16_t);
    const __m128i nonAsciiBits = _mm_set1_epi16(static_cast<short>(0xFF80));
    const __m128i zero = _mm_setzero_si128();
    constexpr int kAllUnitsAscii = 0xFFFF;
    // Narrows the block at `at` when it is all ASCII.
    const auto narrowBlock = [&](std::size_t at) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at));
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(units, nonAsciiBits), zero)) != kAllUnitsAscii) {
            return false;
        }
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + at), _mm_packus_epi16(units, units));
        return true;
    };
    for (; done + kUnitsPerBlock <= text.size(); done += kUnitsPerBlock) {
        if (!narrowBlock(done)) {
            return done;
        }
    }
    // A tail shorter than a block goes as the last whole block, which overlaps units already
    // narrowed: they are ASCII, so they are written again as they were.
    if (done < text.size() && text.size() >= kUnitsPerBlock && narrowBlock(text.size() - kUnitsPerBlock)) {
        done = text.size();
    }
#endif
    return done;
}

#if defined(__SSE2__)
constexpr std::size_t kBlock = byte_search::kVectorBytes;
constexpr std::size_t kHalfBlock = kBlock / 2;
constexpr std::size_t kQuarterBlock = kBlock / 4;

__m128i LoadHalfBlock(const char* at) {
    return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(at));
}
__m128i LoadQuarterBlock(const char* at) {
    std::int32_t quarter;
    std::memcpy(&quarter, at, sizeof quarter);
    return _mm_cvtsi32_si128(quarter);
}
// Each byte of the low half of `bytes` as one unit: eight units.
void StoreWidenedHalf(__m128i bytes, char16_t* out) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi8(bytes, _mm_setzero_si128()));
}
void StoreWidenedQuarter(__m128i bytes, char16_t* out) {
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi8(bytes, _mm_setzero_si128()));
}
void StoreWidenedBlock(__m128i bytes, char16_t* out) {
    StoreWidenedHalf(bytes, out);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + kHalfBlock),
                     _mm_unpackhi_epi8(bytes, _mm_setzero_si128()));
}

// Widens the `count` (at most a block) bytes at `in` when all are ASCII, as two loads and stores that
// overlap in the middle; false, having written nothing, when one is not. Titles and notes are mostly
// this short.
[[gnu::always_inline]] inline bool WidenShortAscii(const char* in, std::size_t count, char16_t* out) {
    if (count >= kHalfBlock) {
        const __m128i first = LoadHalfBlock(in);
        const __m128i last = LoadHalfBlock(in + count - kHalfBlock);
        if (byte_search::HighBitsOf(_mm_or_si128(first, last)) != 0) {
            return false;
        }
        StoreWidenedHalf(first, out);
        StoreWidenedHalf(last, out + count - kHalfBlock);
        return true;
    }
    if (count >= kQuarterBlock) {
        const __m128i first = LoadQuarterBlock(in);
        const __m128i last = LoadQuarterBlock(in + count - kQuarterBlock);
        if (byte_search::HighBitsOf(_mm_or_si128(first, last)) != 0) {
            return false;
        }
        StoreWidenedQuarter(first, out);
        StoreWidenedQuarter(last, out + count - kQuarterBlock);
        return true;
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (static_cast<unsigned char>(in[i]) >= 0x80) {
            return false;
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        out[i] = static_cast<char16_t>(in[i]);
    }
    return true;
}
#endif

// Widens the run of ASCII bytes at `in` (up to `end`; the text began at `begin`) into `out`, which has
// room for a unit per byte up to `end`; answers where the run ends and moves `out` past it.
const char* WidenAsciiRun(const char* const begin, const char* in, const char* const end, char16_t*& out) {
#if defined(__SSE2__)
    // Whole blocks are widened and stored before their bytes are checked: units past a non-ASCII
    // byte are still within the room and are written over by what comes next.
    const auto stopAt = [&](unsigned high) {
        const auto ascii = static_cast<std::size_t>(std::countr_zero(high));
        out += ascii;
        return in + ascii;
    };
    for (; static_cast<std::size_t>(end - in) >= kBlock; in += kBlock, out += kBlock) {
        const __m128i bytes = byte_search::LoadVector(in);
        StoreWidenedBlock(bytes, out);
        if (const unsigned high = byte_search::HighBitsOf(bytes); high != 0) {
            return stopAt(high);
        }
    }
    const auto rest = static_cast<std::size_t>(end - in);
    if (rest == 0) {
        return in;
    }
    // An ASCII byte always decodes alone, so when the text's last block is ASCII its bytes are the
    // last units: the block that ends with the text is stored again, over units already right.
    if (static_cast<std::size_t>(end - begin) >= kBlock) {
        if (const __m128i last = byte_search::LoadVector(end - kBlock); byte_search::HighBitsOf(last) == 0) {
            StoreWidenedBlock(last, out + rest - kBlock);
            out += rest;
            return end;
        }
    } else if (WidenShortAscii(in, rest, out)) {
        out += rest;
        return end;
    }
    if (rest >= kHalfBlock) {
        const __m128i bytes = LoadHalfBlock(in);
        StoreWidenedHalf(bytes, out);
        if (const unsigned high = byte_search::HighBitsOf(bytes); high != 0) {
            return stopAt(high);
        }
        in += kHalfBlock;
        out += kHalfBlock;
    }
#else
    static_cast<void>(begin);
    const std::size_t run = byte_search::AsciiPrefix(in, static_cast<std::size_t>(end - in));
    for (std::size_t i = 0; i < run; ++i) {
        out[i] = static_cast<char16_t>(in[i]);
    }
    in += run;
    out += run;
#endif
    while (in != end && static_cast<unsigned char>(*in) < 0x80) {
        *out++ = static_cast<char16_t>(*in++);
    }
    return in;
}

// `DecodeUtf8OrCp1252` for any text.
[[gnu::noinline]] char16_t* DecodeMixed(std::string_view bytes, char16_t* out) {
    const char* const begin = bytes.data();
    const char* const end = begin + bytes.size();
    // ASCII, by far the most common text, is widened a block at a time between the other characters.
    const char* in = begin;
    while ((in = WidenAsciiRun(begin, in, end, out)) != end) {
        const auto pos = static_cast<std::size_t>(in - begin);
        char32_t cp = 0;
        if (const std::size_t length = DecodeUtf8Sequence(bytes, pos, cp); length != 0) {
            out = PutUtf16(cp, out);
            in += length;
            continue;
        }
        *out++ = Cp1252ToUtf16(static_cast<unsigned char>(*in));
        ++in;
    }
    return out;
}

// `DecodeUtf8OrCp1252`, inlined into the readers that reuse a string.
[[gnu::always_inline]] inline char16_t* Decode(std::string_view bytes, char16_t* out) {
#if defined(__SSE2__)
    // Short ASCII texts, most titles and notes, take no loop, and none of the registers the loop needs.
    if (bytes.size() <= kBlock && WidenShortAscii(bytes.data(), bytes.size(), out)) {
        return out + bytes.size();
    }
#endif
    return DecodeMixed(bytes, out);
}

// `AssignFromUtf8OrCp1252` for any text. Resizing first keeps what is there, so a string of the
// right size is neither cleared nor filled before the decoded text lands.
[[gnu::noinline]] void AssignAnyText(std::u16string& out, std::string_view bytes) {
    if (out.size() != bytes.size()) {
        out.resize(bytes.size());
    }
    const auto decoded = static_cast<std::size_t>(Decode(bytes, out.data()) - out.data());
    if (decoded != bytes.size()) {
        out.resize(decoded);
    }
}

} // namespace

char16_t Cp1252ToUtf16(unsigned char byte) {
    if (byte >= kCp1252TableFirst && byte < kCp1252TableEnd) {
        return kCp1252HighControls[byte - kCp1252TableFirst];
    }
    return byte;
}

std::string ToUtf8(std::u16string_view text) {
    std::string out;
    AppendUtf8(out, text);
    return out;
}

void AppendUtf8(std::string& out, std::u16string_view text) {
    const std::size_t start = out.size();
    out.resize(start + kMostUtf8BytesPerUnit * text.size());
    char* const end = EncodeUtf8(text, out.data() + start);
    out.resize(static_cast<std::size_t>(end - out.data()));
}

char* EncodeUtf8(std::u16string_view text, char* out) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t narrowed = NarrowAsciiBlocks(text.substr(i), out);
        out += narrowed;
        i += narrowed;
        if (i == text.size()) {
            break;
        }
        const char16_t unit = text[i];
        if (unit < 0x80) {
            *out++ = static_cast<char>(unit);
            continue;
        }
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            const char32_t cp =
                kFirstSupplementary + ((static_cast<char32_t>(unit - kHighSurrogateFirst) << kSurrogateBits) |
                                       static_cast<char32_t>(text[i + 1] - kLowSurrogateFirst));
            out = EncodeCodePointUtf8(cp, out);
            ++i;
            continue;
        }
        const bool unpaired = IsHighSurrogate(unit) || IsLowSurrogate(unit);
        out = EncodeCodePointUtf8(unpaired ? kReplacementCharacter : unit, out);
    }
    return out;
}

std::u16string FromUtf8OrCp1252(std::string_view bytes) {
    std::u16string out;
    AppendFromUtf8OrCp1252(out, bytes);
    return out;
}

void AppendFromUtf8OrCp1252(std::u16string& out, std::string_view bytes) {
    const std::size_t start = out.size();
    out.resize(start + bytes.size());
    char16_t* const end = Decode(bytes, out.data() + start);
    out.resize(static_cast<std::size_t>(end - out.data()));
}

void AssignFromUtf8OrCp1252(std::u16string& out, std::string_view bytes) {
#if defined(__SSE2__)
    // A short ASCII text replacing one of its length (titles of one form, read one after the other)
    // lands in place, with no resizing and none of the registers the rest needs.
    if (out.size() == bytes.size() && bytes.size() <= kBlock &&
        WidenShortAscii(bytes.data(), bytes.size(), out.data())) {
        return;
    }
#endif
    AssignAnyText(out, bytes);
}

char16_t* DecodeUtf8OrCp1252(std::string_view bytes, char16_t* out) {
    return Decode(bytes, out);
}

std::u16string FormatString(std::u16string_view pattern, std::initializer_list<std::u16string_view> args) {
    std::u16string out;
    out.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != u'%' || i + 1 == pattern.size()) {
            out += pattern[i];
            continue;
        }
        const char16_t next = pattern[i + 1];
        if (next == u'%') {
            out += u'%';
            ++i;
            continue;
        }
        const bool isArgumentNumber = next == u's' || (next >= u'1' && next <= u'9');
        const std::size_t index = next == u's' ? 0 : static_cast<std::size_t>(next - u'1');
        if (isArgumentNumber && index < args.size()) {
            out += *(args.begin() + index);
            ++i;
            continue;
        }
        out += pattern[i];
    }
    return out;
}
