// Reads tab-separated records back into items, with the C library's scanf rules for the numbers.
#pragma once

#include <cstdint>
#include <string>

#include "platform/core/TextStream.h"

namespace record_scanner {
struct ScannedNumber;
}
class CFile;
class TaskItem;
class TextArena;

/// The record reader of one open file: the records `TextRecordWriter` writes, text taken as UTF-8
/// and, where it is not, byte by byte as Windows-1252. Its buffers are its own.
class TextRecordReader {
public:
    /// Reads `file`; `path` names it in a failure.
    TextRecordReader(CFile& file, std::u16string path);

    /// Reads one record into `depth` and `item`, its texts into `arena` (which must outlive the
    /// item); false when the file ends or stops being a record first. A field longer than
    /// `kLongestTextField` bytes throws a `CFileException` with the field-too-long cause; the file's
    /// own failures throw as it does, and running out of memory throws `std::bad_alloc`.
    bool Read(std::uint32_t& depth, TaskItem& item, TextArena& arena);

private:
    /// Reads a record that lies whole in the bytes read ahead in one pass over them, its texts
    /// decoded straight into `arena`; false, having taken nothing, when that cannot be decided there.
    bool ReadBuffered(std::uint32_t& depth, TaskItem& item, TextArena& arena);
    /// Reads one record character by character, its texts' bytes into `m_title` and `m_notes` (the
    /// notes still in their enclosing quotes, if they have them).
    bool ReadFields(std::uint32_t& depth, TaskItem& item);
    /// Reads a field's bytes up to the next tab into `bytes`, a line feed stored as CR LF; false when
    /// the file ends first.
    bool ReadFieldBytes(std::string& bytes);
    /// The scanf "%u" conversion: leading white space skipped, an optional sign, decimal digits;
    /// a negative value wraps around. False when there is no number.
    bool ReadUnsigned(std::uint32_t& value);
    /// The scanf "%d" conversion, with the same rules and a signed result.
    bool ReadSigned(std::int32_t& value);
    /// Reads an optional sign and the digits after skipping white space; false without a digit.
    bool ReadNumber(record_scanner::ScannedNumber& number);
    /// Gives back what a very long record took, so one such record does not keep it.
    void ReleaseLarge();

    TextStreamReader m_stream;
    std::u16string m_path;
    /// The title and notes of a record read character by character, until its item takes them; the
    /// records that lie whole in the read-ahead need none, they are decoded from where they lie.
    std::string m_title;
    std::string m_notes;
};
