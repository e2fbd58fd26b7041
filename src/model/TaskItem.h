// One item of a list: title, quantity, checked flag, importance and notes.
#pragma once

#include <cstdint>

#include "platform/core/CompactText.h"
#include "platform/core/Object.h"

class CArchive;

/// One item of a list. The five fields are public: the editor, the details sheet and the check-tree
/// control read and write them in place (the control keeps the address of `checked`). The item is
/// never handled through a base class, so it has no virtual table: with its texts one pointer each,
/// a million items take a third of what they would as framework objects with library strings.
class TaskItem {
public:
    /// Importance codes, in the order the details page offers them.
    enum Importance : std::int32_t { kHighImportance = 0, kNormalImportance = 1, kLowImportance = 2 };
    static constexpr std::uint32_t kDefaultQuantity = 1;
    /// The schema number the class is registered with (never written to a file).
    static constexpr int kSchema = 1;

    /// The text shown for the item.
    CompactText title;
    /// Free text; line breaks inside it are CR LF pairs.
    CompactText notes;
    /// How many; any unsigned value.
    std::uint32_t quantity = kDefaultQuantity;
    /// 0 high, 1 normal, 2 low; values read from a file are kept as they are.
    std::int32_t importance = kNormalImportance;
    /// 0 = not done, anything else = done; the check-tree control writes 0 or 1.
    std::uint8_t checked = 0;

    /// The record of the class the item is registered as.
    const CRuntimeClass* GetRuntimeClass() const;

    /// Reads or writes the item record of a list file. Writing ignores `version` and always writes
    /// the notes; reading takes the notes only when `version` is 3 and turns any non-zero checked
    /// value into 1. Texts read go into `arena`, which must outlive the item.
    void Serialize(CArchive& archive, int version, TextArena& arena);
    /// Writes the item record (always with notes).
    void Store(CArchive& archive) const;
    /// Reads an item record of `version` into this item, its texts into `arena`.
    void Load(CArchive& archive, int version, TextArena& arena);

    bool operator==(const TaskItem& other) const {
        return title == other.title && quantity == other.quantity && checked == other.checked &&
               importance == other.importance && notes == other.notes;
    }
};
