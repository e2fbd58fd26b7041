// The commands that hand a list to the editor, as a user meets them: New, Open (from the menu, the
// Enter key and a double tap), Import, and lists that fail to load; each ends by looking at the
// files on disk and the rows the document list shows once the editor has closed.
#include "ListFilesFixture.h"

#include "editor/ItemDetailsPropSheet.h"
#include "editor/ListEditorDlg.h"
#include "platform/core/ErrorReport.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/testing/UiTest.h"
#include "res/ResourceIds.h"
#include "shell/CorvinaApp.h"
#include "support/ListBytes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace list_bytes;
using shelltest::kLists;
using shelltest::ListFilesScreenTest;
using shelltest::Row;

const CPoint kCaptionOk(222, 13);
constexpr int kNameField = 2;
/// The file dialog's file-type button: the next filter.
constexpr UINT kFileTypeButton = 7;
/// How many turns of the event loop a test waits for a screen before giving up.
constexpr int kTurnsToWaitForAScreen = 20;

/// Runs `act` on the screen of type T once it is on top, waiting a few turns of the event loop for a
/// screen that is still closing; a test fails when none comes.
template <typename T> void WhenOnTop(std::function<void(T&)> act, int turnsLeft = kTurnsToWaitForAScreen) {
    uitest::WhenScreenRuns([act = std::move(act), turnsLeft](CDialog& top) mutable {
        if (auto* screen = dynamic_cast<T*>(&top)) {
            act(*screen);
        } else if (turnsLeft > 0) {
            WhenOnTop<T>(std::move(act), turnsLeft - 1);
        } else {
            ADD_FAILURE() << "the expected screen did not come up";
        }
    });
}

/// The item details sheet in front (found from the focused field), or null.
CItemDetailsPropSheet* FrontSheet() {
    for (CWnd* w = CWnd::GetFocus(); w != nullptr; w = w->GetParent()) {
        if (auto* sheet = dynamic_cast<CItemDetailsPropSheet*>(w)) {
            return sheet;
        }
    }
    return nullptr;
}

/// Adds a top-level item titled `title` through Add Item and the details sheet's OK.
void AddItemThroughTheSheet(CListEditorDlg& editor, const std::u16string& title) {
    uitest::Soon([title] {
        CItemDetailsPropSheet* sheet = FrontSheet();
        ASSERT_NE(sheet, nullptr) << "no details sheet came up";
        sheet->GetGeneralPage().GetDlgItem(IDC_ITEM_TITLE)->SetWindowText(title);
        sheet->SendCommand(ID_SHEET_OK);
    });
    editor.SendCommand(ID_LIST_ADDITEM);
}

/// The editor's rows as their titles, after a first paint has laid them out.
std::vector<std::u16string> RowTitles(CListEditorDlg& editor) {
    uitest::Grab(editor.GetTreeCtrl());
    std::vector<std::u16string> titles;
    for (const VisualNode* row : editor.GetTreeCtrl().GetShownRows()) {
        titles.push_back(row->item.text.str());
    }
    return titles;
}

class ListEditorCommandsTest : public ListFilesScreenTest {
protected:
    void SetUp() override {
        ListFilesScreenTest::SetUp();
        MakeFolder(u"\\My Documents");
    }

    void WriteBytes(std::u16string_view devicePath, const std::string& bytes) const {
        std::ofstream(Host(devicePath), std::ios::binary) << bytes;
    }

    std::string Bytes(std::u16string_view devicePath) const {
        std::ifstream in(Host(devicePath), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::vector<std::string> ListFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(Host(kLists))) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    /// Shop: Milk (2, high, not ticked) with the sub-item Skimmed (1, normal).
    static std::string ShopBytes(std::uint32_t milkChecked) {
        return Header(2) + RootItem() + U32(1) + Item(Wide(u"Milk"), 2, milkChecked, 0) + Wide(u"") + U32(1) +
               Item(Wide(u"Skimmed"), 1, 0, 1) + Wide(u"") + U32(0);
    }

    void Select(CListFilesDlg& screen, int row) {
        uitest::GestureOverride noHold(uitest::GestureAnswer::NoHold);
        uitest::Tap(screen.GetListCtrl(), RowPoint(screen, row));
    }
};

TEST_F(ListEditorCommandsTest, NewThenCloseWithoutSavingLeavesTheListsFolderUnchanged) {
    WriteBytes(Path(u"Shop.crv"), ShopBytes(0));
    uitest::MessageBoxRecorder boxes([](const uitest::ShownMessageBox&) { return IDNO; });
    CListFilesDlg screen(*m_listing);
    std::u16string title;
    std::vector<std::u16string> rows{u"not shown"};
    uitest::RunModal(screen, [&] {
        WhenOnTop<CListEditorDlg>([&](CListEditorDlg& editor) {
            title = editor.DisplayTitle();
            rows = RowTitles(editor);
            AddItemThroughTheSheet(editor, u"Bread");
            editor.SendCommand(ID_FILE_CLOSE);
        });
        screen.SendCommand(ID_FILE_NEW);
    });
    EXPECT_EQ(title, u"Untitled");
    EXPECT_TRUE(rows.empty());
    ASSERT_EQ(boxes.Shown().size(), 1u) << "the save question";
    EXPECT_EQ(boxes.Shown()[0].text,
              u"'Untitled' contents have been changed.\nWould you like to save changes?");
    EXPECT_EQ(ListFiles(), std::vector<std::string>{"Shop.crv"});
    EXPECT_EQ(Bytes(Path(u"Shop.crv")), ShopBytes(0));
}

// A list made with New and saved under a name shows as a new row with its count as soon as the
// editor has closed.
TEST_F(ListEditorCommandsTest, NewItemsSavedAsANewListShowAsANewRowWithTheirCount) {
    CListFilesDlg screen(*m_listing);
    std::vector<Row> rows;
    uitest::RunModal(screen, [&] {
        WhenOnTop<CListEditorDlg>([&](CListEditorDlg& editor) {
            AddItemThroughTheSheet(editor, u"Tent");
            AddItemThroughTheSheet(editor, u"Stove");
            WhenOnTop<CFileDialog>([](CFileDialog& dialog) {
                dialog.GetDlgItem(kNameField)->SetWindowText(u"Camping");
                uitest::TapScreen(kCaptionOk);
            });
            editor.SendCommand(ID_FILE_SAVE_AS);
            editor.SendCommand(ID_FILE_CLOSE);
        });
        screen.SendCommand(ID_FILE_NEW);
        rows = Rows(screen);
    });
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], u"Camping");
    EXPECT_EQ(rows[0][2], u"2 items");
    EXPECT_EQ(Bytes(Path(u"Camping.crv")), Header(2) + RootItem() + U32(2) + Item(Wide(u"Tent"), 1, 0, 1) +
                                               Wide(u"") + U32(0) + Item(Wide(u"Stove"), 1, 0, 1) +
                                               Wide(u"") + U32(0));
}

// Ticking an item and saving writes the ticked flag into the list file and nothing else changes.
TEST_F(ListEditorCommandsTest, OpenTickSaveAndTheFilesBytes) {
    WriteBytes(Path(u"Shop.crv"), ShopBytes(0));
    CListFilesDlg screen(*m_listing);
    std::u16string title;
    uitest::RunModal(screen, [&] {
        Select(screen, 0);
        WhenOnTop<CListEditorDlg>([&](CListEditorDlg& editor) {
            title = editor.DisplayTitle();
            EXPECT_EQ(RowTitles(editor), (std::vector<std::u16string>{u"Milk", u"Skimmed"}));
            CVisualTreeCtrl& tree = editor.GetTreeCtrl();
            const CRect box = tree.GetCheckBoxRect(tree.GetShownRows().at(0));
            uitest::Tap(tree, CPoint((box.left + box.right) / 2, (box.top + box.bottom) / 2));
            editor.SendCommand(ID_FILE_SAVE);
            editor.SendCommand(ID_FILE_CLOSE);
        });
        screen.SendCommand(ID_FILE_OPEN);
    });
    EXPECT_EQ(title, u"Shop");
    EXPECT_EQ(Bytes(Path(u"Shop.crv")), ShopBytes(1));
}

// Enter opens the selected list as Open does and does nothing without one; so does a double tap on
// a row.
TEST_F(ListEditorCommandsTest, EnterAndADoubleTapOpenTheListOfTheirRow) {
    WriteBytes(Path(u"Shop.crv"), ShopBytes(0));
    CCorvinaApp app(Device());
    app.LoadShortcuts();
    CListFilesDlg screen(*m_listing);
    std::vector<std::u16string> opened;
    const auto recordAndClose = [&](CListEditorDlg& editor) {
        opened.push_back(editor.DisplayTitle());
        editor.SendCommand(ID_FILE_CLOSE);
    };
    uitest::RunModal(screen, [&] {
        screen.GetListCtrl().SetFocus();
        uitest::PressKey(VK_RETURN);
        uitest::ProcessEvents();
        EXPECT_TRUE(opened.empty()) << "no list selected";
        Select(screen, 0);
        WhenOnTop<CListEditorDlg>(recordAndClose);
        uitest::PressKey(VK_RETURN);
        WhenOnTop<CListEditorDlg>(recordAndClose);
        uitest::DoubleTap(screen.GetListCtrl(), RowPoint(screen, 0));
        EXPECT_TRUE(screen.IsModalRunning());
    });
    EXPECT_EQ(opened, (std::vector<std::u16string>{u"Shop", u"Shop"}));
}

// A text file chosen through "All files (*.*)" is read as text all the same, into an "Untitled" list
// that has no file until it is saved.
TEST_F(ListEditorCommandsTest, ImportThroughAllFilesShowsTheTextAsAnUntitledList) {
    WriteBytes(u"\\My Documents\\shop.list", "0\tMilk\t0\t1\t\t2\n1\tSkimmed\t1\t0\t\t1\n");
    CListFilesDlg screen(*m_listing);
    std::u16string title;
    std::vector<std::u16string> rows;
    uitest::RunModal(screen, [&] {
        WhenOnTop<CFileDialog>([&](CFileDialog& dialog) {
            EXPECT_EQ(dialog.GetWindowText(), u"Open");
            EXPECT_TRUE(dialog.ShownEntries().empty()) << "only text files at first";
            dialog.SendCommand(kFileTypeButton);
            EXPECT_EQ(dialog.ShownEntries(), std::vector<std::u16string>{u"shop.list"});
            WhenOnTop<CListEditorDlg>([&](CListEditorDlg& editor) {
                title = editor.DisplayTitle();
                rows = RowTitles(editor);
                editor.SendCommand(ID_FILE_CLOSE);
            });
            dialog.GetDlgItem(kNameField)->SetWindowText(u"shop.list");
            uitest::TapScreen(kCaptionOk);
        });
        screen.SendCommand(ID_DOCUMENT_IMPORT);
    });
    EXPECT_EQ(title, u"Untitled");
    EXPECT_EQ(rows, (std::vector<std::u16string>{u"Milk", u"Skimmed"}));
    EXPECT_TRUE(ListFiles().empty());
}

// A text file that cannot be opened (here it went between the choice and the reading) is reported
// with its cause and path, and no editor opens on an empty list.
TEST_F(ListEditorCommandsTest, AnImportThatCannotReadItsFileSaysWhyAndOpensNothing) {
    WriteBytes(u"\\My Documents\\Gone.txt", "0\tMilk\t1\t0\t\t1\n");
    uitest::MessageBoxRecorder boxes;
    CListFilesDlg screen(*m_listing);
    int editors = 0;
    uitest::RunModal(screen, [&] {
        WhenOnTop<CFileDialog>([&](CFileDialog& dialog) {
            dialog.GetDlgItem(kNameField)->SetWindowText(u"Gone.txt");
            uitest::TapScreen(kCaptionOk);
            std::filesystem::remove(Host(u"\\My Documents\\Gone.txt"));
            uitest::WhenScreenRuns([&](CDialog& top) {
                if (dynamic_cast<CListEditorDlg*>(&top) != nullptr) {
                    ++editors;
                    top.EndDialog(IDCANCEL);
                }
            });
        });
        screen.SendCommand(ID_DOCUMENT_IMPORT);
        uitest::ProcessEvents();
    });
    EXPECT_EQ(editors, 0);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, u"\\My Documents\\Gone.txt was not found.");
    EXPECT_EQ(boxes.Shown()[0].type, MB_OK | MB_ICONSTOP);
}

// A list whose file fails to load: the document reports its error, the editor shows what could be
// read as a recovered copy, and the damaged file keeps its bytes when the editor closes; Export of
// the same row reports the error and still offers to write what was read.
TEST_F(ListEditorCommandsTest, AListThatFailsToLoadOpensAsARecoveredCopyAndExportsWhatWasRead) {
    // Milk is whole; the second top-level item is cut inside its title.
    const std::string damaged = Header(2) + RootItem() + U32(2) + Item(Wide(u"Milk"), 2, 0, 0) + Wide(u"") +
                                U32(0) +
                                "\xFF\xFE\xFF\x09"
                                "Bre";
    WriteBytes(Path(u"Shop.crv"), damaged);
    std::vector<std::u16string> reports;
    ScopedErrorReportHandler recorder(
        [&](std::u16string_view message, MessageIcon) { reports.emplace_back(message); });
    uitest::MessageBoxRecorder boxes([](const uitest::ShownMessageBox&) { return IDNO; });
    CListFilesDlg screen(*m_listing);
    std::u16string shownTitle;
    std::vector<std::u16string> rows;
    uitest::RunModal(screen, [&] {
        Select(screen, 0);
        WhenOnTop<CListEditorDlg>([&](CListEditorDlg& editor) {
            rows = RowTitles(editor);
            shownTitle = editor.GetTitleLine().GetWindowText();
            editor.SendCommand(ID_FILE_CLOSE);
        });
        screen.SendCommand(ID_FILE_OPEN);
        Select(screen, 0);
        WhenOnTop<CFileDialog>([](CFileDialog&) { uitest::TapScreen(kCaptionOk); });
        screen.SendCommand(ID_DOCUMENT_EXPORT);
    });
    ASSERT_EQ(reports.size(), 2u) << "Open and Export each report the load";
    EXPECT_EQ(reports[0], u"Unexpected file format.");
    EXPECT_EQ(rows, std::vector<std::u16string>{u"Milk"});
    EXPECT_EQ(shownTitle, u"Shop*");
    EXPECT_EQ(Bytes(Path(u"Shop.crv")), damaged);
    EXPECT_EQ(Bytes(u"\\My Documents\\Shop.txt"), "0\tMilk\t0\t0\t\t2\n");
}

} // namespace
