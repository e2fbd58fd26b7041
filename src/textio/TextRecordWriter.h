// Writes a list's items as tab-separated records, each encoded straight into the stream's block.
#pragma once

#include <cstdint>
#include <string>

#include "platform/core/TextStream.h"

class CFile;
class TaskItem;

/// The record writer of one open file: "%u\t%s\t%u\t%d\t%s\t%u\n" per item (depth, title,
/// importance, checked flag, notes, quantity), text in UTF-8, the notes in double quotes when they
/// hold a line feed or a comma. Its buffers are its own.
class TextRecordWriter {
public:
    explicit TextRecordWriter(CFile& file);

    /// Writes the record of `item` at `depth`. Throws the file's `CFileException` when it fails.
    void Write(std::uint32_t depth, const TaskItem& item);
    /// Writes out what is still buffered. Throws as `Write` does.
    void Flush() { m_stream.Flush(); }

private:
    TextStreamWriter m_stream;
    /// A record too long for the stream's block (pages of notes), built here first; given back
    /// after such a record so one does not keep its size.
    std::string m_longRecord;
};
