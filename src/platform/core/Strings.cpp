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

void AppendUtf16(std::u16string& out, char32_t cp) {
    if (cp < kFirstSupplementary) {
        out += static_cast<char16_t>(cp);
        return;
    }
    const char32_t payload = cp - kFirstSupplementary;
    out += static_cast<char16_t>(kHighSurrogateFirst + (payload >> kSurrogateBits));
    out += static_cast<char16_t>(kLowSurrogateFirst + (payload & kSurrogatePayloadMask));
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

// Widens `count` ASCII bytes; a plain loop the compiler turns into vector code.
void WidenAscii(const char* in, std::size_t count, char16_t* out) {
    for (std::size_t i = 0; i < count; ++i) {
        out[i] = static_cast<char16_t>(static_cast<unsigned char>(in[i]));
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
    // ASCII, by far the most common text, is found eight bytes at a time and widens in one pass.
    std::size_t pos = byte_search::AsciiPrefix(bytes.data(), bytes.size());
    if (pos == bytes.size()) {
        out.resize(start + pos);
        WidenAscii(bytes.data(), pos, out.data() + start);
        return;
    }
    out.reserve(start + bytes.size());
    out.resize(start + pos);
    WidenAscii(bytes.data(), pos, out.data() + start);
    while (pos < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[pos]);
        if (byte < 0x80) {
            const std::size_t run = byte_search::AsciiPrefix(bytes.data() + pos, bytes.size() - pos);
            const std::size_t at = out.size();
            out.resize(at + run);
            WidenAscii(bytes.data() + pos, run, out.data() + at);
            pos += run;
            continue;
        }
        char32_t cp = 0;
        if (const std::size_t length = DecodeUtf8Sequence(bytes, pos, cp); length != 0) {
            AppendUtf16(out, cp);
            pos += length;
            continue;
        }
        out += Cp1252ToUtf16(byte);
        ++pos;
    }
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
        const bool isArgumentNumber = next >= u'1' && next <= u'9';
        const std::size_t index = static_cast<std::size_t>(next - u'1');
        if (isArgumentNumber && index < args.size()) {
            out += *(args.begin() + index);
            ++i;
            continue;
        }
        out += pattern[i];
    }
    return out;
}
