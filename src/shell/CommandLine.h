// The program's own command-line options: where the device's storage lives, and the picture of the
// screens that --screenshot asks for. The window system's options (--scale, Qt's own) are left in
// place for the application object.
#pragma once

#include "platform/ui/DevicePaths.h"
#include "platform/ui/ScreenTour.h"

#include <optional>
#include <stdexcept>

/// A command-line option without its value, or with a value it cannot take.
class CommandLineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// What the program's own options asked for.
struct ProgramOptions {
    DeviceStorageOptions storage;            ///< --device-root DIR, --storage-card DIR
    /// --screenshot FILE, with the taps and holds of every --tap X,Y and --hold X,Y, in order, before
    /// it is taken; none without --screenshot.
    std::optional<ScreenTourPlan> screenshot;
};

/// Takes --device-root DIR, --storage-card DIR, --screenshot FILE, --tap X,Y and --hold X,Y (each
/// also written --option=VALUE; taps and holds any number of times, in device-screen pixels) out of
/// argv; the other arguments stay, in order. Throws CommandLineError for an option without a value, a
/// malformed point, or a tap or hold without --screenshot.
ProgramOptions TakeProgramOptions(int& argc, char** argv);
