// Folder enumeration with a wildcard, file attributes, creating a folder and deleting a file, on
// the host folders that hold the device's storage.
#include "platform/ui/FileFind.h"

#include "platform/ui/DevicePaths.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QString>

#include <vector>

namespace {

constexpr char16_t kDeviceSeparator = u'\\';
constexpr std::u16string_view kHostRoot = u"/";
constexpr std::u16string_view kDeviceRoot = u"\\";
/// Qt's day numbers run Monday = 1 to Sunday = 7; the device's Sunday = 0 to Saturday = 6.
constexpr int kDaysPerWeek = 7;

QString HostPath(std::u16string_view path) { return QString::fromStdU16String(HostPathFromDevicePath(path)); }

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

SYSTEMTIME CalendarFields(const QDateTime& utc) {
    SYSTEMTIME fields;
    const QDate date = utc.date();
    const QTime time = utc.time();
    fields.wYear = static_cast<std::uint16_t>(date.year());
    fields.wMonth = static_cast<std::uint16_t>(date.month());
    fields.wDayOfWeek = static_cast<std::uint16_t>(date.dayOfWeek() % kDaysPerWeek);
    fields.wDay = static_cast<std::uint16_t>(date.day());
    fields.wHour = static_cast<std::uint16_t>(time.hour());
    fields.wMinute = static_cast<std::uint16_t>(time.minute());
    fields.wSecond = static_cast<std::uint16_t>(time.second());
    fields.wMilliseconds = static_cast<std::uint16_t>(time.msec());
    return fields;
}

std::uint32_t AttributesOf(const QFileInfo& info) {
    std::uint32_t attributes = 0;
    if (info.isDir()) {
        attributes |= FILE_ATTRIBUTE_DIRECTORY;
    }
    if (!info.isWritable()) {
        attributes |= FILE_ATTRIBUTE_READONLY;
    }
    if (info.isHidden()) {
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    }
    return attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes;
}

FoundFile FoundFileOf(const QFileInfo& info) {
    FoundFile found;
    found.name = info.fileName().toStdU16String();
    found.lastWriteTime = CalendarFields(info.lastModified().toUTC());
    found.size = static_cast<std::uint64_t>(info.size());
    found.attributes = AttributesOf(info);
    return found;
}

}  // namespace

/// The matches of one enumeration, taken when it starts, and how far the caller has read.
struct CFileFind::State {
    std::vector<FoundFile> matches;
    std::size_t next = 0;
};

CFileFind::CFileFind() = default;
CFileFind::~CFileFind() = default;

FindStatus CFileFind::FindFirst(std::u16string_view folderAndPattern, FoundFile& found) {
    Close();
    const std::size_t separator = folderAndPattern.find_last_of(u"\\/");
    if (separator == std::u16string_view::npos || separator + 1 == folderAndPattern.size()) {
        return FindStatus::InvalidPattern;
    }
    std::u16string_view folder = folderAndPattern.substr(0, separator);
    if (folder.empty()) {
        folder = folderAndPattern.front() == kDeviceSeparator ? kDeviceRoot : kHostRoot;
    }
    const QString pattern = QString::fromStdU16String(std::u16string(folderAndPattern.substr(separator + 1)));
    const QString hostFolder = HostPath(folder);
    const QFileInfo folderInfo(hostFolder);
    if (hostFolder.isEmpty() || !folderInfo.isDir()) {
        return FindStatus::PathNotFound;
    }
    if (!folderInfo.isReadable()) {
        return FindStatus::AccessDenied;
    }

    const QRegularExpression expression = PatternExpression(pattern);
    auto state = std::make_unique<State>();
    // Unsorted: the order the host's file system keeps, as the device's own enumeration gives it.
    const QDir dir(hostFolder, QString(), QDir::Unsorted, QDir::Files | QDir::Hidden);
    for (const QFileInfo& info : dir.entryInfoList()) {
        if (expression.match(info.fileName()).hasMatch()) {
            state->matches.push_back(FoundFileOf(info));
        }
    }
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
    found = m_state->matches[m_state->next++];
    return FindStatus::Found;
}

void CFileFind::Close() { m_state.reset(); }

std::uint32_t GetFileAttributes(std::u16string_view path) {
    const QString host = HostPath(path);
    const QFileInfo info(host);
    if (host.isEmpty() || !info.exists()) {
        return INVALID_FILE_ATTRIBUTES;
    }
    return AttributesOf(info);
}

bool CreateDirectory(std::u16string_view path) {
    const QString host = HostPath(path);
    return !host.isEmpty() && QDir().mkdir(host);
}

bool DeleteFile(std::u16string_view path) {
    const QString host = HostPath(path);
    const QFileInfo info(host);
    if (host.isEmpty() || !info.exists() || info.isDir()) {
        return false;
    }
    return QFile::remove(host);
}
