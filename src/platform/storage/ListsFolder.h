// Where the list files live: the Lists folder under the installation folder the installer recorded
// in the registry, or "\My Documents" on a device without one.
#pragma once

#include "platform/storage/FileNameRules.h"

#include <cstddef>
#include <string>
#include <string_view>

class DeviceStorage;

/// Where the installer records the installation folder: this value under the local machine's key.
inline constexpr std::u16string_view kInstallRegistryKey = u"SOFTWARE\\Tarrow\\Corvina";
inline constexpr std::u16string_view kInstallDirValueName = u"InstallDir";
/// The Lists folder below the installation folder, and the folder used on a device without one.
inline constexpr std::u16string_view kListsSubfolder = u"\\Lists";
inline constexpr std::u16string_view kMyDocumentsFolder = u"\\My Documents";
/// The list files of a folder, and the extension a list's file name ends in.
inline constexpr std::u16string_view kListFilePattern = u"*.crv";
inline constexpr std::u16string_view kListExtension = platform::ExtensionOfPattern(kListFilePattern);
/// The Save as dialog's default extension: the list extension without its dot.
inline constexpr std::u16string_view kListDefaultExtension = kListExtension.substr(1);

/// The registry value buffer, in wide characters with the terminator: a longer value is unreadable.
inline constexpr std::size_t kInstallDirBufferChars = 260;

/// The installation folder recorded in `device`'s registry, or empty when the key or value is missing or
/// the value does not fit kInstallDirBufferChars with its terminator.
std::u16string ReadInstallDir(const DeviceStorage& device);

/// The Lists folder of an installation folder: "\My Documents" for none (or for a host path such as
/// "/home/me", which names no folder of the device), else the folder followed directly by "\Lists"
/// (a trailing backslash is kept, giving a doubled separator).
std::u16string ListsFolderFor(std::u16string_view installDir);

/// Resolves `device`'s Lists folder from its registry and creates it (one level only) when it is missing.
std::u16string GetListsFolder(const DeviceStorage& device);
