// The device root and the storage card on the host, and device paths mapped onto them.
#include "platform/storage/DeviceStorage.h"

#include "platform/storage/HostNames.h"

#include "platform/core/Strings.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cwctype>
#include <filesystem>
#include <system_error>
#include <vector>

namespace {

constexpr const char* kDeviceRootVariable = "CORVINA_DEVICE_ROOT";
/// Below the user's data folder (~/.local/share) when nothing else is chosen.
constexpr const char* kDefaultDeviceRootBelowData = "/corvina/device";
/// The user's data folder when the desktop names none, below the home folder.
constexpr const char* kDataHomeVariable = "XDG_DATA_HOME";
constexpr const char* kDefaultDataBelowHome = "/.local/share";
constexpr const char* kHomeVariable = "HOME";
constexpr std::u16string_view kStorageCardName = u"Storage Card";
constexpr char16_t kDeviceSeparator = u'\\';
constexpr char16_t kHostSeparator = u'/';
constexpr std::u16string_view kCurrentFolder = u".";
constexpr std::u16string_view kParentFolder = u"..";

/// `folder` taken from the current folder when relative, with "." and ".." parts resolved and no
/// trailing separator.
std::u16string AbsoluteFolder(const std::string& folder) {
    std::error_code ignored;
    std::filesystem::path absolute = std::filesystem::absolute(folder, ignored).lexically_normal();
    std::string text = absolute.native();
    while (text.size() > 1 && text.back() == '/') {
        text.pop_back();
    }
    return NameFromHostBytes(text);
}

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

/// The user's home folder: $HOME, else the account's, else the root.
std::string HomeFolder() {
    if (std::string home = EnvironmentValue(kHomeVariable); !home.empty()) {
        return home;
    }
    if (const passwd* account = ::getpwuid(::getuid()); account != nullptr && account->pw_dir != nullptr) {
        return account->pw_dir;
    }
    return "/";
}

/// The user's data folder: $XDG_DATA_HOME when it is absolute, else ~/.local/share.
std::string DataFolder() {
    if (std::string data = EnvironmentValue(kDataHomeVariable); data.starts_with('/')) {
        return data;
    }
    return HomeFolder() + kDefaultDataBelowHome;
}

/// Letter case ignored code unit by code unit, as the device matches the names it knows.
bool SameIgnoringCase(std::u16string_view a, std::u16string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char16_t x, char16_t y) {
        return std::towlower(static_cast<wint_t>(x)) == std::towlower(static_cast<wint_t>(y));
    });
}

/// A part of a device path that could step outside the folder it names.
bool IsUnsafePart(std::u16string_view part) {
    return part == kCurrentFolder || part == kParentFolder ||
           part.find(kHostSeparator) != std::u16string_view::npos ||
           part.find(u'\0') != std::u16string_view::npos;
}

} // namespace

DeviceStorage::DeviceStorage(const DeviceStorageOptions& options) {
    if (!options.deviceRoot.empty()) {
        m_root = AbsoluteFolder(HostBytesFromName(options.deviceRoot));
    } else if (std::string fromEnvironment = EnvironmentValue(kDeviceRootVariable);
               !fromEnvironment.empty()) {
        m_root = AbsoluteFolder(fromEnvironment);
    } else {
        m_root = AbsoluteFolder(DataFolder() + kDefaultDeviceRootBelowData);
    }
    m_storageCard = options.storageCard.empty() ? AbsoluteFolder(HomeFolder())
                                                : AbsoluteFolder(HostBytesFromName(options.storageCard));
}

std::u16string DeviceStorage::SystemFolder() const {
    return m_root + kHostSeparator + std::u16string(kSystemFolderName);
}

void DeviceStorage::CreateRoot() const {
    std::error_code ignored; // a missing root shows as empty folders
    std::filesystem::create_directories(HostBytesFromName(m_root), ignored);
}

std::u16string DeviceStorage::HostPathFromDevicePath(std::u16string_view devicePath) const {
    if (devicePath.empty()) {
        return {};
    }
    if (devicePath.front() == kHostSeparator) {
        return std::u16string(devicePath);
    }
    if (devicePath.front() != kDeviceSeparator) {
        return {}; // the device has no current folder: every path starts at its root
    }
    std::vector<std::u16string_view> parts;
    std::size_t start = 0;
    while (start <= devicePath.size()) {
        const std::size_t end = std::min(devicePath.find(kDeviceSeparator, start), devicePath.size());
        const std::u16string_view part = devicePath.substr(start, end - start);
        if (!part.empty()) {
            if (IsUnsafePart(part)) {
                return {};
            }
            parts.push_back(part);
        }
        start = end + 1;
    }
    if (!parts.empty() && SameIgnoringCase(parts.front(), kSystemFolderName)) {
        return {};
    }
    std::u16string host;
    std::size_t first = 0;
    if (!parts.empty() && SameIgnoringCase(parts.front(), kStorageCardName)) {
        host = m_storageCard;
        first = 1;
    } else {
        host = m_root;
    }
    for (std::size_t i = first; i < parts.size(); ++i) {
        host.push_back(kHostSeparator);
        host.append(parts[i]);
    }
    return host;
}

std::string DeviceStorage::HostPathOf(std::u16string_view path) const {
    const std::u16string host = HostPathFromDevicePath(path);
    return host.empty() ? std::string() : HostBytesFromName(host);
}

std::function<std::string(std::u16string_view path)> DeviceStorage::PathMapping() const {
    return [device = *this](std::u16string_view path) { return device.HostPathOf(path); };
}
