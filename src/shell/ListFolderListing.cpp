// Listing list files with their dates and item counts.
#include "shell/ListFolderListing.h"

#include "model/CorvinaDoc.h"
#include "platform/core/Archive.h"
#include "platform/core/File.h"
#include "platform/core/Strings.h"
#include "shell/ListRowTexts.h"

namespace {

// How the framework names a file it was not told the name of; its end-of-file report reads so.
constexpr std::u16string_view kUnnamedFile = u"an unnamed file";

bool SameTime(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
           a.wMinute == b.wMinute && a.wSecond == b.wSecond && a.wMilliseconds == b.wMilliseconds;
}

// The user's words for a failed header read. The archive runs out of data without knowing its file,
// so the end of a short file is reported as the framework always has, with an unnamed file.
std::u16string DescribeFailure(const CException& error) {
    if (const auto* archiveError = dynamic_cast<const CArchiveException*>(&error);
        archiveError != nullptr && archiveError->Cause() == ArchiveErrorCause::EndOfFile) {
        return FormatString(FileErrorMessagePattern(FileErrorCause::EndOfFile), {kUnnamedFile});
    }
    return error.GetErrorMessage();
}

}  // namespace

bool UnreadableFile::IsSameVersionAs(const UnreadableFile& other) const {
    return fileName == other.fileName && size == other.size && SameTime(lastWriteTime, other.lastWriteTime);
}

std::uint32_t ReadListItemCount(const std::u16string& path) {
    CFile file;
    // Denying writers while the header is read: a list being written by someone else just now is
    // reported rather than read half-written.
    file.OpenOrThrow(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary);
    CArchive archive(&file, CArchive::load, CArchive::kDefaultBufferSize);
    CCorvinaDoc document;
    const std::uint32_t count = document.ReadHeader(archive);
    archive.Close();
    file.Close();
    return count;
}

bool CListFolderListing::Scan() {
    m_unreadable.clear();
    return CFolderListing::Scan();
}

void CListFolderListing::AddFile(const FoundFile& file) {
    FileRecord record{file.name, {FormatListDate(file.lastWriteTime)}};
    try {
        record.columns.push_back(FormatItemCount(ReadListItemCount(Folder() + file.name)));
    } catch (const CException& error) {
        // One bad file must not hide the others: it keeps its row, marked, and the screen reports it.
        record.columns.emplace_back(kUnreadableCountText);
        m_unreadable.push_back({file.name, file.lastWriteTime, file.size, DescribeFailure(error)});
    }
    AppendRecord(std::move(record));
}
