// The application-wide keyboard hook: every key press and release passes the application's
// pre-translation before any window sees it. Platform-internal.
#pragma once

#include "platform/ui/WinTypes.h"

namespace platform {

/// Installs the hook once (the device window does this when it is made).
void InstallKeyHook();
/// The windows' own pre-translation: the focused window's, then each parent's up to its screen.
bool RunWindowsPreTranslate(MSG& msg);

} // namespace platform
