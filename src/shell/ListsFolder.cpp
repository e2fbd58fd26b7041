// Resolving and creating the Lists folder.
#include "shell/ListsFolder.h"

#include "platform/ui/FileFind.h"
#include "platform/ui/Registry.h"
#include "platform/ui/Resources.h"
#include "res/ResourceIds.h"

#include <array>

std::u16string ReadInstallDir() {
    std::array<char16_t, kInstallDirBufferChars> buffer{};
    CRegistryKey key;
    if (key.Open(RegistryRoot::LocalMachine, LoadStringResource(IDS_REGISTRY_KEY)) != RegistryError::None) {
        return {};
    }
    const RegistryError result =
        key.QueryStringValue(LoadStringResource(IDS_INSTALL_DIR_VALUE), buffer.data(), buffer.size());
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
        return LoadStringResource(IDS_MY_DOCUMENTS);
    }
    return std::u16string(installDir) + LoadStringResource(IDS_LISTS_SUBFOLDER);
}

std::u16string GetListsFolder() {
    std::u16string folder = ListsFolderFor(ReadInstallDir());
    if (GetFileAttributes(folder) == INVALID_FILE_ATTRIBUTES) {
        // One level only, and a failure is not fatal: the listing then simply finds no files.
        CreateDirectory(folder);
    }
    return folder;
}
