// The entry of the program: its options, the device's storage, the program's resources, the first
// run's installation, then the application object runs everything.
#include "platform/core/Strings.h"
#include "platform/storage/DeviceStorage.h"
#include "platform/ui/Resources.h"
#include "res/ResourceIds.h"
#include "shell/CommandLine.h"
#include "shell/CorvinaApp.h"
#include "shell/FirstRun.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kUsageError = 2;
constexpr int kPictureNotWritten = 1;

void Print(std::FILE* stream, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stream);
}

/// Ends the process once the program has run. By then every screen, the editor with its writing
/// thread and every document are gone and their files written, so all the libraries' exit handlers
/// would still do is free memory the process gives back anyway: only the printed text is flushed.
/// A sanitizer build exits the usual way, so its leak check still runs.
[[noreturn]] void EndProgram(int status) {
    std::fflush(nullptr);
#if defined(__SANITIZE_ADDRESS__)
    std::exit(status);
#else
    std::_Exit(status);
#endif
}

} // namespace

int main(int argc, char** argv) {
    ProgramOptions options;
    try {
        options = TakeProgramOptions(argc, argv);
    } catch (const CommandLineError& error) {
        std::fprintf(stderr, "corvina: %s\n\n", error.what());
        Print(stderr, ProgramUsage());
        return kUsageError;
    }
    InstallProgramResources();
    switch (options.request) {
    case ProgramOptions::Request::Help:
        Print(stdout, ProgramUsage());
        return 0;
    case ProgramOptions::Request::Version:
        Print(stdout, ToUtf8(kProgramName) + " " + ToUtf8(LoadStringResource(IDS_PROGRAM_VERSION)) + "\n");
        return 0;
    case ProgramOptions::Request::Run:
        break;
    }
    const DeviceStorage device(options.storage);
    device.CreateRoot();
    // Whichever way the program was started, the device is installed before the Lists folder is
    // looked for. Without the installation the program still runs, on "\My Documents".
    if (const FirstRunOutcome installed = InstallOnFirstRun(device);
        installed.result == FirstRunOutcome::Result::Failed) {
        std::fprintf(stderr, "corvina: cannot install into the device: %s\n",
                     ToUtf8(installed.failure).c_str());
    }
    CCorvinaApp app(device);
    if (options.screenshot) {
        app.SetScreenshot(*options.screenshot);
    }
    const int status = app.Run(argc, argv, options.app);
    if (status == 0 && options.screenshot && !app.ScreenshotWritten()) {
        std::fprintf(stderr, "corvina: cannot write the picture to %s\n",
                     options.screenshot->imagePath.c_str());
        EndProgram(kPictureNotWritten);
    }
    EndProgram(status);
}
