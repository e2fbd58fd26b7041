// Parsing and writing the registry file's text.
#include "platform/storage/RegistryText.h"

#include "platform/core/Strings.h"

#include <algorithm>

namespace {

constexpr char kSectionStart = '[';
constexpr char kSectionEnd = ']';
constexpr char kNameEnd = '=';
constexpr char kLineFeed = '\n';
constexpr char kCarriageReturn = '\r';

/// The line without its end (LF, or CR LF).
std::string_view WithoutLineEnd(std::string_view line) {
    if (!line.empty() && line.back() == kCarriageReturn) {
        line.remove_suffix(1);
    }
    return line;
}

bool HasLineBreak(std::u16string_view text) {
    return text.find_first_of(u"\r\n") != std::u16string_view::npos;
}

} // namespace

std::vector<RegistryEntry> ParseRegistryText(std::string_view text) {
    std::vector<RegistryEntry> entries;
    std::u16string section;
    bool inSection = false;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(kLineFeed), text.size());
        const std::string_view line = WithoutLineEnd(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.size() >= 2 && line.front() == kSectionStart && line.back() == kSectionEnd) {
            section = FromUtf8OrCp1252(line.substr(1, line.size() - 2));
            inSection = true;
            continue;
        }
        const std::size_t equals = line.find(kNameEnd);
        if (!inSection || equals == std::string_view::npos || equals == 0) {
            continue;
        }
        entries.push_back(
            {section, FromUtf8OrCp1252(line.substr(0, equals)), FromUtf8OrCp1252(line.substr(equals + 1))});
    }
    return entries;
}

std::string FormatRegistryText(const std::vector<RegistryEntry>& entries) {
    std::vector<std::u16string> keys;
    for (const RegistryEntry& entry : entries) {
        if (std::find(keys.begin(), keys.end(), entry.key) == keys.end()) {
            keys.push_back(entry.key);
        }
    }
    std::string text;
    for (const std::u16string& key : keys) {
        if (!text.empty()) {
            text += kLineFeed;
        }
        text += kSectionStart + ToUtf8(key) + kSectionEnd + kLineFeed;
        for (const RegistryEntry& entry : entries) {
            if (entry.key == key) {
                text += ToUtf8(entry.name) + kNameEnd + ToUtf8(entry.value) + kLineFeed;
            }
        }
    }
    return text;
}

bool IsStorableValue(std::u16string_view value) {
    return !HasLineBreak(value);
}

bool IsStorableName(std::u16string_view name) {
    return !name.empty() && !HasLineBreak(name) && name.find_first_of(u"=[]") == std::u16string_view::npos;
}
