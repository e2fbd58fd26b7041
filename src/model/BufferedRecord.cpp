// The fast path of loading a list: one record taken from the read-ahead in a single pass.
#include "model/BufferedRecord.h"

#include <bit>
#include <cstring>
#include <span>

#include "model/ListFileFormat.h"
#include "model/TaskItem.h"
#include "platform/core/Archive.h"

namespace {

using ListFileFormat::kLengthEscape;
using ListFileFormat::kLongerLength;
using ListFileFormat::kWideHeadBytes;
using ListFileFormat::kWideMarkerHigh;
using ListFileFormat::kWideMarkerLow;
constexpr unsigned kBitsPerByte = 8;

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

/// A cursor over the read-ahead that fails, instead of reading on, when the record runs past it.
class RecordBytes {
public:
    explicit RecordBytes(std::span<const std::uint8_t> bytes)
        : m_at(bytes.data()), m_end(bytes.data() + bytes.size()) {}

    bool ReadU32(std::uint32_t& value) {
        if (m_end - m_at < static_cast<std::ptrdiff_t>(sizeof(value))) {
            return false;
        }
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(&value, m_at, sizeof(value)); // the file's order already
        } else {
            value = 0;
            for (std::size_t i = 0; i < sizeof(value); ++i) {
                value |= static_cast<std::uint32_t>(m_at[i]) << (kBitsPerByte * i);
            }
        }
        m_at += sizeof(value);
        return true;
    }

    /// A wide string with a one-byte length, straight into `text` in `arena`.
    bool ReadShortWideString(CompactText& text, TextArena& arena) {
        if (m_end - m_at < static_cast<std::ptrdiff_t>(kWideHeadBytes) || m_at[0] != kLengthEscape ||
            m_at[1] != kWideMarkerLow || m_at[2] != kWideMarkerHigh || m_at[3] == kLongerLength) {
            return false;
        }
        const std::uint32_t length = m_at[3];
        const std::size_t bytes = length * sizeof(char16_t);
        if (static_cast<std::size_t>(m_end - m_at) < kWideHeadBytes + bytes) {
            return false;
        }
        m_at += kWideHeadBytes;
        char16_t* const units = text.ResizeInArena(arena, length);
        if (length != 0) {
            CopyLittleEndianUnits(units, length);
        }
        m_at += bytes;
        return true;
    }

    const std::uint8_t* Position() const { return m_at; }

private:
    void CopyLittleEndianUnits(char16_t* units, std::uint32_t length) const {
        if constexpr (std::endian::native == std::endian::little) {
            CopyShort(reinterpret_cast<unsigned char*>(units), m_at, length * sizeof(char16_t));
        } else {
            for (std::uint32_t i = 0; i < length; ++i) {
                units[i] = static_cast<char16_t>(m_at[2 * i] | (m_at[2 * i + 1] << kBitsPerByte));
            }
        }
    }

    const std::uint8_t* m_at;
    const std::uint8_t* m_end;
};

} // namespace

bool ReadBufferedRecord(CArchive& archive, int version, TaskItem& item, std::int32_t& childCount,
                        TextArena& arena) {
    const std::span<const std::uint8_t> ahead = archive.Buffered();
    RecordBytes record(ahead);
    std::uint32_t quantity = 0;
    std::uint32_t checked = 0;
    std::uint32_t importance = 0;
    std::uint32_t children = 0;
    // The texts may land in the arena before the record turns out to run past the read-ahead: the
    // archive's reads then put them again, and the arena keeps the first copies until it goes.
    if (!record.ReadShortWideString(item.title, arena) || !record.ReadU32(quantity) ||
        !record.ReadU32(checked) || !record.ReadU32(importance)) {
        return false;
    }
    if (ListFileFormat::HasNotes(version) && !record.ReadShortWideString(item.notes, arena)) {
        return false;
    }
    if (!record.ReadU32(children)) {
        return false;
    }
    item.quantity = quantity;
    item.checked = checked != 0 ? 1 : 0;
    item.importance = static_cast<std::int32_t>(importance);
    childCount = static_cast<std::int32_t>(children);
    archive.Skip(static_cast<std::size_t>(record.Position() - ahead.data()));
    return true;
}
