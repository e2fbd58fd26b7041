// The item record of a list file.
#include "model/TaskItem.h"

#include "model/ListFileFormat.h"
#include "platform/core/Archive.h"

const CRuntimeClass* TaskItem::GetRuntimeClass() const {
    static constexpr CRuntimeClass kRecord{"TaskItem", kSchema};
    return &kRecord;
}

void TaskItem::Serialize(CArchive& archive, int version, TextArena& arena) {
    if (archive.IsStoring()) {
        Store(archive);
    } else {
        Load(archive, version, arena);
    }
}

void TaskItem::Store(CArchive& archive) const {
    archive.WriteString(title);
    archive.WriteU32(quantity);
    archive.WriteU32(checked);
    archive.WriteI32(importance);
    archive.WriteString(notes);
}

void TaskItem::Load(CArchive& archive, int version, TextArena& arena) {
    archive.ReadString(title, arena);
    quantity = archive.ReadU32();
    checked = archive.ReadU32() != 0 ? 1 : 0;
    importance = archive.ReadI32();
    if (ListFileFormat::HasNotes(version)) {
        archive.ReadString(notes, arena);
    }
}
