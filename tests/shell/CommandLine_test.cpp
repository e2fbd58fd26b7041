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

TEST(CommandLine, TakesItsOwnOptionsInEitherFormAndKeepsTheRest) {
    Arguments args({"corvina", "--scale", "2", "--device-root", "/tmp/dev", "-platform", "offscreen",
                    "--storage-card=/home/me", "--screenshot", "a.png", "--tap", "10,300", "--hold=5,6", "--tap", "0,0"});
    const ProgramOptions options = args.Take();
    EXPECT_EQ(options.storage.deviceRoot, u"/tmp/dev");
    EXPECT_EQ(options.storage.storageCard, u"/home/me");
    ASSERT_TRUE(options.screenshot.has_value());
    EXPECT_EQ(options.screenshot->imagePath, "a.png");
    using Kind = ScreenTourStep::Kind;
    EXPECT_EQ(options.screenshot->steps, (std::vector<ScreenTourStep>{{Kind::Tap, {10, 300}, 0, {}},
                                                                       {Kind::Hold, {5, 6}, 0, {}},
                                                                       {Kind::Tap, {0, 0}, 0, {}}}));
    EXPECT_EQ(args.Remaining(), (std::vector<std::string>{"corvina", "--scale", "2", "-platform", "offscreen"}));
    EXPECT_EQ(args.pointers[static_cast<std::size_t>(args.argc)], nullptr);
}

// Keys, typing and double taps keep their place among the taps, as a user's input would.
TEST(CommandLine, TourStepsKeepTheirOrder) {
    Arguments args({"corvina", "--screenshot=x.png", "--double-tap", "30,40", "--type", "Milk 2\xC3\xA9",
                    "--key", "Return", "--key=BackSpace", "--key", "space", "--key", "End", "--key", "q", "--tap",
                    "1,2"});
    const ProgramOptions options = args.Take();
    ASSERT_TRUE(options.screenshot.has_value());
    using Kind = ScreenTourStep::Kind;
    EXPECT_EQ(options.screenshot->steps,
              (std::vector<ScreenTourStep>{{Kind::DoubleTap, {30, 40}, 0, {}},
                                           {Kind::Type, {}, 0, u"Milk 2\u00E9"},
                                           {Kind::Key, {}, 0x0D, {}},
                                           {Kind::Key, {}, 0x08, {}},
                                           {Kind::Key, {}, 0x20, {}},
                                           {Kind::Key, {}, 0x23, {}},
                                           {Kind::Key, {}, 'Q', {}},
                                           {Kind::Tap, {1, 2}, 0, {}}}));
}

TEST(CommandLine, HelpNamesEveryOptionAndVersionIsAsked) {
    Arguments args({"corvina", "--help", "--version"});
    const ProgramOptions options = args.Take();
    EXPECT_TRUE(options.help);
    EXPECT_TRUE(options.version);
    EXPECT_EQ(args.argc, 1);
    const std::string usage = ProgramUsage();
    for (const char* option : {"--device-root", "--storage-card", "--scale", "--screenshot", "--tap", "--hold",
                               "--double-tap", "--key", "--type", "--help", "--version", "-platform"}) {
        EXPECT_NE(usage.find(std::string("  ") + option), std::string::npos) << option;
    }
    EXPECT_EQ(ProgramVersion(), "corvina 1.06\n");
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
             {"corvina", "--screenshot", "a.png", "--double-tap", "10"},
             {"corvina", "--screenshot", "a.png", "--key", "Enterprise"},
             {"corvina", "--screenshot", "a.png", "--key"},
             {"corvina", "--key", "Return"},
             {"corvina", "--type", "Milk"},
         }) {
        Arguments args(bad);
        EXPECT_THROW(args.Take(), CommandLineError) << bad.back();
    }
}

TEST(CommandLine, SimilarOptionsAreNotTaken) {
    Arguments args({"corvina", "--device-rooted", "x", "--tapping"});
    args.Take();
    EXPECT_EQ(args.argc, 4);
}

}  // namespace
