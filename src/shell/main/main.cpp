// The entry of the program: its own options, the program's resources, then the application object
// runs everything.
#include "platform/core/HostPath.h"
#include "platform/core/Strings.h"
#include "platform/ui/Resources.h"
#include "shell/CommandLine.h"
#include "shell/CorvinaApp.h"

#include <cstdio>

namespace {

constexpr int kUsageError = 2;
constexpr int kPictureNotWritten = 1;

}  // namespace

int main(int argc, char** argv) {
    ProgramOptions options;
    try {
        options = TakeProgramOptions(argc, argv);
    } catch (const CommandLineError& error) {
        std::fprintf(stderr, "corvina: %s\n", error.what());
        return kUsageError;
    }
    if (options.help || options.version) {
        std::fputs((options.help ? ProgramUsage() : ProgramVersion()).c_str(), stdout);
        return 0;
    }
    ConfigureDeviceStorage(options.storage);
    // Files the program opens by device path ("\Program Files\Corvina\Lists\Shopping.crv") live
    // under the device root.
    SetHostPathResolver([](std::u16string_view path) { return ToUtf8(HostPathFromDevicePath(path)); });
    InstallProgramResources();
    CCorvinaApp app;
    if (options.screenshot) {
        app.SetScreenshot(*options.screenshot);
    }
    const int status = app.Run(argc, argv);
    if (status == 0 && options.screenshot && !app.ScreenshotWritten()) {
        std::fprintf(stderr, "corvina: cannot write the picture to %s\n", options.screenshot->imagePath.c_str());
        return kPictureNotWritten;
    }
    return status;
}
