// The host's window around the device screen: what a desktop shows of it outside the device, its
// title in the task bar and the window list.
#pragma once

#include <string>

/// The host window's title when no screen asks for another.
inline constexpr char16_t kHostWindowTitle[] = u"Corvina";

/// Sets the host window's title; the device screen itself shows nothing of it.
void SetHostWindowTitle(const std::u16string& title);
/// The host window's title.
std::u16string GetHostWindowTitle();
