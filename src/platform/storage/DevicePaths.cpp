// The device root and the storage card on the host, and device paths mapped onto them.
#include "platform/storage/DevicePaths.h"

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

/// Where the program's start-up put the device; empty fields take their defaults.
DeviceStorageOptions& ConfiguredStorage() {
    static DeviceStorageOptions options;
    return options;
}

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

void ConfigureDeviceStorage(const DeviceStorageOptions& options) {
    ConfiguredStorage() = options;
}

std::u16string DeviceRootFolder() {
    const DeviceStorageOptions& options = ConfiguredStorage();
    if (!options.deviceRoot.empty()) {
        return AbsoluteFolder(HostBytesFromName(options.deviceRoot));
    }
    if (std::string fromEnvironment = EnvironmentValue(kDeviceRootVariable); !fromEnvironment.empty()) {
        return AbsoluteFolder(fromEnvironment);
    }
    return AbsoluteFolder(DataFolder() + kDefaultDeviceRootBelowData);
}

std::u16string DeviceSystemFolder() {
    return DeviceRootFolder() + kHostSeparator + std::u16string(kSystemFolderName);
}

std::u16string StorageCardFolder() {
    const DeviceStorageOptions& options = ConfiguredStorage();
    if (!options.storageCard.empty()) {
        return AbsoluteFolder(HostBytesFromName(options.storageCard));
    }
    return AbsoluteFolder(HomeFolder());
}

std::u16string HostPathFromDevicePath(std::u16string_view devicePath) {
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
        host = StorageCardFolder();
        first = 1;
    } else {
        host = DeviceRootFolder();
    }
    for (std::size_t i = first; i < parts.size(); ++i) {
        host.push_back(kHostSeparator);
        host.append(parts[i]);
    }
    return host;
}

HostPathResolver UseDeviceStorage(const DeviceStorageOptions& options) {
    ConfigureDeviceStorage(options);
    // The device's "\" always exists. A root that cannot be made leaves every folder of the device
    // missing, which the screens show as empty lists.
    std::error_code ignored;
    std::filesystem::create_directories(HostBytesFromName(DeviceRootFolder()), ignored);
    return SetHostPathResolver(
        [](std::u16string_view path) { return HostBytesFromName(HostPathFromDevicePath(path)); });
}

namespace {

/// Where NameFromHostBytes keeps a byte that is not part of valid UTF-8.
constexpr char16_t kKeptByteBase = 0xDC00;
constexpr unsigned kFirstKeptByte = 0x80;
constexpr unsigned kLastKeptByte = 0xFF;

bool IsKeptByte(char16_t unit) {
    return unit >= kKeptByteBase + kFirstKeptByte && unit <= kKeptByteBase + kLastKeptByte;
}

/// True when the bytes read back unchanged through the program's UTF-8 decoding.
bool IsValidUtf8(std::string_view bytes) {
    return ToUtf8(FromUtf8OrCp1252(bytes)) == bytes;
}

/// The bytes that `name`'s kept units stand for, other units in UTF-8.
std::string BytesOf(std::u16string_view name) {
    std::string bytes;
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (IsKeptByte(name[i])) {
            AppendUtf8(bytes, name.substr(runStart, i - runStart));
            bytes.push_back(static_cast<char>(name[i] - kKeptByteBase));
            runStart = i + 1;
        }
    }
    AppendUtf8(bytes, name.substr(runStart));
    return bytes;
}

} // namespace

std::u16string NameFromHostBytes(std::string_view bytes) {
    if (IsValidUtf8(bytes)) {
        return FromUtf8OrCp1252(bytes);
    }
    std::u16string name;
    name.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        name.push_back(value >= kFirstKeptByte ? static_cast<char16_t>(kKeptByteBase + value)
                                               : static_cast<char16_t>(value));
    }
    return name;
}

std::string HostBytesFromName(std::u16string_view name) {
    return BytesOf(name);
}

std::u16string ReadableName(std::u16string_view name) {
    if (std::none_of(name.begin(), name.end(), IsKeptByte)) {
        return std::u16string(name);
    }
    return FromUtf8OrCp1252(BytesOf(name));
}
