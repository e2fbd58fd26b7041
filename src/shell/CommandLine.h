// The program's command line: every option of the program is read here, and its usage text. The
// window system's own options (single dash, "-platform xcb") are left in place for it.
#pragma once

#include "platform/storage/DeviceStorage.h"
#include "platform/ui/ScreenTour.h"
#include "platform/ui/WinApp.h"

#include <optional>
#include <stdexcept>
#include <string_view>

/// An unknown option, an option without its value, or a value it cannot take.
class CommandLineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// What the command line asked for.
struct ProgramOptions {
    /// --help or --version: print and end instead of running.
    enum class Request { Run, Help, Version };
    Request request = Request::Run;
    DeviceStorageOptions storage; ///< --device-root DIR, --storage-card DIR
    AppOptions app;               ///< --scale N
    /// --screenshot FILE, with the steps of every --tap X,Y, --hold X,Y, --double-tap X,Y, --key NAME
    /// and --type TEXT, in order, before it is taken; none without --screenshot.
    std::optional<ScreenTourPlan> screenshot;
};

/// Takes the program's options (each also written --option=VALUE; the tour's steps any number of
/// times, points in device-screen pixels) out of argv; the window system's arguments stay, in order.
/// Throws CommandLineError for an unknown option, an option without a value, a malformed value, an
/// unknown key name, or a step without --screenshot.
ProgramOptions TakeProgramOptions(int& argc, char** argv);

/// The text --help prints (the same file scripts/run.sh --help shows).
std::string_view ProgramUsage();
