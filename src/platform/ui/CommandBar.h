// CCommandBar: a row of image buttons for a screen, shown in the device's menu bar while the screen
// is on top (the property sheets' OK and cancel buttons, for instance).
#pragma once

#include "platform/ui/Dialog.h"

#include <span>

/// A command bar. Its buttons send their commands to the screen it was created for; they are never
/// greyed by enabling rules. It lives as long as its owner keeps it; the screen shows the buttons.
class CCommandBar {
public:
    /// Attaches the bar to `screen` (which must be running or about to run). False for null.
    bool Create(CDialog* screen);
    /// Adds buttons with images cut from bitmap strip `bitmapId` (square cells). False when the bar
    /// has no screen or the picture does not exist.
    bool AddButtons(UINT bitmapId, std::span<const ToolButton> buttons);

private:
    CDialog* m_screen = nullptr; ///< where the buttons show; not owned
};
