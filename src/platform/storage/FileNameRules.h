// The names the device's files may have: what its file system cannot hold and what its folder views
// would hide. The save and rename dialogs refuse such names, so no file is saved out of sight.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

/// The longest device path, in characters (the device's 260 with the terminator).
inline constexpr std::size_t kLongestDevicePath = 259;
/// The longest file name the host's file systems hold, in bytes of UTF-8.
inline constexpr std::size_t kLongestNameBytes = 255;

/// Why a file named `typed` (as the user typed it, without a folder) cannot be saved under that
/// name: only dots, a first dot (such files are hidden) or a last dot (the device drops it).
/// Nothing when the name can be held.
std::optional<std::u16string> RefusedNameReason(std::u16string_view typed);
/// Why the file at `path`, named `typed` by the user, cannot be held: its name or its path is
/// longer than the device or the host takes. The message names the name typed.
std::optional<std::u16string> TooLongNameReason(std::u16string_view typed, std::u16string_view path);
/// `name` ending in "." and `extension` (compared with letter case, as the folder views match):
/// unchanged when it does, else with them added ("Trip.v2" and "crv" give "Trip.v2.crv").
std::u16string WithExtension(std::u16string_view name, std::u16string_view extension);

/// The extension, with its dot, that a folder listing's pattern asks for: "*.crv" gives ".crv". A
/// pattern that does not start with "*" asks for no extension of its own: empty.
constexpr std::u16string_view ExtensionOfPattern(std::u16string_view pattern) {
    return pattern.starts_with(u'*') ? pattern.substr(1) : std::u16string_view();
}

} // namespace platform
