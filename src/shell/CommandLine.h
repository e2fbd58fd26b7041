// The program's own command-line options: where the device's storage lives, and the picture of the
// screens that --screenshot asks for. The window system's options (--scale, Qt's own) are left in
// place for the application object.
#pragma once

#include "platform/ui/DevicePaths.h"
#include "platform/ui/ScreenTour.h"

#include <optional>
#include <stdexcept>
#include <string>

/// A command-line option without its value, or with a value it cannot take.
class CommandLineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// What the program's own options asked for.
struct ProgramOptions {
    DeviceStorageOptions storage;            ///< --device-root DIR, --storage-card DIR
    /// --screenshot FILE, with the steps of every --tap X,Y, --hold X,Y, --double-tap X,Y, --key NAME
    /// and --type TEXT, in order, before it is taken; none without --screenshot.
    std::optional<ScreenTourPlan> screenshot;
    bool help = false;     ///< --help or -h: print the usage and end
    bool version = false;  ///< --version: print the version and end
};

/// Takes --device-root DIR, --storage-card DIR, --screenshot FILE, the tour's steps --tap X,Y,
/// --hold X,Y, --double-tap X,Y (in device-screen pixels), --key NAME and --type TEXT (each also
/// written --option=VALUE, steps any number of times), --help and --version out of argv; the other
/// arguments stay, in order. Throws CommandLineError for an option without a value, a malformed
/// point, an unknown key name, or a step without --screenshot.
ProgramOptions TakeProgramOptions(int& argc, char** argv);

/// What `corvina --help` prints: every option the program takes, the window system's included.
std::string ProgramUsage();
/// What `corvina --version` prints.
std::string ProgramVersion();
