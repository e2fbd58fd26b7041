// The tab-separated record writer and reader, with scanf's number rules.
#include "textio/TextFile.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <new>
#include <utility>

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

// Decodes a field's bytes (at most `kLongestTextField`, far fewer than a text's length can count)
// straight into `text` in `arena`: room for one unit per byte, the most it can take, then only what
// was written.
void DecodeIntoArena(CompactText& text, std::string_view bytes, TextArena& arena) {
    char16_t* const units = text.ResizeInArena(arena, static_cast<std::uint32_t>(bytes.size()));
    if (units == nullptr) {
        return;
    }
    const char16_t* const end = DecodeUtf8OrCp1252(bytes, units);
    text.ShrinkLastInArena(arena, static_cast<std::uint32_t>(end - units));
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
        m_errorPath = failure.Path();
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
    return CFileException(m_error.value_or(FileErrorCause::Generic),
                          m_errorPath.empty() ? m_path : m_errorPath)
        .GetErrorMessage();
}

void TextFile::Fail(FileErrorCause cause, std::u16string path) {
    m_error = cause;
    m_errorPath = std::move(path);
    m_scratch = Scratch{};
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
        Fail(failure);
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
        std::string& bytes = m_scratch.record;
        bytes.resize(longest);
        const char* const end = EncodeRecord(bytes.data(), depth, item);
        m_writer->Write(std::string_view(bytes.data(), static_cast<std::size_t>(end - bytes.data())));
        m_scratch.ReleaseLarge();
    } catch (const CFileException& failure) {
        Fail(failure);
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
    std::string bytes;
    if (!m_reader || !ReadFieldBytes(bytes)) {
        return false;
    }
    AppendFromUtf8OrCp1252(field, bytes);
    return true;
}

bool TextFile::ReadFieldBytes(std::string& bytes) {
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
            return true;
        }
        if (c == kRecordEnd) {
            bytes += kStoredLineBreak;
        } else {
            bytes += static_cast<char>(c);
        }
    }
}

void TextFile::Scratch::ReleaseLarge() {
    for (std::string* bytes : {&record, &title, &notes}) {
        if (bytes->capacity() > TextStreamWriter::kBlockSize) {
            std::string().swap(*bytes);
        }
    }
}

void TextFile::Stop(FileErrorCause cause) {
    if (IsOpen()) {
        Fail(cause, m_path);
    }
}

bool TextFile::ReadBufferedItem(std::uint32_t& depth, TaskItem& item, TextArena& arena) {
    const std::string_view ahead = m_reader->Buffered();
    record_scanner::ScannedRecord record;
    const std::size_t length = record_scanner::ScanWholeRecord(ahead, record);
    if (length == 0) {
        return false;
    }
    depth = record_scanner::AsUnsigned(record.depth);
    DecodeIntoArena(item.title, record.title, arena);
    item.importance = ImportanceFrom(record_scanner::AsUnsigned(record.importance));
    item.checked = static_cast<std::uint8_t>(record_scanner::AsSigned(record.checked));
    DecodeIntoArena(item.notes, record_scanner::WithoutEnclosingQuotes(record.notes), arena);
    item.quantity = record_scanner::AsUnsigned(record.quantity);
    m_reader->Skip(length);
    return true;
}

bool TextFile::ReadItem(std::uint32_t& depth, TaskItem& item, TextArena& arena) {
    if (!m_reader) {
        return false;
    }
    try {
        // Nearly every record lies whole in the bytes read ahead and is scanned there at once; the
        // rest (line breaks in notes, a record split by the read-ahead, the end of the file, damaged
        // text) are read character by character.
        if (ReadBufferedItem(depth, item, arena)) {
            return true;
        }
        if (!ReadFields(depth, item)) {
            return false;
        }
        DecodeIntoArena(item.title, m_scratch.title, arena);
        DecodeIntoArena(item.notes, record_scanner::WithoutEnclosingQuotes(m_scratch.notes), arena);
        m_scratch.ReleaseLarge();
        return true;
    } catch (const CFileException& failure) {
        Fail(failure);
        return false;
    } catch (const std::bad_alloc&) {
        Fail(FileErrorCause::OutOfMemory, m_path);
        return false;
    }
}

bool TextFile::ReadFields(std::uint32_t& depth, TaskItem& item) {
    if (!ReadUnsigned(depth)) {
        return false;
    }
    SkipOne();
    if (!ReadFieldBytes(m_scratch.title)) {
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
    if (!ReadFieldBytes(m_scratch.notes)) {
        return false;
    }
    return ReadUnsigned(item.quantity);
}
