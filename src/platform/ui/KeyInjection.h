// Injected key events: a program may put key presses and releases into the input queue as if a
// keyboard had made them.
#pragma once

#include "platform/ui/WinTypes.h"

/// keybd_event flag: the event is a release.
constexpr DWORD KEYEVENTF_KEYUP = 0x0002;

/// Queues a press (or, with KEYEVENTF_KEYUP, a release) of virtual key `virtualKey` for the window
/// that has the focus when it is delivered; it arrives after the message being handled, through the
/// application's pre-translation like any key. Shift, Control and Alt presses stay held for later
/// injected keys until their release is injected. `scanCode` and `extraInfo` are accepted for the
/// device's shape.
void keybd_event(BYTE virtualKey, BYTE scanCode, DWORD flags, UINT_PTR extraInfo);
