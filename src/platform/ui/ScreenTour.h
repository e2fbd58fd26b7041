// The screen tour: a scripted look at the program's screens for pictures of them. Once the first
// screen is up, pen taps and holds are given at device-screen points as a user's taps would be, then the whole
// device (menus and message boxes included) is drawn to an image file and every screen is closed,
// so the program ends.
#pragma once

#include "platform/ui/Geometry.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {
class ScreenTour;
}

/// One pen action of a tour at a device-screen point (logical pixels, 0..239 x 0..319).
struct ScreenTourTap {
    CPoint point;
    /// A tap-and-hold (given as the right click the device takes for one) instead of a plain tap.
    bool hold = false;
    bool operator==(const ScreenTourTap&) const = default;
};

/// What a tour does.
struct ScreenTourPlan {
    /// Taps and holds, in order.
    std::vector<ScreenTourTap> taps;
    /// The picture to write; its format follows the name's extension (".png", ".ppm", ...), PNG when
    /// the extension names no format the platform writes.
    std::string imagePath;
};

/// A tour in progress. It starts once the event loop next runs, that is when the first screen's
/// modal loop has begun, and stops when this object goes, whatever it had left to do.
class CScreenTour {
public:
    /// Starts `plan`; answers at once. `finished` is called with whether the picture was written,
    /// after it was written and before the screens are closed. Needs the window system (make it in
    /// InitInstance, before the first screen runs).
    CScreenTour(ScreenTourPlan plan, std::function<void(bool written)> finished);
    ~CScreenTour();
    CScreenTour(const CScreenTour&) = delete;
    CScreenTour& operator=(const CScreenTour&) = delete;

private:
    std::unique_ptr<platform::ScreenTour> m_tour;  ///< the steps and their timers
};
