// The device registry over a text file in the device root.
#include "platform/storage/Registry.h"

#include "platform/core/Exception.h"
#include "platform/core/RenameFile.h"
#include "platform/core/SafeSaveFile.h"
#include "platform/storage/DeviceStorage.h"
#include "platform/storage/HostNames.h"
#include "platform/storage/RegistryText.h"

#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <vector>

namespace {

constexpr char16_t kKeySeparator = u'\\';
constexpr char16_t kHostSeparator = u'/';

std::u16string RootName(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? u"HKEY_LOCAL_MACHINE" : u"HKEY_CURRENT_USER";
}

/// Where earlier versions kept the registry: at the device root, among the user's files.
std::u16string OldStorePath(const DeviceStorage& device) {
    return device.RootFolder() + kHostSeparator + std::u16string(kRegistryFileName);
}

/// The key's full path, root first, or nothing when a part of it cannot be stored.
std::optional<std::u16string> FullKey(RegistryRoot root, std::u16string_view keyPath) {
    std::size_t start = 0;
    while (start <= keyPath.size()) {
        const std::size_t end = std::min(keyPath.find(kKeySeparator, start), keyPath.size());
        if (!IsStorableName(keyPath.substr(start, end - start))) {
            return std::nullopt;
        }
        start = end + 1;
    }
    return RootName(root) + kKeySeparator + std::u16string(keyPath);
}

/// Names are matched the way the device matches them: without regard to case.
bool SameName(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) {
               return std::towlower(static_cast<wint_t>(x)) == std::towlower(static_cast<wint_t>(y));
           });
}

/// True when `key` is `wanted` or lies below it.
bool IsAtOrBelow(std::u16string_view key, std::u16string_view wanted) {
    return SameName(key.substr(0, wanted.size()), wanted) &&
           (key.size() == wanted.size() || key[wanted.size()] == kKeySeparator);
}

/// The registry's values; an absent file is an empty registry. Nothing when it cannot be read.
std::optional<std::vector<RegistryEntry>> LoadEntries(std::u16string_view storePath) {
    const std::string path = HostBytesFromName(storePath);
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::error_code ignored;
        return std::filesystem::exists(path, ignored)
                   ? std::nullopt
                   : std::optional<std::vector<RegistryEntry>>(std::in_place);
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        return std::nullopt;
    }
    return ParseRegistryText(text.str());
}

/// Writes the registry anew, safely: a failed write leaves the old file as it was.
RegistryError SaveEntries(const DeviceStorage& device, const std::vector<RegistryEntry>& entries) {
    const std::string text = FormatRegistryText(entries);
    std::error_code ignored; // a folder that cannot be made fails the save below
    std::filesystem::create_directories(HostBytesFromName(device.SystemFolder()), ignored);
    try {
        const std::u16string path = RegistryFilePath(device);
        SafeSaveFile save(HostBytesFromName(path), path);
        save.File().Write(text.data(), text.size());
        save.Commit();
    } catch (const CException&) {
        return RegistryError::StoreFailed;
    }
    return RegistryError::None;
}

auto FindValue(std::vector<RegistryEntry>& entries, std::u16string_view key, std::u16string_view name) {
    return std::find_if(entries.begin(), entries.end(), [&](const RegistryEntry& entry) {
        return SameName(entry.key, key) && SameName(entry.name, name);
    });
}

/// The text of a regular file, or nothing when it cannot be read whole.
std::optional<std::string> RegularFileText(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(path, error))) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in || in.bad()) {
        return std::nullopt;
    }
    return text.str();
}

} // namespace

std::u16string RegistryFilePath(const DeviceStorage& device) {
    return device.SystemFolder() + kHostSeparator + std::u16string(kRegistryFileName);
}

OldRegistryMove MoveOldRegistry(const DeviceStorage& device) {
    const std::string registry = HostBytesFromName(RegistryFilePath(device));
    const std::string old = HostBytesFromName(OldStorePath(device));
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(registry, error))) {
        return OldRegistryMove::NothingToMove;
    }
    // A text the user exported as "registry" holds no section: that is the user's file.
    const std::optional<std::string> text = RegularFileText(old);
    if (!text || ParseRegistryText(*text).empty()) {
        return OldRegistryMove::NothingToMove;
    }
    std::filesystem::create_directories(HostBytesFromName(device.SystemFolder()), error);
    try {
        RenameWithoutReplacing(old, registry, OldStorePath(device), RegistryFilePath(device));
    } catch (const CException&) {
        return OldRegistryMove::Failed;
    }
    return OldRegistryMove::Moved;
}

RegistryError CRegistryKey::Open(const DeviceStorage& device, RegistryRoot root,
                                 std::u16string_view keyPath) {
    Close();
    const std::optional<std::u16string> key = FullKey(root, keyPath);
    if (!key) {
        return RegistryError::InvalidName;
    }
    std::u16string storePath = RegistryFilePath(device);
    const std::optional<std::vector<RegistryEntry>> entries = LoadEntries(storePath);
    if (!entries) {
        return RegistryError::StoreFailed;
    }
    if (std::none_of(entries->begin(), entries->end(),
                     [&key](const RegistryEntry& entry) { return IsAtOrBelow(entry.key, *key); })) {
        return RegistryError::KeyNotFound;
    }
    m_open = true;
    m_storePath = std::move(storePath);
    m_root = root;
    m_keyPath = std::u16string(keyPath);
    return RegistryError::None;
}

RegistryError CRegistryKey::QueryStringValue(std::u16string_view valueName, char16_t* buffer,
                                             std::size_t bufferChars) const {
    if (!m_open) {
        return RegistryError::NotOpen;
    }
    const std::optional<std::u16string> key = FullKey(m_root, m_keyPath);
    if (!key || !IsStorableName(valueName)) {
        return RegistryError::InvalidName;
    }
    std::optional<std::vector<RegistryEntry>> entries = LoadEntries(m_storePath);
    if (!entries) {
        return RegistryError::StoreFailed;
    }
    if (std::none_of(entries->begin(), entries->end(),
                     [&key](const RegistryEntry& entry) { return IsAtOrBelow(entry.key, *key); })) {
        return RegistryError::KeyNotFound; // removed since the key was opened
    }
    const auto found = FindValue(*entries, *key, valueName);
    if (found == entries->end()) {
        return RegistryError::ValueNotFound;
    }
    const std::u16string& text = found->value;
    if (buffer == nullptr || text.size() + 1 > bufferChars) {
        return RegistryError::MoreData;
    }
    std::copy(text.begin(), text.end(), buffer);
    buffer[text.size()] = u'\0';
    return RegistryError::None;
}

void CRegistryKey::Close() {
    m_open = false;
    m_keyPath.clear();
    m_storePath.clear();
}

RegistryError WriteRegistryString(const DeviceStorage& device, RegistryRoot root, std::u16string_view keyPath,
                                  std::u16string_view valueName, std::u16string_view value) {
    const std::optional<std::u16string> key = FullKey(root, keyPath);
    if (!key || !IsStorableName(valueName) || !IsStorableValue(value)) {
        return RegistryError::InvalidName;
    }
    std::optional<std::vector<RegistryEntry>> entries = LoadEntries(RegistryFilePath(device));
    if (!entries) {
        return RegistryError::StoreFailed;
    }
    if (const auto found = FindValue(*entries, *key, valueName); found != entries->end()) {
        found->value = std::u16string(value);
    } else {
        entries->push_back({*key, std::u16string(valueName), std::u16string(value)});
    }
    return SaveEntries(device, *entries);
}

RegistryError DeleteRegistryValue(const DeviceStorage& device, RegistryRoot root, std::u16string_view keyPath,
                                  std::u16string_view valueName) {
    const std::optional<std::u16string> key = FullKey(root, keyPath);
    if (!key || !IsStorableName(valueName)) {
        return RegistryError::InvalidName;
    }
    std::optional<std::vector<RegistryEntry>> entries = LoadEntries(RegistryFilePath(device));
    if (!entries) {
        return RegistryError::StoreFailed;
    }
    const auto found = FindValue(*entries, *key, valueName);
    if (found == entries->end()) {
        return RegistryError::None;
    }
    entries->erase(found);
    return SaveEntries(device, *entries);
}
