// The name part of a path, for device paths and host paths alike.
#pragma once

#include <string_view>

/// The separators of the two kinds of path the program meets: the backslash of a device path
/// ("\Lists\Shop.crv") and the slash of a host path ("/tmp/Shop.crv").
inline constexpr std::u16string_view kPathSeparators = u"\\/";

/// The part of `path` after its last separator of either kind; the whole path when it has none.
/// The answer looks into `path`'s own characters.
std::u16string_view FileNameOf(std::u16string_view path);
