// The tab-separated record writer and reader, with scanf's number rules.
#include "textio/TextFile.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <new>

#include "model/TaskItem.h"
#include "platform/core/ErrorReport.h"
#include "platform/core/SafeSaveFile.h"
#include "platform/core/Strings.h"
#include "platform/core/TextStream.h"
#include "textio/RecordScanner.h"

namespace {

constexpr char kFieldSeparator = '\t';
constexpr char kRecordEnd = '\n';
constexpr char kQuote = '"';
constexpr std::string_view kStoredLineBreak = "\r\n";
using record_scanner::FindFieldStop;

bool NotesNeedQuotes(std::u16string_view notes) {
    return std::any_of(notes.begin(), notes.end(),
                       [](char16_t unit) { return unit == u'\n' || unit == u','; });
}

bool IsQuoted(std::u16string_view notes) {
    return !notes.empty() && notes.front() == u'"' && notes.back() == u'"';
}

// Notes read in enclosing double quotes lose them; a lone quote is both the first and the last
// character, so it goes and nothing is left.
void StripEnclosingQuotes(std::u16string& notes) {
    if (!IsQuoted(notes)) {
        return;
    }
    notes.pop_back();
    if (!notes.empty()) {
        notes.erase(0, 1);
    }
}

// Importance is read unsigned and judged signed; anything but high, normal or low becomes normal.
std::int32_t ImportanceFrom(std::uint32_t read) {
    const auto importance = static_cast<std::int32_t>(read);
    if (importance < TaskItem::kHighImportance || importance > TaskItem::kLowImportance) {
        return TaskItem::kNormalImportance;
    }
    return importance;
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

TextFile::TextFile(std::u16string_view path, std::string_view mode) : m_path(path) {
    const char kind = mode.empty() ? '\0' : mode.front();
    try {
        if (kind == 'w') {
            m_target = std::make_unique<SafeSaveFile>(m_path);
            m_writer = std::make_unique<TextStreamWriter>(m_target->File());
        } else if (kind == 'r') {
            m_file.OpenOrThrow(m_path, CFile::modeRead | CFile::shareDenyWrite);
            m_reader = std::make_unique<TextStreamReader>(m_file);
        } else {
            m_error = FileErrorCause::Generic;
        }
    } catch (const CFileException& failure) {
        m_error = failure.Cause();
    }
}

TextFile::TextFile(std::u16string_view path, std::u16string_view mode) : TextFile(path, ToUtf8(mode)) {}

TextFile::TextFile(CFile&& output) : m_path(output.GetFilePath()), m_file(std::move(output)) {
    m_writer = std::make_unique<TextStreamWriter>(m_file);
}

TextFile::~TextFile() {
    if (IsOpen() && !Close()) {
        ReportError(ErrorMessage(), MessageIcon::Exclamation);
    }
}

std::u16string TextFile::ErrorMessage() const {
    return CFileException(m_error.value_or(FileErrorCause::Generic), m_path).GetErrorMessage();
}

void TextFile::Fail(FileErrorCause cause) {
    m_error = cause;
    std::string().swap(m_scratch);
    m_writer.reset();
    m_reader.reset();
    if (m_target) {
        m_target->Discard();
    }
    m_file.Abort();
}

bool TextFile::Close() {
    try {
        if (m_writer) {
            m_writer->Flush();
            m_writer.reset();
            if (m_target) {
                m_target->Commit();
            } else {
                m_file.Close();
            }
        }
        if (m_reader) {
            m_reader.reset();
            m_file.Close();
        }
    } catch (const CFileException& failure) {
        Fail(failure.Cause());
    }
    return !m_error.has_value();
}

void TextFile::WriteItem(std::uint32_t depth, const TaskItem& item) {
    if (!m_writer) {
        return;
    }
    try {
        // A record is encoded straight into the writer's block; one too long for a block (pages of
        // notes) is built apart first.
        const std::size_t longest = LongestRecord(item);
        if (longest <= TextStreamWriter::kBlockSize) {
            char* const start = m_writer->Claim(longest);
            m_writer->Commit(static_cast<std::size_t>(EncodeRecord(start, depth, item) - start));
            return;
        }
        m_scratch.resize(longest);
        const char* const end = EncodeRecord(m_scratch.data(), depth, item);
        m_writer->Write(std::string_view(m_scratch.data(), static_cast<std::size_t>(end - m_scratch.data())));
    } catch (const CFileException& failure) {
        Fail(failure.Cause());
    }
}

void TextFile::SkipOne() {
    m_reader->Get();
}

bool TextFile::ReadNumber(record_scanner::ScannedNumber& number) {
    using record_scanner::IsDigit;
    while (record_scanner::IsScanfSpace(m_reader->Peek())) {
        m_reader->Get();
    }
    number = record_scanner::ScannedNumber{};
    if (const int sign = m_reader->Peek(); sign == '-' || sign == '+') {
        number.negative = sign == '-';
        m_reader->Get();
    }
    if (!IsDigit(m_reader->Peek())) {
        return false;
    }
    while (IsDigit(m_reader->Peek())) {
        record_scanner::AddDigit(number, m_reader->Get() - '0');
    }
    return true;
}

bool TextFile::ReadUnsigned(std::uint32_t& value) {
    record_scanner::ScannedNumber number;
    if (!ReadNumber(number)) {
        return false;
    }
    value = record_scanner::AsUnsigned(number);
    return true;
}

bool TextFile::ReadSigned(std::int32_t& value) {
    record_scanner::ScannedNumber number;
    if (!ReadNumber(number)) {
        return false;
    }
    value = record_scanner::AsSigned(number);
    return true;
}

bool TextFile::ReadField(std::u16string& field) {
    field.clear();
    if (!m_reader) {
        return false;
    }
    // Most fields end at a tab within the bytes already read: decode them where they lie.
    if (const std::string_view ahead = m_reader->Buffered(); !ahead.empty()) {
        const std::size_t stop = FindFieldStop(ahead);
        if (stop < ahead.size() && ahead[stop] == kFieldSeparator) {
            AppendFromUtf8OrCp1252(field, ahead.substr(0, stop));
            m_reader->Skip(stop + 1);
            return true;
        }
    }
    std::string& bytes = m_scratch;
    bytes.clear();
    for (;;) {
        const std::string_view ahead = m_reader->Buffered();
        if (ahead.empty()) {
            return false;
        }
        const std::size_t stop = FindFieldStop(ahead);
        // A stream that never ends a field (a pipe of zeros) must not take all memory.
        if (stop + kStoredLineBreak.size() > kLongestTextField - bytes.size()) {
            throw CFileException(FileErrorCause::FieldTooLong, m_path);
        }
        bytes.append(ahead.substr(0, stop));
        if (stop == ahead.size()) {
            m_reader->Skip(ahead.size());
            continue;
        }
        m_reader->Skip(stop);
        // A line end (bare, or CR LF that text mode turns into one) is kept as CR LF; a lone CR
        // is an ordinary character.
        const int c = m_reader->Get();
        if (c == kFieldSeparator) {
            break;
        }
        if (c == kRecordEnd) {
            bytes += kStoredLineBreak;
        } else {
            bytes += static_cast<char>(c);
        }
    }
    AppendFromUtf8OrCp1252(field, bytes);
    ReleaseLargeScratch();
    return true;
}

void TextFile::ReleaseLargeScratch() {
    if (m_scratch.capacity() > TextStreamWriter::kBlockSize) {
        std::string().swap(m_scratch);
    }
    for (std::u16string* text : {&m_title, &m_notes}) {
        if (text->capacity() * sizeof(char16_t) > TextStreamWriter::kBlockSize) {
            std::u16string().swap(*text);
        }
    }
}

void TextFile::Stop(FileErrorCause cause) {
    if (IsOpen()) {
        Fail(cause);
    }
}

bool TextFile::ReadBufferedItem(std::uint32_t& depth, TaskItem& item) {
    const std::string_view ahead = m_reader->Buffered();
    record_scanner::ScannedRecord record;
    const std::size_t length = record_scanner::ScanWholeRecord(ahead, record);
    if (length == 0) {
        return false;
    }
    depth = record_scanner::AsUnsigned(record.depth);
    m_title.clear();
    AppendFromUtf8OrCp1252(m_title, record.title);
    item.importance = ImportanceFrom(record_scanner::AsUnsigned(record.importance));
    item.checked = static_cast<std::uint8_t>(record_scanner::AsSigned(record.checked));
    m_notes.clear();
    AppendFromUtf8OrCp1252(m_notes, record.notes);
    StripEnclosingQuotes(m_notes);
    item.quantity = record_scanner::AsUnsigned(record.quantity);
    m_reader->Skip(length);
    return true;
}

bool TextFile::ReadItem(std::uint32_t& depth, TaskItem& item, TextArena& arena) {
    if (!m_reader) {
        return false;
    }
    try {
        if (!ReadFields(depth, item)) {
            return false;
        }
        item.title.AssignInArena(arena, m_title);
        item.notes.AssignInArena(arena, m_notes);
        ReleaseLargeScratch();
        return true;
    } catch (const CFileException& failure) {
        Fail(failure.Cause());
        return false;
    } catch (const std::bad_alloc&) {
        Fail(FileErrorCause::OutOfMemory);
        return false;
    }
}

bool TextFile::ReadFields(std::uint32_t& depth, TaskItem& item) {
    // Nearly every record lies whole in the bytes read ahead and is scanned there at once; the
    // rest (line breaks in notes, a record split by the read-ahead, the end of the file, damaged
    // text) are read character by character.
    if (ReadBufferedItem(depth, item)) {
        return true;
    }
    if (!ReadUnsigned(depth)) {
        return false;
    }
    SkipOne();
    if (!ReadField(m_title)) {
        return false;
    }
    std::uint32_t importance = 0;
    std::int32_t checked = 0;
    if (!ReadUnsigned(importance) || !ReadSigned(checked)) {
        return false;
    }
    item.importance = ImportanceFrom(importance);
    item.checked = static_cast<std::uint8_t>(checked);
    SkipOne();
    if (!ReadField(m_notes)) {
        return false;
    }
    StripEnclosingQuotes(m_notes);
    return ReadUnsigned(item.quantity);
}
