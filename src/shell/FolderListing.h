// The folder listing: the files of one folder whose names match a pattern, each turned into a record
// of display texts by a derived listing.
#pragma once

#include "platform/storage/FileFind.h"

#include <string>
#include <vector>

/// One listed file: its name and the texts of its extra columns.
struct FileRecord {
    std::u16string fileName;             ///< as the enumeration returned it, extension included, no folder
    std::vector<std::u16string> columns; ///< display texts of the extra columns, first column first
};

/// The files of one folder matching one pattern, in the order the platform enumerates them. A derived
/// listing decides which columns a record has (AddFile).
class CFolderListing {
public:
    /// Keeps the folder of `device` (with a trailing backslash added when it is not empty and has
    /// none) and the wildcard pattern ("*.crv"). The device outlives the listing.
    CFolderListing(const DeviceStorage& device, std::u16string folder, std::u16string pattern);
    virtual ~CFolderListing() = default;
    CFolderListing(const CFolderListing&) = delete;
    CFolderListing& operator=(const CFolderListing&) = delete;

    /// Rebuilds the records from the folder. True when the enumeration ended normally (nothing
    /// matched, or every match was listed); false when it stopped on another error (a missing folder
    /// among them), with the records found until then.
    virtual bool Scan() { return ScanFolder(FindDetails::NameAndStatus); }
    /// How many column texts each record has; 0 here.
    virtual int GetColumnCount() const { return 0; }

    const std::vector<FileRecord>& Records() const { return m_records; }
    /// The folder, ending in a backslash unless it is empty.
    const std::u16string& Folder() const { return m_folder; }
    /// The device the folder lies in.
    const DeviceStorage& Device() const { return m_device; }
    const std::u16string& Pattern() const { return m_pattern; }

protected:
    /// Empties the records and enumerates the folder, asking `details` of each file, with AddFile
    /// for every match; answers as Scan does.
    bool ScanFolder(FindDetails details);
    /// Builds the record of one found file and appends it (AppendRecord); the file is the
    /// listing's to keep.
    virtual void AddFile(FoundFile&& file) = 0;
    void AppendRecord(FileRecord record) { m_records.push_back(std::move(record)); }
    /// The record at `index` (below Records().size()), for a listing that fills its columns later.
    FileRecord& RecordAt(std::size_t index) { return m_records[index]; }

private:
    const DeviceStorage& m_device;     ///< whose folder is listed
    std::vector<FileRecord> m_records; ///< the result of the last Scan, in enumeration order
    std::u16string m_folder;           ///< the folder path, ending in a backslash unless empty
    std::u16string m_pattern;          ///< the file-name pattern with wildcards
};
