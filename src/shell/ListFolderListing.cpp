// Listing list files with their dates and item counts.
#include "shell/ListFolderListing.h"

#include "model/ListFileHeader.h"
#include "platform/core/Exception.h"
#include "shell/ListRowTexts.h"

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
    m_unreadable.clear();
    return CFolderListing::Scan();
}

void CListFolderListing::AddFile(const FoundFile& file) {
    FileRecord record{file.name, {FormatListDate(file.lastWriteTime)}};
    try {
        // The enumeration resolved the folder once; its files open by the host paths it found.
        const std::u16string path = Folder() + file.name;
        const ListFileHeader header =
            file.hostPath.empty() ? ReadListFileHeader(path) : ReadListFileHeader(file.hostPath, path);
        record.columns.push_back(FormatItemCount(header.itemCount));
    } catch (const CException& error) {
        // One bad file must not hide the others: it keeps its row, marked, and the screen reports it.
        record.columns.emplace_back(kUnreadableCountText);
        m_unreadable.push_back({file.name, file.lastWriteTime, file.size, error.GetErrorMessage()});
    }
    AppendRecord(std::move(record));
}
