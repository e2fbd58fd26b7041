// Listing list files with their dates and item counts.
#include "shell/ListFolderListing.h"

#include "model/ListFileHeader.h"
#include "platform/core/Exception.h"
#include "platform/storage/DeviceStorage.h"
#include "shell/ListRowTexts.h"

#include <algorithm>

namespace {

bool SameTime(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
           a.wMinute == b.wMinute && a.wSecond == b.wSecond && a.wMilliseconds == b.wMilliseconds;
}

} // namespace

bool UnreadableFile::IsSameVersionAs(const UnreadableFile& other) const {
    return fileName == other.fileName && size == other.size && SameTime(lastWriteTime, other.lastWriteTime);
}

bool CListFolderListing::Scan() {
    const bool endedNormally = ScanNames();
    ReadMoreDetails(Records().size());
    return endedNormally;
}

bool CListFolderListing::ScanNames() {
    ForgetDetails();
    const bool endedNormally = ScanFolder(FindDetails::NameOnly);
    m_detailsRead.assign(m_files.size(), false);
    m_unreadCount = m_files.size();
    return endedNormally;
}

void CListFolderListing::ForgetDetails() {
    m_files.clear();
    m_detailsRead.clear();
    m_unreadCount = 0;
    m_firstMaybeUnread = 0;
    m_unreadable.clear();
    m_unreadableRows.clear();
}

void CListFolderListing::AddFile(FoundFile&& file) {
    AppendRecord(FileRecord{std::move(file.name), {}});
    m_files.push_back(std::move(file));
}

bool CListFolderListing::ReadMoreDetails(std::size_t count) {
    for (; count > 0 && m_firstMaybeUnread < m_files.size(); ++m_firstMaybeUnread) {
        if (!m_detailsRead[m_firstMaybeUnread]) {
            ReadDetails(m_firstMaybeUnread);
            --count;
        }
    }
    return AllDetailsRead();
}

const FileRecord& CListFolderListing::ReadDetails(std::size_t index) {
    FileRecord& record = RecordAt(index);
    if (m_detailsRead[index]) {
        return record;
    }
    m_detailsRead[index] = true;
    --m_unreadCount;
    FoundFile& file = m_files[index];
    const std::u16string& name = record.fileName;
    // A file listed by name alone is asked its date now; one gone since shows no date, and its
    // header read below says what became of it.
    const bool hasDate = file.hasStatus || ReadFileStatus(file);
    record.columns.push_back(hasDate ? FormatListDate(file.lastWriteTime) : std::u16string());
    try {
        // The enumeration resolved the folder once; its files open by the host paths it found.
        const std::u16string path = Folder() + name;
        const ListFileHeader header =
            ReadListFileHeader(file.hostPath.empty() ? Device().HostPathOf(path) : file.hostPath, path);
        record.columns.push_back(FormatItemCount(header.itemCount));
    } catch (const CException& error) {
        // One bad file must not hide the others: it keeps its row, marked, and the screen reports it.
        record.columns.emplace_back(kUnreadableCountText);
        MarkUnreadable(index, {name, file.lastWriteTime, file.size, error.GetErrorMessage()});
    }
    return record;
}

void CListFolderListing::MarkUnreadable(std::size_t index, UnreadableFile file) {
    // Rows are read in whatever order the screen shows them; the report keeps the records' order.
    const auto at = std::upper_bound(m_unreadableRows.begin(), m_unreadableRows.end(), index);
    const auto offset = at - m_unreadableRows.begin();
    m_unreadableRows.insert(at, index);
    m_unreadable.insert(m_unreadable.begin() + offset, std::move(file));
}
