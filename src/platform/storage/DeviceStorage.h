// Where one device's storage lives on the host: the device root folder, the storage card, and the
// mapping of device paths ("\Program Files\Corvina") to host paths.
#pragma once

#include <functional>
#include <string>
#include <string_view>

/// The device's own folder below its root, hidden, holding what is no file of the user's (the
/// registry). No device path reaches it, so no dialog or command can list, replace or delete it.
inline constexpr std::u16string_view kSystemFolderName = u".system";

/// Where the device's storage is placed on the host. Empty fields take their defaults.
struct DeviceStorageOptions {
    /// The host folder that is the device's "\". Default: $CORVINA_DEVICE_ROOT, else
    /// ~/.local/share/corvina/device.
    std::u16string deviceRoot;
    /// The host folder that is the device's "\Storage Card". Default: the user's home folder.
    std::u16string storageCard;
};

/// One device's storage on the host. The program makes one at start-up from its --device-root and
/// --storage-card options and hands it to everything that reads or writes the device's files; each
/// test makes its own. Two of them with different roots in one process see different files.
class DeviceStorage {
public:
    /// Places the storage. Empty options take their defaults, read from the environment now;
    /// relative folders are taken from the current folder.
    explicit DeviceStorage(const DeviceStorageOptions& options);

    /// The host folder of the device's "\" (absolute, no trailing slash).
    const std::u16string& RootFolder() const { return m_root; }
    /// The host folder of the device's system folder (kSystemFolderName in the device root).
    std::u16string SystemFolder() const;
    /// The host folder of the device's "\Storage Card" (absolute, no trailing slash).
    const std::u16string& StorageCardFolder() const { return m_storageCard; }

    /// Makes the device's "\", which always exists. A root that cannot be made leaves every folder
    /// of the device missing, which the screens show as empty lists.
    void CreateRoot() const;

    /// The host path of a device path. A device path starts with a backslash and separates its
    /// parts with backslashes: "\A\B" is <device root>/A/B, "\Storage Card\x.txt" is <storage
    /// card>/x.txt (the card's name matched without regard to case, as the device does). Doubled
    /// separators count as one. A path that is already a host path (it starts with "/") is returned
    /// unchanged. Parts named "." or ".." are refused, so no device path reaches outside the device,
    /// and so is the system folder at the root: the answer is then empty.
    std::u16string HostPathFromDevicePath(std::u16string_view devicePath) const;
    /// HostPathFromDevicePath as the host's file system takes it (HostBytesFromName): empty for a
    /// path that reaches outside the device.
    std::string HostPathOf(std::u16string_view path) const;
    /// HostPathOf as a function that holds its own copy of this storage, for a document to map its
    /// paths with (CDocument::SetHostPathMapping) however long it lives.
    std::function<std::string(std::u16string_view path)> PathMapping() const;

private:
    std::u16string m_root;
    std::u16string m_storageCard;
};
