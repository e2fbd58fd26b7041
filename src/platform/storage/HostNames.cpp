// Host file names turned into the program's text and back, keeping bytes that are not UTF-8.
#include "platform/storage/HostNames.h"

#include "platform/core/Strings.h"

#include <algorithm>

namespace {

/// Where NameFromHostBytes keeps a byte that is not part of valid UTF-8.
constexpr char16_t kKeptByteBase = 0xDC00;
constexpr unsigned kFirstKeptByte = 0x80;
constexpr unsigned kLastKeptByte = 0xFF;

bool IsKeptByte(char16_t unit) {
    return unit >= kKeptByteBase + kFirstKeptByte && unit <= kKeptByteBase + kLastKeptByte;
}

/// True when the bytes read back unchanged through the program's UTF-8 decoding.
bool IsValidUtf8(std::string_view bytes) {
    return ToUtf8(FromUtf8OrCp1252(bytes)) == bytes;
}

/// The bytes that `name`'s kept units stand for, other units in UTF-8.
std::string BytesOf(std::u16string_view name) {
    std::string bytes;
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (IsKeptByte(name[i])) {
            AppendUtf8(bytes, name.substr(runStart, i - runStart));
            bytes.push_back(static_cast<char>(name[i] - kKeptByteBase));
            runStart = i + 1;
        }
    }
    AppendUtf8(bytes, name.substr(runStart));
    return bytes;
}

} // namespace

std::u16string NameFromHostBytes(std::string_view bytes) {
    if (IsValidUtf8(bytes)) {
        return FromUtf8OrCp1252(bytes);
    }
    std::u16string name;
    name.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        name.push_back(value >= kFirstKeptByte ? static_cast<char16_t>(kKeptByteBase + value)
                                               : static_cast<char16_t>(value));
    }
    return name;
}

std::string HostBytesFromName(std::u16string_view name) {
    return BytesOf(name);
}

std::u16string ReadableName(std::u16string_view name) {
    if (std::none_of(name.begin(), name.end(), IsKeptByte)) {
        return std::u16string(name);
    }
    return FromUtf8OrCp1252(BytesOf(name));
}
