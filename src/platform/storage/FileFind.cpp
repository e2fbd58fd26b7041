// Folder enumeration with a wildcard, file attributes, creating a folder and deleting a file, on
// the host folders that hold the device's storage.
#include "platform/storage/FileFind.h"

#include "platform/storage/DeviceStorage.h"
#include "platform/storage/HostNames.h"
#include "platform/storage/NaturalOrder.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <cwctype>
#include <filesystem>
#include <vector>

namespace {

constexpr char16_t kDeviceSeparator = u'\\';
constexpr std::u16string_view kHostRoot = u"/";
constexpr std::u16string_view kDeviceRoot = u"\\";
constexpr int kFirstCalendarYear = 1900;
constexpr long kNanosecondsPerMillisecond = 1000000;

constexpr char16_t kAnyRun = u'*';
constexpr char16_t kAnyCharacter = u'?';
constexpr char16_t kFirstHighSurrogate = 0xD800;
constexpr char16_t kLastHighSurrogate = 0xDBFF;
constexpr char16_t kFirstLowSurrogate = 0xDC00;
constexpr char16_t kLastLowSurrogate = 0xDFFF;

/// How many code units the character at `at` takes: two for a surrogate pair, else one.
std::size_t CharacterLength(std::u16string_view text, std::size_t at) {
    const bool pair = at + 1 < text.size() && text[at] >= kFirstHighSurrogate &&
                      text[at] <= kLastHighSurrogate && text[at + 1] >= kFirstLowSurrogate &&
                      text[at + 1] <= kLastLowSurrogate;
    return pair ? 2 : 1;
}

/// True when `name` matches `pattern` whole, with letter case: the device's wildcards are only "*"
/// (any run) and "?" (one character); every other character, brackets too, stands for itself. A
/// "*" that fails goes back to the last one and lets it take one more character, so no pattern
/// makes the walk exponential.
bool MatchesWildcard(std::u16string_view name, std::u16string_view pattern) {
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t starPattern = std::u16string_view::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == kAnyRun) {
            starPattern = p++;
            starName = n;
        } else if (p < pattern.size() && pattern[p] == kAnyCharacter) {
            ++p;
            n += CharacterLength(name, n);
        } else if (p < pattern.size() && pattern[p] == name[n]) {
            ++p;
            ++n;
        } else if (starPattern != std::u16string_view::npos) {
            p = starPattern + 1;
            starName += CharacterLength(name, starName);
            n = starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == kAnyRun) {
        ++p;
    }
    return p == pattern.size();
}

SYSTEMTIME CalendarFields(const timespec& when) {
    std::tm utc{};
    ::gmtime_r(&when.tv_sec, &utc);
    SYSTEMTIME fields;
    fields.wYear = static_cast<std::uint16_t>(utc.tm_year + kFirstCalendarYear);
    fields.wMonth = static_cast<std::uint16_t>(utc.tm_mon + 1);
    fields.wDayOfWeek = static_cast<std::uint16_t>(utc.tm_wday);
    fields.wDay = static_cast<std::uint16_t>(utc.tm_mday);
    fields.wHour = static_cast<std::uint16_t>(utc.tm_hour);
    fields.wMinute = static_cast<std::uint16_t>(utc.tm_min);
    fields.wSecond = static_cast<std::uint16_t>(utc.tm_sec);
    fields.wMilliseconds = static_cast<std::uint16_t>(when.tv_nsec / kNanosecondsPerMillisecond);
    return fields;
}

bool IsHiddenName(std::string_view name) {
    return name.starts_with('.');
}

std::uint32_t AttributesOf(const std::string& hostPath, const struct stat& info) {
    std::uint32_t attributes = 0;
    if (S_ISDIR(info.st_mode)) {
        attributes |= FILE_ATTRIBUTE_DIRECTORY;
    }
    if (::access(hostPath.c_str(), W_OK) != 0) {
        attributes |= FILE_ATTRIBUTE_READONLY;
    }
    if (IsHiddenName(std::filesystem::path(hostPath).filename().native())) {
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    }
    return attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes;
}

FoundFile FoundFileOf(std::string hostPath, std::string_view nameBytes, const struct stat& info) {
    FoundFile found;
    found.name = NameFromHostBytes(nameBytes);
    found.lastWriteTime = CalendarFields(info.st_mtim);
    found.size = static_cast<std::uint64_t>(info.st_size);
    found.hostPath = std::move(hostPath);
    return found;
}

/// Closes a folder stream when the enumeration that read it ends.
struct FolderStreamCloser {
    void operator()(DIR* folder) const { ::closedir(folder); }
};
using FolderStream = std::unique_ptr<DIR, FolderStreamCloser>;

} // namespace

/// The matches of one enumeration, taken when it starts, and how far the caller has read.
struct CFileFind::State {
    std::vector<FoundFile> matches;
    std::size_t next = 0;
};

CFileFind::CFileFind() = default;
CFileFind::~CFileFind() = default;

FindStatus CFileFind::FindFirst(const DeviceStorage& device, std::u16string_view folderAndPattern,
                                FoundFile& found, FindDetails details) {
    Close();
    const std::size_t separator = folderAndPattern.find_last_of(u"\\/");
    if (separator == std::u16string_view::npos || separator + 1 == folderAndPattern.size()) {
        return FindStatus::InvalidPattern;
    }
    std::u16string_view folder = folderAndPattern.substr(0, separator);
    if (folder.empty()) {
        folder = folderAndPattern.front() == kDeviceSeparator ? kDeviceRoot : kHostRoot;
    }
    const std::u16string_view pattern = folderAndPattern.substr(separator + 1);
    const std::string hostFolder = device.HostPathOf(folder);
    struct stat folderInfo {};
    if (hostFolder.empty() || ::stat(hostFolder.c_str(), &folderInfo) != 0 || !S_ISDIR(folderInfo.st_mode)) {
        return FindStatus::PathNotFound;
    }
    const FolderStream folderStream(::opendir(hostFolder.c_str()));
    if (!folderStream) {
        return FindStatus::AccessDenied;
    }

    // Each file's status is asked relative to the open folder, so the folder's path is not walked
    // again for every file of a big folder.
    const int folderHandle = ::dirfd(folderStream.get());
    const std::string hostPrefix = hostFolder.ends_with('/') ? hostFolder : hostFolder + '/';
    auto state = std::make_unique<State>();
    while (const dirent* entry = ::readdir(folderStream.get())) {
        const std::string_view nameBytes = entry->d_name;
        FoundFile found;
        if (details == FindDetails::NameOnly && entry->d_type == DT_REG) {
            // The folder says it is a regular file: a big folder lists its names without asking each.
            found.name = NameFromHostBytes(nameBytes);
            found.hostPath = hostPrefix + entry->d_name;
            found.hasStatus = false;
        } else {
            struct stat info {};
            if (::fstatat(folderHandle, entry->d_name, &info, 0) != 0 || !S_ISREG(info.st_mode)) {
                continue; // a folder, or gone since the folder was read
            }
            found = FoundFileOf(hostPrefix + entry->d_name, nameBytes, info);
        }
        if (MatchesWildcard(ReadableName(found.name), pattern)) {
            state->matches.push_back(std::move(found));
        }
    }
    // The folder's own order is whatever the file system keeps; a folder is shown by name, as the
    // file managers people know show it.
    std::sort(state->matches.begin(), state->matches.end(),
              [](const FoundFile& a, const FoundFile& b) { return NaturalLess(a.name, b.name); });
    m_state = std::move(state);
    return FindNext(found);
}

FindStatus CFileFind::FindNext(FoundFile& found) {
    if (!m_state) {
        return FindStatus::NotStarted;
    }
    if (m_state->next >= m_state->matches.size()) {
        return FindStatus::NoMoreFiles;
    }
    // Each match is handed out once.
    found = std::move(m_state->matches[m_state->next++]);
    return FindStatus::Found;
}

void CFileFind::Close() {
    m_state.reset();
}

bool ReadFileStatus(FoundFile& file) {
    struct stat info {};
    if (file.hostPath.empty() || ::stat(file.hostPath.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return false;
    }
    file.lastWriteTime = CalendarFields(info.st_mtim);
    file.size = static_cast<std::uint64_t>(info.st_size);
    file.hasStatus = true;
    return true;
}

std::uint32_t GetFileAttributes(const DeviceStorage& device, std::u16string_view path) {
    const std::string host = device.HostPathOf(path);
    struct stat info {};
    if (host.empty() || ::stat(host.c_str(), &info) != 0) {
        return INVALID_FILE_ATTRIBUTES;
    }
    return AttributesOf(host, info);
}

bool CreateDirectory(const DeviceStorage& device, std::u16string_view path) {
    constexpr mode_t kFolderMode = 0777; // narrowed by the user's umask, as for any new folder
    const std::string host = device.HostPathOf(path);
    return !host.empty() && ::mkdir(host.c_str(), kFolderMode) == 0;
}

bool DeleteFile(const DeviceStorage& device, std::u16string_view path) {
    const std::string host = device.HostPathOf(path);
    struct stat info {};
    if (host.empty() || ::lstat(host.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) {
        return false;
    }
    return ::unlink(host.c_str()) == 0;
}

namespace {

wint_t Folded(char16_t unit) {
    return std::towlower(static_cast<wint_t>(unit));
}

bool SameIgnoringCase(std::u16string_view a, std::u16string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char16_t x, char16_t y) { return Folded(x) == Folded(y); });
}

/// Name order without regard to letter case; names equal that way by their exact code units, so
/// the order does not depend on how the folder happens to hold them.
bool NameLessIgnoringCase(const FolderEntry& a, const FolderEntry& b) {
    const bool less =
        std::lexicographical_compare(a.name.begin(), a.name.end(), b.name.begin(), b.name.end(),
                                     [](char16_t x, char16_t y) { return Folded(x) < Folded(y); });
    if (less || !SameIgnoringCase(a.name, b.name)) {
        return less;
    }
    return a.name < b.name;
}

/// The names in the host folder of `folder` with the bytes of each; empty when it cannot be read.
std::vector<std::filesystem::directory_entry> EntriesOf(const DeviceStorage& device,
                                                        std::u16string_view folder) {
    std::vector<std::filesystem::directory_entry> entries;
    const std::string host = device.HostPathOf(folder);
    std::error_code error;
    if (host.empty()) {
        return entries;
    }
    for (std::filesystem::directory_iterator it(host, error), end; !error && it != end; it.increment(error)) {
        entries.push_back(*it);
    }
    return entries;
}

} // namespace

std::vector<FolderEntry> ListFolderEntries(const DeviceStorage& device, std::u16string_view folder) {
    std::vector<FolderEntry> folders;
    std::vector<FolderEntry> files;
    for (const std::filesystem::directory_entry& entry : EntriesOf(device, folder)) {
        const std::string nameBytes = entry.path().filename().native();
        if (IsHiddenName(nameBytes)) {
            continue;
        }
        std::error_code error;
        const std::filesystem::file_status status = entry.status(error); // through links
        if (error) {
            continue;
        }
        if (std::filesystem::is_directory(status)) {
            folders.push_back({NameFromHostBytes(nameBytes), true});
        } else if (std::filesystem::is_regular_file(status)) {
            files.push_back({NameFromHostBytes(nameBytes), false});
        }
    }
    std::sort(folders.begin(), folders.end(), NameLessIgnoringCase);
    std::sort(files.begin(), files.end(), NameLessIgnoringCase);
    folders.insert(folders.end(), std::make_move_iterator(files.begin()),
                   std::make_move_iterator(files.end()));
    return folders;
}

std::optional<std::u16string> EntryNamedIgnoringCase(const DeviceStorage& device, std::u16string_view folder,
                                                     std::u16string_view name) {
    for (const std::filesystem::directory_entry& entry : EntriesOf(device, folder)) {
        std::u16string entryName = NameFromHostBytes(entry.path().filename().native());
        if (SameIgnoringCase(entryName, name)) {
            return entryName;
        }
    }
    return std::nullopt;
}
