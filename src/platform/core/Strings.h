// Text conversions between the UTF-16 strings kept in memory and the 8-bit forms on disk and on the
// terminal, and the %1-style message formatting.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

/// UTF-16 to UTF-8. An unpaired surrogate becomes U+FFFD, so the result is always valid UTF-8.
std::string ToUtf8(std::u16string_view text);
/// `ToUtf8` appending to `out`, for writers that build long runs of text.
void AppendUtf8(std::string& out, std::u16string_view text);
/// The most bytes one UTF-16 code unit becomes in UTF-8 (a surrogate pair, two units, becomes four).
inline constexpr std::size_t kMostUtf8BytesPerUnit = 3;
/// `ToUtf8` into memory the caller provides, room for `kMostUtf8BytesPerUnit` bytes per unit of
/// `text`; answers where the bytes written end.
char* EncodeUtf8(std::u16string_view text, char* out);

/// 8-bit text to UTF-16: every valid UTF-8 sequence is decoded as such, and every byte that does not
/// start one is decoded on its own as Windows-1252, so text from older devices still reads.
std::u16string FromUtf8OrCp1252(std::string_view bytes);
/// `FromUtf8OrCp1252` appending to `out`, for readers that reuse one string.
void AppendFromUtf8OrCp1252(std::u16string& out, std::string_view bytes);
/// `FromUtf8OrCp1252` replacing the contents of `out`, reusing its storage.
void AssignFromUtf8OrCp1252(std::u16string& out, std::string_view bytes);
/// `FromUtf8OrCp1252` into memory the caller provides, room for one unit per byte of `bytes` (no
/// byte decodes to more); answers where the units written end. Writes nothing past that room.
char16_t* DecodeUtf8OrCp1252(std::string_view bytes, char16_t* out);

/// One Windows-1252 byte as a UTF-16 code unit (the five unassigned bytes map to the C1 controls).
char16_t Cp1252ToUtf16(unsigned char byte);

/// ASCII (or UTF-8) literal to UTF-16, for texts written in the source.
inline std::u16string Widen(std::string_view text) {
    return FromUtf8OrCp1252(text);
}

/// Replaces %1 to %9 in `pattern` by the matching entry of `args`, %s (the form the string table's
/// prompts use) by the first and %% by %; a number without an argument and any other % sequence are
/// kept as they are.
std::u16string FormatString(std::u16string_view pattern, std::initializer_list<std::u16string_view> args);
