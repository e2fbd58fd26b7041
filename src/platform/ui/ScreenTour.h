// The screen tour: a scripted look at the program's screens for pictures of them. Once the first
// screen is up, pen taps are given at device-screen points as a user's taps would be, then the whole
// device (menus and message boxes included) is drawn to an image file and every screen is closed,
// so the program ends.
#pragma once

#include "platform/ui/Geometry.h"

#include <functional>
#include <string>
#include <vector>

/// What a tour does.
struct ScreenTourPlan {
    /// Taps at device-screen points (logical pixels, 0..239 x 0..319), in order.
    std::vector<CPoint> taps;
    /// The picture to write; its format follows the name's extension (".png", ".ppm", ...), PNG when
    /// the extension names no format the platform writes.
    std::string imagePath;
};

/// Starts `plan` once the event loop next runs, that is when the first screen's modal loop has
/// begun; answers at once. `finished` is called with whether the picture was written, after it was
/// written and before the screens are closed. Needs the window system (call it from InitInstance).
void StartScreenTour(ScreenTourPlan plan, std::function<void(bool written)> finished);
