// The layout is brought up to date before anything reads a position, not only by a paint: a
// hidden control, which the platform does not paint, still hit-tests and places its rows and its
// scroll bar as they are now.
#include "TreeTestHost.h"

using namespace treetest;

namespace {

class UnpaintedTree : public TreeFixture {
protected:
    /// Hides the control after its first paint: from then on nothing paints it.
    void Hide() {
        tree.ShowWindow(SW_HIDE);
        ASSERT_FALSE(tree.IsWindowVisible());
    }
};

TEST_F(UnpaintedTree, HitTestsAndZonesAnswerForTheRowsAsTheyAreNow) {
    VisualNode* milk = Add(u"Milk");
    VisualNode* bread = Add(u"Bread");
    Hide();
    tree.MoveItemDown(milk);
    ASSERT_TRUE(tree.IsLayoutDirty()) << "no paint has laid the rows out again";

    // One-line rows are 15 pixels from content y 1: Bread now first, Milk second.
    UINT flags = 0;
    EXPECT_EQ(tree.HitTest(CPoint(5, 5), &flags), bread);
    EXPECT_EQ(flags, kOnCheckBox);
    EXPECT_FALSE(tree.IsLayoutDirty());
    EXPECT_EQ(tree.GetItemRect(milk).top, 16);
    EXPECT_EQ(tree.GetCheckBoxRect(milk), CRect(0, 16, 14, 30));
}

TEST_F(UnpaintedTree, TheScrollBarIsPlacedOnceTheRowsOverflowTheView) {
    Hide();
    std::vector<VisualNode*> rows;
    for (int i = 0; i < 30; ++i) {
        rows.push_back(Add(u"Row"));
    }
    EXPECT_FALSE(tree.GetScrollBar().Visible()) << "nothing has laid the rows out yet";
    // 30 rows of 15 pixels overflow the 318-pixel view: the bar takes the 13 pixels left of the
    // 3-pixel white strip, from y 1 to 319.
    EXPECT_EQ(tree.HitTest(CPoint(100, 317)), rows[21]);
    EXPECT_EQ(tree.GetScrollBar().bar, CRect(kTreeWidth - 3 - 13, 1, kTreeWidth - 3, kTreeHeight - 1));
}

} // namespace
