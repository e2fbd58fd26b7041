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
                    "--storage-card=/home/me", "--screenshot", "a.png", "--tap", "10,300", "--hold=5,6", "--tap", "0,0"});
    const ProgramOptions options = args.Take();
    EXPECT_EQ(options.request, ProgramOptions::Request::Run);
    EXPECT_EQ(options.app.scale, 2);
    EXPECT_EQ(options.storage.deviceRoot, u"/tmp/dev");
    EXPECT_EQ(options.storage.storageCard, u"/home/me");
    ASSERT_TRUE(options.screenshot.has_value());
    EXPECT_EQ(options.screenshot->imagePath, "a.png");
    EXPECT_EQ(options.screenshot->taps,
              (std::vector<ScreenTourTap>{{{10, 300}, false}, {{5, 6}, true}, {{0, 0}, false}}));
    EXPECT_EQ(args.Remaining(), (std::vector<std::string>{"corvina", "-platform", "offscreen"}));
    EXPECT_EQ(args.pointers[static_cast<std::size_t>(args.argc)], nullptr);
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
    EXPECT_EQ(options.screenshot->taps.front().point, CPoint(239, 319));
    Arguments none({"corvina"});
    EXPECT_EQ(none.Take().app.scale, 0) << "left to the display";
}

TEST(CommandLine, HelpAndVersionAreRequestsAndTheUsageNamesEveryOption) {
    Arguments help({"corvina", "--device-root", "/tmp/dev", "--help"});
    EXPECT_EQ(help.Take().request, ProgramOptions::Request::Help);
    Arguments version({"corvina", "--version"});
    EXPECT_EQ(version.Take().request, ProgramOptions::Request::Version);
    for (const char* option : {"--device-root DIR", "--storage-card DIR", "--scale N", "--screenshot FILE",
                               "--tap X,Y", "--hold X,Y", "--help", "--version"}) {
        EXPECT_NE(ProgramUsage().find(option), std::string_view::npos) << option;
    }
}

}  // namespace
