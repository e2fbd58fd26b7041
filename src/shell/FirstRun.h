// The first run on a device: the program installs itself as the handheld's installer did, whichever
// way it was started, so a device root only ever has the one Lists folder.
#pragma once

#include <string>
#include <string_view>

class DeviceStorage;

/// The installation folder the first run records, as a device path.
inline constexpr std::u16string_view kInstallFolder = u"\\Program Files\\Corvina";

/// How the first-run installation went.
struct FirstRunOutcome {
    enum class Result {
        AlreadyInstalled, ///< the registry records an installation folder: nothing was touched
        Installed,        ///< installed now
        Failed,           ///< not installed; `failure` says why, and the next start tries again
    };
    Result result = Result::AlreadyInstalled;
    std::u16string failure;
};

/// Runs before anything reads `device`'s registry. Moves a registry that earlier versions kept at the
/// device root into its place (MoveOldRegistry); then, when no installation folder is recorded,
/// installs: the Lists folder under kInstallFolder, the lists an uninstalled earlier start kept in
/// "\My Documents" moved into it, the sample lists that are not there by name, and the registry
/// value "InstallDir", written last so an installation cut short is done again next time.
FirstRunOutcome InstallOnFirstRun(const DeviceStorage& device);
