// The size of the device's screen, which every screen, picture and scripted tap is measured on.
#pragma once

/// The device screen in logical pixels.
inline constexpr int kDeviceScreenWidth = 240;
inline constexpr int kDeviceScreenHeight = 320;
