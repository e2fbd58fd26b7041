// File errors: the causes a file operation can fail with and the message each one shows.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/core/Exception.h"

/// Why a file operation failed.
enum class FileErrorCause {
    Generic,          ///< unspecified error
    FileNotFound,     ///< file not found
    BadPath,          ///< invalid path
    TooManyOpenFiles, ///< too many open files
    AccessDenied,     ///< access denied
    InvalidFile,      ///< invalid file handle
    DirectoryFull,    ///< directory full
    BadSeek,          ///< seek failed
    HardIO,           ///< hardware input/output error
    SharingViolation, ///< sharing violation
    LockViolation,    ///< locking violation
    DiskFull,         ///< disk full
    EndOfFile,        ///< end of file
    IsFolder,         ///< a folder where a file was expected
    ReadOnlyFolder,   ///< the folder refuses new files (the path is the folder's)
    FieldTooLong,     ///< a text field longer than `kLongestTextField`
    OutOfMemory,      ///< not enough memory for what the file holds
    IsPipe,           ///< a named pipe (FIFO) where a file was expected
    IsSocket,         ///< a socket where a file was expected
    IsDevice,         ///< a device where a file was expected
    AlreadyExists,    ///< another file already has the name (the path is that name)
};

/// The most bytes one field of a text file may hold: far beyond any title or notes a person writes,
/// and a bound on what a stream that never ends a field can make the reader hold.
inline constexpr std::size_t kLongestTextField = std::size_t{64} * 1024 * 1024;

/// The message pattern of `cause`, with %1 standing for the file's path.
std::u16string_view FileErrorMessagePattern(FileErrorCause cause);

/// The cause an operating-system error number stands for.
FileErrorCause FileErrorCauseFromErrno(int osError);

/// A failed file operation: its cause, the file's path and the operating system's error number.
class CFileException : public CException {
public:
    CFileException(FileErrorCause cause, std::u16string path, int osError = 0);

    /// The cause's message with %1 replaced by the path.
    std::u16string GetErrorMessage() const override;
    FileErrorCause Cause() const { return m_cause; }
    const std::u16string& Path() const { return m_path; }
    int OsError() const { return m_osError; }

private:
    FileErrorCause m_cause;
    std::u16string m_path;
    int m_osError;
};
