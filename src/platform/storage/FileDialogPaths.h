// What the file dialogs compute without a screen: filter strings, device path parts, default
// extensions and wildcard matches. Platform-internal.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

/// One entry of a file-type filter: what the user reads and the patterns it stands for.
struct FileFilter {
    std::u16string description;           ///< "Text files (*.txt)"
    std::vector<std::u16string> patterns; ///< "*.txt" (a filter may hold several, split at ';')
};

/// The entries of a filter in the framework's form: description and pattern pairs separated by
/// vertical bars, ended by two bars ("Text files (*.txt)|*.txt||"). An entry without a pattern is
/// dropped; an empty filter gives one entry that shows every file.
std::vector<FileFilter> ParseFileFilter(std::u16string_view filter);
/// True when `name` matches the wildcard `pattern` ("*" any run, "?" one character), without regard
/// to letter case, as the device's file dialogs match; "*.*" matches every name.
bool MatchesFilePattern(std::u16string_view name, std::u16string_view pattern);
/// The folder part of a device path, without its trailing backslash ("\" for a file at the root,
/// empty when the path has no folder).
std::u16string DeviceFolderOf(std::u16string_view path);
/// The part of a device path after its last backslash.
std::u16string DeviceNameOf(std::u16string_view path);
/// A folder and a name joined with one backslash.
std::u16string JoinDevicePath(std::u16string_view folder, std::u16string_view name);
/// The folder above `folder` ("\" stays "\").
std::u16string ParentDeviceFolder(std::u16string_view folder);
/// The characters the device's file names cannot hold (the backslash parts folders).
inline constexpr std::u16string_view kCharactersNotInNames = u"/:*?\"<>|";
/// The extension of the file a device path names, without its dot; empty when it has none.
std::u16string ExtensionOf(std::u16string_view path);
/// `name` with "." and `extension` added when it has no extension of its own (and one is given).
std::u16string WithDefaultExtension(std::u16string_view name, std::u16string_view extension);

} // namespace platform
