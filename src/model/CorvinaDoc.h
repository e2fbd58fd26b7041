// The list document: one list's item tree, its title, path and modified flag, and the list file.
#pragma once

#include <cstdint>

#include "model/ListFileFormat.h"
#include "model/TaskTree.h"
#include "platform/core/Document.h"

class CArchive;

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

    /// The base's open sequence; a failure (a damaged file, or one that could not be read at all)
    /// leaves the document a recovered copy.
    bool OnOpenDocument(std::u16string_view path) override;
    /// The base's save sequence; a successful save makes the document an ordinary one again.
    bool OnSaveDocument(std::u16string_view path) override;
    /// True after a failed open until the next successful save: the items are what could be read,
    /// and the file they came from must not be replaced without asking (the editor saves such a
    /// list through Save as). Callers that open a list need do nothing else.
    bool IsRecoveredCopy() const { return m_recoveredCopy; }

    /// Reads the header only and returns the item count it records; sets `version` (2 for a file
    /// without the marker, whose first four bytes are then the count). Throws the archive's
    /// end-of-file failure when the file is shorter than its header.
    std::uint32_t ReadHeader(CArchive& archive);

private:
    bool m_recoveredCopy = false; ///< the last open failed and nothing has been saved since
};
