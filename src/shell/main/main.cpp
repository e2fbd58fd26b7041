// The entry of the program: the storage options, the program's resources, then the application
// object runs everything.
#include "shell/CommandLine.h"

#include "platform/ui/Resources.h"
#include "shell/CorvinaApp.h"

#include <cstdio>

namespace {

constexpr int kUsageError = 2;

}  // namespace

int main(int argc, char** argv) {
    try {
        ConfigureDeviceStorage(TakeStorageOptions(argc, argv));
    } catch (const CommandLineError& error) {
        std::fprintf(stderr, "corvina: %s\n", error.what());
        return kUsageError;
    }
    InstallProgramResources();
    CCorvinaApp app;
    return app.Run(argc, argv);
}
