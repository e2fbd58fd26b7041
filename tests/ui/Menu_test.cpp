// Menus: loading a menu resource, context menus with the owner's enabling rules, and the menu bar's
// drop-down and tool buttons, tapped as a user would.
#include "FrameworkTables.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/Gesture.h"
#include "platform/ui/Menu.h"
#include "platform/ui/testing/UiTest.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
using namespace frameworktest;

/// A screen with a menu bar from the test menu and one tool button.
class BarScreen : public CDialog {
public:
    BarScreen() : CDialog(kScreen) {
        GetCommandMap().OnCommand(kCmdFirst, [this] { commands.push_back(kCmdFirst); });
        GetCommandMap().OnCommand(kCmdSecond, [this] { commands.push_back(kCmdSecond); });
        GetCommandMap().OnUpdate(kCmdSecond, [this] { return secondEnabled; });
    }
    std::vector<UINT> commands;
    bool secondEnabled = true;
    bool withTools = false;

protected:
    bool OnInitDialog() override {
        CDialog::OnInitDialog();
        CreateMenuBar(kMenu);
        return true;
    }
};

/// Menu-bar button centres on the device: "One" then "Two" (labels 7 pixels in from each side,
/// both 20 pixels wide: buttons 0 to 34 and 34 to 68).
CPoint BarButton(int index) {
    return CPoint(index == 0 ? 16 : 48, 320 - 13);
}

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override { InstallFrameworkTables(); }
};

TEST_F(MenuTest, AMenuResourceLoadsWithItsPopupsInOrder) {
    CMenu menu;
    EXPECT_FALSE(menu.LoadMenu(4242));
    ASSERT_TRUE(menu.LoadMenu(kMenu));
    ASSERT_EQ(menu.GetMenuItemCount(), 2);
    CMenu* first = menu.GetSubMenu(0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetMenuItemCount(), 3);
    EXPECT_EQ(first->GetMenuItemID(0), kCmdFirst);
    EXPECT_TRUE(first->Items()[1].separator);
    EXPECT_EQ(menu.GetSubMenu(5), nullptr);
    EXPECT_EQ(first->GetSubMenu(0), nullptr) << "a command is not a popup";
}

TEST_F(MenuTest, AContextMenuShowsTheOwnersEnablingAndSendsTheChoice) {
    BarScreen screen;
    uitest::RunModal(screen, [&] {
        CMenu menu;
        ASSERT_TRUE(menu.LoadMenu(kMenu));
        uitest::MenuRecorder menus([](const uitest::ShownMenu&) { return kCmdFirst; });
        EXPECT_EQ(menu.GetSubMenu(0)->TrackPopupMenu(TPM_LEFTALIGN | TPM_TOPALIGN, 30, 60, &screen),
                  kCmdFirst);
        ASSERT_EQ(menus.Shown().size(), 1u);
        const uitest::ShownMenu& shown = menus.Shown()[0];
        EXPECT_EQ(shown.screenPoint, CPoint(30, 60));
        ASSERT_EQ(shown.entries.size(), 3u);
        EXPECT_EQ(shown.entries[0].text, u"First") << "ampersands stripped";
        EXPECT_TRUE(shown.entries[0].enabled);
        EXPECT_TRUE(shown.entries[1].separator);
        EXPECT_FALSE(shown.entries[2].enabled) << "no rule and no handler";
        EXPECT_EQ(screen.commands, (std::vector<UINT>{kCmdFirst}));
    });
}

TEST_F(MenuTest, ADisabledCommandCannotBeChosenAndReturnCmdSendsNothing) {
    BarScreen screen;
    screen.secondEnabled = false;
    uitest::RunModal(screen, [&] {
        CMenu menu;
        ASSERT_TRUE(menu.LoadMenu(kMenu));
        uitest::MenuRecorder pickSecond([](const uitest::ShownMenu&) { return kCmdSecond; });
        EXPECT_EQ(menu.GetSubMenu(1)->TrackPopupMenu(0, 0, 0, &screen), 0u);
        screen.secondEnabled = true;
        EXPECT_EQ(menu.GetSubMenu(1)->TrackPopupMenu(TPM_RETURNCMD, 0, 0, &screen), kCmdSecond);
        EXPECT_TRUE(screen.commands.empty());
    });
}

TEST_F(MenuTest, TappingADropDownButtonOpensItsPopupAboveTheBar) {
    BarScreen screen;
    uitest::RunModal(screen, [&] {
        uitest::MenuRecorder menus([](const uitest::ShownMenu& m) { return m.entries[0].commandId; });
        uitest::TapScreen(BarButton(1));
        ASSERT_EQ(menus.Shown().size(), 1u);
        EXPECT_EQ(menus.Shown()[0].entries[0].text, u"Second & last");
        EXPECT_EQ(menus.Shown()[0].screenPoint.y, 320 - 26 + 1) << "anchored on the bar's top edge";
        EXPECT_EQ(screen.commands, (std::vector<UINT>{kCmdSecond}));
    });
}

TEST_F(MenuTest, TheRealPopupPicksAnEntryByTapAndClosesOnATapOutside) {
    BarScreen screen;
    uitest::RunModal(screen, [&] {
        CMenu menu;
        ASSERT_TRUE(menu.LoadMenu(kMenu));
        // The popup runs a loop of its own: taps are given to it once it shows.
        uitest::Soon([] { uitest::TapScreen(CPoint(40, 60 + 10)); });
        EXPECT_EQ(menu.GetSubMenu(0)->TrackPopupMenu(TPM_RETURNCMD, 30, 60, &screen), kCmdFirst);
        uitest::Soon([] { uitest::TapScreen(CPoint(200, 20)); });
        EXPECT_EQ(menu.GetSubMenu(0)->TrackPopupMenu(TPM_RETURNCMD, 30, 60, &screen), 0u);
        uitest::Soon([] { uitest::TapScreen(CPoint(40, 60 + 18 + 7 + 9)); });
        uitest::Soon([] { uitest::TapScreen(CPoint(200, 20)); });
        EXPECT_EQ(menu.GetSubMenu(0)->TrackPopupMenu(TPM_RETURNCMD, 30, 60, &screen), 0u)
            << "a tap on a disabled entry picks nothing";
    });
}

/// A window that asks the recogniser on every pen down, and a screen that opens a real context menu
/// on a hold, as the document list does.
class HoldingWindow : public CWnd {
protected:
    void OnLButtonDown(UINT, CPoint point) override {
        SHRGINFO info;
        info.hwndClient = this;
        info.ptDown = point;
        info.dwFlags = SHRG_NOTIFYPARENT;
        SHRecognizeGesture(info);
    }
};

class ContextScreen : public BarScreen {
public:
    ContextScreen() {
        GetCommandMap().OnNotify(77, GN_CONTEXTMENU, [this](const NMHDR& hdr, LRESULT*) {
            const CPoint at = reinterpret_cast<const NMRGINFO&>(hdr).ptAction;
            CMenu menu;
            menu.LoadMenu(kMenu);
            menu.GetSubMenu(0)->TrackPopupMenu(TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, this);
        });
        GetCommandMap().OnCommand(kButton, [this] { commands.push_back(kButton); });
    }
};

TEST_F(MenuTest, AfterAHoldTheLiftStaysWithTheMenuAndTheNextTapGoesWhereItLands) {
    ContextScreen screen;
    uitest::RunModal(screen, [&] {
        HoldingWindow window;
        ASSERT_TRUE(
            window.Create(kCustomClass, u"", WS_CHILD | WS_VISIBLE, CRect(0, 120, 200, 200), &screen, 77));
        const CPoint pen(30, 10);
        const CPoint firstEntry(30 + 20, 26 + 120 + 10 + 9);
        uitest::Soon([&] {
            uitest::PenUp(window, pen);
            uitest::TapScreen(firstEntry);
        });
        {
            uitest::GestureOverride hold(uitest::GestureAnswer::Hold);
            uitest::PenDown(window, pen);
        }
        uitest::ProcessEvents();
        uitest::Tap(*screen.GetDlgItem(kButton), CPoint(5, 5));
    });
    EXPECT_EQ(screen.commands, (std::vector<UINT>{kCmdFirst, kButton}));
}

/// A screen whose menu bar also has tool buttons cut from a picture strip.
class ToolScreen : public CDialog {
public:
    ToolScreen() : CDialog(kScreen) {}
    std::vector<UINT> commands;
    bool toolsAdded = false;

protected:
    bool OnInitDialog() override {
        CDialog::OnInitDialog();
        CreateMenuBar(kMenu);
        // Picture 131 is 240 x 22: ten 22-pixel cells.
        const ToolButton tools[] = {{kCmdNoHandler, 0, false}, {0, -1, true}, {kCmdFirst, 1, false}};
        toolsAdded = AddToolButtons(131, tools);
        return true;
    }
    bool OnCommand(UINT id) override {
        commands.push_back(id);
        return CDialog::OnCommand(id);
    }
};

TEST(MenuBarTools, ToolButtonsFollowTheDropDownsAndAlwaysSend) {
    InstallProgramResources();
    InstallResources(ResourceTables{ProgramResources().strings, kDialogs, kMenus, {}, kAccelerators});
    ToolScreen screen;
    uitest::RunModal(screen, [&] {
        ASSERT_TRUE(screen.toolsAdded);
        EXPECT_FALSE(screen.AddToolButtons(4242, {})) << "no such picture";
        // "One" and "Two" (20 pixels each at the bar's 11-pixel em, 7 pixels of room on each side)
        // end at x = 68; the first tool button (30 wide) follows, then a 6-pixel gap.
        uitest::TapScreen(CPoint(68 + 15, 320 - 13));
        uitest::TapScreen(CPoint(68 + 30 + 6 + 15, 320 - 13));
        uitest::TapScreen(CPoint(68 + 30 + 3, 320 - 13)); // the gap
    });
    EXPECT_EQ(screen.commands, (std::vector<UINT>{kCmdNoHandler, kCmdFirst}))
        << "tool buttons send without enabling rules; a gap sends nothing";
}

} // namespace
