// What a screen's menu bar shows: drop-down buttons (each opening one popup of a menu) and tool
// buttons (a command with an image, or a gap). Platform-internal.
#pragma once

#include "platform/ui/Menu.h"

#include <QImage>

#include <string>
#include <vector>

namespace platform {

/// One button of the menu bar.
struct MenuBarButton {
    enum class Type { DropDown, Tool, Gap };
    Type type = Type::DropDown;
    std::u16string label;         ///< drop-down: its label, ampersands removed
    const CMenu* popup = nullptr; ///< drop-down: the popup it opens (inside the model's menu)
    UINT commandId = 0;           ///< tool: the command it sends
    QImage image;                 ///< tool: its picture
};

/// A screen's menu bar.
struct MenuBarModel {
    CMenu menu;                         ///< the loaded menu the drop-downs open popups of
    std::vector<MenuBarButton> buttons; ///< left to right
};

} // namespace platform
