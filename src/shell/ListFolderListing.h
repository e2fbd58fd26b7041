// The listing of list files: per file its last-write date and the item count its header records, and
// which files could not be read.
#pragma once

#include "shell/FolderListing.h"

#include <cstdint>
#include <string>
#include <vector>

/// A list file whose header could not be read in the last scan, and how it looked then.
struct UnreadableFile {
    std::u16string fileName;  ///< as the enumeration returned it
    SYSTEMTIME lastWriteTime; ///< when the file was last written, as listed
    std::uint64_t size = 0;   ///< its length in bytes, as listed
    std::u16string message;   ///< what went wrong, in the words shown to the user

    /// True when `other` is the same file in the same state (name, time and size).
    bool IsSameVersionAs(const UnreadableFile& other) const;
};

/// The listing the document list shows: columns date and item count. A file that cannot be opened or
/// ends inside its header still gets its record, with "Error" as its count, and is remembered in
/// Unreadable() so the screen can tell the user; the other files are listed as usual.
///
/// Reading a file's date and header takes far longer than listing its name, so a screen that shows
/// some rows at a time lists the names first (ScanNames) and reads each record's columns when it
/// needs them (ReadDetails, ReadMoreDetails); Scan does both at once.
class CListFolderListing : public CFolderListing {
public:
    using CFolderListing::CFolderListing;

    /// Lists the folder and reads every file's date and header.
    bool Scan() override;
    /// Lists the folder's files in the same order as Scan, without reading them: every record's
    /// columns stay empty until ReadDetails or ReadMoreDetails reads them. Answers as Scan does.
    bool ScanNames();
    /// Record `index` of the last scan (below Records().size()) with its columns, read now unless
    /// they were read already.
    const FileRecord& ReadDetails(std::size_t index);
    /// Reads the columns of up to `count` records still unread, first to last; true when no record
    /// is left unread.
    bool ReadMoreDetails(std::size_t count);
    /// True when every record of the last scan has its columns.
    bool AllDetailsRead() const { return m_unreadCount == 0; }
    /// Date and item count.
    int GetColumnCount() const override { return kColumnCount; }

    /// The files whose headers could not be read, among the records read so far, in records order:
    /// all of them once AllDetailsRead.
    const std::vector<UnreadableFile>& Unreadable() const { return m_unreadable; }

protected:
    void AddFile(FoundFile&& file) override;

private:
    static constexpr int kColumnCount = 2;

    void ForgetDetails();
    void MarkUnreadable(std::size_t index, UnreadableFile file);

    std::vector<FoundFile> m_files;            ///< per record, the file as found (its name is the record's)
    std::vector<bool> m_detailsRead;           ///< per record, whether its columns have been read
    std::size_t m_unreadCount = 0;             ///< the records whose columns are still unread
    std::size_t m_firstMaybeUnread = 0;        ///< no record before this one is unread
    std::vector<UnreadableFile> m_unreadable;  ///< the unreadable files among the records read
    std::vector<std::size_t> m_unreadableRows; ///< the record index of each of m_unreadable
};
