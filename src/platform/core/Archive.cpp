// Buffered archive over a CFile: byte-by-byte little-endian integers and the two string forms.
#include "platform/core/Archive.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

#include "platform/core/CompactText.h"
#include "platform/core/Strings.h"

namespace {

constexpr std::uint8_t kLengthEscape = 0xFF;        // a one-byte length of 0xFF means "longer"
constexpr std::uint16_t kWideStringMarker = 0xFFFE; // in the 16-bit slot: the string is wide
constexpr std::uint16_t kLengthIs32Bit = 0xFFFF;    // in the 16-bit slot: a 32-bit length follows
constexpr std::uint32_t kLongestShortLength = 0xFE;
constexpr std::uint32_t kFirst32BitLength = 0xFFFE;

} // namespace

CArchive::CArchive(CFile* file, Mode mode, std::size_t bufferSize)
    : m_file(file), m_mode(mode), m_buffer(std::max<std::size_t>(bufferSize, sizeof(std::uint32_t))) {
    if (m_mode == load) {
        const std::uint64_t length = m_file->GetLength();
        const std::uint64_t position = m_file->GetPosition();
        m_unreadInFile = length > position ? length - position : 0;
    }
}

CArchive::CArchive(std::string& memory, std::size_t bufferSize) : CArchive(nullptr, store, bufferSize) {
    m_memory = &memory;
}

void CArchive::RequireLoading() const {
    if (m_mode != load) {
        throw CArchiveException(ArchiveErrorCause::WriteOnly);
    }
}

void CArchive::RequireStoring() const {
    if (m_mode != store) {
        throw CArchiveException(ArchiveErrorCause::ReadOnly);
    }
}

void CArchive::Close() {
    Flush();
    m_file = nullptr;
    m_memory = nullptr;
}

void CArchive::Flush() {
    if (m_mode != store || m_cursor == 0) {
        return;
    }
    if (m_memory != nullptr) {
        m_memory->append(reinterpret_cast<const char*>(m_buffer.data()), m_cursor);
    } else if (m_file != nullptr) {
        m_file->Write(m_buffer.data(), m_cursor);
    } else {
        return;
    }
    m_cursor = 0;
}

bool CArchive::Fill() {
    const std::size_t got = m_file->Read(m_buffer.data(), m_buffer.size());
    m_unreadInFile -= std::min<std::uint64_t>(m_unreadInFile, got);
    m_cursor = 0;
    m_filled = got;
    return got != 0;
}

std::uint64_t CArchive::RemainingBytes() const {
    return (m_filled - m_cursor) + m_unreadInFile;
}

void CArchive::RequireRemaining(std::uint64_t count) const {
    if (RemainingBytes() < count) {
        throw CArchiveException(ArchiveErrorCause::EndOfFile);
    }
}

std::size_t CArchive::Read(void* buffer, std::size_t count) {
    RequireLoading();
    auto* out = static_cast<std::uint8_t*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        if (m_cursor == m_filled && !Fill()) {
            break;
        }
        const std::size_t step = std::min(count - done, m_filled - m_cursor);
        std::memcpy(out + done, m_buffer.data() + m_cursor, step);
        m_cursor += step;
        done += step;
    }
    return done;
}

void CArchive::ReadExact(void* buffer, std::size_t count) {
    if (Read(buffer, count) != count) {
        throw CArchiveException(ArchiveErrorCause::EndOfFile);
    }
}

void CArchive::Write(const void* buffer, std::size_t count) {
    RequireStoring();
    const auto* in = static_cast<const std::uint8_t*>(buffer);
    while (count > 0) {
        if (m_cursor == m_buffer.size()) {
            Flush();
        }
        const std::size_t step = std::min(count, m_buffer.size() - m_cursor);
        std::memcpy(m_buffer.data() + m_cursor, in, step);
        m_cursor += step;
        in += step;
        count -= step;
    }
}

std::uint8_t CArchive::ReadByteSlow() {
    RequireLoading();
    if (m_cursor == m_filled && !Fill()) {
        throw CArchiveException(ArchiveErrorCause::EndOfFile);
    }
    return m_buffer[m_cursor++];
}

std::uint16_t CArchive::ReadU16Slow() {
    const std::uint16_t low = ReadByte();
    const std::uint16_t high = ReadByte();
    return static_cast<std::uint16_t>(low | (high << kBitsPerByte));
}

std::uint32_t CArchive::ReadU32Slow() {
    std::uint32_t value = 0;
    for (unsigned i = 0; i < sizeof(value); ++i) {
        value |= static_cast<std::uint32_t>(ReadByte()) << (kBitsPerByte * i);
    }
    return value;
}

void CArchive::WriteByteSlow(std::uint8_t value) {
    RequireStoring();
    if (m_cursor == m_buffer.size()) {
        Flush();
    }
    m_buffer[m_cursor++] = value;
}

std::uint32_t CArchive::ReadStringLength(bool& marker) {
    marker = false;
    const std::uint8_t shortLength = ReadByte();
    if (shortLength != kLengthEscape) {
        return shortLength;
    }
    const std::uint16_t midLength = ReadU16();
    if (midLength == kWideStringMarker) {
        marker = true;
        return 0;
    }
    if (midLength == kLengthIs32Bit) {
        return ReadU32();
    }
    return midLength;
}

std::u16string CArchive::ReadString() {
    std::u16string text;
    ReadString(text);
    return text;
}

void CArchive::ReadString(std::u16string& text) {
    ReadStringInto([&text](std::size_t length) {
        text.resize(length);
        return text.data();
    });
}

void CArchive::ReadString(CompactText& out, TextArena& arena) {
    ReadStringInto(
        [&](std::size_t length) { return out.ResizeInArena(arena, static_cast<std::uint32_t>(length)); });
}

void CArchive::ReadStringInto(const std::function<char16_t*(std::size_t)>& reserve) {
    bool marker = false;
    std::uint32_t length = ReadStringLength(marker);
    const bool wide = marker;
    if (wide) {
        length = ReadStringLength(marker);
        if (marker) {
            throw CArchiveException(ArchiveErrorCause::BadString);
        }
    }
    const std::uint64_t bytesPerChar = wide ? sizeof(char16_t) : 1;
    RequireRemaining(bytesPerChar * length);
    if (!wide) {
        std::string bytes(length, '\0');
        ReadExact(bytes.data(), length);
        const std::u16string decoded = FromUtf8OrCp1252(bytes);
        std::copy(decoded.begin(), decoded.end(), reserve(decoded.size()));
        return;
    }
    char16_t* const units = reserve(length);
    std::size_t done = 0;
    while (done < length) {
        // Whole code units already in the buffer go in one tight pass; a unit split across two
        // buffers is read on its own.
        const std::size_t buffered =
            std::min<std::size_t>(length - done, (m_filled - m_cursor) / sizeof(char16_t));
        const std::uint8_t* in = m_buffer.data() + m_cursor;
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(units + done, in, buffered * sizeof(char16_t)); // the file's order already
        } else {
            for (std::size_t i = 0; i < buffered; ++i) {
                units[done + i] = static_cast<char16_t>(in[2 * i] | (in[2 * i + 1] << kBitsPerByte));
            }
        }
        m_cursor += buffered * sizeof(char16_t);
        done += buffered;
        if (done < length) {
            units[done++] = ReadU16();
        }
    }
}

void CArchive::WriteString(std::u16string_view text) {
    if (text.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw CArchiveException(ArchiveErrorCause::Generic);
    }
    const auto length = static_cast<std::uint32_t>(text.size());
    WriteByte(kLengthEscape);
    WriteU16(kWideStringMarker);
    if (length <= kLongestShortLength) {
        WriteByte(static_cast<std::uint8_t>(length));
    } else if (length < kFirst32BitLength) {
        WriteByte(kLengthEscape);
        WriteU16(static_cast<std::uint16_t>(length));
    } else {
        WriteByte(kLengthEscape);
        WriteU16(kLengthIs32Bit);
        WriteU32(length);
    }
    std::size_t done = 0;
    while (done < text.size()) {
        if (m_cursor == m_buffer.size()) {
            Flush();
        }
        const std::size_t room =
            std::min(text.size() - done, (m_buffer.size() - m_cursor) / sizeof(char16_t));
        if (room == 0) {
            WriteU16(text[done++]); // one byte of room left: this unit straddles two buffers
            continue;
        }
        std::uint8_t* out = m_buffer.data() + m_cursor;
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(out, text.data() + done, room * sizeof(char16_t)); // already the file's order
        } else {
            for (std::size_t i = 0; i < room; ++i) {
                out[2 * i] = static_cast<std::uint8_t>(text[done + i]);
                out[2 * i + 1] = static_cast<std::uint8_t>(text[done + i] >> kBitsPerByte);
            }
        }
        m_cursor += room * sizeof(char16_t);
        done += room;
    }
}
