// CFile over POSIX descriptors: open modes, advisory sharing locks, reads, writes and their errors.
#include "platform/core/File.h"

#include "platform/core/Strings.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <utility>

namespace {

constexpr unsigned kAccessMask = 0x0003;
constexpr unsigned kShareMask = 0x0070;
constexpr mode_t kNewFileMode = 0666; // narrowed by the user's umask

// The fault injected by the innermost live `ScopedFileWriteFault` on this thread.
thread_local ScopedFileWriteFault* activeWriteFault = nullptr;

int AccessFlags(unsigned flags) {
    switch (flags & kAccessMask) {
    case CFile::modeWrite:
        return O_WRONLY;
    case CFile::modeReadWrite:
        return O_RDWR;
    default:
        return O_RDONLY;
    }
}

int CreationFlags(unsigned flags) {
    if (flags & CFile::modeCreateNew) {
        return O_CREAT | O_EXCL;
    }
    if (flags & CFile::modeCreate) {
        return O_CREAT | O_TRUNC;
    }
    return 0;
}

// Sharing modes become advisory locks: readers that deny writers share a lock, writers that deny
// everyone hold it alone. A lock held elsewhere is a sharing violation, as on the device.
int LockOperation(unsigned flags) {
    switch (flags & kShareMask) {
    case CFile::shareExclusive:
        return LOCK_EX | LOCK_NB;
    case CFile::shareDenyWrite:
        return LOCK_SH | LOCK_NB;
    default:
        return 0;
    }
}

} // namespace

CFile::CFile(int descriptor, std::u16string displayPath, bool ownsDescriptor)
    : m_descriptor(descriptor), m_ownsDescriptor(ownsDescriptor), m_path(std::move(displayPath)) {}

CFile::CFile(CFile&& other) noexcept
    : m_descriptor(std::exchange(other.m_descriptor, -1)), m_ownsDescriptor(other.m_ownsDescriptor),
      m_path(std::move(other.m_path)) {}

CFile& CFile::operator=(CFile&& other) noexcept {
    if (this != &other) {
        Abort();
        m_descriptor = std::exchange(other.m_descriptor, -1);
        m_ownsDescriptor = other.m_ownsDescriptor;
        m_path = std::move(other.m_path);
    }
    return *this;
}

CFile::~CFile() {
    Abort();
}

bool CFile::Open(std::u16string_view path, unsigned flags, FileErrorCause* error) {
    return OpenHostPath(ToUtf8(path), path, flags, error);
}

bool CFile::OpenHostPath(const std::string& hostPath, std::u16string_view path, unsigned flags,
                         FileErrorCause* error) {
    Abort();
    m_path = std::u16string(path);
    m_ownsDescriptor = true;
    const auto fail = [&](int osError) {
        if (error) {
            *error = FileErrorCauseFromErrno(osError);
        }
        return false;
    };
    if (hostPath.empty()) {
        return fail(ENOENT);
    }
    // Truncation waits until the lock is ours, so a file another writer holds is never emptied.
    const int createFlags = CreationFlags(flags);
    const bool truncateAfterLock = (createFlags & O_TRUNC) != 0;
    const int descriptor =
        ::open(hostPath.c_str(), AccessFlags(flags) | (createFlags & ~O_TRUNC) | O_CLOEXEC, kNewFileMode);
    if (descriptor < 0) {
        return fail(errno);
    }
    struct stat status {};
    if (::fstat(descriptor, &status) == 0 && S_ISDIR(status.st_mode)) {
        ::close(descriptor);
        return fail(EISDIR);
    }
    if (const int lock = LockOperation(flags); lock != 0 && ::flock(descriptor, lock) != 0) {
        const int lockError = errno;
        ::close(descriptor);
        return fail(lockError);
    }
    if (truncateAfterLock && ::ftruncate(descriptor, 0) != 0) {
        const int truncateError = errno;
        ::close(descriptor);
        return fail(truncateError);
    }
    m_descriptor = descriptor;
    return true;
}

void CFile::OpenOrThrow(std::u16string_view path, unsigned flags) {
    FileErrorCause cause = FileErrorCause::Generic;
    if (!Open(path, flags, &cause)) {
        throw CFileException(cause, std::u16string(path));
    }
}

void CFile::OpenHostPathOrThrow(const std::string& hostPath, std::u16string_view path, unsigned flags) {
    FileErrorCause cause = FileErrorCause::Generic;
    if (!OpenHostPath(hostPath, path, flags, &cause)) {
        throw CFileException(cause, std::u16string(path));
    }
}

void CFile::ThrowLastError(int osError) const {
    throw CFileException(FileErrorCauseFromErrno(osError), m_path, osError);
}

std::size_t CFile::Read(void* buffer, std::size_t count) {
    if (!IsOpen()) {
        ThrowLastError(EBADF);
    }
    auto* bytes = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = ::read(m_descriptor, bytes + done, count - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            ThrowLastError(errno);
        }
        if (got == 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}

void CFile::Write(const void* buffer, std::size_t count) {
    if (!IsOpen()) {
        ThrowLastError(EBADF);
    }
    std::size_t allowed = count;
    ScopedFileWriteFault* const fault = activeWriteFault;
    if (fault) {
        allowed = static_cast<std::size_t>(std::min<std::uint64_t>(count, fault->remaining));
        fault->remaining -= allowed;
    }
    const auto* bytes = static_cast<const char*>(buffer);
    std::size_t done = 0;
    while (done < allowed) {
        const ssize_t put = ::write(m_descriptor, bytes + done, allowed - done);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put < 0) {
            ThrowLastError(errno);
        }
        done += static_cast<std::size_t>(put);
    }
    if (allowed < count) {
        throw CFileException(fault->cause, m_path);
    }
}

void CFile::Flush() {
    if (!IsOpen()) {
        ThrowLastError(EBADF);
    }
    // Pipes and terminals cannot be synchronised and need not be.
    if (::fsync(m_descriptor) != 0 && errno != EINVAL && errno != EROFS) {
        ThrowLastError(errno);
    }
}

std::uint64_t CFile::Seek(std::int64_t offset, SeekFrom from) {
    const int whence = from == SeekFrom::Begin ? SEEK_SET : from == SeekFrom::Current ? SEEK_CUR : SEEK_END;
    const off_t position = ::lseek(m_descriptor, static_cast<off_t>(offset), whence);
    if (position < 0) {
        ThrowLastError(errno);
    }
    return static_cast<std::uint64_t>(position);
}

std::uint64_t CFile::GetPosition() const {
    const off_t position = ::lseek(m_descriptor, 0, SEEK_CUR);
    if (position < 0) {
        ThrowLastError(errno);
    }
    return static_cast<std::uint64_t>(position);
}

std::uint64_t CFile::GetLength() const {
    struct stat status {};
    if (::fstat(m_descriptor, &status) != 0) {
        ThrowLastError(errno);
    }
    return static_cast<std::uint64_t>(status.st_size);
}

void CFile::Close() {
    if (!IsOpen()) {
        return;
    }
    const int descriptor = std::exchange(m_descriptor, -1);
    if (m_ownsDescriptor && ::close(descriptor) != 0 && errno != EINTR) {
        ThrowLastError(errno);
    }
}

void CFile::Abort() {
    if (!IsOpen()) {
        return;
    }
    const int descriptor = std::exchange(m_descriptor, -1);
    if (m_ownsDescriptor) {
        ::close(descriptor);
    }
}

void CFile::Remove(std::u16string_view path) {
    if (::unlink(ToUtf8(path).c_str()) != 0) {
        const int osError = errno;
        throw CFileException(FileErrorCauseFromErrno(osError), std::u16string(path), osError);
    }
}

ScopedFileWriteFault::ScopedFileWriteFault(std::uint64_t bytesBeforeFailure, FileErrorCause failureCause)
    : remaining(bytesBeforeFailure), cause(failureCause), m_previous(activeWriteFault) {
    activeWriteFault = this;
}

ScopedFileWriteFault::~ScopedFileWriteFault() {
    activeWriteFault = m_previous;
}
