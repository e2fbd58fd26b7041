// Recovery copies: the unsaved changes of an open list, kept on the device where no file dialog and
// no document list shows them, until the list is saved or its changes are discarded.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

class DeviceStorage;

/// The recovery folder, inside the device's system folder (DeviceStorage::SystemFolder), which no device path
/// reaches and no listing shows.
inline constexpr std::u16string_view kRecoveryFolderName = u"Recovery";
/// The copy of a list that has no file yet (a new or imported list). A list's own name never starts
/// with a dot, so no list's copy can take this name.
inline constexpr std::u16string_view kUntitledCopyName = u".Untitled.crv";

/// The host folder of the recovery copies.
std::u16string RecoveryFolder(const DeviceStorage& device);
/// The host path of the recovery copy of the list at `listPath` (a device or host path); an empty
/// path names the copy of the list that has no file yet.
std::u16string RecoveryCopyPath(const DeviceStorage& device, std::u16string_view listPath);
/// Makes the recovery folder (and the system folder above it) when missing. Throws a
/// `CFileException` naming the folder when it cannot be made.
void MakeRecoveryFolder(const DeviceStorage& device);

/// A recovery copy that is there to be offered.
struct RecoveryCopy {
    std::u16string path;                         ///< its host path
    std::chrono::system_clock::time_point saved; ///< when it was last written
};
/// The recovery copy of the list at `listPath` when it holds changes the list file does not: it is
/// there and was written after the list file (or the list file is gone). For an empty `listPath`
/// (the list that has no file), the copy whenever it is there.
std::optional<RecoveryCopy> FindRecoveryCopy(const DeviceStorage& device, std::u16string_view listPath);
/// Removes the recovery copy at `copyPath`; true also when there was none.
bool RemoveRecoveryCopy(std::u16string_view copyPath);
/// The list at `fromListPath` is now at `toListPath`: its copy follows it, and a copy under the new
/// name, which belonged to no list there, goes. False when that could not be done.
bool MoveRecoveryCopy(const DeviceStorage& device, std::u16string_view fromListPath,
                      std::u16string_view toListPath);

/// A copy's time as the restore question shows it, in local time: "2026-12-07 23:41".
std::u16string RecoveryTimeText(std::chrono::system_clock::time_point when);
