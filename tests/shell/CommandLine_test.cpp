// Taking the program's own options out of its command line.
#include "shell/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Owns the argument strings and an argv array over them, terminated as main's is.
struct Arguments {
    explicit Arguments(std::vector<std::string> args) : strings(std::move(args)) {
        for (std::string& s : strings) {
            pointers.push_back(s.data());
        }
        pointers.push_back(nullptr);
        argc = static_cast<int>(strings.size());
    }
    std::vector<std::string> Remaining() const { return {pointers.begin(), pointers.begin() + argc}; }
    ProgramOptions Take() { return TakeProgramOptions(argc, pointers.data()); }
    std::vector<std::string> strings;
    std::vector<char*> pointers;
    int argc = 0;
};

TEST(CommandLine, TakesEveryOptionOfTheProgramInEitherFormAndLeavesTheWindowSystemsOwn) {
    Arguments args({"corvina", "--scale", "2", "--device-root", "/tmp/dev", "-platform", "offscreen",
                    "--storage-card=/home/me", "--screenshot", "a.png", "--tap", "10,300", "--hold=5,6",
                    "--tap", "0,0"});
    const ProgramOptions options = args.Take();
    EXPECT_EQ(options.request, ProgramOptions::Request::Run);
    EXPECT_EQ(options.app.scale, 2);
    EXPECT_EQ(options.storage.deviceRoot, u"/tmp/dev");
    EXPECT_EQ(options.storage.storageCard, u"/home/me");
    ASSERT_TRUE(options.screenshot.has_value());
    EXPECT_EQ(options.screenshot->imagePath, "a.png");
    using Kind = ScreenTourStep::Kind;
    EXPECT_EQ(options.screenshot->steps,
              (std::vector<ScreenTourStep>{
                  {Kind::Tap, {10, 300}, 0, {}}, {Kind::Hold, {5, 6}, 0, {}}, {Kind::Tap, {0, 0}, 0, {}}}));
    EXPECT_EQ(args.Remaining(), (std::vector<std::string>{"corvina", "-platform", "offscreen"}));
    EXPECT_EQ(args.pointers[static_cast<std::size_t>(args.argc)], nullptr);
}

// Keys, typing and double taps keep their place among the taps, as a user's input would.
TEST(CommandLine, TourStepsKeepTheirOrder) {
    Arguments args({"corvina", "--screenshot=x.png", "--double-tap", "30,40", "--type", "Milk 2\xC3\xA9",
                    "--key", "Return", "--key=BackSpace", "--key", "space", "--key", "End", "--key", "q",
                    "--tap", "1,2"});
    const ProgramOptions options = args.Take();
    ASSERT_TRUE(options.screenshot.has_value());
    using Kind = ScreenTourStep::Kind;
    EXPECT_EQ(options.screenshot->steps, (std::vector<ScreenTourStep>{{Kind::DoubleTap, {30, 40}, 0, {}},
                                                                      {Kind::Type, {}, 0, u"Milk 2\u00E9"},
                                                                      {Kind::Key, {}, 0x0D, {}},
                                                                      {Kind::Key, {}, 0x08, {}},
                                                                      {Kind::Key, {}, 0x20, {}},
                                                                      {Kind::Key, {}, 0x23, {}},
                                                                      {Kind::Key, {}, 'Q', {}},
                                                                      {Kind::Tap, {1, 2}, 0, {}}}));
}

// --key takes Qt's portable key sequence text: modifiers in any order and case, then the key.
TEST(CommandLine, KeyCombinationsCarryTheirModifiers) {
    Arguments args({"corvina", "--screenshot=x.png", "--key", "Ctrl+Z", "--key", "Ctrl+Shift+Z", "--key",
                    "alt+Up", "--key", "Shift+Insert", "--key", "F2", "--key=F5", "--key", "Shift+Ctrl+Del"});
    const ProgramOptions options = args.Take();
    ASSERT_TRUE(options.screenshot.has_value());
    using Kind = ScreenTourStep::Kind;
    constexpr UINT kCtrl = 0x0008;
    constexpr UINT kShift = 0x0004;
    constexpr UINT kAlt = 0x20000000;
    EXPECT_EQ(options.screenshot->steps,
              (std::vector<ScreenTourStep>{{Kind::Key, {}, 'Z', {}, kCtrl},
                                           {Kind::Key, {}, 'Z', {}, kCtrl | kShift},
                                           {Kind::Key, {}, 0x26, {}, kAlt},
                                           {Kind::Key, {}, 0x2D, {}, kShift},
                                           {Kind::Key, {}, 0x71, {}, 0},
                                           {Kind::Key, {}, 0x74, {}, 0},
                                           {Kind::Key, {}, 0x2E, {}, kCtrl | kShift}}));
    for (const char* bad : {"Ctrl+", "Ctrl+Ctrl+Z", "Hyper+Z", "+Z", "Ctrl+Shift", "F13", "Ctrl+Zed"}) {
        Arguments refused({"corvina", "--screenshot", "a.png", "--key", bad});
        EXPECT_THROW(refused.Take(), CommandLineError) << bad;
    }
}

TEST(CommandLine, BadValuesAreRefused) {
    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"corvina", "--device-root"},
             {"corvina", "--screenshot"},
             {"corvina", "--screenshot="},
             {"corvina", "--screenshot", "a.png", "--tap", "10"},
             {"corvina", "--screenshot", "a.png", "--tap", "10,20x"},
             {"corvina", "--screenshot", "a.png", "--tap", "240,10"},
             {"corvina", "--screenshot", "a.png", "--tap", "-1,10"},
             {"corvina", "--tap", "10,10"},
             {"corvina", "--hold", "10,10"},
             {"corvina", "--screenshot", "a.png", "--hold", "10,320"},
             {"corvina", "--screenshot", "a.png", "--tap", "5,320"},
             {"corvina", "--screenshot", "a.png", "--double-tap", "10"},
             {"corvina", "--screenshot", "a.png", "--key", "Enterprise"},
             {"corvina", "--screenshot", "a.png", "--key"},
             {"corvina", "--key", "Return"},
             {"corvina", "--type", "Milk"},
             {"corvina", "--scale"},
             {"corvina", "--scale", "0"},
             {"corvina", "--scale", "5"},
             {"corvina", "--scale=1.5"},
             {"corvina", "--scale", "two"},
             {"corvina", "--scale="},
             {"corvina", "--device-rooted", "x"},
             {"corvina", "--tapping"},
             {"corvina", "--"},
         }) {
        Arguments args(bad);
        EXPECT_THROW(args.Take(), CommandLineError) << bad.back();
    }
}

TEST(CommandLine, TheLargestPointAndScaleAreTaken) {
    Arguments args({"corvina", "--scale=4", "--screenshot", "a.png", "--tap", "239,319"});
    const ProgramOptions options = args.Take();
    EXPECT_EQ(options.app.scale, 4);
    EXPECT_EQ(options.screenshot->steps.front().point, CPoint(239, 319));
    Arguments none({"corvina"});
    EXPECT_EQ(none.Take().app.scale, 0) << "left to the display";
}

TEST(CommandLine, HelpAndVersionAreRequestsAndTheUsageNamesEveryOption) {
    Arguments help({"corvina", "--device-root", "/tmp/dev", "--help"});
    EXPECT_EQ(help.Take().request, ProgramOptions::Request::Help);
    Arguments version({"corvina", "--version"});
    EXPECT_EQ(version.Take().request, ProgramOptions::Request::Version);
    for (const char* option :
         {"--device-root DIR", "--storage-card DIR", "--scale N", "--screenshot FILE", "--tap X,Y",
          "--hold X,Y", "--double-tap X,Y", "--key KEYS", "--type TEXT", "--help", "--version"}) {
        EXPECT_NE(ProgramUsage().find(option), std::string_view::npos) << option;
    }
    EXPECT_NE(ProgramUsage().find("Ctrl+Shift+Z"), std::string_view::npos)
        << "--key says it takes combinations";
}

} // namespace
