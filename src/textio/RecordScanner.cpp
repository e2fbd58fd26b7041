// Scanning numbers and fields of a record out of bytes in memory.
#include "textio/RecordScanner.h"

#include <bit>
#include <cstring>
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

// A scanner's answer where it cannot decide: the caller falls back to reading character by character.
constexpr const char* kUndecided = nullptr;

// Skips white space, an optional sign and the digits at `at`. Undecided when the bytes end before
// the number does or there is no digit (the character-by-character reader then gives the verdict).
// Inlined into the record scan: it runs four times a record.
[[gnu::always_inline]] inline const char* ScanNumber(const char* at, const char* const end,
                                                     ScannedNumber& number) {
    number.negative = false;
    number.overflow = false;
    // What a list writes: a one-digit number, right at `at` or after the one separator before it.
    if (end - at > 2) {
        const unsigned first = DigitValue(at[0]);
        const unsigned second = DigitValue(at[1]);
        if (first < kDecimalBase && second >= kDecimalBase) {
            number.magnitude = first;
            return at + 1;
        }
        if (second < kDecimalBase && DigitValue(at[2]) >= kDecimalBase && IsScanfSpace(at[0])) {
            number.magnitude = second;
            return at + 2;
        }
    }
    while (at != end && IsScanfSpace(*at)) {
        ++at;
    }
    if (at != end && (*at == '-' || *at == '+')) {
        number.negative = *at == '-';
        ++at;
    }
    const char* const first = at;
    // Numbers short enough that 64 bits cannot overflow are added up in the same pass that finds
    // their end; only longer ones are added again with the overflow check.
    std::uint64_t value = 0;
    for (; at != end; ++at) {
        const unsigned digit = DigitValue(*at);
        if (digit >= kDecimalBase) {
            break;
        }
        value = value * kDecimalBase + digit;
    }
    if (at == first || at == end) {
        return kUndecided;
    }
    if (static_cast<std::size_t>(at - first) <= kDigitsThatAlwaysFit) {
        number.magnitude = value;
        return at;
    }
    number.magnitude = 0;
    for (const char* digit = first; digit != at; ++digit) {
        AddDigit(number, *digit - '0');
    }
    return at;
}

// Steps over one character as text mode delivers it: a CR LF pair is one line feed.
[[gnu::always_inline]] inline const char* SkipOneCharacter(const char* at, const char* const end) {
    if (at == end) {
        return kUndecided;
    }
    if (*at != kCarriageReturn) {
        return at + 1;
    }
    if (end - at < 2) {
        return kUndecided;
    }
    return at[1] == kLineFeed ? at + 2 : at + 1;
}

// Where the tabs and line ends lie among the first bytes of a record, marked once so that both
// fields' ends come from the same two block compares; beyond them (long fields, or the last bytes
// read) the search goes on block by block.
class FieldStops {
public:
    FieldStops(const char* start, const char* end) : m_start(start) {
        if (static_cast<std::size_t>(end - start) >= byte_search::kMarkedBytes) {
            const byte_search::MarkedBytes marks =
                byte_search::MarkAnyOf(start, kLineFeed, kFieldSeparator, kCarriageReturn);
            m_marks = marks.any;
            // The line feed the record may start with ended the one before.
            m_lineFeeds = marks.first & ~byte_search::Marks{1};
            m_marked = byte_search::kMarkedBytes;
        }
    }

    /// The first tab or line end from `at` on; `end` when there is none.
    [[gnu::always_inline]] const char* Find(const char* at, const char* end) const {
        const auto offset = static_cast<std::size_t>(at - m_start);
        if (offset < m_marked) {
            if (const byte_search::Marks ahead = m_marks >> offset; ahead != 0) {
                return at + std::countr_zero(ahead);
            }
            at = m_start + m_marked;
        }
        return at + byte_search::FindAnyOf(at, static_cast<std::size_t>(end - at), kFieldSeparator, kLineFeed,
                                           kCarriageReturn);
    }

    /// Where the record most likely ends: at the first line feed in the marked bytes, or nowhere.
    /// Found from the record's start alone, so the next record's scan need not wait for this one's.
    const char* LikelyEnd() const {
        return m_lineFeeds != 0 ? m_start + std::countr_zero(m_lineFeeds) : nullptr;
    }

private:
    const char* m_start;
    byte_search::Marks m_marks = 0;
    byte_search::Marks m_lineFeeds = 0;
    std::size_t m_marked = 0;
};

// A field up to the next tab, which it takes. Undecided when a line break comes first (it would be
// stored as CR LF) or the bytes end.
[[gnu::always_inline]] inline const char* ScanPlainField(const char* at, const char* const end,
                                                         const FieldStops& stops, std::string_view& field) {
    const char* const stop = stops.Find(at, end);
    if (stop == end || *stop != kFieldSeparator) {
        return kUndecided;
    }
    field = std::string_view(at, static_cast<std::size_t>(stop - at));
    return stop + 1;
}

// The importance and the checked flag as a list writes them, one digit each and each followed by a tab
// ("1\t0\t"), taken from one four-byte load; undecided (having set nothing) when they are written any
// other way. The same as scanning the two numbers and stepping over the tab after them.
[[gnu::always_inline]] inline const char*
ScanOneDigitFlags(const char* at, const char* const end, ScannedNumber& importance, ScannedNumber& checked) {
    // Bytes in the load's lanes, lowest address lowest: digit, tab, digit, tab.
    using Lanes = std::uint32_t;
    constexpr std::size_t kLaneBytes = sizeof(Lanes);
    constexpr Lanes kTabLanes = 0xFF00FF00;
    constexpr Lanes kTabs = 0x09000900;
    constexpr Lanes kDigitLanes = 0x00FF00FF;
    constexpr Lanes kZeros = 0x00300030;
    // A lane below 10 stays below 16 when 6 is added; below '0', it borrows and sets the high bits.
    constexpr Lanes kToSixteen = 0x00060006;
    constexpr Lanes kSixteenOrMore = 0xFFF0FFF0;
    constexpr unsigned kSecondLane = 16;
    constexpr Lanes kLaneValue = 0xFF;
    if constexpr (!byte_search::kWordsWork) {
        return kUndecided;
    }
    if (static_cast<std::size_t>(end - at) < kLaneBytes) {
        return kUndecided;
    }
    Lanes bytes;
    std::memcpy(&bytes, at, kLaneBytes);
    const Lanes digits = (bytes & kDigitLanes) - kZeros;
    if ((bytes & kTabLanes) != kTabs || ((digits | (digits + kToSixteen)) & kSixteenOrMore) != 0) {
        return kUndecided;
    }
    importance = ScannedNumber{digits & kLaneValue, false, false};
    checked = ScannedNumber{(digits >> kSecondLane) & kLaneValue, false, false};
    return at + kLaneBytes;
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
    const char* const end = bytes.data() + bytes.size();
    const char* at = bytes.data();
    const FieldStops stops(at, end);
    // Each step stops the scan where it cannot decide.
    if ((at = ScanNumber(at, end, record.depth)) == kUndecided ||
        (at = SkipOneCharacter(at, end)) == kUndecided ||
        (at = ScanPlainField(at, end, stops, record.title)) == kUndecided) {
        return 0;
    }
    if (const char* const afterFlags = ScanOneDigitFlags(at, end, record.importance, record.checked);
        afterFlags != kUndecided) {
        at = afterFlags;
    } else if ((at = ScanNumber(at, end, record.importance)) == kUndecided ||
               (at = ScanNumber(at, end, record.checked)) == kUndecided ||
               (at = SkipOneCharacter(at, end)) == kUndecided) {
        return 0;
    }
    if ((at = ScanPlainField(at, end, stops, record.notes)) == kUndecided ||
        (at = ScanNumber(at, end, record.quantity)) == kUndecided) {
        return 0;
    }
    // The same answer either way, but the likely end is known sooner: a branch, not a selection of
    // one of the two values, lets the next scan start before this one is done.
    if (const char* const likelyEnd = stops.LikelyEnd(); at == likelyEnd) {
        return static_cast<std::size_t>(likelyEnd - bytes.data());
    }
    return static_cast<std::size_t>(at - bytes.data());
}

} // namespace record_scanner
