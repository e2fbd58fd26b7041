// The check-tree control's rows as the owner builds and changes them: structure, navigation,
// selection after deletes, and the layout's positions, heights and zones.
#include "TreeTestHost.h"

#include <string>
#include <vector>

using namespace treetest;
using namespace treectrl;

namespace {

class TreeRows : public TreeFixture {};
class TreeLayout : public TreeFixture {};

std::vector<VisualNode*> ChildrenOf(const VisualNode& parent) {
    std::vector<VisualNode*> children;
    for (VisualNode* child : parent.Children()) {
        children.push_back(child);
    }
    return children;
}

} // namespace

// --- Structure and navigation ------------------------------------------------------------------

TEST_F(TreeRows, EmptyTreeHasNoRowsNoContentAndHitsNothing) {
    EXPECT_EQ(tree.GetFirstItem(), nullptr);
    Grab();
    EXPECT_TRUE(tree.GetShownRows().empty());
    EXPECT_EQ(tree.GetContentRect().Height(), 0);
    EXPECT_EQ(tree.GetScrollOffset(), 0);
    EXPECT_FALSE(tree.GetScrollBar().Visible());
    EXPECT_EQ(tree.HitTest(50, 10), nullptr);
}

TEST_F(TreeRows, LevelsCountFromTheTopLevel) {
    VisualNode* a = Add(u"Bread");
    VisualNode* rye = Add(u"Rye", a);
    VisualNode* dark = Add(u"Dark", rye);
    EXPECT_EQ(tree.GetItemLevel(a), 0);
    EXPECT_EQ(tree.GetItemLevel(dark), 2);
    EXPECT_EQ(tree.GetItemLevel(a->parent), -1);
    EXPECT_EQ(tree.GetItemLevel(nullptr), -2);
}

TEST_F(TreeRows, DisplayOrderIsPreOrderSkippingCollapsedRows) {
    VisualNode* bread = Add(u"Bread");
    VisualNode* rye = Add(u"Rye", bread);
    VisualNode* wheat = Add(u"Wheat", bread);
    VisualNode* milk = Add(u"Milk");
    EXPECT_EQ(tree.GetNextVisibleItem(bread, true), rye);
    EXPECT_EQ(tree.GetNextVisibleItem(rye, true), wheat);
    EXPECT_EQ(tree.GetNextVisibleItem(wheat, true), milk);
    EXPECT_EQ(tree.GetNextVisibleItem(milk, true), nullptr);
    EXPECT_EQ(tree.GetNextVisibleItem(bread, false), milk);
    EXPECT_EQ(tree.GetNextSiblingItem(rye), wheat);
    EXPECT_EQ(tree.GetNextSiblingItem(wheat), nullptr);
    EXPECT_EQ(tree.CountDescendants(bread), 2u);

    tree.Expand(bread, false);
    EXPECT_EQ(tree.GetNextVisibleItem(bread, true), milk);
    EXPECT_EQ(tree.GetShownRows(), (std::vector<VisualNode*>{bread, milk}));
}

TEST_F(TreeRows, NewRowsAreExpandedAndExpandIgnoresRowsWithoutSubRows) {
    VisualNode* leaf = Add(u"Eggs");
    EXPECT_EQ(leaf->item.expanded, 1);
    tree.Expand(leaf, false);
    EXPECT_EQ(leaf->item.expanded, 1);
}

TEST_F(TreeRows, MovingAmongSiblingsKeepsSubtreesAndStopsAtTheEnds) {
    VisualNode* bread = Add(u"Bread");
    VisualNode* milk = Add(u"Milk");
    Add(u"Skimmed", milk);
    VisualNode* eggs = Add(u"Eggs");
    tree.MoveItemUp(eggs);
    EXPECT_EQ(ChildrenOf(*bread->parent), (std::vector<VisualNode*>{bread, eggs, milk}));
    EXPECT_EQ(milk->ChildCount(), 1u);

    tree.drawn.clear();
    tree.MoveItemUp(bread);
    tree.MoveItemDown(milk);
    EXPECT_EQ(ChildrenOf(*bread->parent), (std::vector<VisualNode*>{bread, eggs, milk}));
    EXPECT_FALSE(tree.drawn.empty()) << "a move that changes nothing still rebuilds the layout";
}

TEST_F(TreeRows, ColumnTextBeyondTheColumnCountIsIgnored) {
    VisualNode* row = Add(u"Milk");
    tree.SetItemColumnText(row, 0, u"2");
    tree.SetItemColumnText(row, 1, u"9");
    ASSERT_EQ(row->item.columnTexts.size(), 1u);
    EXPECT_EQ(row->item.columnTexts[0], u"2");
}

TEST_F(TreeRows, TheWindowClassExistsForDialogTemplatesOnceAControlDoes) {
    EXPECT_TRUE(IsWindowClassKnown(u"MFCVisualTreeCtrl"));
    EXPECT_TRUE(CVisualTreeCtrl::RegisterWindowClass()) << "registering again succeeds";
    EXPECT_EQ(tree.GetClassName(), u"MFCVisualTreeCtrl");
}

TEST_F(TreeRows, DeletingTheSelectedRowClearsTheSelection) {
    VisualNode* a = Add(u"Apples");
    Add(u"Pears");
    uitest::Tap(tree, CPoint(150, 8));
    ASSERT_EQ(tree.GetSelectedItem(), a);
    tree.DeleteItem(a);
    EXPECT_EQ(tree.GetSelectedItem(), nullptr);
}

TEST_F(TreeRows, DeletingARowWhoseSubtreeHoldsTheSelectionClearsIt) {
    VisualNode* fruit = Add(u"Fruit");
    Add(u"Apples", fruit);
    Add(u"Pears", fruit);
    VisualNode* keep = Add(u"Bread");
    uitest::Tap(tree, CPoint(150, 16 + 15 + 8)); // Pears
    ASSERT_NE(tree.GetSelectedItem(), nullptr);
    ASSERT_EQ(tree.GetSelectedItem()->parent, fruit);
    tree.DeleteItem(fruit);
    EXPECT_EQ(tree.GetSelectedItem(), nullptr);
    EXPECT_EQ(tree.GetShownRows(), (std::vector<VisualNode*>{keep}));
}

TEST_F(TreeRows, DeletingAnotherRowKeepsTheSelection) {
    Add(u"Apples");
    VisualNode* pears = Add(u"Pears");
    uitest::Tap(tree, CPoint(150, 16 + 8));
    tree.DeleteItem(tree.GetFirstItem());
    EXPECT_EQ(tree.GetSelectedItem(), pears);
}

TEST_F(TreeRows, DeleteAllClearsSelectionAndLaysOutAfresh) {
    Add(u"Apples");
    Add(u"Pears");
    uitest::Tap(tree, CPoint(150, 8));
    tree.DeleteAllItems();
    EXPECT_EQ(tree.GetSelectedItem(), nullptr);
    EXPECT_TRUE(tree.IsLayoutDirty());
    EXPECT_TRUE(tree.GetShownRows().empty());
    Grab();
    EXPECT_EQ(tree.GetContentRect().Height(), 0);
}

TEST_F(TreeRows, ShrinkingContentBringsTheOffsetBackToZero) {
    std::vector<VisualNode*> rows;
    for (int i = 0; i < 40; ++i) {
        rows.push_back(Add(u""));
    }
    uitest::PenDown(tree, CPoint(230, 312));
    for (int i = 0; i < 5; ++i) {
        uitest::FireTimer(tree, 110);
    }
    uitest::PenUp(tree, CPoint(230, 312));
    ASSERT_EQ(tree.GetScrollOffset(), 50);
    for (int i = 0; i < 30; ++i) {
        tree.DeleteItem(rows[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(tree.GetScrollOffset(), 0);
}

// --- Layout ------------------------------------------------------------------------------------

TEST_F(TreeLayout, ThreeEmptyRowsAreFifteenPixelsEachFromContentYOne) {
    VisualNode* a = Add(u"");
    VisualNode* b = Add(u"");
    VisualNode* c = Add(u"");
    EXPECT_EQ(tree.GetItemRect(a), CRect(0, 1, 237, 16));
    EXPECT_EQ(tree.GetItemRect(b), CRect(0, 16, 237, 31));
    EXPECT_EQ(tree.GetItemRect(c), CRect(0, 31, 237, 46));
    EXPECT_EQ(a->item.Background(), kEvenRow);
    EXPECT_EQ(b->item.Background(), kOddRow);
    EXPECT_EQ(c->item.Background(), kEvenRow);
    EXPECT_EQ(tree.GetContentRect(), CRect(0, 0, 237, 45));
}

TEST_F(TreeLayout, ZonesAtLevelZeroAndTwo) {
    VisualNode* top = Add(u"Top");
    VisualNode* mid = Add(u"Mid", top);
    VisualNode* deep = Add(u"Deep", mid);
    EXPECT_EQ(tree.GetCheckBoxRect(top), CRect(0, 1, 14, 15));
    EXPECT_EQ(tree.GetExpanderRect(top), CRect(70, 4, 79, 13));
    EXPECT_EQ(tree.GetExpanderRect(deep), CRect(90, 34, 99, 43));
    EXPECT_EQ(tree.GetItemRect(deep), CRect(0, 31, 237, 46));
}

TEST_F(TreeLayout, OneLineTitleMakesAFifteenPixelRow) {
    VisualNode* row = Add(u"Milk  2%");
    EXPECT_EQ(tree.GetItemRect(row).Height(), 15);
}

TEST_F(TreeLayout, NotesMarkFollowsTheLastWord) {
    VisualNode* row = Add(u"Milk  2%");
    tree.SetItemNotes(row, u"skimmed");
    // The text starts at 16 + 52 + 32 = 100. Tahoma's advances at the row font's 11-pixel em, each
    // rounded: M 1579 units (8 pixels), i 469 (3), l 469 (3), k 1020 (5), space 639 (3), 2 1118 (6),
    // % 2001 (11). "Milk " is 22 pixels, "2% " 20, so the last word ends at 142.
    EXPECT_EQ(tree.GetNotesRect(row), CRect(142, 2, 156, 16));
    EXPECT_EQ(tree.GetItemRect(row).Height(), 15);
}

TEST_F(TreeLayout, NotesMarkWithoutRoomGetsAStripOfItsOwn) {
    // A word too wide for the text area runs to the edge, leaving no room after it.
    VisualNode* row = Add(std::u16string(40, u'W'));
    tree.SetItemNotes(row, u"n");
    EXPECT_EQ(tree.GetItemRect(row).Height(), 15 + 14);
    EXPECT_EQ(tree.GetNotesRect(row), CRect(100, 16, 114, 30));
}

// An item left without a title is common in the editor. A wordless text ends where the text area
// starts (x 100 at the top level: 16 + 52 + 32), so a notes mark always fits on its first line.
TEST_F(TreeLayout, AWordlessRowKeepsItsNotesMarkOnItsOwnLine) {
    VisualNode* untitled = Add(u"");
    tree.SetItemNotes(untitled, u"n");
    EXPECT_EQ(tree.GetItemRect(untitled), CRect(0, 1, 237, 16));
    EXPECT_EQ(tree.GetNotesRect(untitled), CRect(100, 2, 114, 16));
}

// A title of spaces is a text, so its row is padded by two like any row with text: 15 + 2, at every
// redraw; its notes mark sits at the text's start, at the row's bottom.
TEST_F(TreeLayout, ATitleOfSpacesIsTwoPixelsTallerThanAnEmptyOneAndStaysSo) {
    VisualNode* spaces = Add(u"   ");
    VisualNode* empty = Add(u"");
    EXPECT_EQ(tree.GetItemRect(spaces), CRect(0, 1, 237, 18));
    EXPECT_EQ(tree.GetItemRect(empty), CRect(0, 18, 237, 33));
    tree.RedrawItem(spaces);
    Grab();
    tree.SetItemNotes(spaces, u"n");
    Grab();
    EXPECT_EQ(tree.GetItemRect(spaces), CRect(0, 1, 237, 18));
    EXPECT_EQ(tree.GetNotesRect(spaces), CRect(100, 4, 114, 18));
    EXPECT_EQ(empty->item.rowTop, 18);
}

TEST_F(TreeLayout, AWordWiderThanTheAreaStaysOnOneLine) {
    VisualNode* row = Add(std::u16string(60, u'W'));
    EXPECT_EQ(tree.GetItemRect(row).Height(), 15);
}

TEST_F(TreeLayout, LongTitlesWrapToMoreLines) {
    std::u16string text;
    for (int i = 0; i < 12; ++i) {
        text += u"word ";
    }
    VisualNode* row = Add(text);
    // "word " is w 1520 units (8 pixels), o 1112 (6), r 737 (4), d 1133 (6) and a space 639 (3): 27
    // pixels, so four fit the 124-pixel text area (x 100 to 224) and 12 words take 3 lines of 13.
    EXPECT_EQ(tree.GetItemRect(row).Height(), 3 * 13 + 2);
}

TEST_F(TreeLayout, TitlesOfThousandsOfCharactersWrapWhole) {
    std::u16string text;
    for (int i = 0; i < 400; ++i) {
        text += u"word "; // 2,000 characters
    }
    VisualNode* row = Add(text);
    // Four 27-pixel words a line (see above): 100 lines of 13.
    EXPECT_EQ(tree.GetItemRect(row).Height(), 100 * 13 + 2);
}

TEST_F(TreeLayout, RedrawingARowNeverChangesItsHeight) {
    VisualNode* row = Add(u"");
    tree.SetItemNotes(row, u"notes"); // a row without words whose mark needs its own strip
    const CRect before = tree.GetItemRect(row);
    tree.SetCheck(row, 1, false);
    tree.SetItemImage(row, 2, 2);
    EXPECT_EQ(tree.GetItemRect(row), before);
}

TEST_F(TreeLayout, AddingAColumnMovesTheTitleAndRewrapsIt) {
    VisualNode* row = Add(u"Milk  2%");
    tree.SetItemNotes(row, u"n");
    const CRect before = tree.GetNotesRect(row);
    tree.AddColumn();
    tree.SetItemText(row, u"Milk  2%");
    EXPECT_EQ(tree.GetNotesRect(row).left, before.left + 52);
}

TEST_F(TreeLayout, FillingInPreOrderLaysOutOnlyTheNewRowsAndMatchesAFullLayout) {
    VisualNode* fruit = Add(u"Fruit");
    tree.drawn.clear();
    VisualNode* apples = Add(u"Apples and more apples for the pie on Sunday", fruit);
    EXPECT_EQ(tree.drawn, (std::vector<const VisualNode*>{apples, fruit}))
        << "the new row, and its parent for the expand square it now shows";
    VisualNode* pears = Add(u"Pears", fruit);
    VisualNode* bread = Add(u"Bread");
    tree.SetItemNotes(bread, u"rye");
    Add(u"Milk");
    EXPECT_FALSE(tree.IsLayoutDirty());

    std::vector<CRect> appended;
    std::vector<COLORREF> colours;
    for (const VisualNode* row : tree.GetShownRows()) {
        appended.push_back(tree.GetItemRect(row));
        colours.push_back(row->item.Background());
    }
    const CRect content = tree.GetContentRect();
    const auto image = Grab();

    tree.ForgetMeasurements();
    tree.SetItemText(pears, u"Pears"); // a full layout from scratch
    std::vector<CRect> full;
    for (const VisualNode* row : tree.GetShownRows()) {
        full.push_back(tree.GetItemRect(row));
        EXPECT_EQ(row->item.Background(), colours[full.size() - 1]);
    }
    EXPECT_EQ(appended, full);
    EXPECT_EQ(tree.GetContentRect(), content);
    EXPECT_EQ(apples->item.level, 1);
    const auto again = Grab();
    for (int y = 0; y < 320; ++y) {
        for (int x = 0; x < 240; ++x) {
            ASSERT_EQ(image.Pixel(x, y), again.Pixel(x, y)) << x << "," << y;
        }
    }
}

TEST_F(TreeLayout, InsertingAboveTheLastRowLaysEverythingOutAgain) {
    VisualNode* fruit = Add(u"Fruit");
    VisualNode* bread = Add(u"Bread");
    VisualNode* apples = Add(u"Apples", fruit);
    EXPECT_EQ(tree.GetShownRows(), (std::vector<VisualNode*>{fruit, apples, bread}));
    EXPECT_EQ(bread->item.rowTop, 31);
    EXPECT_EQ(bread->item.Background(), kEvenRow);
}

TEST_F(TreeLayout, AppendingUnderACollapsedRowShowsNothingNew) {
    VisualNode* fruit = Add(u"Fruit");
    Add(u"Apples", fruit);
    tree.Expand(fruit, false);
    Add(u"Pears", fruit);
    EXPECT_EQ(tree.GetShownRows(), (std::vector<VisualNode*>{fruit}));
    EXPECT_EQ(tree.GetContentRect().Height(), 15);
}
