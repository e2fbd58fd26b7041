// The list editor's item commands as a user gives them: each changes the document's items and the
// rows together, marks the list modified (the document's flag and "*" in the title line), and leaves
// everything as it was when the details sheet is cancelled.
#include "EditorTestSupport.h"

#include "platform/ui/Button.h"
#include "res/ResourceIds.h"

namespace {

using editortest::EditorTest;
using editortest::kListsFolder;
using editortest::Row;

/// Types into a field of the sheet's page in front, replacing what it holds.
void SetField(CItemDetailsPropSheet& sheet, UINT id, const std::u16string& text) {
    sheet.GetActivePage()->GetDlgItem(id)->SetWindowText(text);
}

class EditorCommands : public editortest::CampingEditorTest {
protected:
    void ExpectModified(CListEditorDlg& editor) {
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(editor.GetTitleLine().GetWindowText(), u"Camping*");
    }
    void ExpectUnmodified(CListEditorDlg& editor) {
        EXPECT_FALSE(doc.IsModified());
        EXPECT_EQ(editor.GetTitleLine().GetWindowText(), u"Camping");
    }
};

TEST_F(EditorCommands, AddItemStartsFromDefaultsAndAppendsWhatTheSheetAccepts) {
    Add(u"Tent");
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    RunEditor(editor, [&] {
        editortest::InNextSheet([&](CItemDetailsPropSheet& sheet) {
            EXPECT_EQ(sheet.GetActiveIndex(), 0);
            CPropertyPage& general = *sheet.GetActivePage();
            EXPECT_EQ(general.GetDlgItem(IDC_ITEM_TITLE)->GetWindowText(), u"");
            EXPECT_EQ(general.GetDlgItem(IDC_ITEM_QUANTITY)->GetWindowText(), u"1");
            EXPECT_EQ(dynamic_cast<CButton*>(general.GetDlgItem(IDC_IMPORTANCE_NORMAL))->GetCheck(), 1);
            uitest::TypeText(u"Stove");
            SetField(sheet, IDC_ITEM_QUANTITY, u"3");
            sheet.SendCommand(ID_SHEET_OK);
        });
        editor.SendCommand(ID_LIST_ADDITEM);
        uitest::Grab(editor.GetTreeCtrl());
        EXPECT_EQ(editortest::ShownRows(editor.GetTreeCtrl()),
                  (std::vector<Row>{{0, u"Tent"}, {0, u"Stove"}}));
        ExpectModified(editor);
    });
    ASSERT_EQ(doc.tree.root.ChildCount(), 2u);
    const TaskItem& stove = doc.tree.root.ChildAt(1)->item;
    EXPECT_EQ(stove.quantity, 3u);
    EXPECT_EQ(stove.importance, 1);
    EXPECT_EQ(stove.checked, 0);
    EXPECT_EQ(stove.notes, u"");
}

TEST_F(EditorCommands, ACancelledSheetChangesNothing) {
    TaskNode* tent = Add(u"Tent", nullptr, 2, TaskItem::kHighImportance, u"Poles");
    const TaskItem before = tent->item;
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    RunEditor(editor, [&] {
        editortest::InNextSheet([&](CItemDetailsPropSheet& sheet) {
            uitest::TypeText(u"Lost");
            sheet.SendCommand(IDCANCEL);
        });
        editor.SendCommand(ID_LIST_ADDITEM);
        Select(editor, 0);
        editortest::InNextSheet([&](CItemDetailsPropSheet& sheet) {
            SetField(sheet, IDC_ITEM_TITLE, u"Changed");
            SetField(sheet, IDC_ITEM_QUANTITY, u"9");
            sheet.SetActivePage(1);
            SetField(sheet, IDC_ITEM_NOTES, u"Other");
            uitest::PressKey(VK_ESCAPE);
        });
        editor.SendCommand(ID_ITEM_EDIT);
        ExpectUnmodified(editor);
    });
    EXPECT_EQ(doc.tree.Count(), 1u);
    EXPECT_EQ(tent->item, before);
}

TEST_F(EditorCommands, AddSubitemGoesAfterTheSelectedItemsChildren) {
    TaskNode* tent = Add(u"Tent");
    Add(u"Poles", tent);
    Add(u"Stove");
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    RunEditor(editor, [&] {
        Select(editor, 0);
        editortest::TypeInNextSheet(u"Pegs", IDOK);
        editor.SendCommand(ID_ITEM_ADDSUBITEM);
        uitest::Grab(editor.GetTreeCtrl());
        EXPECT_EQ(editortest::ShownRows(editor.GetTreeCtrl()),
                  (std::vector<Row>{{0, u"Tent"}, {1, u"Poles"}, {1, u"Pegs"}, {0, u"Stove"}}));
        EXPECT_EQ(editortest::NodeOfSelection(editor.GetTreeCtrl()), tent) << "the selection stays";
        ExpectModified(editor);
    });
    EXPECT_EQ(editortest::DocumentItems(doc),
              (std::vector<Row>{{0, u"Tent"}, {1, u"Poles"}, {1, u"Pegs"}, {0, u"Stove"}}));
}

TEST_F(EditorCommands, EditItemRefreshesTheRowAndTheNotesMarkOpensTheNotesPage) {
    TaskNode* tent = Add(u"Tent", nullptr, 1, TaskItem::kNormalImportance, u"Poles");
    Add(u"Stove");
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    RunEditor(editor, [&] {
        CVisualTreeCtrl& rows = editor.GetTreeCtrl();
        Select(editor, 1);
        editortest::InNextSheet([&](CItemDetailsPropSheet& sheet) {
            EXPECT_EQ(sheet.GetActiveIndex(), 0);
            EXPECT_EQ(sheet.GetActivePage()->GetDlgItem(IDC_ITEM_TITLE)->GetWindowText(), u"Stove");
            SetField(sheet, IDC_ITEM_TITLE, u"Gas stove");
            SetField(sheet, IDC_ITEM_QUANTITY, u"4000000000");
            uitest::Tap(*sheet.GetActivePage()->GetDlgItem(IDC_IMPORTANCE_LOW), CPoint(3, 3));
            sheet.SendCommand(ID_SHEET_OK);
        });
        editor.SendCommand(ID_ITEM_EDIT);
        VisualNode* stoveRow = rows.GetShownRows()[1];
        EXPECT_EQ(stoveRow->item.text, u"Gas stove");
        EXPECT_EQ(stoveRow->item.columnTexts[0], u"4000000000");
        EXPECT_EQ(stoveRow->item.image, TaskItem::kLowImportance);
        ExpectModified(editor);

        // Lifting the pen on the notes mark edits that row's item on the Notes page.
        const CRect mark = rows.GetNotesRect(rows.GetShownRows()[0]);
        ASSERT_FALSE(mark.IsRectNull());
        editortest::InNextSheet([&](CItemDetailsPropSheet& sheet) {
            EXPECT_EQ(sheet.GetActiveIndex(), 1);
            EXPECT_EQ(sheet.GetActivePage()->GetDlgItem(IDC_ITEM_NOTES)->GetWindowText(), u"Poles");
            SetField(sheet, IDC_ITEM_NOTES, u"");
            sheet.SendCommand(ID_SHEET_OK);
        });
        uitest::GestureOverride noHold(uitest::GestureAnswer::NoHold);
        uitest::Tap(rows, CPoint(mark.left + 5, mark.top + 5));
        EXPECT_TRUE(rows.GetNotesRect(rows.GetShownRows()[0]).IsRectNull()) << "no notes, no mark";
    });
    EXPECT_EQ(tent->item.notes, u"");
    EXPECT_EQ(doc.tree.root.ChildAt(1)->item.quantity, 4000000000u);
    EXPECT_EQ(doc.tree.root.ChildAt(1)->item.importance, TaskItem::kLowImportance);
}

TEST_F(EditorCommands, DeleteRemovesTheWholeBranchAtOnceAndLeavesNoSelection) {
    TaskNode* tent = Add(u"Tent");
    TaskNode* poles = Add(u"Poles", tent);
    Add(u"Short", poles);
    Add(u"Stove");
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    RunEditor(editor, [&] {
        Select(editor, 0);
        uitest::MessageBoxRecorder noQuestion;
        editor.SendCommand(ID_ITEM_DELETE);
        EXPECT_TRUE(noQuestion.Shown().empty());
        uitest::Grab(editor.GetTreeCtrl());
        EXPECT_EQ(editortest::ShownRows(editor.GetTreeCtrl()), (std::vector<Row>{{0, u"Stove"}}));
        EXPECT_EQ(editor.GetTreeCtrl().GetSelectedItem(), nullptr);
        EXPECT_FALSE(editor.IsCommandEnabled(ID_ITEM_DELETE));
        EXPECT_FALSE(editor.IsCommandEnabled(ID_ITEM_EDIT));
        EXPECT_TRUE(editor.IsCommandEnabled(ID_LIST_ADDITEM));
        // The move buttons are never disabled; without a selection they do nothing.
        editor.SendCommand(ID_ITEM_MOVEUP);
        editor.SendCommand(ID_ITEM_MOVEDOWN);
        EXPECT_EQ(editortest::ShownRows(editor.GetTreeCtrl()), (std::vector<Row>{{0, u"Stove"}}));
        ExpectModified(editor);
    });
    EXPECT_EQ(editortest::DocumentItems(doc), (std::vector<Row>{{0, u"Stove"}}));
    EXPECT_EQ(doc.tree.Count(), 1u);
}

TEST_F(EditorCommands, MovesSwapItemsAndRowsAndMarkEvenAtTheEnds) {
    TaskNode* tent = Add(u"Tent");
    Add(u"Poles", tent);
    Add(u"Pegs", tent);
    Add(u"Stove");
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    RunEditor(editor, [&] {
        CVisualTreeCtrl& rows = editor.GetTreeCtrl();
        Select(editor, 0);
        editor.SendCommand(ID_ITEM_MOVEUP);
        EXPECT_EQ(editortest::DocumentItems(doc)[0], (Row{0, u"Tent"}));
        ExpectModified(editor);

        editor.SendCommand(ID_ITEM_MOVEDOWN);
        const std::vector<Row> moved = {{0, u"Stove"}, {0, u"Tent"}, {1, u"Poles"}, {1, u"Pegs"}};
        EXPECT_EQ(editortest::DocumentItems(doc), moved);
        EXPECT_EQ(editortest::ShownRows(rows), moved);
        EXPECT_EQ(editortest::NodeOfSelection(rows), tent);

        Select(editor, 3);
        editor.SendCommand(ID_ITEM_MOVEUP);
        const std::vector<Row> subMoved = {{0, u"Stove"}, {0, u"Tent"}, {1, u"Pegs"}, {1, u"Poles"}};
        EXPECT_EQ(editortest::DocumentItems(doc), subMoved);
        EXPECT_EQ(editortest::ShownRows(rows), subMoved);
    });
}

TEST_F(EditorCommands, CheckAndUncheckAllReachEveryItemAndAnEmptyListBecomesModified) {
    TaskNode* tent = Add(u"Tent");
    TaskNode* poles = Add(u"Poles", tent);
    TaskNode* shortPoles = Add(u"Short", poles);
    TaskNode* stove = Add(u"Stove");
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    RunEditor(editor, [&] {
        CVisualTreeCtrl& rows = editor.GetTreeCtrl();
        rows.Expand(rows.GetShownRows()[0], false); // a collapsed branch is checked too
        ASSERT_EQ(rows.GetShownRows().size(), 2u);
        ExpectUnmodified(editor);
        editor.SendCommand(ID_LIST_CHECKALL);
        for (TaskNode* node : {tent, poles, shortPoles, stove}) {
            EXPECT_EQ(node->item.checked, 1);
        }
        ExpectModified(editor);
        editor.SendCommand(ID_LIST_UNCHECKALL);
        for (TaskNode* node : {tent, poles, shortPoles, stove}) {
            EXPECT_EQ(node->item.checked, 0);
        }
    });

    CCorvinaDoc empty;
    empty.SetPathName(kListsFolder + u"Empty.crv");
    CListEditorDlg emptyEditor(Device(), kListsFolder, &empty);
    std::u16string title;
    uitest::RunModal(emptyEditor, [&] {
        emptyEditor.SendCommand(ID_LIST_CHECKALL);
        title = emptyEditor.GetTitleLine().GetWindowText();
    });
    EXPECT_TRUE(empty.IsModified());
    EXPECT_EQ(title, u"Empty*");
}

TEST_F(EditorCommands, TickingABoxMarksModifiedButSelectingOrExpandingDoesNot) {
    TaskNode* tent = Add(u"Tent");
    Add(u"Poles", tent);
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    RunEditor(editor, [&] {
        CVisualTreeCtrl& rows = editor.GetTreeCtrl();
        uitest::GestureOverride noHold(uitest::GestureAnswer::NoHold);
        VisualNode* tentRow = rows.GetShownRows()[0];
        const CRect expander = rows.GetExpanderRect(tentRow);
        uitest::Tap(rows, CPoint(expander.left + 4, expander.top + 4));
        EXPECT_EQ(rows.GetShownRows().size(), 1u);
        Select(editor, 0);
        ExpectUnmodified(editor);
        const CRect box = rows.GetCheckBoxRect(tentRow);
        uitest::Tap(rows, CPoint(box.left + 5, box.top + 5));
        EXPECT_EQ(tent->item.checked, 1);
        ExpectModified(editor);
    });
}

TEST_F(EditorCommands, HoldOnARowOpensTheItemMenuThereAndNothingBelowTheRows) {
    Add(u"Tent");
    Add(u"Stove");
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    RunEditor(editor, [&] {
        CVisualTreeCtrl& rows = editor.GetTreeCtrl();
        const CPoint pen = editortest::RowPoint(rows, rows.GetShownRows()[1]);
        CPoint penOnScreen = pen;
        rows.ClientToScreen(&penOnScreen);
        uitest::MenuRecorder menus([](const uitest::ShownMenu&) { return UINT{ID_ITEM_DELETE}; });
        uitest::Hold(rows, pen);
        ASSERT_EQ(menus.Shown().size(), 1u);
        const uitest::ShownMenu& menu = menus.Shown()[0];
        EXPECT_EQ(menu.screenPoint, penOnScreen);
        std::vector<std::pair<std::u16string, bool>> entries;
        for (const auto& entry : menu.entries) {
            entries.emplace_back(entry.separator ? u"-" : entry.text, entry.separator || entry.enabled);
        }
        EXPECT_EQ(entries, (std::vector<std::pair<std::u16string, bool>>{{u"Add Subitem", true},
                                                                         {u"-", true},
                                                                         {u"Edit Item", true},
                                                                         {u"Delete Item", true},
                                                                         {u"-", true},
                                                                         {u"Move up", true},
                                                                         {u"Move down", true}}));
        EXPECT_EQ(editortest::DocumentItems(doc), (std::vector<Row>{{0, u"Tent"}}));

        const CRect last = rows.GetItemRect(rows.GetShownRows().back());
        uitest::Hold(rows, CPoint(100, last.bottom + 20));
        EXPECT_EQ(menus.Shown().size(), 1u) << "no menu below the rows";
    });
}

} // namespace
