// The first-run installation.
#include "shell/FirstRun.h"

#include "platform/core/FileException.h"
#include "platform/core/RenameFile.h"
#include "platform/core/SafeSaveFile.h"
#include "platform/storage/DeviceStorage.h"
#include "platform/storage/FileFind.h"
#include "platform/storage/ListsFolder.h"
#include "platform/storage/Registry.h"
#include "platform/ui/Resources.h"
#include "res/ResourceIds.h"
#include "res/SampleLists.h"

#include <vector>

namespace {

constexpr char16_t kSeparator = u'\\';

bool Exists(const DeviceStorage& device, const std::u16string& path) {
    return GetFileAttributes(device, path) != INVALID_FILE_ATTRIBUTES;
}

/// Creates a device folder and the folders above it.
void MakeFolders(const DeviceStorage& device, const std::u16string& folder) {
    for (std::size_t end = folder.find(kSeparator, 1);; end = folder.find(kSeparator, end + 1)) {
        const std::u16string part = folder.substr(0, end);
        if (!Exists(device, part) && !CreateDirectory(device, part)) {
            throw CFileException(FileErrorCause::AccessDenied, part);
        }
        if (end == std::u16string::npos) {
            return;
        }
    }
}

/// An earlier start without an installation kept its lists in "\My Documents": they move to the
/// Lists folder, where the program looks from now on. One whose name is taken there stays.
void TakeListsFrom(const DeviceStorage& device, const std::u16string& oldFolder,
                   const std::u16string& lists) {
    std::vector<std::u16string> names;
    CFileFind find;
    FoundFile found;
    for (FindStatus status =
             find.FindFirst(device, oldFolder + kSeparator + LoadStringResource(IDS_LIST_PATTERN), found);
         status == FindStatus::Found; status = find.FindNext(found)) {
        names.push_back(found.name);
    }
    for (const std::u16string& name : names) {
        try {
            const std::u16string from = oldFolder + kSeparator + name;
            const std::u16string to = lists + kSeparator + name;
            RenameWithoutReplacing(device.HostPathOf(from), device.HostPathOf(to), from, to);
        } catch (const CFileException& failure) {
            if (failure.Cause() != FileErrorCause::AlreadyExists) {
                throw;
            }
        }
    }
}

void WriteSamples(const DeviceStorage& device, const std::u16string& lists) {
    for (const SampleList& sample : SampleLists()) {
        const std::u16string path = lists + kSeparator + std::u16string(sample.fileName);
        if (Exists(device, path)) {
            continue; // a list the user keeps under that name stays as it is
        }
        SafeSaveFile save(device.HostPathOf(path), path);
        save.File().Write(sample.bytes.data(), sample.bytes.size());
        save.Commit();
    }
}

} // namespace

FirstRunOutcome InstallOnFirstRun(const DeviceStorage& device) {
    MoveOldRegistry(device);
    if (!ReadInstallDir(device).empty()) {
        return {};
    }
    const std::u16string lists = std::u16string(kInstallFolder) + LoadStringResource(IDS_LISTS_SUBFOLDER);
    try {
        MakeFolders(device, lists);
        TakeListsFrom(device, LoadStringResource(IDS_MY_DOCUMENTS), lists);
        WriteSamples(device, lists);
    } catch (const CException& failure) {
        return {FirstRunOutcome::Result::Failed, failure.GetErrorMessage()};
    }
    if (WriteRegistryString(device, RegistryRoot::LocalMachine, LoadStringResource(IDS_REGISTRY_KEY),
                            LoadStringResource(IDS_INSTALL_DIR_VALUE),
                            kInstallFolder) != RegistryError::None) {
        return {FirstRunOutcome::Result::Failed,
                u"The registry in " + RegistryFilePath(device) + u" cannot be written."};
    }
    return {FirstRunOutcome::Result::Installed, {}};
}
