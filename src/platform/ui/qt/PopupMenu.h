// Popup menus drawn inside the device window: drop-downs of the menu bar and context menus.
// Platform-internal.
#pragma once

#include "platform/ui/Menu.h"

#include <QPoint>

class CWnd;

namespace platform {

/// Which corner of the popup sits at the anchor point.
enum class PopupAnchor { TopLeft, BottomLeft };

/// Shows `menu` (its command items enabled by `owner`'s enabling rules) at `anchor` (device screen
/// coordinates), kept inside the screen, and blocks until it closes. Answers the chosen command,
/// or 0 when the user tapped outside or pressed Escape.
UINT RunPopupMenu(const CMenu& menu, QPoint anchor, PopupAnchor corner, const CWnd* owner);

} // namespace platform
