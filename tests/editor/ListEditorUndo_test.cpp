// Undo and redo in the list editor as a user gives them, with Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y: each
// command taken back and done again (the items, the rows, the selection and "*"), the saved state
// among the changes, and random sequences of commands on random lists taken back byte for byte.
#include "EditorTestSupport.h"

#include "platform/core/Strings.h"
#include "platform/ui/MessageBox.h"
#include "res/ResourceIds.h"

#include <fstream>
#include <iterator>
#include <random>

namespace {

using editortest::EditorTest;
using editortest::kListsFolder;
using editortest::Row;

std::u16string Number(std::uint64_t value) {
    return Widen(std::to_string(value));
}

void PressUndo() {
    uitest::PressKey('Z', MK_CONTROL);
}
void PressRedo() {
    uitest::PressKey('Y', MK_CONTROL);
}
void PressShiftRedo() {
    uitest::PressKey('Z', MK_CONTROL | MK_SHIFT);
}

class EditorUndo : public editortest::CampingEditorTest {
protected:
    /// The title line, which ends in "*" exactly while there are unsaved changes.
    static std::u16string Title(CListEditorDlg& editor) { return editor.GetTitleLine().GetWindowText(); }
    static std::vector<Row> Shown(CListEditorDlg& editor) {
        uitest::Grab(editor.GetTreeCtrl());
        return editortest::ShownRows(editor.GetTreeCtrl());
    }
    std::string ReadBytes(const std::u16string& devicePath) const {
        std::ifstream in(Host(devicePath), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static std::u16string SelectedTitle(CListEditorDlg& editor) {
        const TaskNode* node = editortest::NodeOfSelection(editor.GetTreeCtrl());
        return node != nullptr ? std::u16string(node->item.title) : u"(none)";
    }
};

TEST_F(EditorUndo, AddingAnItemOrASubitemIsTakenBackAndDoneAgain) {
    TaskNode* tent = Add(u"Tent");
    Add(u"Poles", tent);
    Add(u"Stove");
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    RunEditor(editor, [&] {
        Select(editor, 0);
        editortest::TypeInNextSheet(u"Pegs");
        editor.SendCommand(ID_ITEM_ADDSUBITEM);
        const std::vector<Row> added = {{0, u"Tent"}, {1, u"Poles"}, {1, u"Pegs"}, {0, u"Stove"}};
        ASSERT_EQ(Shown(editor), added);

        PressUndo();
        const std::vector<Row> before = {{0, u"Tent"}, {1, u"Poles"}, {0, u"Stove"}};
        EXPECT_EQ(Shown(editor), before);
        EXPECT_EQ(editortest::DocumentItems(doc), before);
        EXPECT_EQ(SelectedTitle(editor), u"Tent") << "the sub-item was added from Tent";
        EXPECT_EQ(Title(editor), u"Camping") << "back to the file's state";
        EXPECT_FALSE(doc.IsModified());

        PressRedo();
        EXPECT_EQ(Shown(editor), added);
        EXPECT_EQ(editortest::DocumentItems(doc), added);
        EXPECT_EQ(SelectedTitle(editor), u"Pegs");
        EXPECT_EQ(Title(editor), u"Camping*");
        EXPECT_TRUE(doc.IsModified());

        editortest::TypeInNextSheet(u"Lamp");
        editor.SendCommand(ID_LIST_ADDITEM);
        PressUndo();
        PressUndo();
        EXPECT_EQ(Shown(editor), before);
        PressShiftRedo();
        PressShiftRedo();
        EXPECT_EQ(editortest::DocumentItems(doc),
                  (std::vector<Row>{{0, u"Tent"}, {1, u"Poles"}, {1, u"Pegs"}, {0, u"Stove"}, {0, u"Lamp"}}));
        EXPECT_EQ(SelectedTitle(editor), u"Lamp");
    });
}

TEST_F(EditorUndo, AnEditIsTakenBackInAllFourFieldsOfTheItemAndItsRow) {
    Add(u"Tent");
    TaskNode* stove = Add(u"Stove", nullptr, 2, TaskItem::kHighImportance, u"Gas");
    stove->item.checked = 1;
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    RunEditor(editor, [&] {
        CVisualTreeCtrl& rows = editor.GetTreeCtrl();
        Select(editor, 1);
        editortest::InNextSheet([](CItemDetailsPropSheet& sheet) {
            sheet.GetActivePage()->GetDlgItem(IDC_ITEM_TITLE)->SetWindowText(u"Gas stove");
            sheet.GetActivePage()->GetDlgItem(IDC_ITEM_QUANTITY)->SetWindowText(u"7");
            uitest::Tap(*sheet.GetActivePage()->GetDlgItem(IDC_IMPORTANCE_LOW), CPoint(3, 3));
            sheet.SetActivePage(1);
            sheet.GetActivePage()->GetDlgItem(IDC_ITEM_NOTES)->SetWindowText(u"");
            sheet.SendCommand(ID_SHEET_OK);
        });
        editor.SendCommand(ID_ITEM_EDIT);
        Select(editor, 0);

        PressUndo();
        VisualNode* row = rows.GetShownRows()[1];
        EXPECT_EQ(stove->item.title, u"Stove");
        EXPECT_EQ(stove->item.quantity, 2u);
        EXPECT_EQ(stove->item.importance, TaskItem::kHighImportance);
        EXPECT_EQ(stove->item.notes, u"Gas");
        EXPECT_EQ(stove->item.checked, 1) << "the sheet does not edit the check";
        EXPECT_EQ(row->item.text, u"Stove");
        EXPECT_EQ(row->item.columnTexts[0], u"2");
        EXPECT_EQ(row->item.image, TaskItem::kHighImportance);
        EXPECT_FALSE(rows.GetNotesRect(row).IsRectNull()) << "the notes mark is back";
        EXPECT_EQ(SelectedTitle(editor), u"Stove") << "the row the change was about";
        EXPECT_EQ(Title(editor), u"Camping");

        PressRedo();
        EXPECT_EQ(stove->item.title, u"Gas stove");
        EXPECT_EQ(stove->item.quantity, 7u);
        EXPECT_EQ(stove->item.importance, TaskItem::kLowImportance);
        EXPECT_EQ(stove->item.notes, u"");
        EXPECT_EQ(row->item.text, u"Gas stove");
        EXPECT_EQ(row->item.columnTexts[0], u"7");
        EXPECT_TRUE(rows.GetNotesRect(row).IsRectNull());
        EXPECT_EQ(Title(editor), u"Camping*");
    });
}

TEST_F(EditorUndo, ADeletedBranchComesBackInItsPlaceWithItsRowsAndSelected) {
    Add(u"Tent");
    TaskNode* kitchen = Add(u"Kitchen");
    TaskNode* stove = Add(u"Stove", kitchen);
    Add(u"Gas", stove);
    Add(u"Pans", kitchen);
    Add(u"Lamp");
    const std::vector<Row> whole = {{0, u"Tent"}, {0, u"Kitchen"}, {1, u"Stove"},
                                    {2, u"Gas"},  {1, u"Pans"},    {0, u"Lamp"}};
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    RunEditor(editor, [&] {
        Select(editor, 1);
        uitest::MessageBoxRecorder noQuestion;
        uitest::PressKey(VK_DELETE);
        EXPECT_TRUE(noQuestion.Shown().empty()) << "a delete that can be undone asks nothing";
        EXPECT_EQ(Shown(editor), (std::vector<Row>{{0, u"Tent"}, {0, u"Lamp"}}));
        EXPECT_EQ(doc.tree.Count(), 2u);

        PressUndo();
        EXPECT_EQ(Shown(editor), whole);
        EXPECT_EQ(editortest::DocumentItems(doc), whole);
        EXPECT_EQ(doc.tree.Count(), 6u);
        EXPECT_EQ(editortest::NodeOfSelection(editor.GetTreeCtrl()), kitchen) << "the same item, not a copy";
        EXPECT_EQ(Title(editor), u"Camping");

        PressRedo();
        EXPECT_EQ(Shown(editor), (std::vector<Row>{{0, u"Tent"}, {0, u"Lamp"}}));
        EXPECT_EQ(editor.GetTreeCtrl().GetSelectedItem(), nullptr) << "as the delete left it";
        EXPECT_EQ(Title(editor), u"Camping*");

        // The first and the last of their siblings come back first and last.
        PressUndo();
        Select(editor, 0);
        uitest::PressKey(VK_DELETE);
        Select(editor, 4);
        uitest::PressKey(VK_DELETE);
        PressUndo();
        PressUndo();
        EXPECT_EQ(Shown(editor), whole);
    });
}

TEST_F(EditorUndo, MovesAreTakenBackAndAMoveAtTheEndUndoesToNoChange) {
    Add(u"Tent");
    Add(u"Stove");
    Add(u"Lamp");
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    RunEditor(editor, [&] {
        Select(editor, 1);
        uitest::PressKey(VK_UP, kAltDown);
        uitest::PressKey(VK_UP, kAltDown);
        EXPECT_EQ(Shown(editor), (std::vector<Row>{{0, u"Stove"}, {0, u"Tent"}, {0, u"Lamp"}}));
        PressUndo();
        EXPECT_EQ(Shown(editor), (std::vector<Row>{{0, u"Stove"}, {0, u"Tent"}, {0, u"Lamp"}}))
            << "the second move found Stove first already";
        EXPECT_EQ(Title(editor), u"Camping*");
        PressUndo();
        EXPECT_EQ(Shown(editor), (std::vector<Row>{{0, u"Tent"}, {0, u"Stove"}, {0, u"Lamp"}}));
        EXPECT_EQ(SelectedTitle(editor), u"Stove");
        EXPECT_EQ(Title(editor), u"Camping");

        Select(editor, 0);
        uitest::PressKey(VK_DOWN, kAltDown);
        EXPECT_EQ(editortest::DocumentItems(doc),
                  (std::vector<Row>{{0, u"Stove"}, {0, u"Tent"}, {0, u"Lamp"}}));
        Select(editor, 2);
        PressUndo();
        EXPECT_EQ(editortest::DocumentItems(doc),
                  (std::vector<Row>{{0, u"Tent"}, {0, u"Stove"}, {0, u"Lamp"}}));
        EXPECT_EQ(SelectedTitle(editor), u"Tent");
        PressRedo();
        EXPECT_EQ(Shown(editor), (std::vector<Row>{{0, u"Stove"}, {0, u"Tent"}, {0, u"Lamp"}}));
    });
}

TEST_F(EditorUndo, ATickAndCheckAllGiveBackEveryFlagAsItWas) {
    TaskNode* tent = Add(u"Tent");
    TaskNode* poles = Add(u"Poles", tent);
    TaskNode* stove = Add(u"Stove");
    poles->item.checked = 1;
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    RunEditor(editor, [&] {
        CVisualTreeCtrl& rows = editor.GetTreeCtrl();
        uitest::GestureOverride noHold(uitest::GestureAnswer::NoHold);
        const CRect box = rows.GetCheckBoxRect(rows.GetShownRows()[2]);
        uitest::Tap(rows, CPoint(box.left + 5, box.top + 5));
        EXPECT_EQ(stove->item.checked, 1);
        PressUndo();
        EXPECT_EQ(stove->item.checked, 0);
        EXPECT_EQ(SelectedTitle(editor), u"Stove");
        EXPECT_EQ(Title(editor), u"Camping");
        PressRedo();
        EXPECT_EQ(stove->item.checked, 1);

        editor.SendCommand(ID_LIST_UNCHECKALL);
        editor.SendCommand(ID_LIST_CHECKALL);
        PressUndo();
        EXPECT_EQ(std::vector<int>({tent->item.checked, poles->item.checked, stove->item.checked}),
                  std::vector<int>({0, 0, 0}));
        PressUndo();
        EXPECT_EQ(std::vector<int>({tent->item.checked, poles->item.checked, stove->item.checked}),
                  std::vector<int>({0, 1, 1}));
        // The rows show the flags they point at: the box of Poles is drawn ticked again.
        EXPECT_EQ(rows.GetCheck(rows.GetShownRows()[1]), 1);
        PressRedo();
        PressRedo();
        EXPECT_EQ(std::vector<int>({tent->item.checked, poles->item.checked, stove->item.checked}),
                  std::vector<int>({1, 1, 1}));
        EXPECT_FALSE(editor.IsCommandEnabled(ID_EDIT_REDO)) << "nothing left to redo";
    });
}

TEST_F(EditorUndo, CheckAllIsTakenBackUnderCollapsedRowsAfterLaterChangesAreTakenBack) {
    // Flags of every value a file may hold, at three depths, some under a collapsed row.
    TaskNode* tent = Add(u"Tent");
    TaskNode* poles = Add(u"Poles", tent);
    TaskNode* pegs = Add(u"Pegs", poles);
    TaskNode* stove = Add(u"Stove");
    TaskNode* food = Add(u"Food");
    TaskNode* bread = Add(u"Bread", food);
    const std::vector<TaskNode*> items = {tent, poles, pegs, stove, food, bread};
    const std::vector<int> before = {2, 1, 0, 0, 255, 0};
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i]->item.checked = static_cast<BYTE>(before[i]);
    }
    const auto flags = [&] {
        std::vector<int> now;
        for (const TaskNode* item : items) {
            now.push_back(item->item.checked);
        }
        return now;
    };
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    RunEditor(editor, [&] {
        CVisualTreeCtrl& rows = editor.GetTreeCtrl();
        rows.Expand(rows.GetFirstItem(), false);
        editor.SendCommand(ID_LIST_CHECKALL);
        EXPECT_EQ(flags(), std::vector<int>({1, 1, 1, 1, 1, 1}));
        // Later changes move and take out rows; once they are taken back the rows stand as Check
        // all left them, and its undo finds each row's flag.
        VisualNode* stoveRow = rows.GetNextSiblingItem(rows.GetFirstItem());
        VisualNode* foodRow = rows.GetNextSiblingItem(stoveRow);
        editor.MoveRowItem(foodRow, true);
        editor.DeleteRowItem(stoveRow);
        PressUndo();
        PressUndo();
        PressUndo();
        EXPECT_EQ(flags(), before);
        PressRedo();
        EXPECT_EQ(flags(), std::vector<int>({1, 1, 1, 1, 1, 1}));
        PressUndo();
        EXPECT_EQ(flags(), before);
    });
}

TEST_F(EditorUndo, TheSavedStateIsWhereTheMarkGoesAndANewChangeDropsTheRedo) {
    Add(u"Tent");
    Add(u"Stove");
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    const std::u16string path = kListsFolder + u"Camping.crv";
    std::string original;
    std::string saved;
    RunEditor(editor, [&] {
        editor.SendCommand(ID_FILE_SAVE);
        original = ReadBytes(path);
        EXPECT_FALSE(editor.IsCommandEnabled(ID_EDIT_UNDO)) << "nothing to undo yet";

        Select(editor, 0);
        uitest::PressKey(VK_DELETE);
        uitest::PressKey('S', MK_CONTROL);
        saved = ReadBytes(path);
        EXPECT_EQ(Title(editor), u"Camping");

        PressUndo();
        EXPECT_EQ(Title(editor), u"Camping*") << "undoing past a save";
        EXPECT_TRUE(doc.IsModified());
        PressRedo();
        EXPECT_EQ(Title(editor), u"Camping") << "back where the file is";
        EXPECT_FALSE(doc.IsModified());

        PressUndo();
        editor.SendCommand(ID_LIST_CHECKALL);
        EXPECT_FALSE(editor.IsCommandEnabled(ID_EDIT_REDO));
        PressRedo(); // greyed: nothing happens
        EXPECT_EQ(doc.tree.Count(), 2u);
        PressUndo();
        EXPECT_EQ(Title(editor), u"Camping*") << "the saved state was dropped with the redo";

        editor.SendCommand(ID_FILE_SAVE);
        EXPECT_EQ(ReadBytes(path), original);
    });
    EXPECT_NE(saved, original);
}

// --- Random sequences of commands -----------------------------------------------------------------

/// The rows as a walk of the control's whole row tree (collapsed rows too) must show the document:
/// the same shape, and each row pointing at its item and showing its fields.
::testing::AssertionResult RowsShowTheDocument(CVisualTreeCtrl& rows, const CCorvinaDoc& doc) {
    std::vector<const TaskNode*> nodes;
    doc.tree.Walk([&](const TaskNode& node, std::size_t) { nodes.push_back(&node); });
    std::vector<const VisualNode*> shown;
    if (const VisualNode* first = rows.GetFirstItem()) {
        WalkPreOrder(*first->parent, [&](const VisualNode& row, std::size_t) { shown.push_back(&row); });
    }
    if (nodes.size() != shown.size()) {
        return ::testing::AssertionFailure() << nodes.size() << " items but " << shown.size() << " rows";
    }
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const TaskNode& node = *nodes[i];
        const VisualNode& row = *shown[i];
        const auto* parentNode = reinterpret_cast<const TaskNode*>(row.parent->item.itemData);
        const bool sameParent =
            node.parent == &doc.tree.root ? parentNode == nullptr : parentNode == node.parent;
        if (rows.GetItemData(&row) != reinterpret_cast<UINT_PTR>(&node) || !sameParent ||
            row.item.checkedFlag != &node.item.checked ||
            std::u16string_view(row.item.text) != std::u16string_view(node.item.title) ||
            std::u16string_view(row.item.notes) != std::u16string_view(node.item.notes) ||
            row.item.image != node.item.importance || row.item.columnTexts[0] != Number(node.item.quantity)) {
            return ::testing::AssertionFailure() << "row " << i << " does not show its item";
        }
    }
    return ::testing::AssertionSuccess();
}

class EditorUndoSequences : public EditorUndo, public ::testing::WithParamInterface<unsigned> {
protected:
    /// A random list of up to 40 items, each under a random earlier item or at the top.
    void MakeRandomList(std::mt19937& random) {
        std::vector<TaskNode*> made;
        const int count = std::uniform_int_distribution<int>(0, 40)(random);
        for (int i = 0; i < count; ++i) {
            TaskNode* parent = nullptr;
            if (!made.empty() && random() % 3 != 0) {
                parent = made[random() % made.size()];
            }
            TaskNode* node = Add(u"Item " + Number(i), parent, random() % 5,
                                 static_cast<std::int32_t>(random() % 3), random() % 4 == 0 ? u"Note" : u"");
            node->item.checked = random() % 2;
            made.push_back(node);
        }
    }
    /// The bytes the list saves as now.
    std::string SavedBytes() {
        const std::u16string path = kListsFolder + u"Probe.crv";
        EXPECT_TRUE(doc.OnSaveDocument(path));
        return ReadBytes(path);
    }
    /// One random command on a random row, as the editor's commands make it.
    void RandomCommand(CListEditorDlg& editor, std::mt19937& random, int step) {
        CVisualTreeCtrl& rows = editor.GetTreeCtrl();
        std::vector<VisualNode*> all;
        if (VisualNode* first = rows.GetFirstItem()) {
            WalkPreOrder(*first->parent, [&](VisualNode& row, std::size_t) { all.push_back(&row); });
        }
        VisualNode* row = all.empty() ? nullptr : all[random() % all.size()];
        const int command = static_cast<int>(random() % 9);
        if (row == nullptr || command == 0) {
            TaskItem item;
            item.title = u"Added " + Number(step);
            item.checked = random() % 2;
            editor.AppendItem(item, random() % 2 != 0 ? row : nullptr);
            return;
        }
        TaskNode* node = reinterpret_cast<TaskNode*>(rows.GetItemData(row));
        switch (command) {
        case 1: {
            const TaskItem before = node->item;
            node->item.title = u"Edited " + Number(step);
            node->item.quantity = random();
            node->item.importance = static_cast<std::int32_t>(random() % 3);
            node->item.notes = random() % 2 != 0 ? u"Notes " + Number(step) : u"";
            editor.ItemEdited(row, before);
            break;
        }
        case 2:
            editor.DeleteRowItem(row);
            break;
        case 3:
        case 4:
            editor.MoveRowItem(row, command == 3);
            break;
        case 5:
            rows.SetCheck(row, rows.GetCheck(row) != 0 ? 0 : 1, false);
            break;
        case 6:
            editor.CheckAllItems(static_cast<BYTE>(random() % 2));
            break;
        default:
            if (command == 7) {
                editor.Undo();
            } else {
                editor.Redo();
            }
            break;
        }
    }
};

TEST_P(EditorUndoSequences, UndoingAllSavesTheOriginalBytesAndRedoingAllTheEndState) {
    std::mt19937 random(GetParam());
    MakeRandomList(random);
    const std::string original = SavedBytes();
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    RunEditor(editor, [&] {
        CVisualTreeCtrl& rows = editor.GetTreeCtrl();
        for (int step = 0; step < 300; ++step) {
            RandomCommand(editor, random, step);
            ASSERT_TRUE(RowsShowTheDocument(rows, doc)) << "after step " << step;
        }
        while (editor.GetHistory().CanRedo()) {
            editor.Redo();
        }
        const std::string end = SavedBytes();
        while (editor.GetHistory().CanUndo()) {
            editor.Undo();
            ASSERT_TRUE(RowsShowTheDocument(rows, doc));
        }
        EXPECT_EQ(SavedBytes(), original);
        while (editor.GetHistory().CanRedo()) {
            editor.Redo();
            ASSERT_TRUE(RowsShowTheDocument(rows, doc));
        }
        EXPECT_EQ(SavedBytes(), end);
    });
}

INSTANTIATE_TEST_SUITE_P(Seeds, EditorUndoSequences, ::testing::Values(1u, 2u, 3u, 4u, 5u, 6u));

} // namespace
