// Renaming without replacing: the kernel's no-replace rename, else a hard link and an unlink, both of
// which refuse a taken name by themselves, so no other file can slip in between a check and the act.
#include "platform/core/RenameFile.h"

#include <cerrno>
#include <string>

#include <fcntl.h>
#include <unistd.h>

#include "platform/core/FileException.h"
#include "platform/core/Strings.h"

namespace {

/// The no-replace rename is not there (an old kernel) or the file system cannot do it.
bool NoReplaceUnsupported(int osError) {
    return osError == EINVAL || osError == ENOSYS;
}

/// The failure of renaming `from` to `to`: a taken name is the target's fault, anything else the file's.
[[noreturn]] void Fail(int osError, std::u16string_view from, std::u16string_view to) {
    const FileErrorCause cause = FileErrorCauseFromErrno(osError);
    throw CFileException(cause, std::u16string(cause == FileErrorCause::AlreadyExists ? to : from), osError);
}

} // namespace

void RenameWithoutReplacing(std::u16string_view from, std::u16string_view to) {
    RenameWithoutReplacing(ToUtf8(from), ToUtf8(to), from, to);
}

void RenameWithoutReplacing(const std::string& source, const std::string& target, std::u16string_view from,
                            std::u16string_view to) {
    if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
        return;
    }
    if (!NoReplaceUnsupported(errno)) {
        Fail(errno, from, to);
    }
    if (::link(source.c_str(), target.c_str()) != 0) {
        Fail(errno, from, to);
    }
    if (::unlink(source.c_str()) != 0) {
        const int osError = errno;
        ::unlink(target.c_str());
        Fail(osError, from, to);
    }
}
