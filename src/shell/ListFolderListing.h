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
/// ends inside its header still gets its record, with "Unreadable" as its count, and is remembered in
/// Unreadable() so the screen can tell the user; the other files are listed as usual.
class CListFolderListing : public CFolderListing {
public:
    using CFolderListing::CFolderListing;

    bool Scan() override;
    /// Date and item count.
    int GetColumnCount() const override { return kColumnCount; }

    /// The files of the last scan whose headers could not be read, in enumeration order.
    const std::vector<UnreadableFile>& Unreadable() const { return m_unreadable; }

protected:
    void AddFile(const FoundFile& file) override;

private:
    static constexpr int kColumnCount = 2;

    std::vector<UnreadableFile> m_unreadable; ///< the unreadable files of the last scan
};
