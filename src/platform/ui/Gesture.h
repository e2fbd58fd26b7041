// The tap-and-hold recogniser: the pen held still about half a second (or a right click) is the
// context-menu gesture.
#pragma once

#include "platform/ui/Geometry.h"
#include "platform/ui/WinTypes.h"

class CWnd;

/// SHRGINFO flags: answer the gesture as the result / also notify the parent window.
constexpr DWORD SHRG_RETURNCMD = 0x00000001;
constexpr DWORD SHRG_NOTIFYPARENT = 0x00000002;

/// A request to the recogniser, made on a pen down.
struct SHRGINFO {
    DWORD cbSize = 20;          ///< size of the record, 20
    CWnd* hwndClient = nullptr; ///< the window the pen went down on
    CPoint ptDown;              ///< the pen point in that window's client coordinates
    DWORD dwFlags = 0;          ///< SHRG_RETURNCMD and/or SHRG_NOTIFYPARENT
};

/// Pen held still within this many pixels of its down point still counts as a hold.
constexpr int kHoldTolerancePixels = 4;
/// How long the pen must be held still to make a hold.
constexpr int kHoldMilliseconds = 500;

/// Called on a pen down: waits (running the message loop) until the pen is lifted, moves away or is
/// held long enough. On a hold, or at once when the pen down was a right click, answers
/// GN_CONTEXTMENU; with SHRG_NOTIFYPARENT the client's parent first gets an NMRGINFO notification
/// (code GN_CONTEXTMENU, the client's id, the point in screen coordinates). Answers 0 otherwise.
UINT SHRecognizeGesture(const SHRGINFO& info);
