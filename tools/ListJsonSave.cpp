// A list file written straight from JSON, record by record: the root's child count and the item
// count are settled at the end, all else goes to the file as it comes.
#include <cstdint>
#include <limits>

#include "ListJsonRecords.h"
#include "model/ListRecordWriter.h"
#include "platform/core/SafeSaveFile.h"

bool SaveListFromJson(const JsonItemBatches::Source& source, const std::u16string& path) {
    constexpr std::uint64_t kMostCounted = std::numeric_limits<std::uint32_t>::max();
    constexpr std::size_t kCountBytes = sizeof(std::uint32_t);
    try {
        SafeSaveFile target(path);
        ListRecordWriter writer(target.File());
        const ListRecordWriter::CountPlace rootCount = writer.Write(ListRecord{}, 0, 0);
        std::uint64_t items = 0;
        std::uint64_t topLevel = 0;
        const bool read = ReadListRecordsFromJson(source, [&](const ListRecord& record) {
            const ListRecordWriter::CountPlace place = writer.Write(record, record.checked, record.children);
            writer.Release(place + kCountBytes);
            ++items;
            topLevel += record.depth == 1 ? 1 : 0;
        });
        if (!read || items > kMostCounted) {
            return false;
        }
        writer.SetChildren(rootCount, static_cast<std::uint32_t>(topLevel));
        writer.Finish(static_cast<std::uint32_t>(items));
        target.Commit();
        return true;
    } catch (...) {
        // Whatever went wrong (the target refused, memory ran out), the tree's road meets it again
        // and reports it as a save of the list does; the uncommitted file is discarded.
        return false;
    }
}
