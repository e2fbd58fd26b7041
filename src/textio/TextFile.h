// One tab-separated text file: opened for export it holds the record writer, opened for import the
// record reader.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/File.h"

class SafeSaveFile;
class TaskItem;
class TextArena;
class TextRecordReader;
class TextRecordWriter;

/// The holder of one text stream. Opened for writing ("w") it writes safely: into a temporary file
/// that `Close` renames over the target. Opened for reading ("r") it reads in text mode. A failed open
/// leaves it closed, which every operation treats as nothing to do; the cause stays available.
///
/// One record per item, "%u\t%s\t%u\t%d\t%s\t%u\n": depth, title, importance, checked flag, notes
/// (in double quotes when they hold a line feed or a comma), quantity. Text is UTF-8; on reading,
/// bytes that are not UTF-8 are taken one by one as Windows-1252.
class TextFile {
public:
    /// Opens the host file `path` for writing ("w") or reading ("r").
    TextFile(std::u16string_view path, std::string_view mode);
    /// Opens the host file `hostPath` (bytes, as the host names it) as above; messages name it
    /// `path`.
    TextFile(const std::string& hostPath, std::u16string_view path, std::string_view mode);
    /// The same with the mode as a wide string (u"w", u"r").
    TextFile(std::u16string_view path, std::u16string_view mode);
    /// Writes ("w") to or reads ("r") from an already open file (standard output or input, for
    /// instance) instead of a named one.
    TextFile(CFile&& file, std::string_view mode);
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
    /// Stops reading or writing with `cause`, as a failure of the stream itself would (for example
    /// when the list being read into runs out of memory).
    void Stop(FileErrorCause cause);

private:
    /// Records a failure, with the path it concerns, and stops the stream.
    void Fail(FileErrorCause cause, std::u16string path);
    void Fail(const CFileException& failure) { Fail(failure.Cause(), failure.Path()); }

    std::u16string m_path;
    std::unique_ptr<SafeSaveFile> m_target;
    CFile m_file;
    std::unique_ptr<TextRecordReader> m_reader;
    std::unique_ptr<TextRecordWriter> m_writer;
    std::optional<FileErrorCause> m_error;
    /// The path `m_error` concerns.
    std::u16string m_errorPath;
};
