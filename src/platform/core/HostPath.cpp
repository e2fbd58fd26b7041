// The host-path resolver hook and its pass-through default.
#include "platform/core/HostPath.h"

#include <utility>

#include "platform/core/Strings.h"

namespace {

// One resolver for the process: every file the program opens goes through the same mapping.
HostPathResolver& InstalledResolver() {
    static HostPathResolver resolver;
    return resolver;
}

} // namespace

std::string ToHostPath(std::u16string_view path) {
    const HostPathResolver& resolver = InstalledResolver();
    return resolver ? resolver(path) : ToUtf8(path);
}

HostPathResolver SetHostPathResolver(HostPathResolver resolver) {
    HostPathResolver previous = std::move(InstalledResolver());
    InstalledResolver() = std::move(resolver);
    return previous;
}
