// Taking the storage options out of the command line.
#include "shell/CommandLine.h"

#include "platform/core/Strings.h"

#include <string>
#include <string_view>

namespace {

constexpr std::string_view kDeviceRootOption = "--device-root";
constexpr std::string_view kStorageCardOption = "--storage-card";

// The value of option `name` at argv[i], as "--name value" or "--name=value"; nullptr when argv[i]
// is another argument. `consumed` tells how many arguments it took.
const char* OptionValue(std::string_view name, int i, int argc, char** argv, int& consumed) {
    const std::string_view argument = argv[i];
    if (argument == name) {
        if (i + 1 >= argc) {
            throw CommandLineError(std::string(name) + " needs a folder");
        }
        consumed = 2;
        return argv[i + 1];
    }
    if (argument.size() > name.size() && argument.starts_with(name) && argument[name.size()] == '=') {
        consumed = 1;
        return argv[i] + name.size() + 1;
    }
    return nullptr;
}

}  // namespace

DeviceStorageOptions TakeStorageOptions(int& argc, char** argv) {
    DeviceStorageOptions options;
    int kept = 1;
    for (int i = 1; i < argc;) {
        int consumed = 0;
        if (const char* root = OptionValue(kDeviceRootOption, i, argc, argv, consumed)) {
            options.deviceRoot = FromUtf8OrCp1252(root);
        } else if (const char* card = OptionValue(kStorageCardOption, i, argc, argv, consumed)) {
            options.storageCard = FromUtf8OrCp1252(card);
        } else {
            argv[kept++] = argv[i];
            consumed = 1;
        }
        i += consumed;
    }
    argc = kept;
    argv[argc] = nullptr;
    return options;
}
