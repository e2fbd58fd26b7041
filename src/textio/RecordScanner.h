// The pieces of one tab-separated record scanned out of bytes already in memory: numbers with the
// C library's scanf rules, and fields up to the next tab.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

namespace record_scanner {

/// A number as scanf's integer conversions see it before it is cut to its destination type. The
/// scanners set every field; `ScannedNumber{}` is the start of a number before its sign and digits.
/// (No member initialisers: records are scanned millions of times and must not be cleared first.)
/// (The two flags sit together, so a scan clears both in one store.)
struct ScannedNumber {
    /// The digits' value, as far as it fits in 64 bits.
    std::uint64_t magnitude;
    /// A minus sign came before the digits.
    bool negative;
    /// The digits went on past what 64 bits hold.
    bool overflow;
};

/// The white space scanf's conversions skip before a number, as in the C locale.
constexpr bool IsScanfSpace(int c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
constexpr bool IsDigit(int c) {
    return c >= '0' && c <= '9';
}

/// Where the run of ordinary field characters at the start of `bytes` ends: at the first tab, line
/// feed or carriage return, or at the end.
std::size_t FindFieldStop(std::string_view bytes);

/// Adds one more digit to `number`, noting when the value no longer fits in 64 bits.
void AddDigit(ScannedNumber& number, int digit);

/// The "%u" result: the number taken as a 64-bit unsigned long (saturating when it does not fit,
/// wrapping when negative) and cut to 32 bits, so "-1" reads as 4294967295.
inline std::uint32_t AsUnsigned(const ScannedNumber& number) {
    std::uint64_t wide = std::numeric_limits<std::uint64_t>::max();
    if (!number.overflow) {
        wide = number.negative ? std::uint64_t{0} - number.magnitude : number.magnitude;
    }
    return static_cast<std::uint32_t>(wide);
}
/// The "%d" result: the number taken as a 64-bit long (saturating when it does not fit) and cut to
/// 32 bits.
inline std::int32_t AsSigned(const ScannedNumber& number) {
    constexpr std::uint64_t kLongMax = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    std::int64_t wide = 0;
    if (number.negative) {
        wide = (number.overflow || number.magnitude > kLongMax + 1)
                   ? std::numeric_limits<std::int64_t>::min()
                   : static_cast<std::int64_t>(std::uint64_t{0} - number.magnitude);
    } else {
        wide = (number.overflow || number.magnitude > kLongMax) ? std::numeric_limits<std::int64_t>::max()
                                                                : static_cast<std::int64_t>(number.magnitude);
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(wide)));
}

/// One record's parts, as views into the bytes it was scanned from.
struct ScannedRecord {
    ScannedNumber depth;
    std::string_view title;
    ScannedNumber importance;
    ScannedNumber checked;
    std::string_view notes;
    ScannedNumber quantity;
};

/// `notes` without the double quotes that enclose them: a lone quote is both the first and the last
/// character, so it goes and nothing is left. Taking them off the bytes is the same as taking them off
/// the decoded text, since a quote byte is never part of a longer character and always decodes alone.
inline std::string_view WithoutEnclosingQuotes(std::string_view notes) {
    if (notes.empty() || notes.front() != '"' || notes.back() != '"') {
        return notes;
    }
    return notes.size() == 1 ? std::string_view() : notes.substr(1, notes.size() - 2);
}

/// Scans one whole record at the start of `bytes` when everything about it can be decided from
/// these bytes alone: every number ends before the bytes do, and both fields end at a tab with no
/// line break inside. Answers how many bytes the record took, or 0 when it cannot tell (the record
/// runs on past `bytes`, holds a line break in a field, or is not a record at all); the caller then
/// reads it character by character, which gives the same result.
std::size_t ScanWholeRecord(std::string_view bytes, ScannedRecord& record);

} // namespace record_scanner
