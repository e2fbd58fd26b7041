// Node records of a list file read one by one, each from the read-ahead in one pass when it lies
// there in the form every save writes.
#include "model/ListRecordReader.h"

#include <bit>
#include <cstring>

#include "model/ListFileFormat.h"
#include "platform/core/Archive.h"

namespace {

using ListFileFormat::kLengthEscape;
using ListFileFormat::kLongerLength;
using ListFileFormat::kWideHeadBytes;
using ListFileFormat::kWideMarkerHigh;
using ListFileFormat::kWideMarkerLow;
constexpr unsigned kBitsPerByte = 8;
constexpr std::size_t kNumberBytes = sizeof(std::uint32_t);

std::uint32_t ChildrenClaimed(std::int32_t count) {
    return count <= 0 ? 0 : static_cast<std::uint32_t>(count);
}

/// A cursor over the read-ahead that answers false, instead of reading on, where the record would
/// run past it or leave the saved form.
class SavedBytes {
public:
    explicit SavedBytes(std::span<const std::uint8_t> bytes)
        : m_start(bytes.data()), m_at(bytes.data()), m_end(bytes.data() + bytes.size()) {}

    bool Number(std::uint32_t& value) {
        if (m_end - m_at < static_cast<std::ptrdiff_t>(kNumberBytes)) {
            return false;
        }
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(&value, m_at, kNumberBytes); // the file's order already
        } else {
            value = 0;
            for (std::size_t i = 0; i < kNumberBytes; ++i) {
                value |= static_cast<std::uint32_t>(m_at[i]) << (kBitsPerByte * i);
            }
        }
        m_at += kNumberBytes;
        return true;
    }

    /// A wide string with a one-byte length; its units are copied into `text` when it is given.
    bool ShortWideString(std::u16string* text) {
        if (m_end - m_at < static_cast<std::ptrdiff_t>(kWideHeadBytes) || m_at[0] != kLengthEscape ||
            m_at[1] != kWideMarkerLow || m_at[2] != kWideMarkerHigh || m_at[3] == kLongerLength) {
            return false;
        }
        const std::size_t bytes = m_at[3] * sizeof(char16_t);
        if (static_cast<std::size_t>(m_end - m_at) - kWideHeadBytes < bytes) {
            return false;
        }
        m_at += kWideHeadBytes;
        if (text != nullptr) {
            CopyUnits(*text, bytes / sizeof(char16_t));
        }
        m_at += bytes;
        return true;
    }

    std::size_t Position() const { return static_cast<std::size_t>(m_at - m_start); }

private:
    void CopyUnits(std::u16string& text, std::size_t length) const {
        text.resize(length);
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(text.data(), m_at, length * sizeof(char16_t));
        } else {
            for (std::size_t i = 0; i < length; ++i) {
                text[i] = static_cast<char16_t>(m_at[2 * i] | (m_at[2 * i + 1] << kBitsPerByte));
            }
        }
    }

    const std::uint8_t* m_start;
    const std::uint8_t* m_at;
    const std::uint8_t* m_end;
};

} // namespace

ListRecordReader::ListRecordReader(CArchive& archive, std::int32_t version, Texts texts)
    : m_archive(archive), m_version(version), m_texts(texts) {}

bool ListRecordReader::Next(ListRecord& record) {
    if (m_rootRead) {
        while (!m_childrenLeft.empty() && m_childrenLeft.back() == 0) {
            m_childrenLeft.pop_back();
        }
        if (m_childrenLeft.empty()) {
            return false;
        }
        --m_childrenLeft.back();
    }
    m_rootRead = true;
    record.depth = m_childrenLeft.size();
    if (!ReadSavedForm(record)) {
        ReadAnyForm(record);
    }
    m_childrenLeft.push_back(record.children);
    return true;
}

bool ListRecordReader::ReadSavedForm(ListRecord& record) {
    if (!ListFileFormat::HasNotes(m_version)) {
        return false;
    }
    const bool decode = m_texts == Texts::Decode;
    const std::span<const std::uint8_t> ahead = m_archive.Buffered();
    SavedBytes bytes(ahead);
    std::uint32_t checkedValue = 0;
    std::uint32_t importance = 0;
    std::uint32_t children = 0;
    if (!bytes.ShortWideString(decode ? &record.title : nullptr) || !bytes.Number(record.quantity)) {
        return false;
    }
    const std::size_t checkedOffset = bytes.Position();
    if (!bytes.Number(checkedValue) || !bytes.Number(importance) ||
        !bytes.ShortWideString(decode ? &record.notes : nullptr)) {
        return false;
    }
    const std::size_t itemBytes = bytes.Position();
    if (!bytes.Number(children)) {
        return false;
    }
    if (!decode) {
        record.title.clear();
        record.notes.clear();
    }
    record.checked = checkedValue != 0 ? 1 : 0;
    record.importance = static_cast<std::int32_t>(importance);
    record.children = ChildrenClaimed(static_cast<std::int32_t>(children));
    record.savedItem = ahead.first(itemBytes);
    record.savedCheckedOffset = checkedOffset;
    m_archive.Skip(bytes.Position());
    return true;
}

void ListRecordReader::ReadAnyForm(ListRecord& record) {
    record.savedItem = {};
    m_archive.ReadString(record.title);
    record.quantity = m_archive.ReadU32();
    record.checked = m_archive.ReadU32() != 0 ? 1 : 0;
    record.importance = m_archive.ReadI32();
    if (ListFileFormat::HasNotes(m_version)) {
        m_archive.ReadString(record.notes);
    } else {
        record.notes.clear();
    }
    record.children = ChildrenClaimed(m_archive.ReadI32());
}
