// Folder enumeration with a wildcard pattern, each found file with its name and last-write time as
// calendar fields, and the other file-system services: attributes, create one folder, delete a file.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class DeviceStorage;

/// A point in time as calendar fields, exactly as the file system reports it (no time-zone
/// conversion: file times are kept in UTC).
struct SYSTEMTIME {
    std::uint16_t wYear = 0;
    std::uint16_t wMonth = 0;     ///< 1 to 12
    std::uint16_t wDayOfWeek = 0; ///< 0 Sunday to 6 Saturday
    std::uint16_t wDay = 0;       ///< 1 to 31
    std::uint16_t wHour = 0;
    std::uint16_t wMinute = 0;
    std::uint16_t wSecond = 0;
    std::uint16_t wMilliseconds = 0;
};

/// File attribute bits.
inline constexpr std::uint32_t FILE_ATTRIBUTE_READONLY = 0x0001;
inline constexpr std::uint32_t FILE_ATTRIBUTE_HIDDEN = 0x0002;
inline constexpr std::uint32_t FILE_ATTRIBUTE_DIRECTORY = 0x0010;
inline constexpr std::uint32_t FILE_ATTRIBUTE_NORMAL = 0x0080;
/// What GetFileAttributes answers for a path that does not exist.
inline constexpr std::uint32_t INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;

/// One file found by an enumeration.
struct FoundFile {
    /// The file's name, extension included, no folder; a name that is not valid UTF-8 keeps its
    /// bytes (NameFromHostBytes; ReadableName gives the name to show).
    std::u16string name;
    SYSTEMTIME lastWriteTime; ///< calendar fields in UTC
    std::uint64_t size = 0;   ///< bytes
    /// Where the enumeration found the file on the host: opening it by this path resolves nothing
    /// again. Empty for a file that no enumeration found.
    std::string hostPath;
    /// False when the enumeration was asked for names only and the folder itself told that this is
    /// a regular file: lastWriteTime and size are then not filled in (ReadFileStatus does that).
    bool hasStatus = true;
};

/// What an enumeration asks of each file.
enum class FindDetails {
    NameAndStatus, ///< every file's status: its last-write time and size
    NameOnly,      ///< the status only of files the folder does not tell to be regular files
};

/// How an enumeration step ended.
enum class FindStatus {
    Found,          ///< the out-parameter holds the next file
    NoMoreFiles,    ///< every matching file has been returned (also: nothing matched at all)
    PathNotFound,   ///< the folder does not exist
    AccessDenied,   ///< the folder cannot be read
    InvalidPattern, ///< the path has no file-name pattern after its last separator
    NotStarted,     ///< FindNext without a successful FindFirst
};

/// Enumerates the files of one folder whose names match a wildcard pattern ("*" any run of
/// characters, "?" one character), compared with letter case, in name order: without regard to
/// letter case and with numbers in their numeric order ("List 2" before "List 10"), as file
/// managers show a folder. Folders are not returned.
class CFileFind {
public:
    CFileFind();
    ~CFileFind();
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    /// Starts with "<folder>\<pattern>" (a device path, or a host path "/folder/pattern") and
    /// returns the first match, in `device`.
    FindStatus FindFirst(const DeviceStorage& device, std::u16string_view folderAndPattern, FoundFile& found,
                         FindDetails details = FindDetails::NameAndStatus);
    /// The next match; NoMoreFiles after the last.
    FindStatus FindNext(FoundFile& found);
    /// Ends the enumeration; also done by the destructor.
    void Close();

private:
    struct State;
    std::unique_ptr<State> m_state;
};

/// Fills in the last-write time and size of a file an enumeration found (by its host path) and
/// sets its hasStatus. False, with nothing changed, when it is gone or no longer a regular file.
bool ReadFileStatus(FoundFile& file);

/// The attributes of a file or folder (device or host path), or INVALID_FILE_ATTRIBUTES when it
/// does not exist.
std::uint32_t GetFileAttributes(const DeviceStorage& device, std::u16string_view path);
/// Creates one folder; its parent must exist. False when it cannot be created or already exists.
bool CreateDirectory(const DeviceStorage& device, std::u16string_view path);
/// Deletes a file (not a folder). False when there is no such file or it cannot be deleted.
bool DeleteFile(const DeviceStorage& device, std::u16string_view path);

/// One entry of a folder as a folder view shows it.
struct FolderEntry {
    /// The entry's name; a name that is not valid UTF-8 keeps its bytes (NameFromHostBytes).
    std::u16string name;
    bool folder = false;
};

/// The entries of `folder` (a device or host path) that a folder view shows: its subfolders, then its
/// files, each group in name order without regard to letter case; hidden names and anything that
/// is neither a folder nor a file (a dangling link, a device) are left out. Empty when the folder
/// cannot be read.
std::vector<FolderEntry> ListFolderEntries(const DeviceStorage& device, std::u16string_view folder);
/// The name of the entry of `folder`, hidden ones included, that equals `name` without regard to
/// letter case, as the device's file system matches names; nothing when there is none.
std::optional<std::u16string> EntryNamedIgnoringCase(const DeviceStorage& device, std::u16string_view folder,
                                                     std::u16string_view name);
