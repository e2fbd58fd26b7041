// Where a row's title and notes come from: the owner's own texts, read in place, or the control's
// copies; which one a row shows after each change, and that a change is laid out.
#include "TreeTestHost.h"

#include "platform/core/CompactText.h"
#include "support/RowFont.h"

#include <string>

using namespace treetest;

namespace {

class TreeRowTexts : public TreeFixture {
protected:
    /// Adds a row that reads `title` in place.
    VisualNode* AddShared(const CompactText& title) {
        flags.push_back(std::make_unique<BYTE>(0));
        return tree.InsertItem(&title, 1, 1, nullptr, flags.back().get());
    }
};

/// `count` times "word ", and the height of a top-level row showing it: the text area runs from
/// x 100 (16 + 52 + 32) to 224 (the view's 237 less the scroll bar's 13); each line is a line
/// height, and the row is 2 taller than its lines.
struct WrappedWords {
    std::u16string text;
    int rowHeight;
};
WrappedWords Words(int count) {
    WrappedWords words;
    for (int i = 0; i < count; ++i) {
        words.text += u"word ";
    }
    const CSize word = MeasureRowText(u"word ");
    const int perLine = (224 - 100) / word.cx;
    words.rowHeight = (count + perLine - 1) / perLine * word.cy + 2;
    return words;
}

} // namespace

TEST_F(TreeRowTexts, ARowReadsItsOwnersTextsInPlaceAndLaysOutTheirChanges) {
    CompactText title(u"Milk");
    CompactText notes(u"skimmed");
    VisualNode* row = AddShared(title);
    tree.SetItemNotes(row, &notes);
    EXPECT_EQ(row->item.text.view().data(), title.data()) << "the title is not copied";
    EXPECT_EQ(row->item.notes.view().data(), notes.data()) << "the notes are not copied";
    EXPECT_EQ(tree.GetItemRect(row).Height(), 15);
    EXPECT_FALSE(tree.GetNotesRect(row).IsRectNull());

    // The owner changes its texts in place and passes them again: the row keeps reading them, and
    // lays them out anew.
    notes = u"";
    tree.SetItemNotes(row, notes);
    EXPECT_TRUE(tree.GetNotesRect(row).IsRectNull()) << "no notes, no mark";
    const WrappedWords words = Words(12);
    title = words.text;
    tree.SetItemText(row, title);
    EXPECT_EQ(row->item.text.view().data(), title.data());
    EXPECT_EQ(row->item.text, words.text);
    ASSERT_GT(words.rowHeight, 15) << "the words wrap to more than one line";
    EXPECT_EQ(tree.GetItemRect(row).Height(), words.rowHeight);
}

TEST_F(TreeRowTexts, ADifferentTextIsTheControlsOwnCopy) {
    CompactText title(u"Milk");
    VisualNode* row = AddShared(title);
    const WrappedWords words = Words(12);
    tree.SetItemText(row, words.text);
    EXPECT_EQ(tree.GetItemRect(row).Height(), words.rowHeight);
    title = u"Owner's";
    EXPECT_EQ(row->item.text, words.text) << "the control shows what SetItemText gave it";
    EXPECT_FALSE(row->item.text.IsShared());

    // Sharing again follows the owner's text from then on.
    tree.SetItemText(row, &title);
    EXPECT_EQ(row->item.text, u"Owner's");
    EXPECT_EQ(tree.GetItemRect(row).Height(), 15);

    // A copy outlives the caller's string, whatever the caller does with it after.
    VisualNode* eggs = nullptr;
    {
        std::u16string temporary = u"Eggs";
        eggs = Add(temporary);
        temporary.assign(u"Gone");
    }
    EXPECT_EQ(eggs->item.text, u"Eggs");
    tree.SetItemNotes(eggs, u"brown");
    EXPECT_EQ(eggs->item.notes, u"brown");
    EXPECT_FALSE(tree.GetNotesRect(eggs).IsRectNull());
}

TEST_F(TreeRowTexts, ACopyGivenItsOwnTextAgainStaysAsItIs) {
    VisualNode* row = Add(u"Bread");
    const char16_t* const copy = row->item.text.view().data();
    tree.SetItemText(row, row->item.text.view());
    EXPECT_EQ(row->item.text.view().data(), copy) << "no second copy of the same text";
    EXPECT_EQ(row->item.text, u"Bread");
    tree.SetItemText(row, u"");
    EXPECT_TRUE(row->item.text.empty());
    EXPECT_EQ(tree.GetItemRect(row).Height(), 15);
}

TEST_F(TreeRowTexts, ARowGivenAllItsFieldsAtOnceIsTheRowOfTheFourCallsOneByOne) {
    // Nested rows, a title that wraps, notes, an empty title with notes, and quantities in place
    // (three digits) and in the arena (six): each row as the four calls would make it.
    struct Source {
        CompactText title;
        CompactText notes;
        std::int32_t image;
        std::u16string quantity;
        int depth;
    };
    const std::vector<Source> sources = {
        {CompactText(u"Tent"), CompactText(u"Poles\r\nPegs"), 0, u"1", 0},
        {CompactText(Words(12).text), CompactText(), 1, u"250", 1},
        {CompactText(u""), CompactText(u"notes of an untitled item"), 2, u"123456", 2},
        {CompactText(u"Stove"), CompactText(), 1, u"", 0},
    };
    constexpr UINT_PTR kFirstData = 0x1000;
    const auto fill = [&](bool atOnce) {
        tree.DeleteAllItems();
        flags.clear();
        std::vector<VisualNode*> rowAtDepth;
        for (std::size_t index = 0; index < sources.size(); ++index) {
            const Source& source = sources[index];
            flags.push_back(std::make_unique<BYTE>(source.depth % 2));
            VisualNode* const parentRow = source.depth > 0 ? rowAtDepth[source.depth - 1] : nullptr;
            const UINT_PTR data = kFirstData + index;
            VisualNode* row = nullptr;
            if (atOnce) {
                CVisualTreeCtrl::RowContent content;
                content.text = &source.title;
                content.notes = &source.notes;
                content.image = source.image;
                content.selectedImage = source.image;
                content.checkedFlag = flags.back().get();
                content.itemData = data;
                content.firstColumnText = source.quantity;
                row = tree.InsertItem(content, parentRow);
            } else {
                row =
                    tree.InsertItem(&source.title, source.image, source.image, parentRow, flags.back().get());
                tree.SetItemData(row, data);
                tree.SetItemColumnText(row, 0, source.quantity);
                tree.SetItemNotes(row, &source.notes);
            }
            rowAtDepth.resize(static_cast<std::size_t>(source.depth) + 1);
            rowAtDepth[static_cast<std::size_t>(source.depth)] = row;
        }
        return Grab();
    };
    const uitest::GrabbedImage oneByOne = fill(false);
    const std::vector<CRect> oneByOneRects = [&] {
        std::vector<CRect> rects;
        for (const VisualNode* row : tree.GetShownRows()) {
            rects.push_back(tree.GetItemRect(row));
            rects.push_back(tree.GetNotesRect(row));
        }
        return rects;
    }();
    const uitest::GrabbedImage atOnce = fill(true);

    const std::vector<VisualNode*>& rows = tree.GetShownRows();
    ASSERT_EQ(rows.size(), sources.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const VisualItem& item = rows[i]->item;
        EXPECT_EQ(item.text.view().data(), sources[i].title.data()) << "row " << i << "'s title is copied";
        EXPECT_EQ(item.notes, sources[i].notes.view());
        EXPECT_EQ(item.columnTexts[0], sources[i].quantity);
        EXPECT_EQ(item.image, sources[i].image);
        EXPECT_EQ(tree.GetItemLevel(rows[i]), sources[i].depth);
        EXPECT_EQ(tree.GetItemData(rows[i]), kFirstData + i);
        EXPECT_EQ(tree.GetItemRect(rows[i]), oneByOneRects[2 * i]) << "row " << i;
        EXPECT_EQ(tree.GetNotesRect(rows[i]), oneByOneRects[2 * i + 1]) << "row " << i;
    }
    ASSERT_EQ(atOnce.Width(), oneByOne.Width());
    ASSERT_EQ(atOnce.Height(), oneByOne.Height());
    for (int y = 0; y < atOnce.Height(); ++y) {
        for (int x = 0; x < atOnce.Width(); ++x) {
            ASSERT_EQ(atOnce.Pixel(x, y), oneByOne.Pixel(x, y)) << "at " << x << ", " << y;
        }
    }
}
