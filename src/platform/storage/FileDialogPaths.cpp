// Filter strings, device path parts, default extensions and wildcard matches for the file dialogs.
#include "platform/storage/FileDialogPaths.h"

#include <cwctype>

namespace platform {
namespace {
constexpr char16_t kSeparator = u'\\';
constexpr char16_t kFilterBar = u'|';
constexpr char16_t kPatternSeparator = u';';
constexpr std::u16string_view kEveryFile = u"*.*";

char16_t Folded(char16_t c) {
    return c < 0x80 ? static_cast<char16_t>(std::towlower(static_cast<wint_t>(c))) : c;
}

std::vector<std::u16string> Split(std::u16string_view text, char16_t separator) {
    std::vector<std::u16string> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == separator) {
            parts.emplace_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

bool Match(std::u16string_view name, std::u16string_view pattern) {
    // Iterative wildcard match with one remembered star: linear enough for file names.
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t starAt = std::u16string_view::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || Folded(pattern[p]) == Folded(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            starAt = p++;
            starName = n;
        } else if (starAt != std::u16string_view::npos) {
            p = starAt + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') {
        ++p;
    }
    return p == pattern.size();
}
} // namespace

std::vector<FileFilter> ParseFileFilter(std::u16string_view filter) {
    std::vector<FileFilter> entries;
    const std::vector<std::u16string> parts = Split(filter, kFilterBar);
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty() || parts[i + 1].empty()) {
            continue;
        }
        entries.push_back({parts[i], Split(parts[i + 1], kPatternSeparator)});
    }
    if (entries.empty()) {
        entries.push_back({u"All files (*.*)", {std::u16string(kEveryFile)}});
    }
    return entries;
}

bool MatchesFilePattern(std::u16string_view name, std::u16string_view pattern) {
    return pattern == kEveryFile || Match(name, pattern);
}

std::u16string DeviceFolderOf(std::u16string_view path) {
    const std::size_t last = path.rfind(kSeparator);
    if (last == std::u16string_view::npos) {
        return {};
    }
    return last == 0 ? std::u16string(1, kSeparator) : std::u16string(path.substr(0, last));
}

std::u16string DeviceNameOf(std::u16string_view path) {
    const std::size_t last = path.rfind(kSeparator);
    return std::u16string(last == std::u16string_view::npos ? path : path.substr(last + 1));
}

std::u16string JoinDevicePath(std::u16string_view folder, std::u16string_view name) {
    std::u16string joined(folder);
    if (joined.empty() || joined.back() != kSeparator) {
        joined.push_back(kSeparator);
    }
    joined.append(name);
    return joined;
}

std::u16string ParentDeviceFolder(std::u16string_view folder) {
    std::u16string_view trimmed = folder;
    while (trimmed.size() > 1 && trimmed.back() == kSeparator) {
        trimmed.remove_suffix(1);
    }
    const std::u16string parent = DeviceFolderOf(trimmed);
    return parent.empty() ? std::u16string(1, kSeparator) : parent;
}

std::u16string WithDefaultExtension(std::u16string_view name, std::u16string_view extension) {
    std::u16string result(name);
    if (extension.empty() || result.find(u'.') != std::u16string::npos) {
        return result;
    }
    result.push_back(u'.');
    result.append(extension);
    return result;
}

std::u16string ExtensionOf(std::u16string_view path) {
    const std::u16string name = DeviceNameOf(path);
    const std::size_t dot = name.rfind(u'.');
    return dot == std::u16string::npos ? std::u16string() : name.substr(dot + 1);
}

} // namespace platform
