// Writing a list file record by record, as a save of the same tree writes it, without the tree.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/ListRecordReader.h"

class CFile;

/// Writes the header and then node records in pre-order to a file, in large blocks. The item count
/// of the header and the child count of a record may be settled only once they are known: a count
/// still in the block is changed there, one already written is changed in the file.
class ListRecordWriter {
public:
    /// Where a written record's child count lies in the file.
    using CountPlace = std::uint64_t;

    /// Writes a version 3 header to `file`, empty and open for writing, with an item count `Finish`
    /// settles.
    explicit ListRecordWriter(CFile& file);

    /// Writes the item of `record` with `checked` for its flag, then `children` as its child count.
    /// Throws `CFileException` when the file refuses the bytes.
    CountPlace Write(const ListRecord& record, std::uint8_t checked, std::uint32_t children);
    /// Makes the child count at `place` `children`.
    void SetChildren(CountPlace place, std::uint32_t children);
    /// Hands the file what is collected before `held` (a place whose count may still change) once
    /// that is a block's worth.
    void Release(CountPlace held);
    /// Writes out the rest and settles the header's item count.
    void Finish(std::uint32_t itemCount);

private:
    void PutNumber(std::uint32_t value);
    void PutNumberAt(std::uint64_t place, std::uint32_t value);
    void WriteOut(std::size_t bytes);

    CFile& m_file;
    std::string m_block;
    /// Where in the file `m_block` starts.
    std::uint64_t m_blockStart = 0;
};
