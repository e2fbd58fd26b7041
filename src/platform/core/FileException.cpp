// File error causes, their messages and their mapping from operating-system error numbers.
#include "platform/core/FileException.h"

#include <cerrno>

std::u16string_view FileErrorMessagePattern(FileErrorCause cause) {
    switch (cause) {
    case FileErrorCause::Generic:
        return u"An unknown error occurred while accessing %1.";
    case FileErrorCause::FileNotFound:
        return u"%1 was not found.";
    case FileErrorCause::BadPath:
        return u"%1 contains an invalid path.";
    case FileErrorCause::TooManyOpenFiles:
        return u"%1 could not be opened because there are too many open files.";
    case FileErrorCause::AccessDenied:
        return u"Access to %1 was denied.";
    case FileErrorCause::InvalidFile:
        return u"An invalid file handle was associated with %1.";
    case FileErrorCause::DirectoryFull:
        return u"%1 could not be created because the directory is full.";
    case FileErrorCause::BadSeek:
        return u"Seek failed on %1";
    case FileErrorCause::HardIO:
        return u"A hardware I/O error was reported while accessing %1.";
    case FileErrorCause::SharingViolation:
        return u"A sharing violation occurred while accessing %1.";
    case FileErrorCause::LockViolation:
        return u"A locking violation occurred while accessing %1.";
    case FileErrorCause::DiskFull:
        return u"Disk full while accessing %1.";
    case FileErrorCause::EndOfFile:
        return u"An attempt was made to access %1 past its end.";
    case FileErrorCause::IsFolder:
        return u"%1 is a folder, not a file.";
    case FileErrorCause::ReadOnlyFolder:
        return u"The folder %1 is read-only, so nothing can be saved in it.";
    case FileErrorCause::FieldTooLong:
        return u"%1 has a field longer than 64 MiB; the items before it were read.";
    case FileErrorCause::OutOfMemory:
        return u"There is not enough memory to read %1.";
    case FileErrorCause::IsPipe:
        return u"%1 is a named pipe, not a file.";
    case FileErrorCause::IsSocket:
        return u"%1 is a socket, not a file.";
    case FileErrorCause::IsDevice:
        return u"%1 is a device, not a file.";
    case FileErrorCause::AlreadyExists:
        return u"%1 already exists.";
    }
    return u"An unknown error occurred while accessing %1.";
}

FileErrorCause FileErrorCauseFromErrno(int osError) {
    switch (osError) {
    case ENOENT:
        return FileErrorCause::FileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EINVAL:
        return FileErrorCause::BadPath;
    case EMFILE:
    case ENFILE:
        return FileErrorCause::TooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
        return FileErrorCause::AccessDenied;
    case EEXIST:
        return FileErrorCause::AlreadyExists;
    case EISDIR:
        return FileErrorCause::IsFolder;
    case ENOMEM:
        return FileErrorCause::OutOfMemory;
    case EBADF:
        return FileErrorCause::InvalidFile;
    case EMLINK:
        return FileErrorCause::DirectoryFull;
    case ESPIPE:
        return FileErrorCause::BadSeek;
    case EIO:
        return FileErrorCause::HardIO;
    case ETXTBSY:
    case EBUSY:
    case EWOULDBLOCK:
        return FileErrorCause::SharingViolation;
    case ENOLCK:
    case EDEADLK:
        return FileErrorCause::LockViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return FileErrorCause::DiskFull;
    default:
        return FileErrorCause::Generic;
    }
}

CFileException::CFileException(FileErrorCause cause, std::u16string path, int osError)
    : CException(FormatString(FileErrorMessagePattern(cause), {path})), m_cause(cause),
      m_path(std::move(path)), m_osError(osError) {}

std::u16string CFileException::GetErrorMessage() const {
    return FormatString(FileErrorMessagePattern(m_cause), {m_path});
}
