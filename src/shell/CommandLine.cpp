// Taking the program's own options out of the command line.
#include "shell/CommandLine.h"

#include "platform/core/Strings.h"
#include "platform/ui/KeyNames.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kDeviceRootOption = "--device-root";
constexpr std::string_view kStorageCardOption = "--storage-card";
constexpr std::string_view kScreenshotOption = "--screenshot";
constexpr std::string_view kTapOption = "--tap";
constexpr std::string_view kHoldOption = "--hold";
constexpr std::string_view kDoubleTapOption = "--double-tap";
constexpr std::string_view kKeyOption = "--key";
constexpr std::string_view kTypeOption = "--type";
constexpr std::string_view kHelpOption = "--help";
constexpr std::string_view kShortHelpOption = "-h";
constexpr std::string_view kVersionOption = "--version";

constexpr const char* kUsage =
    "Usage: corvina [OPTIONS]\n"
    "A checklist program: keeps named lists of items to tick off, on a handheld's screen.\n"
    "\n"
    "Where the device's storage lives:\n"
    "  --device-root DIR     the folder that is the device's \\ (default $CORVINA_DEVICE_ROOT, else\n"
    "                        ~/.local/share/corvina/device)\n"
    "  --storage-card DIR    the folder shown as \\Storage Card (default your home folder)\n"
    "\n"
    "The window:\n"
    "  --scale N             draw the 240 x 320 device screen N times larger (default: from the display)\n"
    "  -platform NAME        and Qt's other options go to the window system (offscreen, xcb, ...)\n"
    "\n"
    "A picture of the screens instead of a session:\n"
    "  --screenshot FILE     once the first screen is up, give the steps below in order, write the\n"
    "                        whole device screen to FILE (PNG, or the format its extension names),\n"
    "                        then close every screen and end. Works with QT_QPA_PLATFORM=offscreen.\n"
    "  --tap X,Y             a stylus tap at a device-screen point (0..239, 0..319)\n"
    "  --hold X,Y            a tap-and-hold there\n"
    "  --double-tap X,Y      two quick taps there\n"
    "  --key NAME            a key press for the focused field: Return, Escape, Tab, BackSpace, Delete,\n"
    "                        Up, Down, Left, Right, Space, Home, End, Prior, Next, a letter or a digit\n"
    "  --type TEXT           TEXT typed into the focused field, as a keyboard would\n"
    "\n"
    "  --help, -h            this text\n"
    "  --version             the program's version\n"
    "Options taking a value may also be written --option=VALUE.\n";

constexpr const char* kVersion = "corvina 1.06\n";

// The device screen's size in logical pixels: taps must land on it.
constexpr int kScreenWidth = 240;
constexpr int kScreenHeight = 320;

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
    if (std::sscanf(text, "%d,%d%c", &x, &y, &rest) != 2 || x < 0 || y < 0 || x >= kScreenWidth ||
        y >= kScreenHeight) {
        throw CommandLineError(std::string(option) + " needs a screen point X,Y within 240 x 320, not \"" + text +
                               "\"");
    }
    return {x, y};
}

ScreenTourStep PenStep(ScreenTourStep::Kind kind, std::string_view option, const char* text) {
    ScreenTourStep step;
    step.kind = kind;
    step.point = ParseScreenPoint(option, text);
    return step;
}

ScreenTourStep KeyStep(const char* name) {
    ScreenTourStep step;
    step.kind = ScreenTourStep::Kind::Key;
    step.virtualKey = VirtualKeyFromName(name);
    if (step.virtualKey == 0) {
        std::string known;
        for (std::string_view key : KnownKeyNames()) {
            known += known.empty() ? "" : ", ";
            known += key;
        }
        throw CommandLineError(std::string(kKeyOption) + " does not know the key \"" + name + "\" (keys: " + known +
                               ", a letter or a digit)");
    }
    return step;
}

ScreenTourStep TypeStep(const char* text) {
    ScreenTourStep step;
    step.kind = ScreenTourStep::Kind::Type;
    step.text = FromUtf8OrCp1252(text);
    return step;
}

}  // namespace

ProgramOptions TakeProgramOptions(int& argc, char** argv) {
    ProgramOptions options;
    std::string screenshotPath;
    std::vector<ScreenTourStep> steps;
    int kept = 1;
    for (int i = 1; i < argc;) {
        int consumed = 0;
        if (const char* root = OptionValue(kDeviceRootOption, i, argc, argv, consumed)) {
            options.storage.deviceRoot = FromUtf8OrCp1252(root);
        } else if (const char* card = OptionValue(kStorageCardOption, i, argc, argv, consumed)) {
            options.storage.storageCard = FromUtf8OrCp1252(card);
        } else if (const char* picture = OptionValue(kScreenshotOption, i, argc, argv, consumed)) {
            screenshotPath = picture;
            if (screenshotPath.empty()) {
                throw CommandLineError(std::string(kScreenshotOption) + " needs the name of the picture file");
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
        } else if (argv[i] == kHelpOption || argv[i] == kShortHelpOption) {
            options.help = true;
            consumed = 1;
        } else if (argv[i] == kVersionOption) {
            options.version = true;
            consumed = 1;
        } else {
            argv[kept++] = argv[i];
            consumed = 1;
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

std::string ProgramUsage() {
    return kUsage;
}

std::string ProgramVersion() {
    return kVersion;
}
