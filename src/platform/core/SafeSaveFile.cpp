// Unnamed temporary file beside the target, flush, name, rename, flush the folder.
#include "platform/core/SafeSaveFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/Strings.h"

namespace {

constexpr int kNameAttempts = 100;
constexpr mode_t kPermissionBits = 07777;
constexpr mode_t kNewFileMode = 0666; // narrowed by the user's umask
// As many links as the system itself follows before it gives up with ELOOP.
constexpr int kMostLinksFollowed = 40;
// A temporary's name is the target's name, this infix, the process id, more numbers and the suffix.
constexpr std::string_view kTemporaryInfix = ".~";
constexpr std::string_view kTemporarySuffix = ".tmp";
constexpr std::string_view kOwnDescriptors = "/proc/self/fd/";

// The probe of the innermost live `ScopedSafeSaveProbe` on this thread.
thread_local ScopedSafeSaveProbe* activeProbe = nullptr;

void Log(ScopedSafeSaveProbe::Step step) {
    if (activeProbe) {
        activeProbe->steps.push_back(step);
    }
}

// Flushes a descriptor to storage: every flush of a save goes through here, so the probe logs only a
// flush that was made and can stand in for one that fails.
bool FlushToStorage(int descriptor, ScopedSafeSaveProbe::Step step) {
    if (activeProbe && activeProbe->failingFlush == step) {
        errno = activeProbe->flushError;
        return false;
    }
    if (::fsync(descriptor) != 0) {
        return false;
    }
    Log(step);
    return true;
}

std::string FolderOf(const std::string& hostPath) {
    const std::size_t slash = hostPath.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : hostPath.substr(0, slash);
}

std::string NameOf(const std::string& hostPath) {
    const std::size_t slash = hostPath.find_last_of('/');
    return slash == std::string::npos ? hostPath : hostPath.substr(slash + 1);
}

// The file a save of `hostPath` must replace: the path itself, or the file its chain of symbolic
// links ends at (which need not exist yet). A link is read relative to the folder it lies in.
std::string FollowLinks(std::string hostPath, const std::u16string& targetPath) {
    for (int followed = 0; followed <= kMostLinksFollowed; ++followed) {
        struct stat status {};
        if (::lstat(hostPath.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            return hostPath;
        }
        std::string link(static_cast<std::size_t>(status.st_size > 0 ? status.st_size : PATH_MAX), '\0');
        const ssize_t length = ::readlink(hostPath.c_str(), link.data(), link.size());
        if (length < 0) {
            const int osError = errno;
            throw CFileException(FileErrorCauseFromErrno(osError), targetPath, osError);
        }
        link.resize(static_cast<std::size_t>(length));
        hostPath = link.front() == '/' ? link : FolderOf(hostPath) + "/" + link;
    }
    throw CFileException(FileErrorCauseFromErrno(ELOOP), targetPath, ELOOP);
}

std::string TemporaryNameFor(const std::string& replaced, int attempt) {
    static std::atomic<unsigned> sequence{0};
    return replaced + std::string(kTemporaryInfix) + std::to_string(::getpid()) + "-" +
           std::to_string(sequence++) + "-" + std::to_string(attempt) + std::string(kTemporarySuffix);
}

// The process that made a temporary named `entry` for the file `name`, or 0 when `entry` is not one.
pid_t TemporaryOwner(std::string_view entry, std::string_view name) {
    const std::size_t prefix = name.size() + kTemporaryInfix.size();
    if (entry.size() <= prefix + kTemporarySuffix.size() || entry.substr(0, name.size()) != name ||
        entry.substr(name.size(), kTemporaryInfix.size()) != kTemporaryInfix ||
        entry.substr(entry.size() - kTemporarySuffix.size()) != kTemporarySuffix) {
        return 0;
    }
    pid_t owner = 0;
    const char* const first = entry.data() + prefix;
    const char* const last = entry.data() + entry.size();
    const auto [end, error] = std::from_chars(first, last, owner);
    return error == std::errc() && end != first && *end == '-' && owner > 0 ? owner : 0;
}

bool IsRunning(pid_t process) {
    return ::kill(process, 0) == 0 || errno != ESRCH;
}

// Removes the temporaries of `name` in `folder` that a process which no longer runs left behind (a
// save killed between naming its temporary and the rename, or one on a file system without unnamed
// files). Best effort: the save goes on whatever happens here.
void RemoveStaleTemporaries(const std::string& folder, const std::string& name) {
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(::opendir(folder.c_str()), ::closedir);
    if (!listing) {
        return;
    }
    while (const dirent* entry = ::readdir(listing.get())) {
        const pid_t owner = TemporaryOwner(entry->d_name, name);
        if (owner != 0 && !IsRunning(owner)) {
            ::unlinkat(::dirfd(listing.get()), entry->d_name, 0);
        }
    }
}

// The errors with which a file system says it has no unnamed temporary files (an old kernel takes
// the flag for a plain folder open and answers EISDIR).
bool LacksUnnamedFiles(int osError) {
    return osError == EOPNOTSUPP || osError == EISDIR || osError == EINVAL;
}

// Why the thing at `hostPath` must not be replaced by a file: a folder, a pipe, a socket or a device
// would lose what it is (and a reader of the pipe its data). Nothing when it is a file or not there.
std::optional<FileErrorCause> NotAFile(const std::string& hostPath) {
    struct stat status {};
    if (::stat(hostPath.c_str(), &status) != 0 || S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    if (S_ISDIR(status.st_mode)) {
        return FileErrorCause::IsFolder;
    }
    if (S_ISFIFO(status.st_mode)) {
        return FileErrorCause::IsPipe;
    }
    if (S_ISSOCK(status.st_mode)) {
        return FileErrorCause::IsSocket;
    }
    return FileErrorCause::IsDevice;
}

bool FolderRefusesNewFiles(int osError) {
    return osError == EACCES || osError == EPERM || osError == EROFS;
}

// The folder part of a program path, as the user knows it.
std::u16string ProgramFolderOf(const std::u16string& path) {
    const std::size_t separator = path.find_last_of(u"\\/");
    if (separator == std::u16string::npos) {
        return u".";
    }
    return path.substr(0, separator == 0 ? 1 : separator);
}

} // namespace

SafeSaveFile::SafeSaveFile(std::u16string targetPath) : SafeSaveFile(ToUtf8(targetPath), targetPath) {}

SafeSaveFile::SafeSaveFile(std::string targetHostPath, std::u16string targetPath)
    : m_targetPath(std::move(targetPath)), m_targetHostPath(std::move(targetHostPath)) {
    m_replacedPath = FollowLinks(m_targetHostPath, m_targetPath);
    m_folder = FolderOf(m_replacedPath);
    RefuseWhatIsNotAFile();
    RemoveStaleTemporaries(m_folder, NameOf(m_replacedPath));
    if (!OpenUnnamed()) {
        OpenNamed();
    }
    CopyTargetPermissions();
}

SafeSaveFile::~SafeSaveFile() {
    if (!m_committed) {
        Discard();
    }
}

bool SafeSaveFile::OpenUnnamed() {
    if (activeProbe && activeProbe->namedTemporaries) {
        return false;
    }
    const int descriptor = ::open(m_folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, kNewFileMode);
    if (descriptor < 0) {
        if (LacksUnnamedFiles(errno)) {
            return false;
        }
        ThrowCreateFailure(errno);
    }
    // Failures while writing name the list the user saves.
    m_file = CFile(descriptor, m_targetPath, true);
    return true;
}

void SafeSaveFile::OpenNamed() {
    int osError = EEXIST;
    for (int attempt = 0; attempt < kNameAttempts && osError == EEXIST; ++attempt) {
        std::string name = TemporaryNameFor(m_replacedPath, attempt);
        const int descriptor = ::open(name.c_str(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, kNewFileMode);
        if (descriptor >= 0) {
            m_temporaryPath = std::move(name);
            m_file = CFile(descriptor, m_targetPath, true);
            return;
        }
        osError = errno;
    }
    ThrowCreateFailure(osError);
}

void SafeSaveFile::RefuseWhatIsNotAFile() const {
    if (const std::optional<FileErrorCause> cause = NotAFile(m_replacedPath)) {
        throw CFileException(*cause, m_targetPath);
    }
}

void SafeSaveFile::ThrowCreateFailure(int osError) const {
    if (FolderRefusesNewFiles(osError)) {
        const bool throughLink = m_replacedPath != m_targetHostPath;
        throw CFileException(FileErrorCause::ReadOnlyFolder,
                             throughLink ? Widen(m_folder) : ProgramFolderOf(m_targetPath), osError);
    }
    throw CFileException(FileErrorCauseFromErrno(osError), m_targetPath, osError);
}

void SafeSaveFile::CopyTargetPermissions() {
    struct stat status {};
    if (::stat(m_replacedPath.c_str(), &status) != 0) {
        return; // a new file keeps the default permissions
    }
    if (::fchmod(m_file.GetHandle(), status.st_mode & kPermissionBits) != 0) {
        const int osError = errno;
        Discard();
        throw CFileException(FileErrorCauseFromErrno(osError), m_targetPath, osError);
    }
}

void SafeSaveFile::NameUnnamed() {
    // Linking a descriptor by itself needs a privilege; its entry under /proc works for everyone.
    const std::string descriptorPath = std::string(kOwnDescriptors) + std::to_string(m_file.GetHandle());
    int osError = EEXIST;
    for (int attempt = 0; attempt < kNameAttempts && osError == EEXIST; ++attempt) {
        std::string name = TemporaryNameFor(m_replacedPath, attempt);
        if (::linkat(m_file.GetHandle(), "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0 ||
            ::linkat(AT_FDCWD, descriptorPath.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            m_temporaryPath = std::move(name);
            return;
        }
        osError = errno;
    }
    throw CFileException(FileErrorCauseFromErrno(osError), m_targetPath, osError);
}

void SafeSaveFile::Commit() {
    try {
        if (!FlushToStorage(m_file.GetHandle(), ScopedSafeSaveProbe::Step::FileFlushed)) {
            const int osError = errno;
            throw CFileException(FileErrorCauseFromErrno(osError), m_targetPath, osError);
        }
        if (m_temporaryPath.empty()) {
            NameUnnamed();
        }
        m_file.Close();
        // Something else may have taken the target's place while the file was written.
        RefuseWhatIsNotAFile();
        KeepReplacedFile();
        if (::rename(m_temporaryPath.c_str(), m_replacedPath.c_str()) != 0) {
            const int osError = errno;
            throw CFileException(FileErrorCauseFromErrno(osError), m_targetPath, osError);
        }
        m_renamed = true;
        m_temporaryPath.clear();
        Log(ScopedSafeSaveProbe::Step::Renamed);
        // Until the folder is flushed a power cut can undo the rename and leave either file, or
        // neither: a save that cannot make it durable has failed.
        const int folder = ::open(m_folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        const bool flushed = folder >= 0 && FlushToStorage(folder, ScopedSafeSaveProbe::Step::FolderFlushed);
        const int osError = errno;
        if (folder >= 0) {
            ::close(folder);
        }
        if (!flushed) {
            throw CFileException(FileErrorCauseFromErrno(osError), m_targetPath, osError);
        }
    } catch (const CFileException& failure) {
        UndoRename();
        Discard();
        throw CFileException(failure.Cause(), m_targetPath, failure.OsError());
    }
    m_committed = true;
    if (!m_keptPath.empty()) {
        ::unlink(m_keptPath.c_str());
        m_keptPath.clear();
    }
}

void SafeSaveFile::KeepReplacedFile() {
    struct stat status {};
    m_replacesFile = ::stat(m_replacedPath.c_str(), &status) == 0;
    if (!m_replacesFile) {
        return;
    }
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string name = TemporaryNameFor(m_replacedPath, attempt);
        if (::link(m_replacedPath.c_str(), name.c_str()) == 0) {
            m_keptPath = std::move(name);
            return;
        }
        if (errno != EEXIST) {
            return; // no old file, or links are not to be had here
        }
    }
}

void SafeSaveFile::UndoRename() {
    if (m_renamed) {
        if (!m_replacesFile) {
            ::unlink(m_replacedPath.c_str()); // there was none before
        } else if (!m_keptPath.empty() && ::rename(m_keptPath.c_str(), m_replacedPath.c_str()) == 0) {
            m_keptPath.clear();
        }
        // Without a kept copy the new file stays: it is complete, and the old one is gone already.
        m_renamed = false;
    }
    if (!m_keptPath.empty()) {
        ::unlink(m_keptPath.c_str());
        m_keptPath.clear();
    }
}

void SafeSaveFile::Discard() {
    m_file.Abort();
    if (!m_temporaryPath.empty() && !m_committed) {
        ::unlink(m_temporaryPath.c_str());
    }
    m_temporaryPath.clear();
}

ScopedSafeSaveProbe::ScopedSafeSaveProbe(bool useNamedTemporaries)
    : namedTemporaries(useNamedTemporaries), m_previous(activeProbe) {
    activeProbe = this;
}

ScopedSafeSaveProbe::~ScopedSafeSaveProbe() {
    activeProbe = m_previous;
}
