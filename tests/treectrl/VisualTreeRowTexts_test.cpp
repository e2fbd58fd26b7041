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
