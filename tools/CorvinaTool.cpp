// corvina-tool: reads, converts, resets and adds to list files from the command line.
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "ToolCommands.h"
#include "ToolUsage.h"
#include "platform/core/ErrorReport.h"
#include "platform/core/Strings.h"

namespace {

constexpr std::string_view kHelpOption = "--help";
constexpr std::size_t kAnyNumber = static_cast<std::size_t>(-1);

struct Command {
    std::string_view name;
    ArgumentRules rules;
    int (*run)(const ToolArguments&);
};

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"info", {1, 1, {}, {}}, RunInfo},
        {"show", {1, 1, {}, {}}, RunShow},
        {"progress", {1, kAnyNumber, {}, {}}, RunProgress},
        {"export", {2, 2, {"--format"}, {}}, RunExport},
        {"import", {2, 2, {"--format"}, {}}, RunImport},
        {"resave", {2, 2, {}, {}}, RunResave},
        {"copy", {2, 2, {}, {"--uncheck", "--force"}}, RunCopy},
        {"check", {1, 1, {}, {}}, RunCheck},
        {"uncheck", {1, 1, {}, {}}, RunUncheck},
        {"purge-checked", {1, 1, {}, {}}, RunPurgeChecked},
        {"add", {2, 2, {"--under", "--quantity", "--importance", "--notes"}, {"--checked"}}, RunAdd},
    };
    return commands;
}

int UsageError(const std::string& reason) {
    const std::string text = reason.empty() ? std::string(kToolUsage)
                                            : "corvina-tool: " + reason + "\n\n" + std::string(kToolUsage);
    std::fwrite(text.data(), 1, text.size(), stderr);
    return kExitUsage;
}

int Run(int argc, char** argv) {
    if (argc < 2) {
        return UsageError("");
    }
    const std::string_view name = argv[1];
    if (name == kHelpOption && argc == 2) {
        std::fwrite(kToolUsage.data(), 1, kToolUsage.size(), stdout);
        return std::fflush(stdout) == 0 ? kExitSuccess : kExitFailure;
    }
    for (const Command& command : Commands()) {
        if (command.name != name) {
            continue;
        }
        try {
            const ToolArguments arguments(std::vector<std::string_view>(argv + 2, argv + argc),
                                          command.rules);
            return command.run(arguments);
        } catch (const UsageFailure& failure) {
            return UsageError(std::string(name) + ": " + failure.what());
        }
    }
    return UsageError("unknown command \"" + std::string(name) + "\"");
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
