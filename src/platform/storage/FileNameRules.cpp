// The device's file name rules, without a screen.
#include "platform/storage/FileNameRules.h"

#include "platform/storage/FileDialogPaths.h"
#include "platform/storage/HostNames.h"

#include <algorithm>

namespace platform {
namespace {

constexpr char16_t kDot = u'.';

} // namespace

std::optional<std::u16string> RefusedNameReason(std::u16string_view typed) {
    if (typed.empty()) {
        return std::nullopt; // no name at all is the path rules' business
    }
    if (std::all_of(typed.begin(), typed.end(), [](char16_t unit) { return unit == kDot; })) {
        return u"A file name cannot be made of dots only.";
    }
    if (typed.front() == kDot) {
        return u"A file name cannot start with a dot: the file would be hidden.";
    }
    if (typed.back() == kDot) {
        return u"A file name cannot end with a dot.";
    }
    return std::nullopt;
}

std::optional<std::u16string> TooLongNameReason(std::u16string_view typed, std::u16string_view path) {
    if (path.size() > kLongestDevicePath ||
        HostBytesFromName(DeviceNameOf(path)).size() > kLongestNameBytes) {
        return u"The name " + std::u16string(typed) + u" is too long.";
    }
    return std::nullopt;
}

std::u16string WithExtension(std::u16string_view name, std::u16string_view extension) {
    std::u16string result(name);
    if (extension.empty() || ExtensionOf(name) == extension) {
        return result;
    }
    result.push_back(kDot);
    result.append(extension);
    return result;
}

} // namespace platform
