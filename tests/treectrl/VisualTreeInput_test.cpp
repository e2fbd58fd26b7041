// The pen on the check-tree control: check boxes, expand squares, selection, notes marks, holds,
// the scroll bar's arrows and thumb, and the notifications the owner receives, in order.
#include "TreeTestHost.h"

using namespace treetest;
using namespace treectrl;

namespace {

class TreeInput : public TreeFixture {};
class TreeScroll : public TreeFixture {};

constexpr UINT_PTR kUpTimer = 109;
constexpr UINT_PTR kDownTimer = 110;
constexpr UINT_PTR kThumbTimer = 113;
const CPoint kDownArrow(230, 312);
const CPoint kUpArrow(230, 6);

} // namespace

// --- Check boxes ---------------------------------------------------------------------------------

TEST_F(TreeInput, TappingACheckBoxChecksItNotifiesOnceAndRedrawsOnlyThatRow) {
    Add(u"Bread");
    VisualNode* milk = Add(u"Milk");
    Add(u"Eggs");
    Grab();
    tree.drawn.clear();

    uitest::Tap(tree, CPoint(5, 16 + 5));

    EXPECT_EQ(*flags[1], 1);
    ASSERT_EQ(parent.received.size(), 1u);
    EXPECT_EQ(parent.received[0].code, kCheckChanged);
    EXPECT_EQ(parent.received[0].id, kTreeId);
    EXPECT_EQ(parent.received[0].from, &tree);
    EXPECT_EQ(tree.drawn, (std::vector<const VisualNode*>{milk}));
    EXPECT_EQ(tree.GetSelectedItem(), nullptr);
    EXPECT_FALSE(tree.IsLayoutDirty());
}

// A tap ticks its own row only: the rows below a parent keep their flags, ticked or not, and the
// owner hears of the one change once.
TEST_F(TreeInput, TappingAParentsCheckBoxChangesThatRowAlone) {
    VisualNode* fruit = Add(u"Fruit");
    VisualNode* apples = Add(u"Apples", fruit);
    Add(u"Green", apples);
    Add(u"Pears", fruit);
    Add(u"Bread");
    *flags[1] = 1;
    const std::vector<BYTE> below = {1, 0, 0, 0};

    uitest::Tap(tree, CPoint(5, 5));
    EXPECT_EQ(*flags[0], 1);
    EXPECT_EQ((std::vector<BYTE>{*flags[1], *flags[2], *flags[3], *flags[4]}), below);
    EXPECT_EQ(parent.Codes(), (std::vector<UINT>{kCheckChanged}));

    uitest::Tap(tree, CPoint(5, 5));
    EXPECT_EQ(*flags[0], 0);
    EXPECT_EQ((std::vector<BYTE>{*flags[1], *flags[2], *flags[3], *flags[4]}), below);
    EXPECT_EQ(parent.Codes(), (std::vector<UINT>{kCheckChanged, kCheckChanged}));
}

TEST_F(TreeInput, AnyNonZeroFlagCountsAsCheckedAndATapWritesZero) {
    Add(u"Bread");
    *flags[0] = 7;
    uitest::Tap(tree, CPoint(5, 5));
    EXPECT_EQ(*flags[0], 0);
    EXPECT_EQ(parent.Codes(), (std::vector<UINT>{kCheckChanged}));
}

TEST_F(TreeInput, RowWithoutAFlagIgnoresCheckBoxTaps) {
    tree.InsertItem(u"No flag", 0, 0, nullptr, nullptr);
    uitest::Tap(tree, CPoint(5, 5));
    EXPECT_TRUE(parent.received.empty());
    EXPECT_EQ(tree.GetCheck(tree.GetFirstItem()), 0);
}

TEST_F(TreeInput, CheckAllWritesEveryRowShownOrNotWithOneNotificationEach) {
    VisualNode* fruit = Add(u"Fruit");
    Add(u"Apples", fruit);
    Add(u"Pears", fruit);
    Add(u"Bread");
    Add(u"Milk");
    tree.Expand(fruit, false);
    tree.CheckAll(1);
    for (const auto& flag : flags) {
        EXPECT_EQ(*flag, 1);
    }
    EXPECT_EQ(parent.Codes(), std::vector<UINT>(5, kCheckChanged));
}

TEST_F(TreeInput, SetCheckSkipsTheSubtreeOfARowWithoutAFlag) {
    VisualNode* noFlag = tree.InsertItem(u"No flag", 0, 0, nullptr, nullptr);
    Add(u"Child", noFlag);
    tree.SetCheck(noFlag, 1, true);
    EXPECT_EQ(*flags[0], 0);
    EXPECT_TRUE(parent.received.empty());
}

TEST_F(TreeInput, OwnerMayReadTheControlFromItsHandler) {
    Add(u"Bread");
    Add(u"Milk");
    std::vector<BYTE> seen;
    parent.onNotify = [&](const NMHDR&) { seen.push_back(tree.GetCheck(tree.GetFirstItem())); };
    tree.CheckAll(1);
    EXPECT_EQ(seen, (std::vector<BYTE>{1, 1}));
}

// --- Expand squares --------------------------------------------------------------------------------

TEST_F(TreeInput, TappingTheMinusCollapsesAndRecoloursTheRowsBelow) {
    VisualNode* fruit = Add(u"Fruit");
    Add(u"Apples", fruit);
    VisualNode* bread = Add(u"Bread");
    EXPECT_EQ(bread->item.Background(), kEvenRow);

    uitest::Tap(tree, CPoint(74, 8));

    EXPECT_EQ(fruit->item.expanded, 0);
    EXPECT_EQ(bread->item.rowTop, 16);
    EXPECT_EQ(bread->item.Background(), kOddRow);
    EXPECT_EQ(Grab().Pixel(150, 20), kOddRow);
    EXPECT_EQ(tree.GetSelectedItem(), nullptr);

    uitest::Tap(tree, CPoint(74, 8));
    EXPECT_EQ(fruit->item.expanded, 1);
    EXPECT_EQ(bread->item.rowTop, 31);
    EXPECT_TRUE(parent.received.empty());
}

TEST_F(TreeInput, TappingTheSquaresPlaceOnARowWithoutSubRowsDoesNothing) {
    VisualNode* bread = Add(u"Bread");
    uitest::Tap(tree, CPoint(74, 8));
    EXPECT_EQ(bread->item.expanded, 1);
    EXPECT_EQ(tree.GetSelectedItem(), nullptr);
    UINT hit = 0;
    EXPECT_EQ(tree.HitTest(74, 8, &hit), bread);
    EXPECT_EQ(hit, kOnExpander);
}

// --- Selection, notes, holds ----------------------------------------------------------------------

TEST_F(TreeInput, TappingARowSelectsItAndRedrawsTheOldAndNewRows) {
    VisualNode* bread = Add(u"Bread");
    VisualNode* milk = Add(u"Milk");
    uitest::Tap(tree, CPoint(150, 8));
    tree.drawn.clear();
    uitest::Tap(tree, CPoint(150, 20));
    EXPECT_EQ(tree.GetSelectedItem(), milk);
    EXPECT_EQ(tree.drawn, (std::vector<const VisualNode*>{milk, bread}));
    EXPECT_TRUE(parent.received.empty()) << "selection changes are not reported";
}

TEST_F(TreeInput, LiftingThePenOnANotesMarkSendsNotesClickedAfterSelectingTheRow) {
    Add(u"Bread");
    VisualNode* milk = Add(u"Milk");
    tree.SetItemNotes(milk, u"skimmed");
    const CRect mark = tree.GetNotesRect(milk);
    const CPoint centre((mark.left + mark.right) / 2, (mark.top + mark.bottom) / 2);
    uitest::PenDown(tree, centre);
    EXPECT_EQ(tree.GetSelectedItem(), milk);
    EXPECT_TRUE(parent.received.empty());
    uitest::PenUp(tree, centre);
    EXPECT_EQ(parent.Codes(), (std::vector<UINT>{kNotesClicked}));
    UINT hit = 0;
    tree.HitTest(centre, &hit);
    EXPECT_EQ(hit, kOnNotes);
}

TEST_F(TreeInput, HoldingOnARowSelectsItAndTheOwnerGetsTheHoldWithTheScreenPoint) {
    gestures.reset();
    VisualNode* milk = Add(u"Milk");
    uitest::Hold(tree, CPoint(150, 8));
    EXPECT_EQ(tree.GetSelectedItem(), milk);
    ASSERT_EQ(parent.Codes(), (std::vector<UINT>{kHoldGesture}));
    CPoint screen(150, 8);
    tree.ClientToScreen(&screen);
    EXPECT_EQ(parent.received[0].holdPoint, screen);
    EXPECT_EQ(parent.received[0].id, kTreeId);
}

TEST_F(TreeInput, HoldingBelowTheLastRowStillReachesTheOwner) {
    gestures.reset();
    Add(u"Milk");
    uitest::Hold(tree, CPoint(150, 200));
    EXPECT_EQ(tree.GetSelectedItem(), nullptr);
    EXPECT_EQ(parent.Codes(), (std::vector<UINT>{kHoldGesture}));
}

// --- Scroll bar ------------------------------------------------------------------------------------

TEST_F(TreeScroll, ContentOfExactlyTheViewHeightShowsNoBarOneMorePixelDoes) {
    Rebuild(240, 152); // view 150 high
    AddRows(10, u"");  // 150 pixels
    EXPECT_FALSE(tree.GetScrollBar().Visible());
    Rebuild(240, 151);
    AddRows(10, u"");
    EXPECT_TRUE(tree.GetScrollBar().Visible());
}

TEST_F(TreeScroll, ThumbIsAThirdOfTheTrackForContentThreeViewsHigh) {
    Rebuild(240, 302); // view 300, track 276
    AddRows(60, u"");  // 900 pixels
    EXPECT_EQ(tree.GetScrollBar().thumb, CRect(224, 13, 237, 13 + 92));
}

TEST_F(TreeScroll, ThumbOfAVeryLongListIsThirteenPixels) {
    AddRows(3000, u"");
    EXPECT_EQ(tree.GetScrollBar().thumb.Height(), 13);
}

TEST_F(TreeScroll, HoldingTheDownArrowFourteenTicksScrolls140Pixels) {
    AddRows(100, u"row");
    uitest::PenDown(tree, kDownArrow);
    EXPECT_EQ(tree.GetScrollOffset(), 0) << "the first step comes with the first tick";
    EXPECT_TRUE(tree.IsTimerRunning(kDownTimer));
    for (int i = 0; i < 14; ++i) {
        ASSERT_TRUE(uitest::FireTimer(tree, kDownTimer));
    }
    EXPECT_EQ(tree.GetScrollOffset(), 140);
    uitest::PenUp(tree, kDownArrow);
    EXPECT_FALSE(tree.IsTimerRunning(kDownTimer));
    EXPECT_EQ(tree.GetPressedPart(), kNoPart);

    uitest::PenDown(tree, kUpArrow);
    for (int i = 0; i < 4; ++i) {
        uitest::FireTimer(tree, kUpTimer);
    }
    uitest::PenUp(tree, kUpArrow);
    EXPECT_EQ(tree.GetScrollOffset(), 100);
}

TEST_F(TreeScroll, ArrowsAtTheEndsStartNoTimer) {
    AddRows(30, u"row"); // 450 pixels, 132 more than the view
    uitest::PenDown(tree, kUpArrow);
    EXPECT_FALSE(tree.IsTimerRunning(kUpTimer));
    uitest::PenUp(tree, kUpArrow);

    uitest::PenDown(tree, kDownArrow);
    for (int i = 0; i < 20; ++i) {
        uitest::FireTimer(tree, kDownTimer);
    }
    EXPECT_EQ(tree.GetScrollOffset(), 450 - 318) << "ticks past the end are clamped";
    uitest::PenUp(tree, kDownArrow);
    uitest::PenDown(tree, kDownArrow);
    EXPECT_FALSE(tree.IsTimerRunning(kDownTimer));
    uitest::PenUp(tree, kDownArrow);
}

TEST_F(TreeScroll, LiftingThePenAfterSlidingOffAnArrowStopsTheRepeat) {
    AddRows(100, u"row");
    uitest::PenDown(tree, kDownArrow);
    uitest::FireTimer(tree, kDownTimer);
    uitest::PenMove(tree, CPoint(150, 100));
    uitest::PenUp(tree, CPoint(150, 100));
    EXPECT_FALSE(tree.IsTimerRunning(kDownTimer));
    EXPECT_EQ(tree.GetPressedPart(), kNoPart);
    EXPECT_EQ(tree.GetScrollOffset(), 10);
    EXPECT_TRUE(parent.received.empty());
}

TEST_F(TreeScroll, LiftingThePenOnTheOtherArrowStopsThePressedOne) {
    AddRows(100, u"row");
    uitest::PenDown(tree, kDownArrow);
    uitest::FireTimer(tree, kDownTimer);
    uitest::PenUp(tree, kUpArrow);
    EXPECT_FALSE(tree.IsTimerRunning(kDownTimer));
    EXPECT_FALSE(tree.IsTimerRunning(kUpTimer));
}

TEST_F(TreeScroll, DraggingTheThumbTenPixelsAtHalfScaleScrollsTwenty) {
    Rebuild(240, 326); // view 324, track 300
    AddRows(40, u"");  // 600 pixels: scale 0.5
    ASSERT_FLOAT_EQ(tree.GetScrollBar().scale, 0.5f);
    uitest::PenDown(tree, CPoint(230, 50));
    EXPECT_TRUE(tree.IsTimerRunning(kThumbTimer));
    uitest::PenMove(tree, CPoint(230, 60));
    EXPECT_EQ(tree.GetScrollOffset(), 20);
    uitest::FireTimer(tree, kThumbTimer);
    EXPECT_EQ(tree.GetScrollOffset(), 20) << "the thumb's tick only repaints";
    uitest::PenUp(tree, CPoint(230, 60));
    EXPECT_FALSE(tree.IsTimerRunning(kThumbTimer));
}

TEST_F(TreeScroll, ThePenOutsideTheThumbIsNotFollowed) {
    Rebuild(240, 326);
    AddRows(40, u"");
    uitest::PenDown(tree, CPoint(230, 50));
    uitest::PenMove(tree, CPoint(150, 60));
    EXPECT_EQ(tree.GetScrollOffset(), 0);
    uitest::PenUp(tree, CPoint(150, 60));
}

TEST_F(TreeScroll, TappingTheTrackBelowTheThumbChangesNothing) {
    AddRows(100, u"row");
    const CRect thumb = tree.GetScrollBar().thumb;
    uitest::Tap(tree, CPoint(230, thumb.bottom + 20));
    EXPECT_EQ(tree.GetScrollOffset(), 0);
    EXPECT_EQ(tree.GetPressedPart(), kNoPart);
    EXPECT_FALSE(tree.IsTimerRunning(kThumbTimer));
    EXPECT_TRUE(parent.received.empty());
}

TEST_F(TreeScroll, AScrollStepRendersOnlyTheRowsComingIntoViewWithoutALayout) {
    AddRows(1000, u"row");
    uitest::PenDown(tree, kDownArrow);
    tree.drawn.clear();
    uitest::FireTimer(tree, kDownTimer);
    EXPECT_FALSE(tree.IsLayoutDirty());
    ASSERT_FALSE(tree.drawn.empty());
    EXPECT_LE(tree.drawn.size(), 2u);
    for (const VisualNode* row : tree.drawn) {
        EXPECT_GT(row->item.rowBottom, 318) << "only rows at the new bottom edge are rendered";
    }
    uitest::PenUp(tree, kDownArrow);
}

TEST_F(TreeScroll, ScrolledRowsLookTheSameAsRowsRenderedAfresh) {
    for (int i = 0; i < 100; ++i) {
        VisualNode* row = Add(u"row " + std::u16string(1, static_cast<char16_t>(u'a' + i % 26)));
        tree.SetItemColumnText(row, 0, u"1");
    }
    Grab();
    uitest::PenDown(tree, kDownArrow);
    for (int i = 0; i < 7; ++i) {
        uitest::FireTimer(tree, kDownTimer);
    }
    uitest::PenUp(tree, kDownArrow);
    const auto scrolled = Grab();
    tree.ForgetMeasurements();
    tree.SetItemText(tree.GetFirstItem(), u"row a"); // a full repaint renders every row in view afresh
    const auto fresh = Grab();
    for (int y = 0; y < 320; ++y) {
        for (int x = 0; x < 240; ++x) {
            ASSERT_EQ(scrolled.Pixel(x, y), fresh.Pixel(x, y)) << x << "," << y;
        }
    }
}

TEST_F(TreeScroll, RowsUnderTheBarCannotBeTappedWhileItShows) {
    AddRows(100, u"row");
    uitest::Tap(tree, CPoint(226, 150));
    EXPECT_EQ(tree.GetSelectedItem(), nullptr);
}

TEST_F(TreeScroll, AWheelNotchScrolls30PixelsClampedWithoutRenderingRowsAgain) {
    AddRows(30, u"row"); // 450 pixels: 132 more than the view
    tree.Wheel(-1);
    EXPECT_EQ(tree.GetScrollOffset(), 30);
    tree.drawn.clear();
    tree.Wheel(-1);
    EXPECT_EQ(tree.GetScrollOffset(), 60);
    EXPECT_LE(tree.drawn.size(), 3u) << "only the rows coming into view";
    EXPECT_FALSE(tree.IsLayoutDirty());
    tree.Wheel(-10);
    EXPECT_EQ(tree.GetScrollOffset(), 132);
    tree.Wheel(2);
    EXPECT_EQ(tree.GetScrollOffset(), 72);
    tree.Wheel(10);
    EXPECT_EQ(tree.GetScrollOffset(), 0);
}

TEST_F(TreeScroll, PressingAnotherPartWithoutAPenUpLeavesOnlyThatOneRepeating) {
    AddRows(100, u"row");
    uitest::PenDown(tree, kDownArrow);
    uitest::FireTimer(tree, kDownTimer);
    uitest::PenDown(tree, kUpArrow); // the pen-up in between was lost
    EXPECT_FALSE(tree.IsTimerRunning(kDownTimer));
    EXPECT_TRUE(tree.IsTimerRunning(kUpTimer));
    uitest::PenUp(tree, kUpArrow);
}
