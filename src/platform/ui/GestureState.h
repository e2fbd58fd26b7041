// What the tap-and-hold recogniser needs to know about the pen down being handled, and the test
// override that makes it answer at once. Platform-internal.
#pragma once

#include <optional>

namespace platform {

/// Set by the window layer before it calls a pen-down handler: whether the press was a right click
/// (which counts as a hold without waiting).
void SetPenDownIsRightClick(bool rightClick);
bool PenDownIsRightClick();

/// The forced answer of the recogniser (true = hold), or nothing to watch the pen for real.
void SetGestureOverride(std::optional<bool> hold);
std::optional<bool> GestureOverride();

} // namespace platform
