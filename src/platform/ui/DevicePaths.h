// Where the device's storage lives on the host: the device root folder, and the mapping of device
// paths ("\Program Files\Corvina") to host paths.
#pragma once

#include <string>
#include <string_view>

/// Where the device's storage is placed on the host. Empty fields take their defaults.
struct DeviceStorageOptions {
    /// The host folder that is the device's "\". Default: $CORVINA_DEVICE_ROOT, else
    /// ~/.local/share/corvina/device.
    std::u16string deviceRoot;
    /// The host folder that is the device's "\Storage Card". Default: the user's home folder.
    std::u16string storageCard;
};

/// Sets where the device's storage is placed; the program calls it once at start-up with its
/// --device-root and --storage-card options, tests call it per test. Relative folders are taken
/// from the current folder.
void ConfigureDeviceStorage(const DeviceStorageOptions& options);
/// The host folder of the device's "\" (absolute, no trailing slash).
std::u16string DeviceRootFolder();
/// The host folder of the device's "\Storage Card" (absolute, no trailing slash).
std::u16string StorageCardFolder();

/// The host path of a device path. A device path starts with a backslash and separates its parts
/// with backslashes: "\A\B" is <device root>/A/B, "\Storage Card\x.txt" is <storage card>/x.txt
/// (the card's name matched without regard to case, as the device does). Doubled separators count
/// as one. A path that is already a host path (it starts with "/") is returned unchanged. Parts
/// named "." or ".." are refused, so no device path reaches outside the device: the answer is then
/// empty.
std::u16string HostPathFromDevicePath(std::u16string_view devicePath);
