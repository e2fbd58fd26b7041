// Where recovery copies lie and whether one holds changes its list file does not.
#include "platform/storage/RecoveryCopies.h"

#include "platform/core/FileException.h"
#include "platform/core/PathNames.h"
#include "platform/core/Strings.h"
#include "platform/storage/DeviceStorage.h"
#include "platform/storage/HostNames.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>

namespace {

constexpr char16_t kHostSeparator = u'/';
constexpr std::size_t kTimeTextSize = sizeof("YYYY-MM-DD HH:MM");
constexpr long kNanosecondsPerSecond = 1'000'000'000;

/// The time a file was last written, or nothing when it cannot be asked (it is not there).
std::optional<std::chrono::system_clock::time_point> WriteTime(const std::string& hostPath) {
    struct stat info {};
    if (::stat(hostPath.c_str(), &info) != 0) {
        return std::nullopt;
    }
    const auto sinceEpoch =
        std::chrono::seconds(info.st_mtim.tv_sec) + std::chrono::nanoseconds(info.st_mtim.tv_nsec);
    return std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(sinceEpoch));
}

} // namespace

std::u16string RecoveryFolder(const DeviceStorage& device) {
    return device.SystemFolder() + kHostSeparator + std::u16string(kRecoveryFolderName);
}

std::u16string RecoveryCopyPath(const DeviceStorage& device, std::u16string_view listPath) {
    const std::u16string_view name = listPath.empty() ? kUntitledCopyName : FileNameOf(listPath);
    return RecoveryFolder(device) + kHostSeparator + std::u16string(name);
}

void MakeRecoveryFolder(const DeviceStorage& device) {
    std::error_code error;
    std::filesystem::create_directories(HostBytesFromName(RecoveryFolder(device)), error);
    if (error) {
        throw CFileException(FileErrorCauseFromErrno(error.value()), RecoveryFolder(device), error.value());
    }
}

std::optional<RecoveryCopy> FindRecoveryCopy(const DeviceStorage& device, std::u16string_view listPath) {
    const std::u16string copyPath = RecoveryCopyPath(device, listPath);
    const std::optional<std::chrono::system_clock::time_point> copyTime =
        WriteTime(HostBytesFromName(copyPath));
    if (!copyTime) {
        return std::nullopt;
    }
    if (!listPath.empty()) {
        const std::optional<std::chrono::system_clock::time_point> listTime =
            WriteTime(device.HostPathOf(listPath));
        if (listTime && *listTime >= *copyTime) {
            return std::nullopt; // the list was saved after the copy: the copy holds nothing newer
        }
    }
    return RecoveryCopy{copyPath, *copyTime};
}

bool RemoveRecoveryCopy(std::u16string_view copyPath) {
    std::error_code error;
    std::filesystem::remove(HostBytesFromName(copyPath), error);
    return !error;
}

bool MoveRecoveryCopy(const DeviceStorage& device, std::u16string_view fromListPath,
                      std::u16string_view toListPath) {
    const std::u16string from = RecoveryCopyPath(device, fromListPath);
    const std::u16string to = RecoveryCopyPath(device, toListPath);
    if (from == to) {
        return true;
    }
    if (std::rename(HostBytesFromName(from).c_str(), HostBytesFromName(to).c_str()) == 0) {
        return true;
    }
    return errno == ENOENT && RemoveRecoveryCopy(to);
}

std::u16string RecoveryTimeText(std::chrono::system_clock::time_point when) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    ::localtime_r(&seconds, &local);
    char text[kTimeTextSize] = {};
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return Widen(text);
}
