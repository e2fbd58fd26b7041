// The shortcut table and the application's pre-translation hook: Enter becomes a command for the
// focused window before any screen's own key handling; other keys and modifiers pass.
#include "FrameworkTables.h"

#include "platform/ui/Accelerators.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/testing/UiTest.h"

#include <gtest/gtest.h>

namespace {
using namespace frameworktest;

/// An application whose hook offers keys to the test shortcut table first.
class ShortcutApp : public CWinApp {
public:
    ShortcutApp() : CWinApp(u"Corvina") { loaded = table.Load(kShortcuts); }
    bool PreTranslateMessage(MSG& msg) override {
        if (table.Translate(msg.hwnd, msg)) {
            return true;
        }
        return CWinApp::PreTranslateMessage(msg);
    }
    CAcceleratorTable table;
    bool loaded = false;
};

class OpenScreen : public CDialog {
public:
    OpenScreen() : CDialog(kScreen) {
        GetCommandMap().OnCommand(kCmdOpen, [this] { ++opens; });
    }
    int opens = 0;
};

class AcceleratorTest : public ::testing::Test {
protected:
    void SetUp() override { InstallFrameworkTables(); }
};

TEST_F(AcceleratorTest, ATableLoadsFromTheResourcesOrStaysEmpty) {
    CAcceleratorTable table;
    EXPECT_FALSE(table.Load(4242));
    EXPECT_FALSE(table.IsLoaded());
    ASSERT_TRUE(table.Load(kShortcuts));
    ASSERT_EQ(table.Entries().size(), 1u);
    EXPECT_EQ(table.Entries()[0].key, VK_RETURN);
}

TEST_F(AcceleratorTest, OnlyAPressOfTheKeyWithExactlyItsModifiersIsTranslated) {
    CAcceleratorTable table;
    ASSERT_TRUE(table.Load(kShortcuts));
    OpenScreen screen;
    MSG enter{&screen, WM_KEYDOWN, VK_RETURN, 0};
    MSG release{&screen, WM_KEYUP, VK_RETURN, 0};
    MSG controlEnter{&screen, WM_KEYDOWN, VK_RETURN, MK_CONTROL};
    MSG other{&screen, WM_KEYDOWN, VK_SPACE, 0};
    EXPECT_TRUE(table.Translate(&screen, enter));
    EXPECT_FALSE(table.Translate(&screen, release)) << "releases pass, for hooks that act on them";
    EXPECT_FALSE(table.Translate(&screen, controlEnter));
    EXPECT_FALSE(table.Translate(&screen, other));
    EXPECT_FALSE(table.Translate(nullptr, enter)) << "no window to send to";
    EXPECT_EQ(screen.opens, 1);
}

TEST_F(AcceleratorTest, EnterReachesTheScreenAsACommandAndNeverClosesIt) {
    ShortcutApp app;
    ASSERT_TRUE(app.loaded);
    OpenScreen screen;
    uitest::RunModal(screen, [&] {
        screen.GetDlgItem(kList)->SetFocus();
        uitest::PressKey(VK_RETURN);
        uitest::PressKey(VK_RETURN);
        EXPECT_TRUE(screen.IsModalRunning());
        EXPECT_EQ(screen.opens, 2);
        uitest::PressKey(VK_ESCAPE);
        EXPECT_FALSE(screen.IsModalRunning()) << "other keys keep the screen's own handling";
    });
}

TEST_F(AcceleratorTest, ControlEnterStillTypesALineBreakIntoAFieldThatTakesIt) {
    ShortcutApp app;
    OpenScreen screen;
    uitest::RunModal(screen, [&] {
        screen.GetDlgItem(kField)->SetFocus();
        uitest::PressKey(VK_RETURN, MK_CONTROL);
        EXPECT_TRUE(screen.IsModalRunning());
        EXPECT_EQ(screen.opens, 0);
    });
}

} // namespace
