// The document commands as a user meets them on the document list: each with and without a selected
// list, the questions they ask, the files they leave on disk and the rows shown afterwards.
#include "ListFilesFixture.h"

#include "model/CorvinaDoc.h"
#include "platform/core/File.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/testing/UiTest.h"
#include "res/ResourceIds.h"
#include "shell/CorvinaApp.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using shelltest::kLists;
using shelltest::ListFilesScreenTest;
using shelltest::Row;

/// The caption's OK button and the name field of the file dialogs.
const CPoint kCaptionOk(222, 13);
constexpr int kNameField = 2;

class DocumentCommandsTest : public ListFilesScreenTest {
protected:
    void SetUp() override {
        ListFilesScreenTest::SetUp();
        MakeFolder(u"\\My Documents");
    }

    /// Saves a list of two items, the second a sub-item of the first: Milk (2, high, checked) and
    /// Skimmed (1, normal).
    void SaveShopList(std::u16string_view name) const {
        CCorvinaDoc document;
        document.SetHostPathMapping(Device().PathMapping());
        TaskItem milk;
        milk.title = u"Milk";
        milk.quantity = 2;
        milk.importance = TaskItem::kHighImportance;
        milk.checked = 1;
        TaskItem skimmed;
        skimmed.title = u"Skimmed";
        document.tree.AddItem(skimmed, document.tree.AddItem(milk));
        ASSERT_TRUE(document.OnSaveDocument(Path(std::u16string(name) + u".crv")));
    }

    std::string Bytes(std::u16string_view devicePath) const {
        std::ifstream in(Host(devicePath), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    /// Taps row `row` so it is the selected list.
    void Select(CListFilesDlg& screen, int row) {
        uitest::GestureOverride noHold(uitest::GestureAnswer::NoHold);
        uitest::Tap(screen.GetListCtrl(), RowPoint(screen, row));
    }

    /// Selects the row of list `name`.
    void SelectList(CListFilesDlg& screen, std::u16string_view name) {
        for (int row = 0; row < screen.GetListCtrl().GetItemCount(); ++row) {
            if (screen.GetRowName(row) == name) {
                Select(screen, row);
                return;
            }
        }
        ADD_FAILURE() << "no row for the list";
    }

    /// The file dialog the running command shows; null (with a failure) when another screen is on top.
    static CFileDialog* FileDialogOnTop(CDialog& top) {
        auto* dialog = dynamic_cast<CFileDialog*>(&top);
        EXPECT_NE(dialog, nullptr) << "no file dialog showed";
        return dialog;
    }

    /// Types `name` into the file dialog on top and taps its OK.
    static void ChooseInFileDialog(CDialog& top, const std::u16string& name) {
        if (CFileDialog* dialog = FileDialogOnTop(top)) {
            dialog->GetDlgItem(kNameField)->SetWindowText(name);
            uitest::TapScreen(kCaptionOk);
        }
    }

    /// The export of SaveShopList's list, line by line: depth, title, importance, checked, notes,
    /// quantity.
    static constexpr const char* kShopText = "0\tMilk\t0\t1\t\t2\n1\tSkimmed\t1\t0\t\t1\n";
};

// Without a selected list, Rename, Export and Delete show nothing and change nothing.
TEST_F(DocumentCommandsTest, CommandsOnAListDoNothingWithoutASelectedOne) {
    SaveShopList(u"Shop");
    const std::string before = Bytes(Path(u"Shop.crv"));
    uitest::MessageBoxRecorder boxes;
    CListFilesDlg screen(*m_listing);
    int screensShown = 0;
    uitest::RunModal(screen, [&] {
        for (UINT id : {ID_DOCUMENT_RENAME, ID_DOCUMENT_EXPORT, ID_DOCUMENT_DELETE}) {
            uitest::WhenScreenRuns([&](CDialog& top) {
                if (&top != &screen) {
                    ++screensShown;
                    top.EndDialog(IDCANCEL);
                }
            });
            screen.SendCommand(id);
            uitest::ProcessEvents();
        }
    });
    EXPECT_EQ(screensShown, 0);
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_EQ(Bytes(Path(u"Shop.crv")), before);
    EXPECT_TRUE(std::filesystem::is_empty(Host(u"\\My Documents")));
}

TEST_F(DocumentCommandsTest, DeleteAsksWithTheListsNameAndOkRemovesTheFile) {
    SaveShopList(u"Shop");
    SaveShopList(u"Packing");
    uitest::MessageBoxRecorder boxes;
    CListFilesDlg screen(*m_listing);
    std::vector<Row> rows;
    uitest::RunModal(screen, [&] {
        SelectList(screen, u"Shop");
        screen.SendCommand(ID_DOCUMENT_DELETE);
        rows = Rows(screen);
    });
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, u"Delete 'Shop'?");
    EXPECT_EQ(boxes.Shown()[0].type, MB_OKCANCEL | MB_ICONQUESTION);
    EXPECT_FALSE(std::filesystem::exists(Host(Path(u"Shop.crv"))));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], u"Packing");
}

TEST_F(DocumentCommandsTest, DeleteAnsweredCancelRemovesNothingAndRebuildsTheRows) {
    SaveShopList(u"Shop");
    uitest::MessageBoxRecorder boxes([](const uitest::ShownMessageBox&) { return IDCANCEL; });
    CListFilesDlg screen(*m_listing);
    std::optional<int> selectedAfter = 0;
    uitest::RunModal(screen, [&] {
        Select(screen, 0);
        screen.SendCommand(ID_DOCUMENT_DELETE);
        selectedAfter = screen.GetSelectedRow();
    });
    EXPECT_EQ(boxes.Shown().size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(Host(Path(u"Shop.crv"))));
    EXPECT_EQ(selectedAfter, std::nullopt) << "rebuilt rows start without a selection";
}

// With the program's keys: Enter, its Open command, neither deletes the list nor closes the question;
// Space presses the focused OK, Tab moves the focus to Cancel.
TEST_F(DocumentCommandsTest, EnterNeverAnswersTheDeleteQuestion) {
    SaveShopList(u"Shop");
    CCorvinaApp app(Device());
    ASSERT_TRUE(app.LoadShortcuts());
    CListFilesDlg screen(*m_listing);
    std::vector<bool> keptAfterEnter;
    std::vector<bool> keptAfterAnswer;
    uitest::RunModal(screen, [&] {
        for (const bool toCancel : {true, false}) {
            Select(screen, 0);
            uitest::Soon([&, toCancel] {
                uitest::PressKey(VK_RETURN);
                uitest::PressKey(VK_RETURN);
                keptAfterEnter.push_back(std::filesystem::exists(Host(Path(u"Shop.crv"))));
                if (toCancel) {
                    uitest::PressKey(VK_TAB);
                }
                uitest::PressKey(VK_SPACE);
            });
            screen.SendCommand(ID_DOCUMENT_DELETE);
            keptAfterAnswer.push_back(std::filesystem::exists(Host(Path(u"Shop.crv"))));
        }
    });
    EXPECT_EQ(keptAfterEnter, (std::vector<bool>{true, true}));
    EXPECT_EQ(keptAfterAnswer, (std::vector<bool>{true, false}));
}

// A file that cannot be removed (here a folder took the list's name while the question showed).
TEST_F(DocumentCommandsTest, AFailedDeletionSaysSoWithTheStopIcon) {
    SaveShopList(u"Shop");
    uitest::MessageBoxRecorder boxes([&](const uitest::ShownMessageBox& box) {
        if (box.type == (MB_OKCANCEL | MB_ICONQUESTION)) {
            std::filesystem::remove(Host(Path(u"Shop.crv")));
            std::filesystem::create_directories(Host(Path(u"Shop.crv\\inside")));
        }
        return IDOK;
    });
    CListFilesDlg screen(*m_listing);
    uitest::RunModal(screen, [&] {
        Select(screen, 0);
        screen.SendCommand(ID_DOCUMENT_DELETE);
    });
    ASSERT_EQ(boxes.Shown().size(), 2u);
    EXPECT_EQ(boxes.Shown()[1].text, u"File deletion failed");
    EXPECT_EQ(boxes.Shown()[1].type, MB_OK | MB_ICONSTOP);
}

TEST_F(DocumentCommandsTest, RenameShowsTheRenameDialogOnTheListFileAndTheRowFollows) {
    SaveShopList(u"Shop");
    CListFilesDlg screen(*m_listing);
    std::u16string caption;
    std::u16string proposed;
    std::vector<Row> rows;
    uitest::RunModal(screen, [&] {
        Select(screen, 0);
        uitest::WhenScreenRuns([&](CDialog& top) {
            caption = top.GetWindowText();
            if (CFileDialog* dialog = FileDialogOnTop(top)) {
                proposed = dialog->GetDlgItem(kNameField)->GetWindowText();
                EXPECT_EQ(dialog->GetFolderPath(), kLists);
            }
            ChooseInFileDialog(top, u"Groceries");
        });
        screen.SendCommand(ID_DOCUMENT_RENAME);
        rows = Rows(screen);
    });
    EXPECT_EQ(caption, u"Rename");
    EXPECT_EQ(proposed, u"Shop.crv");
    EXPECT_FALSE(std::filesystem::exists(Host(Path(u"Shop.crv"))));
    EXPECT_TRUE(std::filesystem::exists(Host(Path(u"Groceries.crv")))) << "the list keeps its extension";
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], (Row{u"Groceries", rows[0][1], u"2 items"}));
}

// Renaming onto another list's name is refused with a message; the dialog stays and both files keep
// their bytes.
TEST_F(DocumentCommandsTest, RenameNeverReplacesAnotherList) {
    SaveShopList(u"Shop");
    WriteList(Path(u"Packing.crv"), 7);
    const std::string packing = Bytes(Path(u"Packing.crv"));
    uitest::MessageBoxRecorder boxes;
    CListFilesDlg screen(*m_listing);
    bool stayed = false;
    uitest::RunModal(screen, [&] {
        SelectList(screen, u"Shop");
        uitest::WhenScreenRuns([&](CDialog& top) {
            ChooseInFileDialog(top, u"Packing");
            stayed = top.IsModalRunning();
            top.EndDialog(IDCANCEL);
        });
        screen.SendCommand(ID_DOCUMENT_RENAME);
    });
    EXPECT_TRUE(stayed);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, u"Packing.crv already exists.\nChoose another name.");
    EXPECT_EQ(Bytes(Path(u"Packing.crv")), packing);
    EXPECT_TRUE(std::filesystem::exists(Host(Path(u"Shop.crv"))));
}

TEST_F(DocumentCommandsTest, ExportProposesTheListsNameAsTextAndWritesItsItems) {
    SaveShopList(u"Shop");
    CListFilesDlg screen(*m_listing);
    std::u16string caption;
    std::u16string proposed;
    std::u16string folder;
    uitest::RunModal(screen, [&] {
        Select(screen, 0);
        uitest::WhenScreenRuns([&](CDialog& top) {
            caption = top.GetWindowText();
            if (CFileDialog* dialog = FileDialogOnTop(top)) {
                proposed = dialog->GetDlgItem(kNameField)->GetWindowText();
                folder = dialog->GetFolderPath();
            }
            uitest::TapScreen(kCaptionOk);
        });
        screen.SendCommand(ID_DOCUMENT_EXPORT);
    });
    EXPECT_EQ(caption, u"Save As");
    EXPECT_EQ(proposed, u"Shop");
    EXPECT_EQ(folder, u"\\My Documents");
    EXPECT_EQ(Bytes(u"\\My Documents\\Shop.txt"), kShopText);
}

// An existing text file is only replaced after Yes to the overwrite question.
TEST_F(DocumentCommandsTest, ExportAsksBeforeReplacingAFile) {
    SaveShopList(u"Shop");
    WriteFile(u"\\My Documents\\Shop.txt", {'o', 'l', 'd'}, {2004, 3, 5});
    int answer = IDNO;
    uitest::MessageBoxRecorder boxes([&](const uitest::ShownMessageBox&) { return answer; });
    CListFilesDlg screen(*m_listing);
    std::string afterNo;
    uitest::RunModal(screen, [&] {
        Select(screen, 0);
        uitest::WhenScreenRuns([&](CDialog&) {
            uitest::TapScreen(kCaptionOk);
            afterNo = Bytes(u"\\My Documents\\Shop.txt");
            answer = IDYES;
            uitest::TapScreen(kCaptionOk);
        });
        screen.SendCommand(ID_DOCUMENT_EXPORT);
    });
    ASSERT_EQ(boxes.Shown().size(), 2u);
    EXPECT_EQ(boxes.Shown()[0].text, u"Shop.txt already exists.\nDo you want to replace it?");
    EXPECT_EQ(afterNo, "old");
    EXPECT_EQ(Bytes(u"\\My Documents\\Shop.txt"), kShopText);
}

// A text file that cannot be written is reported with its cause and path, and a file already there
// keeps its bytes.
TEST_F(DocumentCommandsTest, AFailedExportSaysWhyAndLeavesTheOldFile) {
    SaveShopList(u"Shop");
    WriteFile(u"\\My Documents\\Shop.txt", {'o', 'l', 'd'}, {2004, 3, 5});
    uitest::MessageBoxRecorder boxes([](const uitest::ShownMessageBox&) { return IDYES; });
    CListFilesDlg screen(*m_listing);
    uitest::RunModal(screen, [&] {
        Select(screen, 0);
        uitest::WhenScreenRuns([](CDialog&) { uitest::TapScreen(kCaptionOk); });
        ScopedFileWriteFault diskFull(0, FileErrorCause::DiskFull);
        screen.SendCommand(ID_DOCUMENT_EXPORT);
    });
    ASSERT_EQ(boxes.Shown().size(), 2u) << "the overwrite question, then the failure";
    EXPECT_EQ(boxes.Shown()[1].text, u"Disk full while accessing \\My Documents\\Shop.txt.");
    EXPECT_EQ(boxes.Shown()[1].type, MB_OK | MB_ICONSTOP);
    EXPECT_EQ(Bytes(u"\\My Documents\\Shop.txt"), "old");
}

// A named pipe where the text would go (a program waiting for it, say) is refused by name and
// stays a pipe.
TEST_F(DocumentCommandsTest, ExportNeverReplacesANamedPipe) {
    SaveShopList(u"Shop");
    const std::filesystem::path pipe = Host(u"\\My Documents\\Shop.txt");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    uitest::MessageBoxRecorder boxes([](const uitest::ShownMessageBox&) { return IDYES; });
    CListFilesDlg screen(*m_listing);
    uitest::RunModal(screen, [&] {
        Select(screen, 0);
        uitest::WhenScreenRuns([](CDialog&) { uitest::TapScreen(kCaptionOk); });
        screen.SendCommand(ID_DOCUMENT_EXPORT);
    });
    ASSERT_FALSE(boxes.Shown().empty());
    EXPECT_EQ(boxes.Shown().back().text, u"\\My Documents\\Shop.txt is a named pipe, not a file.");
    EXPECT_EQ(boxes.Shown().back().type, MB_OK | MB_ICONSTOP);
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));
}

} // namespace
