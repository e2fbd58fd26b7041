// The device registry: string values under backslash-separated key paths, kept in a settings file
// in the device root, in a text form of our own. The program only reads it; installers (and tests) write it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class DeviceStorage;

/// The registry's root keys.
enum class RegistryRoot { LocalMachine, CurrentUser };

/// Why a registry operation failed.
enum class RegistryError {
    None,          ///< it worked
    KeyNotFound,   ///< no value lies under the key path
    ValueNotFound, ///< the key exists but has no value of that name
    MoreData,      ///< the value and its terminator do not fit the caller's buffer
    InvalidName,   ///< a key path, value name or value the store cannot hold (see RegistryText.h)
    StoreFailed,   ///< the settings file cannot be read or written
    NotOpen,       ///< the key object was not opened
};

/// The registry file, in the device's system folder (DeviceStorage::SystemFolder), out of reach of every
/// dialog and command. Its text is ours (RegistryText.h): a section per key path, one value a line,
/// taken literally, for example
///   [HKEY_LOCAL_MACHINE\SOFTWARE\Tarrow\Corvina]
///   InstallDir=\Program Files\Corvina
inline constexpr std::u16string_view kRegistryFileName = u"registry.txt";

/// The host path of the registry file.
std::u16string RegistryFilePath(const DeviceStorage& device);

/// What became of a registry file that earlier versions kept at the device root.
enum class OldRegistryMove {
    NothingToMove, ///< the registry is in its place already, or there is no old one to take
    Moved,         ///< the old file is the registry now
    Failed,        ///< it could not be moved; it stays where it was
};
/// Moves the registry file that earlier versions kept at the device root (a registry.txt beside
/// the user's folders) into the registry's place, once: only while there is no registry there, and
/// only a file that reads as a registry. A registry.txt at the root after that is the user's own.
OldRegistryMove MoveOldRegistry(const DeviceStorage& device);

/// An open registry key, read-only. Closed when destroyed.
class CRegistryKey {
public:
    CRegistryKey() = default;
    ~CRegistryKey() { Close(); }
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    /// Opens the key "SOFTWARE\Maker\Program" under a root of `device`'s registry for reading.
    /// KeyNotFound when no value lies under it.
    RegistryError Open(const DeviceStorage& device, RegistryRoot root, std::u16string_view keyPath);
    /// Reads a string value into a caller-supplied buffer of `bufferChars` wide characters, with its
    /// terminator. A value that does not fit with its terminator fails with MoreData and leaves the
    /// buffer as it was.
    RegistryError QueryStringValue(std::u16string_view valueName, char16_t* buffer,
                                   std::size_t bufferChars) const;
    /// Closes the key; safe to call on a closed key.
    void Close();
    bool IsOpen() const { return m_open; }

private:
    bool m_open = false;
    RegistryRoot m_root = RegistryRoot::LocalMachine;
    std::u16string m_keyPath;   // as given to Open
    std::u16string m_storePath; // the registry file of the device it was opened in
};

/// Writes a string value, creating the key. For installers and tests: the program never writes.
RegistryError WriteRegistryString(const DeviceStorage& device, RegistryRoot root, std::u16string_view keyPath,
                                  std::u16string_view valueName, std::u16string_view value);
/// Removes a value; None also when it was not there. For installers and tests.
RegistryError DeleteRegistryValue(const DeviceStorage& device, RegistryRoot root, std::u16string_view keyPath,
                                  std::u16string_view valueName);
