// How the editor's rows show their items: each row reads its item's title and notes where the item
// keeps them, with no copy, and an edit of the item in place is shown and laid out again.
#include "EditorTestSupport.h"

#include "editor/EditorRows.h"
#include "support/RowFont.h"

namespace {

using editortest::EditorTest;
using editortest::kListsFolder;

class EditorRows : public EditorTest {};

} // namespace

TEST_F(EditorRows, EveryRowReadsItsItemsTextsInPlace) {
    TaskNode* tent = Add(u"Tent", nullptr, 1, TaskItem::kNormalImportance, u"Poles\r\nPegs");
    Add(u"Poles", tent);
    Add(u"", tent, 1, TaskItem::kNormalImportance, u"an untitled item's notes");
    Add(u"Stove");
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    RunEditor(editor, [&] {
        CVisualTreeCtrl& rows = editor.GetTreeCtrl();
        ASSERT_EQ(rows.GetShownRows().size(), 4u);
        for (const VisualNode* row : rows.GetShownRows()) {
            const TaskItem& item = editor::NodeOfRow(rows, row)->item;
            EXPECT_EQ(row->item.text, item.title.view());
            EXPECT_EQ(row->item.notes, item.notes.view());
            EXPECT_TRUE(item.title.empty() || row->item.text.view().data() == item.title.data())
                << "the title " << item.title << " is copied";
            EXPECT_TRUE(item.notes.empty() || row->item.notes.view().data() == item.notes.data())
                << "the notes of " << item.title << " are copied";
        }
    });
}

TEST_F(EditorRows, AnItemEditedInPlaceIsShownAndLaidOutAgain) {
    Add(u"Tent");
    Add(u"Stove");
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    RunEditor(editor, [&] {
        CVisualTreeCtrl& rows = editor.GetTreeCtrl();
        VisualNode* tentRow = rows.GetShownRows()[0];
        TaskItem& tent = editor::NodeOfRow(rows, tentRow)->item;
        ASSERT_EQ(rows.GetItemRect(tentRow).Height(), 15);

        // Twelve words wrap in the text area from x 100 to 224 (the rows' 237 less the scroll bar's 13).
        std::u16string words;
        for (int i = 0; i < 12; ++i) {
            words += u"word ";
        }
        const CSize word = MeasureRowText(u"word ");
        const int perLine = (224 - 100) / word.cx;
        const int lines = (12 + perLine - 1) / perLine;
        ASSERT_GT(lines, 1);

        TaskItem before = tent;
        tent.title = words;
        editor.ItemEdited(tentRow, before);
        EXPECT_EQ(tentRow->item.text, words);
        EXPECT_EQ(rows.GetItemRect(tentRow).Height(), lines * word.cy + 2);
        EXPECT_EQ(rows.GetItemRect(rows.GetShownRows()[1]).top, 1 + lines * word.cy + 2)
            << "the row below moves down";

        before = tent;
        tent.notes = u"pegs";
        editor.ItemEdited(tentRow, before);
        EXPECT_EQ(tentRow->item.notes.view().data(), tent.notes.data()) << "new notes are read in place too";
        EXPECT_FALSE(rows.GetNotesRect(tentRow).IsRectNull());
    });
}

TEST(EditorRowsQuantity, AQuantityIsShownInDecimalDigitsAtEveryLength) {
    EXPECT_EQ(editor::FormatQuantity(0), u"0");
    EXPECT_EQ(editor::FormatQuantity(7), u"7");
    EXPECT_EQ(editor::FormatQuantity(10), u"10");
    EXPECT_EQ(editor::FormatQuantity(1000000), u"1000000");
    EXPECT_EQ(editor::FormatQuantity(4294967295u), u"4294967295");
    // Every power of ten and its neighbours, against the digits the C library writes.
    for (std::uint64_t power = 1; power <= 4294967295u; power *= 10) {
        for (const std::uint64_t value : {power - 1, power, power + 1}) {
            const std::string digits = std::to_string(value);
            if (value > 4294967295u) {
                continue;
            }
            EXPECT_EQ(editor::FormatQuantity(static_cast<std::uint32_t>(value)),
                      std::u16string(digits.begin(), digits.end()));
        }
    }
}
