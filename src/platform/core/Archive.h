// The archive: a buffered reader or writer of binary data over a `CFile`, with little-endian integers
// assembled byte by byte (so a value may start at any offset) and the framework's two string forms.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/ArchiveException.h"
#include "platform/core/File.h"

class CompactText;
class TextArena;

/// Loads from or stores into one file through a buffer. Running out of data raises a
/// `CArchiveException` with the end-of-file cause; the file's own failures pass through as
/// `CFileException`.
class CArchive {
public:
    enum Mode { store = 0, load = 1 };
    /// The buffer size list files are read and written with.
    static constexpr std::size_t kDefaultBufferSize = 4096;
    /// Integers are assembled from and split into bytes of this many bits, lowest first.
    static constexpr unsigned kBitsPerByte = 8;

    CArchive(CFile* file, Mode mode, std::size_t bufferSize = kDefaultBufferSize);
    /// A storing archive that appends what it writes to `memory` rather than to a file.
    explicit CArchive(std::string& memory, std::size_t bufferSize = kDefaultBufferSize);
    /// An archive still open when destroyed is aborted: buffered bytes are not written, since the
    /// destructor cannot report a failure. Call `Close` to finish a store.
    ~CArchive() = default;
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsStoring() const { return m_mode == store; }

    /// Writes out what is buffered (storing) and detaches from the file; the file stays open.
    void Close();
    /// Writes out what is buffered; nothing for a loading archive.
    void Flush();

    /// Reads up to `count` bytes; returns how many there were.
    std::size_t Read(void* buffer, std::size_t count);
    /// Reads exactly `count` bytes or throws with the end-of-file cause.
    void ReadExact(void* buffer, std::size_t count);
    /// The bytes a loading archive has read ahead and not yet handed out, for readers that take a
    /// whole record at once when it lies there; `Skip` hands them out.
    std::span<const std::uint8_t> Buffered() const {
        if (m_mode != load) {
            return {};
        }
        return {m_buffer.data() + m_cursor, m_filled - m_cursor};
    }
    /// Hands out `count` bytes of `Buffered()`.
    void Skip(std::size_t count) { m_cursor += count; }
    void Write(const void* buffer, std::size_t count);

    std::uint8_t ReadByte() {
        if (m_mode == load && m_cursor < m_filled) {
            return m_buffer[m_cursor++];
        }
        return ReadByteSlow();
    }
    std::uint16_t ReadU16() {
        if (m_mode == load && m_filled - m_cursor >= sizeof(std::uint16_t)) {
            return static_cast<std::uint16_t>(AssembleLittleEndian(sizeof(std::uint16_t)));
        }
        return ReadU16Slow();
    }
    std::uint32_t ReadU32() {
        if (m_mode == load && m_filled - m_cursor >= sizeof(std::uint32_t)) {
            return AssembleLittleEndian(sizeof(std::uint32_t));
        }
        return ReadU32Slow();
    }
    std::int32_t ReadI32() { return static_cast<std::int32_t>(ReadU32()); }
    void WriteByte(std::uint8_t value) {
        if (m_mode == store && m_cursor < m_buffer.size()) {
            m_buffer[m_cursor++] = value;
            return;
        }
        WriteByteSlow(value);
    }
    void WriteU16(std::uint16_t value) { WriteLittleEndian(value, sizeof(value)); }
    void WriteU32(std::uint32_t value) { WriteLittleEndian(value, sizeof(value)); }
    void WriteI32(std::int32_t value) { WriteU32(static_cast<std::uint32_t>(value)); }

    /// Reads a string in either form: wide (the 0xFFFE marker, then a length in 16-bit units) or
    /// 8-bit (a length in bytes, decoded as UTF-8 or else byte by byte as Windows-1252). The length is
    /// checked against the data that remains before anything is reserved.
    std::u16string ReadString();
    /// `ReadString` into `out`, reusing its storage.
    void ReadString(std::u16string& out);
    /// `ReadString` into `out`, its units in `arena`: a list's million titles go straight from the
    /// buffer into their final place.
    void ReadString(CompactText& out, TextArena& arena);
    /// Writes `text` in the wide form: FF FE FF, the length, the UTF-16 little-endian code units.
    void WriteString(std::u16string_view text);

    /// The bytes a loading archive has not yet handed out (buffered plus still in the file).
    std::uint64_t RemainingBytes() const;
    /// Throws with the end-of-file cause unless at least `count` bytes remain.
    void RequireRemaining(std::uint64_t count) const;

private:
    /// Takes `count` buffered bytes as one little-endian number, byte by byte (any offset works).
    std::uint32_t AssembleLittleEndian(std::size_t count) {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < count; ++i) {
            value |= static_cast<std::uint32_t>(m_buffer[m_cursor + i]) << (kBitsPerByte * i);
        }
        m_cursor += count;
        return value;
    }
    /// Puts `count` bytes of `value` out, lowest first.
    void WriteLittleEndian(std::uint32_t value, std::size_t count) {
        if (m_mode == store && m_buffer.size() - m_cursor >= count) {
            for (std::size_t i = 0; i < count; ++i) {
                m_buffer[m_cursor + i] = static_cast<std::uint8_t>(value >> (kBitsPerByte * i));
            }
            m_cursor += count;
            return;
        }
        for (std::size_t i = 0; i < count; ++i) {
            WriteByte(static_cast<std::uint8_t>(value >> (kBitsPerByte * i)));
        }
    }
    std::uint8_t ReadByteSlow();
    std::uint16_t ReadU16Slow();
    std::uint32_t ReadU32Slow();
    void WriteByteSlow(std::uint8_t value);
    void RequireLoading() const;
    void RequireStoring() const;
    /// Refills the buffer with what the file still holds; returns false at its end.
    bool Fill();
    /// Reads the length part of a string; `marker` tells whether it was the wide-string marker.
    std::uint32_t ReadStringLength(bool& marker);
    /// Reads a string into the units `reserve(length)` makes room for.
    void ReadStringInto(const std::function<char16_t*(std::size_t)>& reserve);

    CFile* m_file;
    std::string* m_memory = nullptr; ///< where a storing archive without a file puts its bytes
    Mode m_mode;
    std::vector<std::uint8_t> m_buffer;
    /// Loading: the next byte to hand out. Storing: where the next byte goes.
    std::size_t m_cursor = 0;
    /// Loading: how many bytes of the buffer hold data.
    std::size_t m_filled = 0;
    /// Loading: file bytes not yet pulled into the buffer, known from the file's length at start.
    std::uint64_t m_unreadInFile = 0;
};

inline CArchive& operator<<(CArchive& ar, std::uint8_t v) {
    ar.WriteByte(v);
    return ar;
}
inline CArchive& operator<<(CArchive& ar, std::uint16_t v) {
    ar.WriteU16(v);
    return ar;
}
inline CArchive& operator<<(CArchive& ar, std::uint32_t v) {
    ar.WriteU32(v);
    return ar;
}
inline CArchive& operator<<(CArchive& ar, std::int32_t v) {
    ar.WriteI32(v);
    return ar;
}
inline CArchive& operator>>(CArchive& ar, std::uint8_t& v) {
    v = ar.ReadByte();
    return ar;
}
inline CArchive& operator>>(CArchive& ar, std::uint16_t& v) {
    v = ar.ReadU16();
    return ar;
}
inline CArchive& operator>>(CArchive& ar, std::uint32_t& v) {
    v = ar.ReadU32();
    return ar;
}
inline CArchive& operator>>(CArchive& ar, std::int32_t& v) {
    v = ar.ReadI32();
    return ar;
}
