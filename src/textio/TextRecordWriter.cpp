// Encoding records straight into the writer's block.
#include "textio/TextRecordWriter.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <string_view>

#include "model/TaskItem.h"
#include "platform/core/Strings.h"
#include "textio/TextRecordFormat.h"

namespace {

using text_record::kFieldSeparator;
using text_record::kQuote;
using text_record::kRecordEnd;

bool NotesNeedQuotes(std::u16string_view notes) {
    return std::any_of(notes.begin(), notes.end(),
                       [](char16_t unit) { return unit == u'\n' || unit == u','; });
}

// The longest a 32-bit number prints: ten digits and a sign.
constexpr std::size_t kLongestNumber = std::numeric_limits<std::uint32_t>::digits10 + 2;
constexpr std::size_t kNumbersPerRecord = 4;
constexpr std::size_t kSeparatorsPerRecord = 6; // five tabs and the line feed
constexpr std::size_t kQuotesAroundNotes = 2;

// The most bytes the record of `item` can take, before its text is encoded.
std::size_t LongestRecord(const TaskItem& item) {
    return kNumbersPerRecord * kLongestNumber + kSeparatorsPerRecord + kQuotesAroundNotes +
           kMostUtf8BytesPerUnit * (item.title.size() + item.notes.size());
}

template <class Number> char* PutNumber(char* out, Number value) {
    // Depths, importances, checked flags and most quantities are one digit.
    constexpr Number kFirstTwoDigitNumber = 10;
    if (value >= 0 && value < kFirstTwoDigitNumber) {
        *out = static_cast<char>('0' + value);
        return out + 1;
    }
    return std::to_chars(out, out + kLongestNumber, value).ptr;
}

// Encodes the record "%u\t%s\t%u\t%d\t%s\t%u\n" at `out`, which has room for `LongestRecord`;
// answers where it ends.
char* EncodeRecord(char* out, std::uint32_t depth, const TaskItem& item) {
    out = PutNumber(out, depth);
    *out++ = kFieldSeparator;
    out = EncodeUtf8(item.title, out);
    *out++ = kFieldSeparator;
    out = PutNumber(out, static_cast<std::uint32_t>(item.importance));
    *out++ = kFieldSeparator;
    out = PutNumber(out, static_cast<int>(item.checked));
    *out++ = kFieldSeparator;
    const bool quoted = NotesNeedQuotes(item.notes);
    if (quoted) {
        *out++ = kQuote;
    }
    out = EncodeUtf8(item.notes, out);
    if (quoted) {
        *out++ = kQuote;
    }
    *out++ = kFieldSeparator;
    out = PutNumber(out, item.quantity);
    *out++ = kRecordEnd;
    return out;
}

} // namespace

TextRecordWriter::TextRecordWriter(CFile& file) : m_stream(file) {}

void TextRecordWriter::Write(std::uint32_t depth, const TaskItem& item) {
    const std::size_t longest = LongestRecord(item);
    if (longest <= TextStreamWriter::kBlockSize) {
        char* const start = m_stream.Claim(longest);
        m_stream.Commit(static_cast<std::size_t>(EncodeRecord(start, depth, item) - start));
        return;
    }
    m_longRecord.resize(longest);
    const char* const end = EncodeRecord(m_longRecord.data(), depth, item);
    m_stream.Write(
        std::string_view(m_longRecord.data(), static_cast<std::size_t>(end - m_longRecord.data())));
    std::string().swap(m_longRecord);
}
