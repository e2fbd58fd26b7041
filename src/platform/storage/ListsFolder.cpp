// Resolving and creating the Lists folder.
#include "platform/storage/ListsFolder.h"

#include "platform/storage/FileFind.h"
#include "platform/storage/Registry.h"

#include <array>

std::u16string ReadInstallDir(const DeviceStorage& device) {
    std::array<char16_t, kInstallDirBufferChars> buffer{};
    CRegistryKey key;
    if (key.Open(device, RegistryRoot::LocalMachine, kInstallRegistryKey) != RegistryError::None) {
        return {};
    }
    const RegistryError result = key.QueryStringValue(kInstallDirValueName, buffer.data(), buffer.size());
    key.Close();
    if (result != RegistryError::None) {
        return {};
    }
    return std::u16string(buffer.data());
}

namespace {

/// A value written with a host path ("/home/...") names no folder of the device.
bool IsHostPath(std::u16string_view path) {
    return !path.empty() && path.front() == u'/';
}

} // namespace

std::u16string ListsFolderFor(std::u16string_view installDir) {
    if (installDir.empty() || IsHostPath(installDir)) {
        return std::u16string(kMyDocumentsFolder);
    }
    return std::u16string(installDir) + std::u16string(kListsSubfolder);
}

std::u16string GetListsFolder(const DeviceStorage& device) {
    std::u16string folder = ListsFolderFor(ReadInstallDir(device));
    if (GetFileAttributes(device, folder) == INVALID_FILE_ATTRIBUTES) {
        // One level only, and a failure is not fatal: the listing then simply finds no files.
        CreateDirectory(device, folder);
    }
    return folder;
}
