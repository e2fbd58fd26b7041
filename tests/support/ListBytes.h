// Builders for the bytes of list files, so tests can write any file, damaged ones included.
#pragma once

#include <cstdint>
#include <string>

namespace list_bytes {

inline std::string U32(std::uint32_t value) {
    std::string out;
    for (int i = 0; i < 4; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return out;
}

/// A string in the wide form with a one-byte length (below 255 units).
inline std::string Wide(const std::u16string& text) {
    std::string out = "\xFF\xFE\xFF";
    out += static_cast<char>(text.size());
    for (const char16_t unit : text) {
        out += static_cast<char>(unit & 0xFF);
        out += static_cast<char>(unit >> 8);
    }
    return out;
}

/// A string in the 8-bit form with a one-byte length.
inline std::string Narrow(const std::string& bytes) {
    return static_cast<char>(bytes.size()) + bytes;
}

/// An item record: title, quantity, checked, importance and, when given, notes.
inline std::string Item(const std::string& title, std::uint32_t quantity, std::uint32_t checked,
                        std::int32_t importance) {
    return title + U32(quantity) + U32(checked) + U32(static_cast<std::uint32_t>(importance));
}

/// The header of a version-3 file.
inline std::string Header(std::uint32_t count, std::uint32_t version = 3) {
    return U32(0xDEADBEEF) + U32(version) + U32(count);
}

/// The hidden root's item record with defaults, with or without notes.
inline std::string RootItem(bool withNotes = true) {
    return Item(Wide(u""), 1, 0, 1) + (withNotes ? Wide(u"") : std::string());
}

} // namespace list_bytes
