// The tap-and-hold recogniser: a hold (forced by the test hook, or a right click) notifies the
// touched window's parent with code 1000 and the screen point; no hold answers 0.
#include "FrameworkTables.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/Gesture.h"
#include "platform/ui/testing/UiTest.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
using namespace frameworktest;

/// What the recogniser answers for a hold and the code its notification carries.
constexpr UINT kHoldCode = 1000;

/// A custom window that asks the recogniser on every pen down, as the check-tree control does.
class AskingWindow : public CWnd {
public:
    std::vector<UINT> answers;
    DWORD flags = SHRG_NOTIFYPARENT;

protected:
    void OnLButtonDown(UINT, CPoint point) override {
        SHRGINFO info;
        info.hwndClient = this;
        info.ptDown = point;
        info.dwFlags = flags;
        answers.push_back(SHRecognizeGesture(info));
    }
};

class HoldScreen : public CDialog {
public:
    HoldScreen() : CDialog(kScreen) {
        GetCommandMap().OnNotify(77, kHoldCode, [this](const NMHDR& hdr, LRESULT*) {
            holds.push_back(reinterpret_cast<const NMRGINFO&>(hdr));
        });
    }
    std::vector<NMRGINFO> holds;
};

class GestureTest : public ::testing::Test {
protected:
    void SetUp() override { InstallFrameworkTables(); }
};

TEST_F(GestureTest, AHoldNotifiesTheParentWithTheScreenPointAndAnswers1000) {
    HoldScreen screen;
    uitest::RunModal(screen, [&] {
        AskingWindow window;
        ASSERT_TRUE(
            window.Create(kCustomClass, u"", WS_CHILD | WS_VISIBLE, CRect(10, 40, 110, 140), &screen, 77));
        uitest::Hold(window, CPoint(5, 7));
        EXPECT_EQ(window.answers, (std::vector<UINT>{kHoldCode}));
        ASSERT_EQ(screen.holds.size(), 1u);
        EXPECT_EQ(screen.holds[0].hdr.hwndFrom, &window);
        EXPECT_EQ(screen.holds[0].hdr.idFrom, 77u);
        EXPECT_EQ(screen.holds[0].hdr.code, kHoldCode);
        EXPECT_EQ(screen.holds[0].ptAction, CPoint(15, 26 + 47));
    });
}

TEST_F(GestureTest, ATapIsNoHoldAndNotifiesNobody) {
    HoldScreen screen;
    uitest::RunModal(screen, [&] {
        AskingWindow window;
        ASSERT_TRUE(
            window.Create(kCustomClass, u"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &screen, 77));
        uitest::Tap(window, CPoint(5, 7));
        EXPECT_EQ(window.answers, (std::vector<UINT>{0}));
        EXPECT_TRUE(screen.holds.empty());
    });
}

TEST_F(GestureTest, ARightClickIsAHoldAtOnceEvenWhenTheHookSaysNo) {
    HoldScreen screen;
    uitest::RunModal(screen, [&] {
        AskingWindow window;
        ASSERT_TRUE(
            window.Create(kCustomClass, u"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &screen, 77));
        uitest::GestureOverride noHold(uitest::GestureAnswer::NoHold);
        uitest::RightClick(window, CPoint(3, 4));
        EXPECT_EQ(window.answers, (std::vector<UINT>{kHoldCode}));
        EXPECT_EQ(screen.holds.size(), 1u);
    });
}

TEST_F(GestureTest, AskingForTheAnswerOnlyNotifiesNobody) {
    HoldScreen screen;
    uitest::RunModal(screen, [&] {
        AskingWindow window;
        window.flags = SHRG_RETURNCMD;
        ASSERT_TRUE(
            window.Create(kCustomClass, u"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &screen, 77));
        uitest::Hold(window, CPoint(5, 7));
        EXPECT_EQ(window.answers, (std::vector<UINT>{kHoldCode}));
        EXPECT_TRUE(screen.holds.empty());
    });
}

/// A window that logs pen downs (with the recogniser's answer) and pen ups in order.
class OrderWindow : public AskingWindow {
public:
    std::vector<std::string> order;

protected:
    void OnLButtonDown(UINT flags, CPoint point) override {
        AskingWindow::OnLButtonDown(flags, point);
        order.push_back("down:" + std::to_string(answers.back()));
    }
    void OnLButtonUp(UINT, CPoint) override { order.push_back("up"); }
};

TEST_F(GestureTest, LiftingThePenBeforeTheHoldIsNoGestureAndTheLiftStillArrivesAfterTheDown) {
    HoldScreen screen;
    uitest::RunModal(screen, [&] {
        OrderWindow window;
        ASSERT_TRUE(
            window.Create(kCustomClass, u"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &screen, 77));
        // The recogniser watches the pen in a loop of its own; the lift comes while it waits.
        uitest::Soon([&] { uitest::PenUp(window, CPoint(20, 20)); });
        uitest::PenDown(window, CPoint(20, 20));
        uitest::ProcessEvents();
        EXPECT_EQ(window.order, (std::vector<std::string>{"down:0", "up"}));
        EXPECT_TRUE(screen.holds.empty());
    });
}

TEST_F(GestureTest, MovingThePenAwayBeforeTheHoldIsNoGesture) {
    HoldScreen screen;
    uitest::RunModal(screen, [&] {
        OrderWindow window;
        ASSERT_TRUE(
            window.Create(kCustomClass, u"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &screen, 77));
        uitest::Soon([&] {
            uitest::PenMove(window, CPoint(21, 21)); // within the tolerance: still held
            uitest::PenMove(window, CPoint(40, 20));
        });
        uitest::PenDown(window, CPoint(20, 20));
        uitest::PenUp(window, CPoint(40, 20));
        uitest::ProcessEvents();
        EXPECT_EQ(window.order, (std::vector<std::string>{"down:0", "up"}));
    });
}

TEST_F(GestureTest, WithoutAWindowThereIsNoGesture) {
    SHRGINFO info;
    EXPECT_EQ(SHRecognizeGesture(info), 0u);
}

} // namespace
