// Hooks through which the UI test helpers stand in for the user at message boxes and popup menus.
// Platform-internal; only src/platform/ui/testing sets them.
#pragma once

#include "platform/ui/Geometry.h"
#include "platform/ui/WinTypes.h"

#include <functional>
#include <string>
#include <vector>

namespace platform {

/// A menu entry as it is about to be shown.
struct MenuEntryView {
    std::u16string text; ///< without ampersands
    UINT commandId = 0;
    bool separator = false;
    bool enabled = false;
};

/// Answers a popup menu instead of showing it: the command picked, or 0.
using MenuHook = std::function<UINT(const std::vector<MenuEntryView>& entries, CPoint screenPoint)>;
/// Answers a message box instead of showing it: the button result.
using MessageBoxHook = std::function<int(const std::u16string& title, const std::u16string& text, UINT type)>;

void SetMenuHook(MenuHook hook);
const MenuHook& CurrentMenuHook();
void SetMessageBoxHook(MessageBoxHook hook);
const MessageBoxHook& CurrentMessageBoxHook();

} // namespace platform
