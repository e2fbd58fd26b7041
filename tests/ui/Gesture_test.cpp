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
/// The asking window's control id.
constexpr UINT kWindowId = 77;

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
        GetCommandMap().OnNotify(kWindowId, kHoldCode, [this](const NMHDR& hdr, LRESULT*) {
            holds.push_back(reinterpret_cast<const NMRGINFO&>(hdr));
        });
    }
    std::vector<NMRGINFO> holds;
};

/// Where the asking window stands on the screen unless a test says otherwise.
const CRect kWindowPlace(0, 0, 100, 100);

class GestureTest : public ::testing::Test {
protected:
    void SetUp() override { InstallFrameworkTables(); }

    /// Runs `body` with a `Window` at `place` on a shown screen that records the holds.
    template <class Window = AskingWindow, class Body>
    void OnScreen(Body body, const CRect& place = kWindowPlace) {
        HoldScreen screen;
        uitest::RunModal(screen, [&] {
            Window window;
            ASSERT_TRUE(window.Create(kCustomClass, u"", WS_CHILD | WS_VISIBLE, place, &screen, kWindowId));
            body(screen, window);
        });
    }
};

TEST_F(GestureTest, AHoldNotifiesTheParentWithTheScreenPointAndAnswers1000) {
    OnScreen(
        [](HoldScreen& screen, AskingWindow& window) {
            uitest::Hold(window, CPoint(5, 7));
            EXPECT_EQ(window.answers, (std::vector<UINT>{kHoldCode}));
            ASSERT_EQ(screen.holds.size(), 1u);
            EXPECT_EQ(screen.holds[0].hdr.hwndFrom, &window);
            EXPECT_EQ(screen.holds[0].hdr.idFrom, 77u);
            EXPECT_EQ(screen.holds[0].hdr.code, kHoldCode);
            EXPECT_EQ(screen.holds[0].ptAction, CPoint(15, 26 + 47));
        },
        CRect(10, 40, 110, 140));
}

TEST_F(GestureTest, ATapIsNoHoldAndNotifiesNobody) {
    OnScreen([](HoldScreen& screen, AskingWindow& window) {
        uitest::Tap(window, CPoint(5, 7));
        EXPECT_EQ(window.answers, (std::vector<UINT>{0}));
        EXPECT_TRUE(screen.holds.empty());
    });
}

TEST_F(GestureTest, ARightClickIsAHoldAtOnceEvenWhenTheHookSaysNo) {
    OnScreen([](HoldScreen& screen, AskingWindow& window) {
        uitest::GestureOverride noHold(uitest::GestureAnswer::NoHold);
        uitest::RightClick(window, CPoint(3, 4));
        EXPECT_EQ(window.answers, (std::vector<UINT>{kHoldCode}));
        EXPECT_EQ(screen.holds.size(), 1u);
    });
}

TEST_F(GestureTest, AskingForTheAnswerOnlyNotifiesNobody) {
    OnScreen([](HoldScreen& screen, AskingWindow& window) {
        window.flags = SHRG_RETURNCMD;
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
    OnScreen<OrderWindow>([](HoldScreen& screen, OrderWindow& window) {
        // The recogniser watches the pen in a loop of its own; the lift comes while it waits.
        uitest::Soon([&] { uitest::PenUp(window, CPoint(20, 20)); });
        uitest::PenDown(window, CPoint(20, 20));
        uitest::ProcessEvents();
        EXPECT_EQ(window.order, (std::vector<std::string>{"down:0", "up"}));
        EXPECT_TRUE(screen.holds.empty());
    });
}

TEST_F(GestureTest, MovingThePenAwayBeforeTheHoldIsNoGesture) {
    OnScreen<OrderWindow>([](HoldScreen&, OrderWindow& window) {
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
