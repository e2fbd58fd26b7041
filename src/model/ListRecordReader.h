// Reading the node records of a list file one at a time, in the order they lie, with no tree: for
// commands that pass over a list once (count it, print it, change every item) at the speed of the
// bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/TaskItem.h"

class CArchive;

/// One node record as `ListRecordReader` hands it out; valid until the next record is read.
struct ListRecord {
    /// 0 for the hidden root, 1 for a top-level item, one more for each level below.
    std::size_t depth = 0;
    /// The children the record claims (a negative count as none): that many records one level
    /// deeper follow, each with its subtree.
    std::uint32_t children = 0;
    std::uint32_t quantity = TaskItem::kDefaultQuantity;
    std::int32_t importance = TaskItem::kNormalImportance;
    /// 0 or 1, as loading makes any value.
    std::uint8_t checked = 0;
    /// The texts, when the reader decodes them or the record is not in the saved form (see below).
    std::u16string title;
    std::u16string notes;
    /// The item's bytes (title to notes) as the file holds them when they are in the form every save
    /// writes (version 3, wide strings with one-byte lengths), else empty: copied with the checked
    /// field set again, they are what a save of the item writes.
    std::span<const std::uint8_t> savedItem;
    /// Where the checked field lies in `savedItem`.
    std::size_t savedCheckedOffset = 0;
};

/// Reads the hidden root's record and, below it, every item's in pre-order, exactly as loading the
/// tree reads them: the same bytes are accepted and the same damage throws the same failure.
class ListRecordReader {
public:
    /// Whether records in the saved form get their texts decoded (a record in any other form always
    /// does, since its bytes are not what a save would write).
    enum class Texts { Skip, Decode };

    /// Reads from `archive`, just past the header of a file of `version`.
    ListRecordReader(CArchive& archive, std::int32_t version, Texts texts);

    /// Reads the next record into `record`; false once the root and everything it claims are read.
    /// Throws the archive's failures, as loading does, when the data ends before that.
    bool Next(ListRecord& record);

private:
    /// Takes the whole record from the read-ahead when it lies there in the saved form.
    bool ReadSavedForm(ListRecord& record);
    void ReadAnyForm(ListRecord& record);

    CArchive& m_archive;
    std::int32_t m_version;
    Texts m_texts;
    bool m_rootRead = false;
    /// The children still to come of each open record, the root first.
    std::vector<std::uint32_t> m_childrenLeft;
};
