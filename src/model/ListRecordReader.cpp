// Node records of a list file read one by one, each from the read-ahead in one pass when it lies
// there in the form every save writes.
#include "model/ListRecordReader.h"

#include <cstring>

#include "model/ListFileFormat.h"
#include "model/SavedRecordBytes.h"
#include "platform/core/Archive.h"

namespace {

std::uint32_t ChildrenClaimed(std::int32_t count) {
    return count <= 0 ? 0 : static_cast<std::uint32_t>(count);
}

/// A wide string with a one-byte length; its units are copied into `text` when it is given.
bool ShortWideString(SavedRecordBytes& bytes, std::u16string* text) {
    std::span<const std::uint8_t> units;
    if (!bytes.ShortWideString(units)) {
        return false;
    }
    if (text != nullptr) {
        text->resize(units.size() / sizeof(char16_t));
        SavedRecordBytes::PutUnits(units, text->data(),
                                   [](unsigned char* to, const unsigned char* from, std::size_t bytes) {
                                       std::memcpy(to, from, bytes);
                                   });
    }
    return true;
}

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
    SavedRecordBytes bytes(ahead);
    std::uint32_t checkedValue = 0;
    std::uint32_t importance = 0;
    std::uint32_t children = 0;
    if (!ShortWideString(bytes, decode ? &record.title : nullptr) || !bytes.Number(record.quantity)) {
        return false;
    }
    const std::size_t checkedOffset = bytes.Position();
    if (!bytes.Number(checkedValue) || !bytes.Number(importance) ||
        !ShortWideString(bytes, decode ? &record.notes : nullptr)) {
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
