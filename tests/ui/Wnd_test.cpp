// Windows: creating custom windows, notifications to the parent, command routing and enabling
// through parents, timers driven by hand, and synchronous repaint with and without erasing.
#include "FrameworkTables.h"

#include "platform/ui/DC.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/testing/UiTest.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {
using namespace frameworktest;

constexpr COLORREF kPaintColour = RGB(200, 30, 30);
constexpr COLORREF kEraseColour = RGB(20, 200, 20);

/// A custom window that logs its messages.
class LoggingWindow : public CWnd {
public:
    std::vector<std::string> log;
    int paints = 0;
    int erases = 0;
    bool paintRed = true;

protected:
    void OnPaint(CDC& dc) override {
        ++paints;
        if (paintRed) {
            dc.FillSolidRect(CRect(0, 0, 10, 10), kPaintColour);
        }
    }
    bool OnEraseBkgnd(CDC& dc) override {
        ++erases;
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(client, kEraseColour);
        return true;
    }
    void OnLButtonDown(UINT, CPoint p) override {
        log.push_back("down " + std::to_string(p.x) + "," + std::to_string(p.y));
    }
    void OnLButtonUp(UINT, CPoint p) override {
        log.push_back("up " + std::to_string(p.x) + "," + std::to_string(p.y));
    }
    void OnMouseMove(UINT flags, CPoint) override {
        if ((flags & MK_LBUTTON) != 0) {
            log.push_back("move");
        }
    }
    void OnTimer(UINT_PTR id) override { log.push_back("timer " + std::to_string(id)); }
    void OnDestroy() override { log.push_back("destroy"); }
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { InstallFrameworkTables(); }

    /// Runs a screen with a visible logging child, `side` pixels square at its top-left, and calls
    /// `act` with both.
    static void WithChild(int side, const std::function<void(CDialog&, LoggingWindow&)>& act) {
        CDialog screen(kScreen);
        uitest::RunModal(screen, [&] {
            LoggingWindow child;
            ASSERT_TRUE(child.Create(kCustomClass, u"", WS_CHILD | WS_VISIBLE, CRect(0, 0, side, side),
                                     &screen, kChildId));
            act(screen, child);
        });
    }
    static constexpr int kChildId = 77;
};

TEST_F(WindowTest, ACustomWindowIsOnlyCreatedForAKnownClassAndAParentWithAWindow) {
    CDialog screen(kScreen);
    uitest::RunModal(screen, [&] {
        LoggingWindow unknown;
        EXPECT_FALSE(
            unknown.Create(u"NoSuchClass", u"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &screen, 5));
        LoggingWindow orphan;
        CWnd noWindow;
        EXPECT_FALSE(orphan.Create(kCustomClass, u"", WS_CHILD, CRect(0, 0, 10, 10), &noWindow, 5));
        LoggingWindow child;
        ASSERT_TRUE(
            child.Create(kCustomClass, u"", WS_CHILD | WS_VISIBLE, CRect(10, 20, 50, 60), &screen, 77));
        EXPECT_EQ(child.GetParent(), &screen);
        EXPECT_EQ(screen.GetDlgItem(77), &child);
        CPoint p(1, 2);
        child.ClientToScreen(&p);
        EXPECT_EQ(p, CPoint(11, 26 + 22)) << "screen points count from the device's top-left";
        child.ScreenToClient(&p);
        EXPECT_EQ(p, CPoint(1, 2));
        EXPECT_TRUE(IsWindowClassKnown(u"framEworkTestCUSTOM")) << "class names ignore case";
    });
}

TEST_F(WindowTest, PenInputReachesTheHandlersInOrder) {
    WithChild(100, [](CDialog&, LoggingWindow& child) {
        uitest::Tap(child, CPoint(5, 6));
        uitest::Drag(child, CPoint(10, 10), CPoint(10, 30));
        EXPECT_EQ(child.log, (std::vector<std::string>{"down 5,6", "up 5,6", "down 10,10", "move", "move",
                                                       "move", "move", "up 10,30"}));
    });
}

TEST_F(WindowTest, AQuickSecondTapIsASecondPenDown) {
    WithChild(100, [](CDialog&, LoggingWindow& child) {
        uitest::Tap(child, CPoint(5, 5));
        uitest::Tap(child, CPoint(5, 5));
        EXPECT_EQ(child.log, (std::vector<std::string>{"down 5,5", "up 5,5", "down 5,5", "up 5,5"}));
    });
}

TEST_F(WindowTest, TimersTickOnlyWhileRunningAndAreFiredByHand) {
    WithChild(10, [](CDialog&, LoggingWindow& child) {
        EXPECT_FALSE(uitest::FireTimer(child, 110)) << "not started";
        EXPECT_EQ(child.SetTimer(110, 70), 110u);
        EXPECT_TRUE(child.IsTimerRunning(110));
        EXPECT_TRUE(uitest::FireTimer(child, 110));
        EXPECT_TRUE(uitest::FireTimer(child, 110));
        EXPECT_TRUE(child.KillTimer(110));
        EXPECT_FALSE(child.KillTimer(110));
        EXPECT_FALSE(uitest::FireTimer(child, 110));
        EXPECT_EQ(child.log, (std::vector<std::string>{"timer 110", "timer 110"}));
    });
}

TEST_F(WindowTest, RepaintIsSynchronousAndErasesOnlyWhenAsked) {
    WithChild(40, [](CDialog&, LoggingWindow& child) {
        child.RedrawWindow();
        const int paints = child.paints;
        const int erases = child.erases;
        EXPECT_GE(paints, 1);
        child.Invalidate(false);
        child.UpdateWindow();
        EXPECT_EQ(child.paints, paints + 1) << "painted before UpdateWindow returned";
        EXPECT_EQ(child.erases, erases) << "no erase was asked for";
        child.Invalidate(true);
        child.UpdateWindow();
        EXPECT_EQ(child.erases, erases + 1);
        child.UpdateWindow();
        EXPECT_EQ(child.paints, paints + 2) << "nothing left to paint";
        const uitest::GrabbedImage image = uitest::Grab(child);
        EXPECT_EQ(image.Pixel(2, 2), kPaintColour);
        EXPECT_EQ(image.Pixel(30, 30), kEraseColour);
    });
}

TEST_F(WindowTest, DestroyWindowTellsTheWindowFirstAndLeavesTheObjectWithout) {
    WithChild(10, [](CDialog& screen, LoggingWindow& child) {
        child.SetTimer(3, 70);
        child.DestroyWindow();
        EXPECT_FALSE(child.HasWindow());
        EXPECT_EQ(child.log, (std::vector<std::string>{"destroy"}));
        EXPECT_EQ(screen.GetDlgItem(kChildId), nullptr);
    });
}

TEST_F(WindowTest, ControlsOfAClosingScreenAreToldBeforeTheyGo) {
    LoggingWindow custom;
    class BindingScreen : public CDialog {
    public:
        explicit BindingScreen(CWnd& custom) : CDialog(kScreen), m_custom(custom) {}

    protected:
        void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, kCustomClassId, m_custom); }

    private:
        CWnd& m_custom;
    } screen(custom);
    uitest::RunModal(screen, [&] { EXPECT_TRUE(custom.HasWindow()); });
    EXPECT_EQ(custom.log, (std::vector<std::string>{"destroy"}));
    EXPECT_FALSE(custom.HasWindow());
}

/// A parent that logs notifications and commands and enables one command by rule.
class RoutingScreen : public CDialog {
public:
    RoutingScreen() : CDialog(kScreen) {
        GetCommandMap().OnNotify(77, 8500, [this](const NMHDR& hdr, LRESULT* result) {
            notified.push_back(hdr);
            *result = 5;
        });
        GetCommandMap().OnCommand(kCmdFirst, [this] { commands.push_back(kCmdFirst); });
        GetCommandMap().OnUpdate(kCmdSecond, [this] { return secondEnabled; });
    }
    std::vector<NMHDR> notified;
    std::vector<UINT> commands;
    bool secondEnabled = false;
};

TEST_F(WindowTest, NotificationsReachTheParentWithTheSenderAndCode) {
    RoutingScreen screen;
    uitest::RunModal(screen, [&] {
        LoggingWindow child;
        ASSERT_TRUE(child.Create(kCustomClass, u"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &screen, 77));
        EXPECT_EQ(child.NotifyParent(8500), 5);
        EXPECT_EQ(child.NotifyParent(8501), 0) << "no handler";
        ASSERT_EQ(screen.notified.size(), 1u);
        EXPECT_EQ(screen.notified[0].hwndFrom, &child);
        EXPECT_EQ(screen.notified[0].idFrom, 77u);
    });
}

TEST_F(WindowTest, ACommandAControlDoesNotHandleGoesToItsScreenAndEnablingAsksUpwards) {
    RoutingScreen screen;
    uitest::RunModal(screen, [&] {
        LoggingWindow child;
        ASSERT_TRUE(child.Create(kCustomClass, u"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &screen, 77));
        EXPECT_TRUE(child.SendCommand(kCmdFirst));
        EXPECT_FALSE(child.SendCommand(kCmdNoHandler));
        EXPECT_EQ(screen.commands, (std::vector<UINT>{kCmdFirst}));
        EXPECT_TRUE(child.IsCommandEnabled(kCmdFirst));
        EXPECT_FALSE(child.IsCommandEnabled(kCmdSecond));
        screen.secondEnabled = true;
        EXPECT_TRUE(child.IsCommandEnabled(kCmdSecond));
        EXPECT_FALSE(child.IsCommandEnabled(kCmdNoHandler));
    });
}

} // namespace
