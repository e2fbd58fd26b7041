// The virtual keys of a desktop keyboard that the device had no key for: Insert and the function keys.
#pragma once

#include "platform/ui/WinTypes.h"

constexpr UINT VK_INSERT = 0x2D;
constexpr UINT VK_F1 = 0x70; ///< F2 to F12 follow it
constexpr UINT VK_F2 = 0x71;
constexpr UINT VK_F5 = 0x74;
constexpr UINT VK_F12 = 0x7B;
