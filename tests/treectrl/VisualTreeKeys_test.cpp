// The check-tree control under a desktop keyboard: the arrows, Home, End and the page keys move the
// selection among the shown rows and keep it in view, Left and Right fold and unfold, Space ticks
// like a tap; and a tap gives the control the keys.
#include "TreeTestHost.h"

#include <string>

using namespace treetest;

namespace {

class TreeKeys : public TreeFixture {
protected:
    void Press(UINT key) {
        uitest::PressKey(key);
        uitest::ProcessEvents();
    }
    /// The selected row's title, or "-" when none is selected.
    std::u16string Selected() const {
        const VisualNode* row = tree.GetSelectedItem();
        return row != nullptr ? row->item.text.str() : u"-";
    }
    /// A point inside a row, right of its check box and expander.
    CPoint On(const VisualNode* row) {
        const CRect rect = tree.GetItemRect(row);
        return CPoint(rect.right - 40, rect.top + 4);
    }
    /// True when the selected row lies wholly inside the view (client less a pixel top and bottom).
    bool SelectedInView() {
        const CRect row = tree.GetItemRect(tree.GetSelectedItem());
        return row.top >= 1 && row.bottom <= kTreeHeight - 1;
    }
};

TEST_F(TreeKeys, ArrowsWalkTheShownRowsAndLeftRightFoldAndUnfold) {
    Add(u"A");
    VisualNode* b = Add(u"B");
    Add(u"B1", b);
    Add(u"B2", b);
    Add(u"C");
    // A tap on the check box gives the control the keys, as a tap anywhere on a row does.
    uitest::Tap(tree, CPoint(5, 5));
    EXPECT_EQ(CWnd::GetFocus(), &tree);
    parent.received.clear();

    Press(VK_DOWN);
    EXPECT_EQ(Selected(), u"A") << "without a selection, Down starts at the first row";
    Press(VK_DOWN);
    Press(VK_DOWN);
    EXPECT_EQ(Selected(), u"B1");
    Press(VK_LEFT);
    EXPECT_EQ(Selected(), u"B") << "Left on a row without sub-rows selects its parent";
    Press(VK_LEFT);
    EXPECT_EQ(tree.GetShownRows().size(), 3u) << "Left on an open row folds it";
    Press(VK_DOWN);
    EXPECT_EQ(Selected(), u"C");
    Press(VK_UP);
    Press(VK_RIGHT);
    EXPECT_EQ(tree.GetShownRows().size(), 5u);
    Press(VK_END);
    EXPECT_EQ(Selected(), u"C");
    Press(VK_DOWN);
    EXPECT_EQ(Selected(), u"C") << "nothing below the last row";
    Press(VK_HOME);
    EXPECT_EQ(Selected(), u"A");
    EXPECT_TRUE(parent.received.empty()) << "moving and folding tell the owner nothing";
}

TEST_F(TreeKeys, SpaceTicksTheSelectedRowWithOneNotification) {
    Add(u"A");
    VisualNode* b = Add(u"B");
    Add(u"B1", b);
    uitest::Tap(tree, On(b));
    parent.received.clear();
    Press(VK_SPACE);
    EXPECT_EQ(*flags[1], 1);
    EXPECT_EQ(*flags[2], 0) << "only the row itself, as a tap";
    EXPECT_EQ(parent.Codes(), std::vector<UINT>{VTN_CHECKCHANGED});
    Press(VK_SPACE);
    EXPECT_EQ(*flags[1], 0);
    EXPECT_EQ(parent.Codes().size(), 2u);
}

TEST_F(TreeKeys, PageKeysAndEndsScrollTheSelectionIntoView) {
    for (int i = 0; i < 60; ++i) {
        Add(u"Row " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)));
    }
    uitest::Tap(tree, On(tree.GetShownRows()[0]));
    // Rows are 15 pixels high from content y 1; the view is 318 pixels high.
    Press(VK_NEXT);
    EXPECT_EQ(tree.GetSelectedItem(), tree.GetShownRows()[21]) << "one view down: the row at y 1 + 318";
    EXPECT_TRUE(SelectedInView());
    Press(VK_END);
    EXPECT_EQ(tree.GetSelectedItem(), tree.GetShownRows()[59]);
    EXPECT_EQ(tree.GetScrollOffset(), 60 * 15 - 318) << "scrolled to the end, and no further";
    EXPECT_TRUE(SelectedInView());
    Press(VK_PRIOR);
    EXPECT_EQ(tree.GetSelectedItem(), tree.GetShownRows()[37]) << "one view up: the row at y 886 - 318";
    EXPECT_TRUE(SelectedInView());
    Press(VK_HOME);
    EXPECT_EQ(tree.GetScrollOffset(), 0);
    for (int i = 0; i < 25; ++i) {
        Press(VK_DOWN);
    }
    EXPECT_EQ(tree.GetSelectedItem(), tree.GetShownRows()[25]);
    EXPECT_TRUE(SelectedInView());
    EXPECT_EQ(tree.GetItemRect(tree.GetSelectedItem()).bottom, kTreeHeight - 1) << "just into view";
}

} // namespace
