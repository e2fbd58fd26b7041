// The list file: header, then the hidden root's node record.
#include "model/CorvinaDoc.h"

#include <algorithm>

#include "platform/core/Archive.h"

const CRuntimeClass* CCorvinaDoc::GetRuntimeClass() const {
    static constexpr CRuntimeClass kRecord{"CCorvinaDoc", kSchema};
    return &kRecord;
}

void CCorvinaDoc::Serialize(CArchive& archive) {
    if (archive.IsStoring()) {
        version = ListFileFormat::kCurrentVersion;
        archive.WriteU32(ListFileFormat::kMarker);
        archive.WriteI32(version);
        archive.WriteU32(static_cast<std::uint32_t>(tree.Count()));
        tree.Serialize(archive, version);
        return;
    }
    const std::uint32_t claimed = ReadHeader(archive);
    // Room for the items the header counts at once, as far as the data that follows could hold
    // them: the count is a hint, and the records are still read one by one.
    tree.Reserve(static_cast<std::size_t>(std::min<std::uint64_t>(
        claimed, archive.RemainingBytes() / ListFileFormat::ShortestNodeRecord(version))));
    // The texts take about what the file holds beyond the records' numbers: room for them in one
    // piece, and no more, since what is reserved is held as long as the list.
    const std::uint64_t numbers = std::uint64_t{claimed} * ListFileFormat::kNodeRecordNumberBytes;
    const std::uint64_t remaining = archive.RemainingBytes();
    tree.Texts().Reserve(static_cast<std::size_t>(std::min<std::uint64_t>(
        remaining > numbers ? remaining - numbers : 0, TextArena::kLargestReservedBytes)));
    tree.Serialize(archive, version);
}

std::uint32_t CCorvinaDoc::ReadHeader(CArchive& archive) {
    const std::uint32_t first = archive.ReadU32();
    if (first != ListFileFormat::kMarker) {
        version = ListFileFormat::kVersionWithoutMarker;
        return first;
    }
    version = archive.ReadI32();
    return archive.ReadU32();
}

bool CCorvinaDoc::OnOpenDocument(std::u16string_view path) {
    m_recoveredCopy = !CDocument::OnOpenDocument(path);
    return !m_recoveredCopy;
}

bool CCorvinaDoc::OnSaveDocument(std::u16string_view path) {
    if (!CDocument::OnSaveDocument(path)) {
        return false;
    }
    m_recoveredCopy = false;
    return true;
}
