// The list document: one list's item tree, its title, path and modified flag, and the list file.
#pragma once

#include <cstdint>

#include "model/ListFileFormat.h"
#include "model/TaskTree.h"
#include "platform/core/Document.h"

class CArchive;
class TextFile;

/// One list. Open, save, the modified flag and the title come from `CDocument`; this class adds the
/// item tree and the list file format. It keeps the base's empty `DeleteContents`, so a failed open
/// keeps the complete top-level items read before the failure.
class CCorvinaDoc : public CDocument {
public:
    /// The schema number the class is registered with (never written to a file).
    static constexpr int kSchema = 3;

    /// The list's items under the hidden root.
    TaskTree tree;
    /// 3 when constructed and after every save; after a load, the version read from the file.
    std::int32_t version = ListFileFormat::kCurrentVersion;

    CCorvinaDoc() = default;
    ~CCorvinaDoc() override = default;

    const CRuntimeClass* GetRuntimeClass() const override;

    /// Reads or writes the whole list file. Writing always writes version 3.
    void Serialize(CArchive& archive) override;

    /// Reads the header only and returns the item count it records; sets `version` (2 for a file
    /// without the marker, whose first four bytes are then the count). Throws the archive's
    /// end-of-file failure when the file is shorter than its header.
    std::uint32_t ReadHeader(CArchive& archive);

    /// Writes every item as one tab-separated line, in pre-order (defined with the text form, in
    /// textio). Title, path and modified flag do not change.
    void ExportText(TextFile& file) const;
    /// Appends the items of a tab-separated text to the tree, stopping quietly at the first record
    /// that cannot be read whole (defined with the text form, in textio).
    void ImportText(TextFile& file);
};
