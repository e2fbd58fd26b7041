// The screen tour: a scripted look at the program's screens for pictures of them. Once the first
// screen is up, pen taps, holds and keys are given as a user's would be, then the whole
// device (menus and message boxes included) is drawn to an image file and every screen is closed,
// so the program ends.
#pragma once

#include "platform/ui/Geometry.h"
#include "platform/ui/WinTypes.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {
class ScreenTour;
}

/// One step of a tour, given as a user's input would be.
struct ScreenTourStep {
    enum class Kind {
        Tap,       ///< pen down and up at `point`
        Hold,      ///< a tap-and-hold at `point` (the right click the device takes for one)
        DoubleTap, ///< two quick taps at `point`
        Key,       ///< a press and release of `virtualKey`, with `modifiers` held, for the focused window
        Type,      ///< `text` typed into the focused window, one key per character
    };
    Kind kind = Kind::Tap;
    CPoint point;        ///< device-screen point (logical pixels, 0..239 x 0..319) of a pen step
    UINT virtualKey = 0; ///< the key of a Key step
    std::u16string text; ///< the text of a Type step
    UINT modifiers = 0;  ///< the modifiers held with a Key step's key: MK_SHIFT, MK_CONTROL and kAltDown
    bool operator==(const ScreenTourStep&) const = default;
};

/// What a tour does.
struct ScreenTourPlan {
    /// Taps, holds, keys and typing, in order.
    std::vector<ScreenTourStep> steps;
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
    std::unique_ptr<platform::ScreenTour> m_tour; ///< the steps and their timers
};
