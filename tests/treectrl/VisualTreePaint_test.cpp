// What the check-tree control looks like: the empty control, row colours, pictures at their places,
// selection colours, icons, the scroll bar, and rows far down a long list.
#include "TreeTestHost.h"

#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>

using namespace treetest;
using namespace treectrl;

namespace {

class TreePaint : public TreeFixture {};

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
// Colours of the pictures at the pixels the tests look at.
constexpr COLORREF kCheckCross = RGB(40, 42, 80);
constexpr COLORREF kCheckInside = RGB(236, 238, 248);
constexpr COLORREF kExpanderBorder = RGB(128, 128, 128);

int CountPixels(const uitest::GrabbedImage& image, const CRect& area, COLORREF colour) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            count += image.Pixel(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

/// True when some pixel of the area is neither of the two colours (text, a picture).
bool HasInk(const uitest::GrabbedImage& image, const CRect& area, COLORREF background) {
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF c = image.Pixel(x, y);
            if (c != background && c != kBlack) {
                return true;
            }
            if (c == kBlack && x != 16 && x != 68) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

TEST_F(TreePaint, EmptyControlIsWhiteWithGridLinesAndFrameLines) {
    const auto image = Grab();
    ASSERT_EQ(image.Width(), 240);
    ASSERT_EQ(image.Height(), 320);
    for (int y = 1; y < 319; ++y) {
        ASSERT_EQ(image.Pixel(16, y), kBlack) << y;
        ASSERT_EQ(image.Pixel(68, y), kBlack) << y;
    }
    for (int x = 0; x < 240; ++x) {
        ASSERT_EQ(image.Pixel(x, 0), kFrame) << x;
        ASSERT_EQ(image.Pixel(x, 319), kFrame) << x;
    }
    EXPECT_EQ(CountPixels(image, CRect(17, 1, 68, 319), kWhite), 51 * 318);
    EXPECT_EQ(CountPixels(image, CRect(69, 1, 240, 319), kWhite), 171 * 318);
    EXPECT_EQ(CountPixels(image, CRect(0, 1, 16, 319), kWhite), 16 * 318);
}

TEST_F(TreePaint, RowsAlternateColoursAndLeaveWhiteBelow) {
    Add(u"");
    Add(u"");
    Add(u"");
    const auto image = Grab();
    EXPECT_EQ(image.Pixel(150, 1), kEvenRow);
    EXPECT_EQ(image.Pixel(150, 15), kEvenRow);
    EXPECT_EQ(image.Pixel(150, 16), kOddRow);
    EXPECT_EQ(image.Pixel(150, 30), kOddRow);
    EXPECT_EQ(image.Pixel(150, 31), kEvenRow);
    EXPECT_EQ(image.Pixel(150, 45), kWhite) << "the last row's bottom line lies past the content height";
    EXPECT_EQ(image.Pixel(150, 46), kWhite);
    for (int x = 237; x < 240; ++x) {
        EXPECT_EQ(image.Pixel(x, 8), kWhite) << "the rightmost 3 pixels stay white";
    }
}

TEST_F(TreePaint, CheckBoxShowsTheOwnersFlag) {
    Add(u"Bread");
    VisualNode* milk = Add(u"Milk");
    *flags[1] = 1; // the owner's flag changed behind the control's back: it redraws on request
    tree.RedrawItem(milk);
    const auto image = Grab();
    EXPECT_EQ(image.Pixel(1 + 3, 1 + 1 + 3), kCheckInside);
    EXPECT_EQ(image.Pixel(1 + 3, 16 + 1 + 3), kCheckCross);
    EXPECT_EQ(image.Pixel(0, 1), kEvenRow) << "the box's corners are transparent";
}

TEST_F(TreePaint, ExpanderAndIconAtLevelZeroAndTwo) {
    VisualNode* top = Add(u"Top", nullptr, 0);
    VisualNode* mid = Add(u"Mid", top, 1);
    Add(u"Deep", mid, 2);
    auto image = Grab();
    // Level 0, row top 1: square at (70, 4), minus sign along y 8; icon at (87, 2).
    EXPECT_EQ(image.Pixel(70, 4), kExpanderBorder);
    EXPECT_EQ(image.Pixel(74, 8), kBlack);
    EXPECT_EQ(image.Pixel(74, 6), kEvenRow) << "the square's inside shows the row colour";
    EXPECT_EQ(image.Pixel(92, 7), OwnerIcons::kColours[0]);
    // Level 1 has sub-rows too; level 2 has none: no square, icon 20 pixels right of level 0's.
    EXPECT_EQ(image.Pixel(80, 16 + 3), kExpanderBorder);
    EXPECT_EQ(image.Pixel(90, 31 + 3), kEvenRow);
    EXPECT_EQ(image.Pixel(112, 31 + 6), OwnerIcons::kColours[2]);

    tree.Expand(mid, false);
    image = Grab();
    EXPECT_EQ(image.Pixel(84, 16 + 5), kBlack) << "a collapsed row shows the plus";
    EXPECT_EQ(image.Pixel(84, 16 + 7), kBlack);
}

TEST_F(TreePaint, SelectedRowHasItsOwnColoursAndIconNextRowKeepsItsColour) {
    VisualNode* bread = Add(u"Bread");
    Add(u"Milk");
    tree.SetItemImage(bread, 0, 2);
    uitest::Tap(tree, CPoint(150, 8));
    ASSERT_EQ(tree.GetSelectedItem(), bread);
    const auto image = Grab();
    EXPECT_EQ(image.Pixel(230, 8), kSelectedRow);
    EXPECT_EQ(image.Pixel(92, 7), OwnerIcons::kColours[2]) << "the selected image is shown";
    EXPECT_GT(CountPixels(image, CRect(100, 1, 224, 16), kSelectedText), 0);
    EXPECT_EQ(image.Pixel(230, 20), kOddRow);
    EXPECT_EQ(CountPixels(image, CRect(100, 16, 224, 31), kSelectedText), 0);
    EXPECT_GT(CountPixels(image, CRect(100, 16, 224, 31), kBlack), 0);
}

TEST_F(TreePaint, IconIndexOutsideTheOwnersArrayDrawsNoIcon) {
    Add(u"Importance 9", nullptr, 9); // as read from a damaged list file
    Add(u"Negative", nullptr, -1);
    const auto image = Grab();
    EXPECT_EQ(CountPixels(image, CRect(87, 1, 99, 13), kEvenRow), 12 * 12);
    EXPECT_EQ(CountPixels(image, CRect(87, 16, 99, 28), kOddRow), 12 * 12);
}

TEST_F(TreePaint, ColumnTextIsCentredInItsCell) {
    VisualNode* row = Add(u"Milk");
    tree.SetItemColumnText(row, 0, u"12");
    const auto image = Grab();
    EXPECT_TRUE(HasInk(image, CRect(36, 1, 50, 15), kEvenRow));
    EXPECT_FALSE(HasInk(image, CRect(17, 1, 30, 15), kEvenRow));
}

TEST_F(TreePaint, NotesMarkIsDrawnInItsZone) {
    VisualNode* row = Add(u"Milk");
    tree.SetItemNotes(row, u"skimmed");
    const CRect zone = tree.GetNotesRect(row);
    const auto image = Grab();
    EXPECT_EQ(image.Pixel(zone.left + 1 + 2, zone.top), RGB(60, 50, 40)) << "the pad's outline";
    EXPECT_EQ(image.Pixel(zone.left + 1 + 4, zone.top + 3), RGB(255, 250, 200)) << "the pad's page";
}

TEST_F(TreePaint, ScrollBarCoversThe13PixelsLeftOfTheWhiteEdge) {
    for (int i = 0; i < 40; ++i) {
        Add(u"row");
    }
    const auto image = Grab();
    ASSERT_TRUE(tree.GetScrollBar().Visible());
    EXPECT_EQ(image.Pixel(230, 250), kScrollBarGrey);
    EXPECT_EQ(image.Pixel(224, 250), kScrollBarGrey);
    EXPECT_NE(image.Pixel(223, 250), kScrollBarGrey);
    EXPECT_EQ(image.Pixel(237, 250), kWhite);
    EXPECT_EQ(image.Pixel(224 + 6, 307 + 7), RGB(30, 40, 90)) << "the down arrow's chevron tip";
    EXPECT_EQ(image.Pixel(224 + 6, 1 + 4), RGB(30, 40, 90)) << "the up arrow's chevron tip";
}

TEST_F(TreePaint, RowsFarBelowFourAndAHalfThousandPixelsAreDrawn) {
    for (int i = 0; i < 400; ++i) {
        Add(u"row"); // 6,000 pixels of content
    }
    uitest::PenDown(tree, CPoint(230, 312));
    while (tree.GetScrollOffset() < tree.GetContentRect().Height() - tree.GetViewRect().Height()) {
        ASSERT_TRUE(uitest::FireTimer(tree, 110));
    }
    uitest::PenUp(tree, CPoint(230, 312));
    const auto image = Grab();
    const COLORREF lastRowColour = tree.GetShownRows().back()->item.Background();
    EXPECT_EQ(image.Pixel(150, 310), lastRowColour);
    EXPECT_TRUE(HasInk(image, CRect(100, 300, 220, 318), lastRowColour));
}

TEST_F(TreePaint, ALongTitleIsDrawnToItsLastLine) {
    std::u16string text;
    for (int i = 0; i < 300; ++i) {
        text += u"word ";
    }
    VisualNode* row = Add(text);
    // Scroll to the end so the row's last lines are in view.
    uitest::PenDown(tree, CPoint(230, 312));
    while (tree.GetScrollOffset() < tree.GetContentRect().Height() - tree.GetViewRect().Height()) {
        ASSERT_TRUE(uitest::FireTimer(tree, 110));
    }
    uitest::PenUp(tree, CPoint(230, 312));
    const auto image = Grab();
    const int lastLineTop = row->item.rowBottom - 2 - 13 - tree.GetScrollOffset();
    EXPECT_TRUE(HasInk(image, CRect(100, lastLineTop, 220, lastLineTop + 13), kEvenRow));
}

TEST_F(TreePaint, ScreenshotOfASampleList) {
    // The editor's importance marks (high, normal, low) when the program has them.
    std::array<CBitmap, 3> importance;
    const bool haveMarks =
        importance[0].LoadBitmap(139) && importance[1].LoadBitmap(141) && importance[2].LoadBitmap(140);
    if (haveMarks) {
        tree.SetImageList(importance);
    }
    VisualNode* groceries = Add(u"Groceries for the weekend", nullptr, 1);
    VisualNode* milk = Add(u"Milk  2%", groceries, 0);
    tree.SetItemColumnText(milk, 0, u"2");
    tree.SetItemNotes(milk, u"The skimmed one");
    *flags.back() = 1;
    VisualNode* bread = Add(u"Bread", groceries, 1);
    tree.SetItemColumnText(bread, 0, u"1");
    Add(u"Rye, sliced", bread, 2);
    Add(u"Eggs from the farm shop on the corner, free range if they have them", groceries, 1);
    *flags.back() = 1;
    VisualNode* packing = Add(u"Packing", nullptr, 0);
    Add(u"Tent", packing, 1);
    Add(u"Sleeping bag", packing, 1);
    VisualNode* stove = Add(u"Camping stove and two gas cartridges", packing, 2);
    tree.SetItemNotes(stove, u"Check the seals");
    VisualNode* garden = Add(u"Garden", nullptr, 2);
    Add(u"Water the tomatoes", garden, 1);
    Add(u"Cut the hedge", garden, 2);
    tree.Expand(garden, false);
    for (int i = 1; i <= 12; ++i) {
        VisualNode* row =
            Add(u"Errand number " + std::u16string(1, static_cast<char16_t>(u'0' + i % 10)), nullptr, i % 3);
        tree.SetItemColumnText(row, 0, std::u16string(1, static_cast<char16_t>(u'0' + i % 10)));
        *flags.back() = static_cast<BYTE>(i % 2);
    }
    for (VisualNode* row : tree.GetShownRows()) {
        if (!row->HasChildren() && row->item.columnTexts.empty()) {
            tree.SetItemColumnText(row, 0, u"1");
        }
    }
    uitest::Tap(tree, CPoint(150, tree.GetItemRect(bread).top + 5));

    const auto image = Grab();
    EXPECT_TRUE(image.SavePng("treectrl.png"));
    // What a broken drawing would change: the frame's lines, the check box column's line, the
    // selected row's colours, and the white strip right of the scroll bar.
    const CRect breadRow = tree.GetItemRect(bread);
    EXPECT_EQ(image.Pixel(120, 0), kFrame);
    EXPECT_EQ(image.Pixel(120, kTreeHeight - 1), kFrame);
    EXPECT_EQ(image.Pixel(16, 160), kBlack);
    EXPECT_EQ(image.Pixel(70, breadRow.top + 1), kSelectedRow);
    EXPECT_GT(CountPixels(image, CRect(110, breadRow.top, 224, breadRow.bottom), kSelectedText), 0);
    EXPECT_EQ(image.Pixel(kTreeWidth - 2, 160), kWhite);
    if (const char* docs = std::getenv("CORVINA_UPDATE_DOCS"); docs != nullptr && *docs != '\0') {
        const std::filesystem::path target =
            std::filesystem::path(CORVINA_SOURCE_DIR) / "docs" / "treectrl.png";
        std::filesystem::create_directories(target.parent_path());
        EXPECT_TRUE(image.SavePng(target.string()));
    }
}
