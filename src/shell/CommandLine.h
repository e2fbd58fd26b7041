// The program's own command-line options: where the device's storage lives. The window system's
// options (--scale, --screenshot, Qt's own) are left for the application object.
#pragma once

#include "platform/ui/DevicePaths.h"

#include <stdexcept>

/// A command-line option without its value.
class CommandLineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Takes --device-root DIR and --storage-card DIR (also written --option=DIR) out of argv and
/// answers them; the other arguments stay, in order. Throws CommandLineError for an option without
/// a value.
DeviceStorageOptions TakeStorageOptions(int& argc, char** argv);
