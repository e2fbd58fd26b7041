// Where windows live on the device: the device window's root, which maps client points to screen
// points, and the area screens are shown in. Platform-internal; the device window implements it.
#pragma once

#include <QWidget>

namespace platform {

/// The device window's top-level widget, made (and shown) on first use.
QWidget* DeviceRoot();
/// The area between caption bar and input panel / menu bar that screens fill.
QWidget* ScreenArea();
/// True once the device window exists (without making it).
bool DeviceExists();

} // namespace platform
