// The record reader: whole records scanned in the read-ahead, the rest character by character.
#include "textio/TextRecordReader.h"

#include <initializer_list>
#include <string_view>
#include <utility>

#include "model/TaskItem.h"
#include "platform/core/FileException.h"
#include "platform/core/Strings.h"
#include "textio/RecordScanner.h"
#include "textio/TextRecordFormat.h"

namespace {

using text_record::kFieldSeparator;
using text_record::kRecordEnd;
using text_record::kStoredLineBreak;

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

} // namespace

TextRecordReader::TextRecordReader(CFile& file, std::u16string path)
    : m_stream(file), m_path(std::move(path)) {}

bool TextRecordReader::Read(std::uint32_t& depth, TaskItem& item, TextArena& arena) {
    // Nearly every record lies whole in the bytes read ahead and is scanned there at once; the rest
    // (line breaks in notes, a record split by the read-ahead, the end of the file, damaged text)
    // are read character by character.
    if (ReadBuffered(depth, item, arena)) {
        return true;
    }
    if (!ReadFields(depth, item)) {
        return false;
    }
    DecodeIntoArena(item.title, m_title, arena);
    DecodeIntoArena(item.notes, record_scanner::WithoutEnclosingQuotes(m_notes), arena);
    ReleaseLarge();
    return true;
}

bool TextRecordReader::ReadBuffered(std::uint32_t& depth, TaskItem& item, TextArena& arena) {
    const std::string_view ahead = m_stream.Buffered();
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
    m_stream.Skip(length);
    return true;
}

bool TextRecordReader::ReadFields(std::uint32_t& depth, TaskItem& item) {
    if (!ReadUnsigned(depth)) {
        return false;
    }
    m_stream.Get(); // the character after the depth, whatever it is
    if (!ReadFieldBytes(m_title)) {
        return false;
    }
    std::uint32_t importance = 0;
    std::int32_t checked = 0;
    if (!ReadUnsigned(importance) || !ReadSigned(checked)) {
        return false;
    }
    item.importance = ImportanceFrom(importance);
    item.checked = static_cast<std::uint8_t>(checked);
    m_stream.Get(); // the character after the checked flag, whatever it is
    if (!ReadFieldBytes(m_notes)) {
        return false;
    }
    return ReadUnsigned(item.quantity);
}

bool TextRecordReader::ReadFieldBytes(std::string& bytes) {
    bytes.clear();
    for (;;) {
        const std::string_view ahead = m_stream.Buffered();
        if (ahead.empty()) {
            return false;
        }
        const std::size_t stop = record_scanner::FindFieldStop(ahead);
        // A stream that never ends a field (a pipe of zeros) must not take all memory.
        if (stop + kStoredLineBreak.size() > kLongestTextField - bytes.size()) {
            throw CFileException(FileErrorCause::FieldTooLong, m_path);
        }
        bytes.append(ahead.substr(0, stop));
        if (stop == ahead.size()) {
            m_stream.Skip(ahead.size());
            continue;
        }
        m_stream.Skip(stop);
        // A line end (bare, or CR LF that text mode turns into one) is kept as CR LF; a lone CR
        // is an ordinary character.
        const int c = m_stream.Get();
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

bool TextRecordReader::ReadNumber(record_scanner::ScannedNumber& number) {
    using record_scanner::IsDigit;
    while (record_scanner::IsScanfSpace(m_stream.Peek())) {
        m_stream.Get();
    }
    number = record_scanner::ScannedNumber{};
    if (const int sign = m_stream.Peek(); sign == '-' || sign == '+') {
        number.negative = sign == '-';
        m_stream.Get();
    }
    if (!IsDigit(m_stream.Peek())) {
        return false;
    }
    while (IsDigit(m_stream.Peek())) {
        record_scanner::AddDigit(number, m_stream.Get() - '0');
    }
    return true;
}

bool TextRecordReader::ReadUnsigned(std::uint32_t& value) {
    record_scanner::ScannedNumber number;
    if (!ReadNumber(number)) {
        return false;
    }
    value = record_scanner::AsUnsigned(number);
    return true;
}

bool TextRecordReader::ReadSigned(std::int32_t& value) {
    record_scanner::ScannedNumber number;
    if (!ReadNumber(number)) {
        return false;
    }
    value = record_scanner::AsSigned(number);
    return true;
}

void TextRecordReader::ReleaseLarge() {
    for (std::string* bytes : {&m_title, &m_notes}) {
        if (bytes->capacity() > TextStreamWriter::kBlockSize) {
            std::string().swap(*bytes);
        }
    }
}
