// Folder enumeration with a wildcard, file attributes, creating a folder and deleting a file, on
// the host folders that hold the device's storage.
#include "platform/ui/FileFind.h"

#include "platform/ui/DevicePaths.h"
#include "platform/ui/NaturalOrder.h"
#include "platform/ui/qt/QtText.h"

#include <QRegularExpression>
#include <QString>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <filesystem>
#include <vector>

namespace {

constexpr char16_t kDeviceSeparator = u'\\';
constexpr std::u16string_view kHostRoot = u"/";
constexpr std::u16string_view kDeviceRoot = u"\\";
constexpr int kFirstCalendarYear = 1900;
constexpr long kNanosecondsPerMillisecond = 1000000;

/// The host path of a device path as the file system takes it (bytes); empty for a path that
/// reaches outside the device.
std::string HostPath(std::u16string_view path) {
    const std::u16string host = HostPathFromDevicePath(path);
    return host.empty() ? std::string() : HostBytesFromName(host);
}

/// The device's wildcards are only "*" and "?": brackets are ordinary characters there.
QRegularExpression PatternExpression(const QString& pattern) {
    QString wildcard;
    for (const QChar c : pattern) {
        if (c == QLatin1Char('[')) {
            wildcard += QStringLiteral("[[]");
        } else if (c == QLatin1Char(']')) {
            wildcard += QStringLiteral("[]]");
        } else {
            wildcard += c;
        }
    }
    // File names hold no separators, so the path-aware default conversion matches them whole.
    return QRegularExpression(QRegularExpression::wildcardToRegularExpression(wildcard));
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

FindStatus CFileFind::FindFirst(std::u16string_view folderAndPattern, FoundFile& found, FindDetails details) {
    Close();
    const std::size_t separator = folderAndPattern.find_last_of(u"\\/");
    if (separator == std::u16string_view::npos || separator + 1 == folderAndPattern.size()) {
        return FindStatus::InvalidPattern;
    }
    std::u16string_view folder = folderAndPattern.substr(0, separator);
    if (folder.empty()) {
        folder = folderAndPattern.front() == kDeviceSeparator ? kDeviceRoot : kHostRoot;
    }
    const QString pattern = ToQString(folderAndPattern.substr(separator + 1));
    const std::string hostFolder = HostPath(folder);
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
    const QRegularExpression expression = PatternExpression(pattern);
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
        if (expression.match(QString::fromStdU16String(ReadableName(found.name))).hasMatch()) {
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

std::uint32_t GetFileAttributes(std::u16string_view path) {
    const std::string host = HostPath(path);
    struct stat info {};
    if (host.empty() || ::stat(host.c_str(), &info) != 0) {
        return INVALID_FILE_ATTRIBUTES;
    }
    return AttributesOf(host, info);
}

bool CreateDirectory(std::u16string_view path) {
    constexpr mode_t kFolderMode = 0777; // narrowed by the user's umask, as for any new folder
    const std::string host = HostPath(path);
    return !host.empty() && ::mkdir(host.c_str(), kFolderMode) == 0;
}

bool DeleteFile(std::u16string_view path) {
    const std::string host = HostPath(path);
    struct stat info {};
    if (host.empty() || ::lstat(host.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) {
        return false;
    }
    return ::unlink(host.c_str()) == 0;
}
