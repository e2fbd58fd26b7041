// The names keys go by on command lines and in scripts (the X keyboard's names: Return, Escape,
// BackSpace, ..., and Qt's portable ones: Esc, Del, Ins, PgUp, F2, ...), the virtual keys they stand
// for, and key combinations written as Qt's portable key sequences ("Ctrl+Shift+Z", "Alt+Up").
#pragma once

#include "platform/ui/WinTypes.h"

#include <optional>
#include <string_view>
#include <vector>

/// The virtual key named `name` (case matters, as in the X names); 0 for a name it does not know.
/// Single letters and digits name their own keys.
UINT VirtualKeyFromName(std::string_view name);

/// Every key name `VirtualKeyFromName` knows besides letters and digits, in a stable order.
std::vector<std::string_view> KnownKeyNames();

/// A key with the modifiers held with it.
struct KeyCombination {
    UINT virtualKey = 0;
    UINT modifiers = 0; ///< MK_SHIFT, MK_CONTROL and kAltDown
    bool operator==(const KeyCombination&) const = default;
};

/// The combination `text` writes as Qt's portable key sequence text: modifiers ("Ctrl", "Shift",
/// "Alt", in any case and order) joined to a key name by "+". Nothing for an unknown key or
/// modifier, a modifier given twice, or a key missing.
std::optional<KeyCombination> KeyCombinationFromText(std::string_view text);
