// Notification records a control sends to its parent: the common header and the tap-and-hold
// record that carries the screen point of the hold.
#pragma once

#include "platform/ui/Geometry.h"
#include "platform/ui/WinTypes.h"

class CWnd;

/// The header every notification starts with.
struct NMHDR {
    CWnd* hwndFrom = nullptr; ///< the control that sends it
    UINT idFrom = 0;          ///< that control's id in its dialog
    UINT code = 0;            ///< what happened
};

/// Notification code of a recognised tap-and-hold (also the recogniser's answer).
constexpr UINT GN_CONTEXTMENU = 1000;

/// The tap-and-hold notification: the header, then the point of the hold in screen coordinates.
struct NMRGINFO {
    NMHDR hdr;
    CPoint ptAction;
};
