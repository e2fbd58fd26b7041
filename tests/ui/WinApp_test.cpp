// The application object's options and the keys a program injects.
#include "FrameworkTables.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/KeyInjection.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/testing/UiTest.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {
using namespace frameworktest;

/// argv as the program gets it: writable, ended by a null pointer.
struct Arguments {
    explicit Arguments(std::vector<std::string> words) : storage(std::move(words)) {
        for (std::string& w : storage) {
            pointers.push_back(w.data());
        }
        pointers.push_back(nullptr);
    }
    int argc() const { return static_cast<int>(storage.size()); }
    std::vector<std::string> storage;
    std::vector<char*> pointers;
};

TEST(AppOptions, ScaleIsTakenOutOfTheArgumentsInBothSpellings) {
    for (const char* spelling : {"--scale=3", "--scale"}) {
        Arguments args(std::string(spelling) == "--scale"
                           ? std::vector<std::string>{"corvina", "-platform", "offscreen", "--scale", "3"}
                           : std::vector<std::string>{"corvina", "-platform", "offscreen", spelling});
        int argc = args.argc();
        const AppOptions options = CWinApp::ParseOptions(argc, args.pointers.data());
        EXPECT_EQ(options.scale, 3);
        ASSERT_EQ(argc, 3) << "Qt's own options stay";
        EXPECT_STREQ(args.pointers[1], "-platform");
        EXPECT_EQ(args.pointers[3], nullptr);
    }
}

TEST(AppOptions, AScaleThatIsNotAWholeNumberInRangeIsRefusedWithAMessage) {
    for (const char* bad : {"0", "5", "1.5", "two", ""}) {
        Arguments args({"corvina", "--scale", bad});
        int argc = args.argc();
        EXPECT_THROW(CWinApp::ParseOptions(argc, args.pointers.data()), std::invalid_argument) << bad;
    }
    Arguments missing({"corvina", "--scale"});
    int argc = missing.argc();
    EXPECT_THROW(CWinApp::ParseOptions(argc, missing.pointers.data()), std::invalid_argument);
}

TEST(AppOptions, WithoutOptionsTheScaleIsLeftToTheDisplay) {
    Arguments args({"corvina"});
    int argc = args.argc();
    EXPECT_EQ(CWinApp::ParseOptions(argc, args.pointers.data()).scale, 0);
}

TEST(AppObject, OnlyTheLatestApplicationIsCurrentAndNoneAfterItGoes) {
    {
        CWinApp app(u"Corvina");
        EXPECT_EQ(AfxGetApp(), &app);
        EXPECT_EQ(app.GetAppName(), u"Corvina");
    }
    EXPECT_EQ(AfxGetApp(), nullptr);
}

TEST(KeyInjection, ControlEnterInjectedArrivesAfterTheHandlerAndBreaksTheLine) {
    InstallFrameworkTables();
    CDialog screen(kScreen);
    uitest::RunModal(screen, [&] {
        CWnd* field = screen.GetDlgItem(kField);
        field->SetWindowText(u"");
        field->SetFocus();
        keybd_event(static_cast<BYTE>('A'), 0, 0, 0);
        keybd_event(static_cast<BYTE>('A'), 0, KEYEVENTF_KEYUP, 0);
        EXPECT_EQ(field->GetWindowText(), u"") << "queued, not delivered at once";
        keybd_event(VK_CONTROL, 0, 0, 0);
        keybd_event(VK_RETURN, 0, 0, 0);
        keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
        uitest::ProcessEvents();
        EXPECT_EQ(field->GetWindowText(), u"a");
        EXPECT_TRUE(screen.IsModalRunning()) << "Control+Enter is not the dialog's Enter";
    });
}

} // namespace
