// A binary file on the host's file system with the framework's open modes; every failure is a
// `CFileException` naming its cause and the file's path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "platform/core/FileException.h"

/// An open (or closed) file. Reads and writes go straight to the operating system; buffering is the
/// archive's job. Sharing modes are advisory locks, honoured by every `CFile` on this machine.
class CFile {
public:
    /// Open flags; combine one access mode, one sharing mode and the creation flags.
    enum OpenFlags : unsigned {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyNone = 0x0040,
        modeCreate = 0x1000,    ///< create the file, truncating an existing one
        modeCreateNew = 0x2000, ///< create the file; fail when it exists
        typeBinary = 0x8000,    ///< no text translation (files are always binary here)
    };
    /// Where `Seek` counts from.
    enum class SeekFrom { Begin, Current, End };

    CFile() = default;
    /// Wraps an already open descriptor (for example standard output) under a display path.
    CFile(int descriptor, std::u16string displayPath, bool ownsDescriptor);
    CFile(CFile&& other) noexcept;
    CFile& operator=(CFile&& other) noexcept;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    /// Closes the file if it is still open; errors at this point cannot be reported and are dropped,
    /// so callers that care call `Close` themselves.
    ~CFile();

    /// Opens the host file `path` (UTF-8 on the host); on failure returns false and, when `error`
    /// is given, stores the cause there.
    bool Open(std::u16string_view path, unsigned flags, FileErrorCause* error = nullptr);
    /// Opens the host file `path` or throws the `CFileException` that says why not.
    void OpenOrThrow(std::u16string_view path, unsigned flags);
    /// Opens the host file `hostPath` (bytes, as the host names it: resolved from a device path, or
    /// found by a folder enumeration) as `Open` does; messages name it `path`.
    bool OpenHostPath(const std::string& hostPath, std::u16string_view path, unsigned flags,
                      FileErrorCause* error = nullptr);
    void OpenHostPathOrThrow(const std::string& hostPath, std::u16string_view path, unsigned flags);

    bool IsOpen() const { return m_descriptor >= 0; }
    /// The path the file was opened with, as the program named it.
    const std::u16string& GetFilePath() const { return m_path; }
    /// The operating system's descriptor, or -1.
    int GetHandle() const { return m_descriptor; }

    /// Reads up to `count` bytes; returns how many were read (fewer only at the end of the file).
    std::size_t Read(void* buffer, std::size_t count);
    /// Writes all `count` bytes or throws.
    void Write(const void* buffer, std::size_t count);
    /// Makes what was written durable on the storage device.
    void Flush();
    /// Moves the file position; returns the new position.
    std::uint64_t Seek(std::int64_t offset, SeekFrom from);
    std::uint64_t GetPosition() const;
    std::uint64_t GetLength() const;
    /// Closes the file; throws when the operating system reports a failure (for example a late
    /// write error).
    void Close();
    /// Closes the file and ignores any failure; for clean-up after an error was already raised.
    void Abort();

    /// Deletes the host file at `path`.
    static void Remove(std::u16string_view path);

private:
    [[noreturn]] void ThrowLastError(int osError) const;

    /// The descriptor, -1 when closed.
    int m_descriptor = -1;
    /// Whether closing this object closes the descriptor.
    bool m_ownsDescriptor = true;
    /// The path as the program named it, for messages.
    std::u16string m_path;
};

/// While alive, makes every write through a `CFile` on this thread fail with `cause` once
/// `bytesBeforeFailure` bytes have been written in total: the bytes up to that point reach the file,
/// the rest do not. Tests use it to show that a failed save loses nothing.
class ScopedFileWriteFault {
public:
    explicit ScopedFileWriteFault(std::uint64_t bytesBeforeFailure,
                                  FileErrorCause cause = FileErrorCause::DiskFull);
    ~ScopedFileWriteFault();
    ScopedFileWriteFault(const ScopedFileWriteFault&) = delete;
    ScopedFileWriteFault& operator=(const ScopedFileWriteFault&) = delete;

    /// How many more bytes may be written before the failure; advanced by `CFile::Write`.
    std::uint64_t remaining;
    /// The cause the failing write reports.
    FileErrorCause cause;

private:
    ScopedFileWriteFault* m_previous;
};
