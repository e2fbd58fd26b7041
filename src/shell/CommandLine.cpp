// Reading the program's options out of the command line.
#include "shell/CommandLine.h"

#include "platform/core/Strings.h"
#include "platform/ui/DeviceScreenSize.h"
#include "platform/ui/KeyNames.h"
#include "shell/ProgramUsage.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr std::string_view kDeviceRootOption = "--device-root";
constexpr std::string_view kStorageCardOption = "--storage-card";
constexpr std::string_view kScaleOption = "--scale";
constexpr std::string_view kScreenshotOption = "--screenshot";
constexpr std::string_view kTapOption = "--tap";
constexpr std::string_view kHoldOption = "--hold";
constexpr std::string_view kDoubleTapOption = "--double-tap";
constexpr std::string_view kKeyOption = "--key";
constexpr std::string_view kTypeOption = "--type";
constexpr std::string_view kHelpOption = "--help";
constexpr std::string_view kVersionOption = "--version";
/// The program's options start with two dashes; the window system's with one.
constexpr std::string_view kOwnOptionPrefix = "--";
constexpr int kDecimal = 10;

// The value of option `name` at argv[i], as "--name value" or "--name=value"; nullptr when argv[i]
// is another argument. `consumed` tells how many arguments it took.
const char* OptionValue(std::string_view name, int i, int argc, char** argv, int& consumed) {
    const std::string_view argument = argv[i];
    if (argument == name) {
        if (i + 1 >= argc) {
            throw CommandLineError(std::string(name) + " needs a value");
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

CPoint ParseScreenPoint(std::string_view option, const char* text) {
    int x = 0;
    int y = 0;
    char rest = 0;
    if (std::sscanf(text, "%d,%d%c", &x, &y, &rest) != 2 || x < 0 || y < 0 || x >= kDeviceScreenWidth ||
        y >= kDeviceScreenHeight) {
        throw CommandLineError(std::string(option) + " needs a screen point X,Y within " +
                               std::to_string(kDeviceScreenWidth) + " x " +
                               std::to_string(kDeviceScreenHeight) + ", not \"" + text + "\"");
    }
    return {x, y};
}

int ParseScale(const char* text) {
    const std::string value = text;
    char* end = nullptr;
    const long scale = std::strtol(value.c_str(), &end, kDecimal);
    if (value.empty() || *end != '\0' || scale < 1 || scale > kLargestScale) {
        throw CommandLineError(std::string(kScaleOption) + " needs a whole number from 1 to " +
                               std::to_string(kLargestScale) + ", not \"" + value + "\"");
    }
    return static_cast<int>(scale);
}

ScreenTourStep PenStep(ScreenTourStep::Kind kind, std::string_view option, const char* text) {
    ScreenTourStep step;
    step.kind = kind;
    step.point = ParseScreenPoint(option, text);
    return step;
}

ScreenTourStep KeyStep(const char* name) {
    const std::optional<KeyCombination> combination = KeyCombinationFromText(name);
    if (!combination) {
        std::string known;
        for (std::string_view key : KnownKeyNames()) {
            known += known.empty() ? "" : ", ";
            known += key;
        }
        throw CommandLineError(std::string(kKeyOption) + " does not know the key \"" + name +
                               "\" (keys: " + known + ", a letter or a digit, after Ctrl+, Shift+ or Alt+)");
    }
    ScreenTourStep step;
    step.kind = ScreenTourStep::Kind::Key;
    step.virtualKey = combination->virtualKey;
    step.modifiers = combination->modifiers;
    return step;
}

ScreenTourStep TypeStep(const char* text) {
    ScreenTourStep step;
    step.kind = ScreenTourStep::Kind::Type;
    step.text = FromUtf8OrCp1252(text);
    return step;
}

} // namespace

std::string_view ProgramUsage() {
    return kProgramUsage;
}

ProgramOptions TakeProgramOptions(int& argc, char** argv) {
    ProgramOptions options;
    std::string screenshotPath;
    std::vector<ScreenTourStep> steps;
    int kept = 1;
    for (int i = 1; i < argc;) {
        const std::string_view argument = argv[i];
        int consumed = 1;
        if (argument == kHelpOption) {
            options.request = ProgramOptions::Request::Help;
        } else if (argument == kVersionOption) {
            options.request = ProgramOptions::Request::Version;
        } else if (const char* root = OptionValue(kDeviceRootOption, i, argc, argv, consumed)) {
            options.storage.deviceRoot = FromUtf8OrCp1252(root);
        } else if (const char* card = OptionValue(kStorageCardOption, i, argc, argv, consumed)) {
            options.storage.storageCard = FromUtf8OrCp1252(card);
        } else if (const char* scale = OptionValue(kScaleOption, i, argc, argv, consumed)) {
            options.app.scale = ParseScale(scale);
        } else if (const char* picture = OptionValue(kScreenshotOption, i, argc, argv, consumed)) {
            screenshotPath = picture;
            if (screenshotPath.empty()) {
                throw CommandLineError(std::string(kScreenshotOption) +
                                       " needs the name of the picture file");
            }
        } else if (const char* tap = OptionValue(kTapOption, i, argc, argv, consumed)) {
            steps.push_back(PenStep(ScreenTourStep::Kind::Tap, kTapOption, tap));
        } else if (const char* hold = OptionValue(kHoldOption, i, argc, argv, consumed)) {
            steps.push_back(PenStep(ScreenTourStep::Kind::Hold, kHoldOption, hold));
        } else if (const char* twice = OptionValue(kDoubleTapOption, i, argc, argv, consumed)) {
            steps.push_back(PenStep(ScreenTourStep::Kind::DoubleTap, kDoubleTapOption, twice));
        } else if (const char* key = OptionValue(kKeyOption, i, argc, argv, consumed)) {
            steps.push_back(KeyStep(key));
        } else if (const char* text = OptionValue(kTypeOption, i, argc, argv, consumed)) {
            steps.push_back(TypeStep(text));
        } else if (argument.starts_with(kOwnOptionPrefix)) {
            throw CommandLineError("unknown option " + std::string(argument));
        } else {
            argv[kept++] = argv[i];
        }
        i += consumed;
    }
    argc = kept;
    argv[argc] = nullptr;
    if (!steps.empty() && screenshotPath.empty()) {
        throw CommandLineError("--tap, --hold, --double-tap, --key and --type are only for pictures: give "
                               "--screenshot FILE too");
    }
    if (!screenshotPath.empty()) {
        options.screenshot = ScreenTourPlan{std::move(steps), std::move(screenshotPath)};
    }
    return options;
}
