// Scanning numbers and fields of a record out of bytes in memory.
#include "textio/RecordScanner.h"

#include <limits>

#include "platform/core/ByteSearch.h"

namespace record_scanner {

namespace {

constexpr unsigned kDecimalBase = 10;
// 10^19 - 1 is the largest run of nines below 2^64 (about 1.8 * 10^19).
constexpr std::size_t kDigitsThatAlwaysFit = 19;
constexpr char kFieldSeparator = '\t';
constexpr char kLineFeed = '\n';
constexpr char kCarriageReturn = '\r';
// The value of a decimal digit; 10 or more for any other byte.
constexpr unsigned DigitValue(char c) {
    return static_cast<unsigned>(static_cast<unsigned char>(c)) - '0';
}
// Where a scan cannot decide: the caller falls back to reading character by character.
constexpr std::size_t kUndecided = std::string_view::npos;

// Skips white space, an optional sign and the digits at `pos`. Undecided when the bytes end before
// the number does or there is no digit (the character-by-character reader then gives the verdict).
// Inlined into the record scan: it runs four times a record.
[[gnu::always_inline]] inline std::size_t ScanNumber(std::string_view bytes, std::size_t pos,
                                                     ScannedNumber& number) {
    number.negative = false;
    number.overflow = false;
    // What a list writes: a one-digit number, right at `pos` or after the one separator before it.
    if (pos + 2 < bytes.size()) {
        const unsigned first = DigitValue(bytes[pos]);
        const unsigned second = DigitValue(bytes[pos + 1]);
        if (first < kDecimalBase && second >= kDecimalBase) {
            number.magnitude = first;
            return pos + 1;
        }
        if (second < kDecimalBase && DigitValue(bytes[pos + 2]) >= kDecimalBase && IsScanfSpace(bytes[pos])) {
            number.magnitude = second;
            return pos + 2;
        }
    }
    while (pos < bytes.size() && IsScanfSpace(bytes[pos])) {
        ++pos;
    }
    if (pos < bytes.size() && (bytes[pos] == '-' || bytes[pos] == '+')) {
        number.negative = bytes[pos] == '-';
        ++pos;
    }
    const std::size_t first = pos;
    // Numbers short enough that 64 bits cannot overflow (all a list writes) are added up in the
    // same pass that finds their end; only longer ones are added again with the overflow check.
    std::uint64_t value = 0;
    for (; pos < bytes.size(); ++pos) {
        const unsigned digit = DigitValue(bytes[pos]);
        if (digit >= kDecimalBase) {
            break;
        }
        value = value * kDecimalBase + digit;
    }
    if (pos == first || pos == bytes.size()) {
        return kUndecided;
    }
    if (pos - first <= kDigitsThatAlwaysFit) {
        number.magnitude = value;
        return pos;
    }
    number.magnitude = 0;
    for (std::size_t at = first; at < pos; ++at) {
        AddDigit(number, bytes[at] - '0');
    }
    return pos;
}

// Steps over one character as text mode delivers it: a CR LF pair is one line feed.
std::size_t SkipOneCharacter(std::string_view bytes, std::size_t pos) {
    if (pos >= bytes.size()) {
        return kUndecided;
    }
    if (bytes[pos] != kCarriageReturn) {
        return pos + 1;
    }
    if (pos + 1 >= bytes.size()) {
        return kUndecided;
    }
    return bytes[pos + 1] == kLineFeed ? pos + 2 : pos + 1;
}

// A field up to the next tab, which it takes. Undecided when a line break comes first (it would be
// stored as CR LF) or the bytes end.
[[gnu::always_inline]] inline std::size_t ScanPlainField(std::string_view bytes, std::size_t pos,
                                                         std::string_view& field) {
    const std::size_t stop = pos + byte_search::FindAnyOf(bytes.data() + pos, bytes.size() - pos,
                                                          kFieldSeparator, kLineFeed, kCarriageReturn);
    if (stop >= bytes.size() || bytes[stop] != kFieldSeparator) {
        return kUndecided;
    }
    field = bytes.substr(pos, stop - pos);
    return stop + 1;
}

} // namespace

std::size_t FindFieldStop(std::string_view bytes) {
    return byte_search::FindAnyOf(bytes.data(), bytes.size(), kFieldSeparator, kLineFeed, kCarriageReturn);
}

void AddDigit(ScannedNumber& number, int digit) {
    constexpr std::uint64_t kLargest = std::numeric_limits<std::uint64_t>::max();
    constexpr std::uint64_t kLargestBeforeLastDigit = kLargest / kDecimalBase;
    constexpr std::uint64_t kLargestLastDigit = kLargest % kDecimalBase;
    const auto value = static_cast<std::uint64_t>(digit);
    const bool fits = number.magnitude < kLargestBeforeLastDigit ||
                      (number.magnitude == kLargestBeforeLastDigit && value <= kLargestLastDigit);
    if (fits) {
        number.magnitude = number.magnitude * kDecimalBase + value;
    } else {
        number.overflow = true;
    }
}

std::size_t ScanWholeRecord(std::string_view bytes, ScannedRecord& record) {
    std::size_t pos = ScanNumber(bytes, 0, record.depth);
    if (pos != kUndecided) {
        pos = SkipOneCharacter(bytes, pos);
    }
    if (pos != kUndecided) {
        pos = ScanPlainField(bytes, pos, record.title);
    }
    if (pos != kUndecided) {
        pos = ScanNumber(bytes, pos, record.importance);
    }
    if (pos != kUndecided) {
        pos = ScanNumber(bytes, pos, record.checked);
    }
    if (pos != kUndecided) {
        pos = SkipOneCharacter(bytes, pos);
    }
    if (pos != kUndecided) {
        pos = ScanPlainField(bytes, pos, record.notes);
    }
    if (pos != kUndecided) {
        pos = ScanNumber(bytes, pos, record.quantity);
    }
    return pos == kUndecided ? 0 : pos;
}

} // namespace record_scanner
