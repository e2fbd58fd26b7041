// File stamps from the file system's own description of a file.
#include "platform/core/FileStamp.h"

#include <sys/stat.h>

namespace {

constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;

FileStamp StampOf(const struct stat& status) {
    FileStamp stamp;
    stamp.device = static_cast<std::uint64_t>(status.st_dev);
    stamp.inode = static_cast<std::uint64_t>(status.st_ino);
    stamp.size = static_cast<std::int64_t>(status.st_size);
    stamp.modifiedNs = static_cast<std::int64_t>(status.st_mtim.tv_sec) * kNanosecondsPerSecond +
                       static_cast<std::int64_t>(status.st_mtim.tv_nsec);
    return stamp;
}

} // namespace

std::optional<FileStamp> FileStampOf(int descriptor) {
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) {
        return std::nullopt;
    }
    return StampOf(status);
}

std::optional<FileStamp> FileStampAt(const std::string& hostPath) {
    struct stat status {};
    if (::stat(hostPath.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return StampOf(status);
}
