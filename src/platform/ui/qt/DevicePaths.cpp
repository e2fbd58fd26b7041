// The device root and the storage card on the host, and device paths mapped onto them.
#include "platform/ui/DevicePaths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QString>

#include <cstdlib>
#include <vector>

namespace {

constexpr const char* kDeviceRootVariable = "CORVINA_DEVICE_ROOT";
/// Below the user's data folder (~/.local/share) when nothing else is chosen.
constexpr const char* kDefaultDeviceRootBelowData = "/corvina/device";
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

std::u16string AbsoluteFolder(const QString& folder) {
    return QDir::cleanPath(QFileInfo(folder).absoluteFilePath()).toStdU16String();
}

bool SameIgnoringCase(std::u16string_view a, std::u16string_view b) {
    return QString::compare(QString(reinterpret_cast<const QChar*>(a.data()), static_cast<qsizetype>(a.size())),
                            QString(reinterpret_cast<const QChar*>(b.data()), static_cast<qsizetype>(b.size())),
                            Qt::CaseInsensitive) == 0;
}

/// A part of a device path that could step outside the folder it names.
bool IsUnsafePart(std::u16string_view part) {
    return part == kCurrentFolder || part == kParentFolder || part.find(kHostSeparator) != std::u16string_view::npos ||
           part.find(u'\0') != std::u16string_view::npos;
}

}  // namespace

void ConfigureDeviceStorage(const DeviceStorageOptions& options) { ConfiguredStorage() = options; }

std::u16string DeviceRootFolder() {
    const DeviceStorageOptions& options = ConfiguredStorage();
    if (!options.deviceRoot.empty()) {
        return AbsoluteFolder(QString::fromStdU16String(options.deviceRoot));
    }
    if (const char* fromEnvironment = std::getenv(kDeviceRootVariable); fromEnvironment != nullptr && *fromEnvironment != '\0') {
        return AbsoluteFolder(QString::fromLocal8Bit(fromEnvironment));
    }
    return AbsoluteFolder(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                          QString::fromLatin1(kDefaultDeviceRootBelowData));
}

std::u16string StorageCardFolder() {
    const DeviceStorageOptions& options = ConfiguredStorage();
    if (!options.storageCard.empty()) {
        return AbsoluteFolder(QString::fromStdU16String(options.storageCard));
    }
    return AbsoluteFolder(QDir::homePath());
}

std::u16string HostPathFromDevicePath(std::u16string_view devicePath) {
    if (devicePath.empty()) {
        return {};
    }
    if (devicePath.front() == kHostSeparator) {
        return std::u16string(devicePath);
    }
    if (devicePath.front() != kDeviceSeparator) {
        return {};  // the device has no current folder: every path starts at its root
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
