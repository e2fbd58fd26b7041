// The name part of a path.
#include "platform/core/PathNames.h"

std::u16string_view FileNameOf(std::u16string_view path) {
    const std::size_t separator = path.find_last_of(kPathSeparators);
    return separator == std::u16string_view::npos ? path : path.substr(separator + 1);
}
