// The names keys go by on command lines and in scripts (the X keyboard's names: Return, Escape,
// BackSpace, ...), and the virtual keys they stand for.
#pragma once

#include "platform/ui/WinTypes.h"

#include <string_view>
#include <vector>

/// The virtual key named `name` (case matters, as in the X names); 0 for a name it does not know.
/// Single letters and digits name their own keys.
UINT VirtualKeyFromName(std::string_view name);

/// Every key name `VirtualKeyFromName` knows besides letters and digits, in a stable order.
std::vector<std::string_view> KnownKeyNames();
