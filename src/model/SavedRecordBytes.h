// A cursor over a list file's read-ahead for node records in the form every save writes: numbers in
// the file's order and wide strings with a one-byte length. Both the tree's loader and the one-pass
// record reader take records this way before falling back to the archive's own reads.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "model/ListFileFormat.h"

/// Answers false, instead of reading on, where a record would run past the read-ahead or leave the
/// saved form.
class SavedRecordBytes {
public:
    explicit SavedRecordBytes(std::span<const std::uint8_t> bytes)
        : m_start(bytes.data()), m_at(bytes.data()), m_end(bytes.data() + bytes.size()) {}

    bool Number(std::uint32_t& value) {
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

    /// A wide string with a one-byte length: `units` gets the bytes of its UTF-16 units, in the
    /// file's order, for PutUnits.
    bool ShortWideString(std::span<const std::uint8_t>& units) {
        using namespace ListFileFormat;
        if (m_end - m_at < static_cast<std::ptrdiff_t>(kWideHeadBytes) || m_at[0] != kLengthEscape ||
            m_at[1] != kWideMarkerLow || m_at[2] != kWideMarkerHigh || m_at[3] == kLongerLength) {
            return false;
        }
        const std::size_t bytes = m_at[3] * sizeof(char16_t);
        if (static_cast<std::size_t>(m_end - m_at) - kWideHeadBytes < bytes) {
            return false;
        }
        units = {m_at + kWideHeadBytes, bytes};
        m_at += kWideHeadBytes + bytes;
        return true;
    }

    /// How many bytes of the read-ahead the records taken so far fill.
    std::size_t Position() const { return static_cast<std::size_t>(m_at - m_start); }

    /// Puts the units of a string's `bytes` into `units`; where the machine's order is the file's,
    /// `move(to, from, byteCount)` copies them as they are.
    template <class Move>
    static void PutUnits(std::span<const std::uint8_t> bytes, char16_t* units, Move move) {
        if constexpr (std::endian::native == std::endian::little) {
            move(reinterpret_cast<unsigned char*>(units), bytes.data(), bytes.size());
        } else {
            for (std::size_t i = 0; i < bytes.size() / sizeof(char16_t); ++i) {
                units[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << kBitsPerByte));
            }
        }
    }

private:
    static constexpr unsigned kBitsPerByte = 8;

    const std::uint8_t* m_start;
    const std::uint8_t* m_at;
    const std::uint8_t* m_end;
};
