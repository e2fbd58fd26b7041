// The fast path of loading a list: one record taken from the read-ahead in a single pass.
#include "model/BufferedRecord.h"

#include <cstring>
#include <span>

#include "model/ListFileFormat.h"
#include "model/SavedRecordBytes.h"
#include "model/TaskItem.h"
#include "platform/core/Archive.h"

namespace {

/// Copies `bytes` bytes. Titles are a few dozen bytes, where a general copy spends longer deciding
/// how to copy than copying: up to 32 bytes go as two overlapping moves of one width.
inline void CopyShort(unsigned char* to, const unsigned char* from, std::size_t bytes) {
    constexpr std::size_t kWide = 16;
    constexpr std::size_t kNarrow = 8;
    constexpr std::size_t kSmall = 4;
    const auto twoMoves = [&](std::size_t width) {
        std::memcpy(to, from, width);
        std::memcpy(to + bytes - width, from + bytes - width, width);
    };
    if (bytes > 2 * kWide) {
        std::memcpy(to, from, bytes);
    } else if (bytes >= kWide) {
        twoMoves(kWide);
    } else if (bytes >= kNarrow) {
        twoMoves(kNarrow);
    } else if (bytes >= kSmall) {
        twoMoves(kSmall);
    } else if (bytes > 0) {
        std::memcpy(to, from, sizeof(char16_t)); // one unit: the only size left
    }
}

/// A wide string with a one-byte length, straight into `text` in `arena`.
bool ReadShortWideString(SavedRecordBytes& record, CompactText& text, TextArena& arena) {
    std::span<const std::uint8_t> bytes;
    if (!record.ShortWideString(bytes)) {
        return false;
    }
    const std::size_t length = bytes.size() / sizeof(char16_t);
    char16_t* const units = text.ResizeInArena(arena, length);
    if (length != 0) {
        SavedRecordBytes::PutUnits(bytes, units, CopyShort);
    }
    return true;
}

} // namespace

bool ReadBufferedRecord(CArchive& archive, int version, TaskItem& item, std::int32_t& childCount,
                        TextArena& arena) {
    const std::span<const std::uint8_t> ahead = archive.Buffered();
    SavedRecordBytes record(ahead);
    std::uint32_t quantity = 0;
    std::uint32_t checked = 0;
    std::uint32_t importance = 0;
    std::uint32_t children = 0;
    // The texts may land in the arena before the record turns out to run past the read-ahead: the
    // archive's reads then put them again, and the arena keeps the first copies until it goes.
    if (!ReadShortWideString(record, item.title, arena) || !record.Number(quantity) ||
        !record.Number(checked) || !record.Number(importance)) {
        return false;
    }
    if (ListFileFormat::HasNotes(version) && !ReadShortWideString(record, item.notes, arena)) {
        return false;
    }
    if (!record.Number(children)) {
        return false;
    }
    item.quantity = quantity;
    item.checked = checked != 0 ? 1 : 0;
    item.importance = static_cast<std::int32_t>(importance);
    childCount = static_cast<std::int32_t>(children);
    archive.Skip(record.Position());
    return true;
}
