// Temporary file beside the target, flush, rename.
#include "platform/core/SafeSaveFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>

#include "platform/core/HostPath.h"

namespace {

constexpr int kNameAttempts = 100;
constexpr mode_t kPermissionBits = 07777;

std::u16string TemporaryNameFor(const std::u16string& target, int attempt) {
    static std::atomic<unsigned> sequence{0};
    const std::string suffix =
        ".~" + std::to_string(::getpid()) + "-" + std::to_string(sequence++) + "-" + std::to_string(attempt) + ".tmp";
    return target + Widen(suffix);
}

std::string FolderOf(const std::string& hostPath) {
    const std::size_t slash = hostPath.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : hostPath.substr(0, slash);
}

}  // namespace

SafeSaveFile::SafeSaveFile(std::u16string targetPath) : targetPath_(std::move(targetPath)) {
    constexpr unsigned kTemporaryMode = CFile::modeCreateNew | CFile::modeReadWrite | CFile::shareExclusive;
    FileErrorCause cause = FileErrorCause::Generic;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        temporaryPath_ = TemporaryNameFor(targetPath_, attempt);
        if (file_.Open(temporaryPath_, kTemporaryMode, &cause)) {
            // Failures while writing name the list the user saves, not the temporary name.
            file_.SetFilePath(targetPath_);
            CopyTargetPermissions();
            return;
        }
        // Only a name clash is worth another try; anything else fails the same way every time.
        if (cause != FileErrorCause::AccessDenied || ::access(ToHostPath(temporaryPath_).c_str(), F_OK) != 0) {
            break;
        }
    }
    temporaryPath_.clear();
    throw CFileException(cause, targetPath_);
}

SafeSaveFile::~SafeSaveFile() {
    if (!committed_) {
        Discard();
    }
}

void SafeSaveFile::CopyTargetPermissions() {
    struct stat status {};
    if (::stat(ToHostPath(targetPath_).c_str(), &status) != 0) {
        return;  // a new file keeps the default permissions
    }
    if (::fchmod(file_.GetHandle(), status.st_mode & kPermissionBits) != 0) {
        const int osError = errno;
        Discard();
        throw CFileException(FileErrorCauseFromErrno(osError), targetPath_, osError);
    }
}

void SafeSaveFile::Commit() {
    try {
        file_.Flush();
        file_.Close();
        CFile::Rename(temporaryPath_, targetPath_);
    } catch (const CFileException& failure) {
        Discard();
        throw CFileException(failure.Cause(), targetPath_, failure.OsError());
    }
    committed_ = true;
    // Make the rename itself durable. The new file is complete and in place whether or not this
    // succeeds, so a failure here cannot turn the save into a loss and is not reported as one.
    const int folder = ::open(FolderOf(ToHostPath(targetPath_)).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

void SafeSaveFile::Discard() {
    file_.Abort();
    if (!temporaryPath_.empty() && !committed_) {
        ::unlink(ToHostPath(temporaryPath_).c_str());
        temporaryPath_.clear();
    }
}
