// How a path the program uses becomes a path of the host's file system. The default takes the path as
// it is (UTF-8); the device storage installs a resolver that maps device paths ("\Lists\Shop.crv")
// into the device root.
#pragma once

#include <functional>
#include <string>
#include <string_view>

/// Turns a program path into a host file-system path.
using HostPathResolver = std::function<std::string(std::u16string_view path)>;

/// The host path of `path` through the installed resolver.
std::string ToHostPath(std::u16string_view path);

/// Installs `resolver` (an empty one restores the default) and returns the previous one.
HostPathResolver SetHostPathResolver(HostPathResolver resolver);
