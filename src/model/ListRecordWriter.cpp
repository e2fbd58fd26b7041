// A list file written record by record: saved-form items are copied with their flag set again, any
// other item is written as the archive writes it.
#include "model/ListRecordWriter.h"

#include <algorithm>
#include <bit>
#include <limits>

#include "model/ListFileFormat.h"
#include "platform/core/Archive.h"
#include "platform/core/File.h"

namespace {

constexpr std::size_t kBlockBytes = 64 * 1024;
constexpr unsigned kBitsPerByte = 8;
constexpr std::size_t kNumberBytes = sizeof(std::uint32_t);
/// Where the header keeps the item count: after the marker and the version.
constexpr std::uint64_t kItemCountPlace = 2 * kNumberBytes;

// The archive's wide string form: FF, the marker FFFE, then the length in one byte up to 254, else
// FF and 16 bits below FFFE, else FF, FFFF and 32 bits; then the units, little-endian.
constexpr char kLengthEscape = '\xFF';
constexpr char kWideMarker[] = {'\xFE', '\xFF'};
constexpr std::uint32_t kLongestShortLength = 0xFE;
constexpr std::uint32_t kFirst32BitLength = 0xFFFE;
constexpr std::uint16_t kLengthIs32Bit = 0xFFFF;

// The number's bytes, little-endian, at `out`; answers the place after them.
char* EncodeNumber(std::uint32_t value, char* out) {
    for (std::size_t i = 0; i < kNumberBytes; ++i) {
        *out++ = static_cast<char>(value >> (kBitsPerByte * i));
    }
    return out;
}

// The most bytes a text's head (escape, marker and length) takes.
constexpr std::size_t kLongestTextHead = 1 + sizeof(kWideMarker) + 1 + sizeof(kLengthIs32Bit) + kNumberBytes;

// The text in the archive's wide string form at `out`, room for its head and units; answers the
// place after it.
char* EncodeText(std::u16string_view text, char* out) {
    if (text.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw CArchiveException(ArchiveErrorCause::Generic);
    }
    const auto length = static_cast<std::uint32_t>(text.size());
    *out++ = kLengthEscape;
    out = std::copy(std::begin(kWideMarker), std::end(kWideMarker), out);
    if (length <= kLongestShortLength) {
        *out++ = static_cast<char>(length);
    } else if (length < kFirst32BitLength) {
        *out++ = kLengthEscape;
        *out++ = static_cast<char>(length);
        *out++ = static_cast<char>(length >> kBitsPerByte);
    } else {
        *out++ = kLengthEscape;
        *out++ = static_cast<char>(kLengthIs32Bit);
        *out++ = static_cast<char>(kLengthIs32Bit >> kBitsPerByte);
        out = EncodeNumber(length, out);
    }
    // A text is most of a record's bytes: where memory holds units as the file does, they are copied.
    if constexpr (std::endian::native == std::endian::little) {
        out = std::copy_n(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t), out);
    } else {
        for (const char16_t unit : text) {
            *out++ = static_cast<char>(unit);
            *out++ = static_cast<char>(unit >> kBitsPerByte);
        }
    }
    return out;
}

} // namespace

ListRecordWriter::ListRecordWriter(CFile& file) : m_file(file) {
    m_block.reserve(kBlockBytes * 2);
    PutNumber(ListFileFormat::kMarker);
    PutNumber(static_cast<std::uint32_t>(ListFileFormat::kCurrentVersion));
    PutNumber(0);
}

void ListRecordWriter::PutNumber(std::uint32_t value) {
    char bytes[kNumberBytes];
    m_block.append(bytes, EncodeNumber(value, bytes));
}

ListRecordWriter::CountPlace ListRecordWriter::Write(const ListRecord& record, std::uint8_t checked,
                                                     std::uint32_t children) {
    if (!record.savedItem.empty()) {
        const auto* const bytes = reinterpret_cast<const char*>(record.savedItem.data());
        m_block.append(bytes, record.savedCheckedOffset);
        PutNumber(checked);
        const std::size_t afterChecked = record.savedCheckedOffset + kNumberBytes;
        m_block.append(bytes + afterChecked, record.savedItem.size() - afterChecked);
        const CountPlace place = m_blockStart + m_block.size();
        PutNumber(children);
        return place;
    }
    // Room for the longest form first, then each field in place: one growth of the block a record.
    constexpr std::size_t kNumbersBeforeCount = 3;
    const std::size_t at = m_block.size();
    m_block.resize(at + 2 * kLongestTextHead +
                   (record.title.size() + record.notes.size()) * sizeof(char16_t) +
                   (kNumbersBeforeCount + 1) * kNumberBytes);
    char* const start = m_block.data();
    char* out = EncodeText(record.title, start + at);
    out = EncodeNumber(record.quantity, out);
    out = EncodeNumber(checked, out);
    out = EncodeNumber(static_cast<std::uint32_t>(record.importance), out);
    out = EncodeText(record.notes, out);
    const CountPlace place = m_blockStart + static_cast<std::size_t>(out - start);
    out = EncodeNumber(children, out);
    m_block.resize(static_cast<std::size_t>(out - start));
    return place;
}

void ListRecordWriter::PutNumberAt(std::uint64_t place, std::uint32_t value) {
    char bytes[kNumberBytes];
    for (std::size_t i = 0; i < kNumberBytes; ++i) {
        bytes[i] = static_cast<char>(value >> (kBitsPerByte * i));
    }
    if (place >= m_blockStart) {
        std::copy(bytes, bytes + kNumberBytes,
                  m_block.begin() + static_cast<std::ptrdiff_t>(place - m_blockStart));
        return;
    }
    // Written already: changed in the file, which then goes on where the block will go.
    m_file.Seek(static_cast<std::int64_t>(place), CFile::SeekFrom::Begin);
    m_file.Write(bytes, kNumberBytes);
    m_file.Seek(static_cast<std::int64_t>(m_blockStart), CFile::SeekFrom::Begin);
}

void ListRecordWriter::SetChildren(CountPlace place, std::uint32_t children) {
    PutNumberAt(place, children);
}

void ListRecordWriter::WriteOut(std::size_t bytes) {
    m_file.Write(m_block.data(), bytes);
    m_block.erase(0, bytes);
    m_blockStart += bytes;
}

void ListRecordWriter::Release(CountPlace held) {
    if (held <= m_blockStart) {
        return;
    }
    const std::uint64_t free = std::min<std::uint64_t>(held - m_blockStart, m_block.size());
    if (free >= kBlockBytes) {
        WriteOut(static_cast<std::size_t>(free));
    }
}

void ListRecordWriter::Finish(std::uint32_t itemCount) {
    PutNumberAt(kItemCountPlace, itemCount);
    WriteOut(m_block.size());
}
