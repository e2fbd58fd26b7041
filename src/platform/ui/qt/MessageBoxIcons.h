// The message box icons: stop, question, exclamation and information. Platform-internal.
#pragma once

#include "platform/ui/WinTypes.h"

#include <QPainter>
#include <QRect>

namespace platform {

/// Draws the icon of a message box `type` (its MB_ICON... bits) filling `box`; nothing without one.
void DrawMessageBoxIcon(QPainter& painter, const QRect& box, UINT type);

} // namespace platform
