// corvina-tool: reads, converts and shows list files from the command line.
#include <cstdio>
#include <exception>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ToolCommands.h"
#include "platform/core/ErrorReport.h"
#include "platform/core/Strings.h"

namespace {

constexpr std::string_view kUsage =
    "Usage: corvina-tool COMMAND FILE...\n"
    "\n"
    "Commands:\n"
    "  info LIST.crv             print the version and item count from the list file's header\n"
    "  export LIST.crv OUT.txt   write the list as tab-separated text (OUT.txt \"-\" is standard output)\n"
    "  import IN.txt OUT.crv     build a new list from tab-separated text and save it\n"
    "  resave IN.crv OUT.crv     load a list and save it again in the current format\n"
    "  show LIST.crv             print the list as an indented tree\n"
    "  --help                    print this text\n"
    "\n"
    "info reads the header alone, as the program's document list does, so an empty (0-byte) file\n"
    "is an error there, while show and export load it as an empty list, as opening it does.\n";

constexpr std::string_view kHelpOption = "--help";

struct Command {
    std::string_view name;
    std::size_t fileCount;
    std::function<int(const std::vector<std::u16string>&)> run;
};

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"info", 1, [](const auto& files) { return RunInfo(files[0]); }},
        {"export", 2, [](const auto& files) { return RunExport(files[0], files[1]); }},
        {"import", 2, [](const auto& files) { return RunImport(files[0], files[1]); }},
        {"resave", 2, [](const auto& files) { return RunResave(files[0], files[1]); }},
        {"show", 1, [](const auto& files) { return RunShow(files[0]); }},
    };
    return commands;
}

int UsageError() {
    std::fwrite(kUsage.data(), 1, kUsage.size(), stderr);
    return kExitUsage;
}

int Run(int argc, char** argv) {
    if (argc < 2) {
        return UsageError();
    }
    const std::string_view name = argv[1];
    if (name == kHelpOption && argc == 2) {
        std::fwrite(kUsage.data(), 1, kUsage.size(), stdout);
        return std::fflush(stdout) == 0 ? kExitSuccess : kExitFailure;
    }
    for (const Command& command : Commands()) {
        if (command.name != name) {
            continue;
        }
        if (static_cast<std::size_t>(argc - 2) != command.fileCount) {
            return UsageError();
        }
        std::vector<std::u16string> files;
        for (int i = 2; i < argc; ++i) {
            files.push_back(FromUtf8OrCp1252(argv[i]));
        }
        return command.run(files);
    }
    return UsageError();
}

} // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& failure) {
        ReportError(FromUtf8OrCp1252(failure.what()), MessageIcon::Stop);
        return kExitFailure;
    }
}
