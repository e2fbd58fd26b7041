// Where the device's storage lives on the host: the device root folder, and the mapping of device
// paths ("\Program Files\Corvina") to host paths.
#pragma once

#include "platform/core/HostPath.h"

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

/// Sets where the device's storage is placed; the program calls it once at start-up with its
/// --device-root and --storage-card options, tests call it per test. Relative folders are taken
/// from the current folder.
void ConfigureDeviceStorage(const DeviceStorageOptions& options);
/// Places the device's storage (as ConfigureDeviceStorage) and sends every path the program opens
/// through it: device paths map into the device root, and names read from the host come back as the
/// same bytes. The program calls it once at start-up; tests call it per test and put the answered
/// previous resolver back afterwards.
HostPathResolver UseDeviceStorage(const DeviceStorageOptions& options);
/// The host folder of the device's "\" (absolute, no trailing slash).
std::u16string DeviceRootFolder();
/// The host folder of the device's system folder (kSystemFolderName in the device root).
std::u16string DeviceSystemFolder();
/// The host folder of the device's "\Storage Card" (absolute, no trailing slash).
std::u16string StorageCardFolder();

/// The host path of a device path. A device path starts with a backslash and separates its parts
/// with backslashes: "\A\B" is <device root>/A/B, "\Storage Card\x.txt" is <storage card>/x.txt
/// (the card's name matched without regard to case, as the device does). Doubled separators count
/// as one. A path that is already a host path (it starts with "/") is returned unchanged. Parts
/// named "." or ".." are refused, so no device path reaches outside the device, and so is the
/// system folder at the root: the answer is then empty.
std::u16string HostPathFromDevicePath(std::u16string_view devicePath);

/// A file name as the host's file system holds it (bytes) turned into the program's UTF-16, so that
/// HostBytesFromName gives the very same bytes back: a valid UTF-8 name is decoded as such; in any
/// other name each byte from 0x80 up is kept as the code unit 0xDC00 + byte, which no decoded text
/// holds.
std::u16string NameFromHostBytes(std::string_view bytes);
/// The bytes of a name or path for the host: UTF-8, with the kept bytes of NameFromHostBytes put
/// back as they were.
std::string HostBytesFromName(std::u16string_view name);
/// A name as the user reads it: the kept bytes of a name that is not valid UTF-8 decoded as the
/// program decodes all 8-bit text (UTF-8, else Windows-1252); any other name as it is.
std::u16string ReadableName(std::u16string_view name);
