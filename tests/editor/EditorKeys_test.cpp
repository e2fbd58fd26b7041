// The list editor on a desktop keyboard: each key runs its command as the menu does, a key whose
// command is greyed does nothing at all, and the host window's title follows the list's progress.
#include "EditorTestSupport.h"

#include "platform/ui/DesktopKeys.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/HostWindow.h"
#include "res/ResourceIds.h"

#include <filesystem>

namespace {

using editortest::EditorTest;
using editortest::kListsFolder;
using editortest::Row;

class EditorKeys : public editortest::CampingEditorTest {
protected:
    /// Presses `key` and answers which page of the details sheet it opened; -1 for no sheet. The
    /// sheet takes `typed` and OK, or is cancelled when nothing is to be typed.
    static int SheetPageOfKey(UINT key, UINT modifiers, const std::u16string& typed = {}) {
        int page = -1;
        uitest::WhenScreenRuns([&](CDialog& top) {
            auto* sheet = dynamic_cast<CItemDetailsPropSheet*>(&top);
            if (sheet == nullptr) {
                return;
            }
            page = sheet->GetActiveIndex();
            if (typed.empty()) {
                sheet->SendCommand(IDCANCEL);
                return;
            }
            uitest::TypeText(typed);
            sheet->SendCommand(ID_SHEET_OK);
        });
        uitest::PressKey(key, modifiers);
        uitest::ProcessEvents(); // without a sheet the look at the screens runs here, still in time
        return page;
    }
};

TEST_F(EditorKeys, EachKeyRunsItsCommand) {
    TaskNode* tent = Add(u"Tent");
    Add(u"Stove");
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    RunEditor(editor, [&] {
        Select(editor, 0);
        EXPECT_EQ(SheetPageOfKey(VK_F2, 0), 0) << "F2 edits the selected item";
        EXPECT_EQ(SheetPageOfKey(VK_INSERT, 0, u"Lamp"), 0);
        EXPECT_EQ(SheetPageOfKey(VK_INSERT, MK_SHIFT, u"Poles"), 0);
        EXPECT_EQ(editortest::DocumentItems(doc),
                  (std::vector<Row>{{0, u"Tent"}, {1, u"Poles"}, {0, u"Stove"}, {0, u"Lamp"}}));
        EXPECT_EQ(editortest::NodeOfSelection(editor.GetTreeCtrl()), tent);

        uitest::PressKey(VK_DOWN, kAltDown);
        EXPECT_EQ(editortest::DocumentItems(doc)[0], (Row{0, u"Stove"}));
        uitest::PressKey(VK_UP, kAltDown);
        EXPECT_EQ(editortest::DocumentItems(doc)[0], (Row{0, u"Tent"}));

        uitest::MessageBoxRecorder noQuestion;
        uitest::PressKey(VK_DELETE);
        EXPECT_TRUE(noQuestion.Shown().empty());
        EXPECT_EQ(editortest::DocumentItems(doc), (std::vector<Row>{{0, u"Stove"}, {0, u"Lamp"}}));

        uitest::PressKey('S', MK_CONTROL);
        EXPECT_EQ(editor.GetTitleLine().GetWindowText(), u"Camping") << "Ctrl+S saved";
        EXPECT_TRUE(std::filesystem::exists(Host(kListsFolder + u"Camping.crv")));

        bool saveAsShown = false;
        editortest::InNextScreen<CFileDialog>([&](CFileDialog& dialog) {
            saveAsShown = true;
            dialog.SendCommand(IDCANCEL);
        });
        uitest::PressKey('S', MK_CONTROL | MK_SHIFT);
        EXPECT_TRUE(saveAsShown) << "Ctrl+Shift+S asks for a name";
        EXPECT_TRUE(editor.IsModalRunning());
    });
}

TEST_F(EditorKeys, AKeyWhoseCommandIsGreyedDoesNothing) {
    Add(u"Tent");
    Add(u"Stove");
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    RunEditor(editor, [&] {
        CVisualTreeCtrl& rows = editor.GetTreeCtrl();
        ASSERT_EQ(rows.GetSelectedItem(), nullptr);
        EXPECT_EQ(SheetPageOfKey(VK_F2, 0), -1);
        EXPECT_EQ(SheetPageOfKey(VK_INSERT, MK_SHIFT), -1);
        uitest::PressKey(VK_DELETE);
        uitest::PressKey(VK_UP, kAltDown);
        uitest::PressKey(VK_DOWN, kAltDown);
        uitest::PressKey('Z', MK_CONTROL);
        uitest::PressKey('Y', MK_CONTROL);
        EXPECT_EQ(editortest::DocumentItems(doc), (std::vector<Row>{{0, u"Tent"}, {0, u"Stove"}}));
        EXPECT_EQ(rows.GetSelectedItem(), nullptr) << "Alt+Up is not Up: it selects no row";
        EXPECT_EQ(editor.GetTitleLine().GetWindowText(), u"Camping");
        EXPECT_FALSE(doc.IsModified());
    });
}

TEST_F(EditorKeys, TheHostWindowShowsTheTitleLineAndTheCheckedItemsOfAll) {
    TaskNode* tent = Add(u"Tent");
    Add(u"Poles", tent)->item.checked = 1;
    Add(u"Stove");
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    RunEditor(editor, [&] {
        EXPECT_EQ(GetHostWindowTitle(), u"Camping (1/3) - Corvina");
        CVisualTreeCtrl& rows = editor.GetTreeCtrl();
        uitest::GestureOverride noHold(uitest::GestureAnswer::NoHold);
        const CRect box = rows.GetCheckBoxRect(rows.GetShownRows()[2]);
        uitest::Tap(rows, CPoint(box.left + 5, box.top + 5));
        EXPECT_EQ(GetHostWindowTitle(), u"Camping* (2/3) - Corvina");
        Select(editor, 0);
        uitest::PressKey(VK_DELETE);
        EXPECT_EQ(GetHostWindowTitle(), u"Camping* (1/1) - Corvina") << "Poles went with Tent";
        uitest::PressKey('Z', MK_CONTROL);
        EXPECT_EQ(GetHostWindowTitle(), u"Camping* (2/3) - Corvina");
        editor.SendCommand(ID_LIST_CHECKALL);
        EXPECT_EQ(GetHostWindowTitle(), u"Camping* (3/3) - Corvina");
        editor.SendCommand(ID_LIST_UNCHECKALL);
        EXPECT_EQ(GetHostWindowTitle(), u"Camping* (0/3) - Corvina");
        uitest::PressKey('Z', MK_CONTROL);
        EXPECT_EQ(GetHostWindowTitle(), u"Camping* (3/3) - Corvina");
        uitest::PressKey('S', MK_CONTROL);
        EXPECT_EQ(GetHostWindowTitle(), u"Camping (3/3) - Corvina");
    });
    EXPECT_EQ(GetHostWindowTitle(), u"Corvina") << "the other screens leave the window its name";
}

} // namespace
