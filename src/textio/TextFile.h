// One tab-separated text file: the record writer and reader that export and import use.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/File.h"

namespace record_scanner {
struct ScannedNumber;
}
class SafeSaveFile;
class TaskItem;
class TextArena;
class TextStreamReader;
class TextStreamWriter;

/// The holder of one text stream. Opened for writing ("w") it writes safely: into a temporary file
/// that `Close` renames over the target. Opened for reading ("r") it reads in text mode. A failed open
/// leaves it closed, which every operation treats as nothing to do; the cause stays available.
///
/// One record per item, "%u\t%s\t%u\t%d\t%s\t%u\n": depth, title, importance, checked flag, notes
/// (in double quotes when they hold a line feed or a comma), quantity. Text is UTF-8; on reading,
/// bytes that are not UTF-8 are taken one by one as Windows-1252.
class TextFile {
public:
    /// Opens `path` for writing ("w") or reading ("r").
    TextFile(std::u16string_view path, std::string_view mode);
    /// The same with the mode as a wide string (u"w", u"r").
    TextFile(std::u16string_view path, std::u16string_view mode);
    /// Writes to an already open file (standard output, for instance) instead of a named one.
    explicit TextFile(CFile&& output);
    /// Closes the stream if it is still open; a failure then is reported through the error hook.
    ~TextFile();
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;

    bool IsOpen() const { return m_reader != nullptr || m_writer != nullptr; }
    /// Closes the stream. For a written file this flushes it and puts it in place of the target.
    /// Returns false when anything failed since the open (see `ErrorMessage`); a failed write
    /// leaves the target as it was.
    bool Close();

    /// Why opening, writing or closing failed, if it did.
    std::optional<FileErrorCause> Error() const { return m_error; }
    /// The message for `Error()` with the path the failure concerns: the file's, or its folder's when
    /// the folder refuses new files.
    std::u16string ErrorMessage() const;

    /// Writes one record. Does nothing when the stream is not open for writing or has failed.
    void WriteItem(std::uint32_t depth, const TaskItem& item);
    /// Reads one record into `depth` and `item`, its texts into `arena` (which must outlive the
    /// item); true when the whole record was read. A field too long or memory running out stops the
    /// stream with that cause (see `Error`).
    bool ReadItem(std::uint32_t& depth, TaskItem& item, TextArena& arena);
    /// Reads a title or notes field up to the next tab (which it consumes); a line feed is stored as
    /// CR LF. False when the file ends first. A field longer than `kLongestTextField` bytes throws
    /// a `CFileException` with the field-too-long cause.
    bool ReadField(std::u16string& field);
    /// Stops reading or writing with `cause`, as a failure of the stream itself would (for example
    /// when the list being read into runs out of memory).
    void Stop(FileErrorCause cause);

private:
    /// Reads a record that lies whole in the bytes read ahead in one pass over them, its texts
    /// decoded straight into `arena`; false, having taken nothing, when that cannot be decided there.
    bool ReadBufferedItem(std::uint32_t& depth, TaskItem& item, TextArena& arena);
    /// Reads one record character by character, its texts' bytes into `m_scratch.title` and
    /// `m_scratch.notes` (the notes still in their enclosing quotes, if they have them).
    bool ReadFields(std::uint32_t& depth, TaskItem& item);
    /// Reads a field's bytes up to the next tab into `bytes`, a line feed stored as CR LF; false when
    /// the file ends first. Throws as `ReadField` does.
    bool ReadFieldBytes(std::string& bytes);
    /// The scanf "%u" conversion: leading white space skipped, an optional sign, decimal digits;
    /// a negative value wraps around. False when there is no number.
    bool ReadUnsigned(std::uint32_t& value);
    /// The scanf "%d" conversion, with the same rules and a signed result.
    bool ReadSigned(std::int32_t& value);
    /// Reads an optional sign and the digits after skipping white space; false without a digit.
    bool ReadNumber(record_scanner::ScannedNumber& number);
    /// Moves one character forward, whatever it is.
    void SkipOne();
    /// Records a failure, with the path it concerns, and stops the stream.
    void Fail(FileErrorCause cause, std::u16string path);
    void Fail(const CFileException& failure) { Fail(failure.Cause(), failure.Path()); }

    /// Bytes reused from record to record, so a long import or export does not allocate per field.
    /// Each way through the reader and the writer has buffers of its own, so giving back what one
    /// took can never empty what another still holds; the records that lie whole in the read-ahead
    /// need none, they are decoded from where they lie.
    struct Scratch {
        /// A record being written that is too long for the writer's block.
        std::string record;
        /// The title and notes of a record read character by character, until its item takes them.
        std::string title;
        std::string notes;

        /// Gives back what a very long record took, so one such record does not keep it. Only for
        /// when nothing read or encoded into the buffers is needed any more.
        void ReleaseLarge();
    };

    std::u16string m_path;
    std::unique_ptr<SafeSaveFile> m_target;
    CFile m_file;
    std::unique_ptr<TextStreamReader> m_reader;
    std::unique_ptr<TextStreamWriter> m_writer;
    std::optional<FileErrorCause> m_error;
    /// The path `m_error` concerns.
    std::u16string m_errorPath;
    Scratch m_scratch;
};
