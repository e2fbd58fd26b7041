// The scalar types, message numbers and dialog results the window framework speaks in, so code
// written against the handheld's framework reads the same here.
#pragma once

#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using UINT = std::uint32_t;
using DWORD = std::uint32_t;
using UINT_PTR = std::uintptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

/// Dialog and message-box results: the button that ended it.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

/// Keyboard message numbers, as the pre-translation hook sees them.
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;

/// Virtual key codes the program and its tests name.
constexpr UINT VK_BACK = 0x08;
constexpr UINT VK_TAB = 0x09;
constexpr UINT VK_RETURN = 0x0D;
constexpr UINT VK_SHIFT = 0x10;
constexpr UINT VK_CONTROL = 0x11;
constexpr UINT VK_MENU = 0x12;
constexpr UINT VK_ESCAPE = 0x1B;
constexpr UINT VK_SPACE = 0x20;
constexpr UINT VK_PRIOR = 0x21; ///< Page Up
constexpr UINT VK_NEXT = 0x22;  ///< Page Down
constexpr UINT VK_END = 0x23;
constexpr UINT VK_HOME = 0x24;
constexpr UINT VK_LEFT = 0x25;
constexpr UINT VK_UP = 0x26;
constexpr UINT VK_RIGHT = 0x27;
constexpr UINT VK_DOWN = 0x28;
constexpr UINT VK_DELETE = 0x2E;

/// Pen-message flag words: which buttons and modifier keys were down.
constexpr UINT MK_LBUTTON = 0x0001;
constexpr UINT MK_RBUTTON = 0x0002;
constexpr UINT MK_SHIFT = 0x0004;
constexpr UINT MK_CONTROL = 0x0008;

/// Mouse-wheel turn of one notch, in the units OnMouseWheel receives.
constexpr int WHEEL_DELTA = 120;

/// ShowWindow commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOW = 5;

class CWnd;

/// A queued input message as the pre-translation hooks see it.
struct MSG {
    CWnd* hwnd = nullptr; ///< the window about to receive it (the focused window for keys)
    UINT message = 0;     ///< WM_KEYDOWN or WM_KEYUP
    WPARAM wParam = 0;    ///< the virtual key
    LPARAM lParam = 0;    ///< modifier state: MK_SHIFT, MK_CONTROL and kAltDown
};

/// lParam bit of a key message: Alt was held.
constexpr LPARAM kAltDown = 0x20000000;
