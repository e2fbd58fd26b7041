// Saving and leaving the list editor: Save and Save as (the bytes on disk, the Lists folder whatever
// the dialog showed, the question before replacing another list), failures that keep the changes,
// Close, the caption OK, Escape and the window's close with and without changes (and Cancel in their
// question), and a list whose file could not be read, edited as a recovered copy.
#include "EditorTestSupport.h"

#include "platform/core/ErrorReport.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MessageBox.h"
#include "res/ResourceIds.h"
#include "support/ListBytes.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

using editortest::EditorTest;
using editortest::kListsFolder;
using namespace list_bytes;

/// The file the dialog's name field is given.
constexpr UINT kFileNameField = 2;

const std::u16string kCampingQuestion =
    u"'Camping.crv' contents have been changed.\nWould you like to save changes?";

class EditorFiles : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        MakeFolder(u"\\My Documents");
        Add(u"Tent", nullptr, 2);
    }
    std::string Bytes(const std::u16string& devicePath) const {
        std::ifstream in(Host(devicePath), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void Write(const std::u16string& devicePath, const std::string& bytes) const {
        std::ofstream(Host(devicePath), std::ios::binary) << bytes;
    }
    /// The bytes of a list holding only Tent, quantity 2, checked or not.
    static std::string TentList(std::uint32_t checked) {
        return Header(1) + RootItem() + U32(1) + Item(Wide(u"Tent"), 2, checked, 1) + Wide(u"") + U32(0);
    }
    /// Answers the next save dialog with `name` typed into its name field, or cancels it.
    static void AnswerSaveDialog(const std::u16string& name, std::u16string* proposed = nullptr) {
        editortest::InNextScreen<CFileDialog>([name, proposed](CFileDialog& dialog) {
            if (proposed != nullptr) {
                *proposed = dialog.GetDlgItem(kFileNameField)->GetWindowText();
            }
            if (name.empty()) {
                dialog.SendCommand(IDCANCEL);
                return;
            }
            dialog.GetDlgItem(kFileNameField)->SetWindowText(name);
            dialog.SendCommand(IDOK);
        });
    }
};

TEST_F(EditorFiles, SaveWritesTheWholeListAndClearsTheMark) {
    doc.SetPathName(kListsFolder + u"Camping.crv");
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    RunEditor(editor, [&] {
        editor.SendCommand(ID_LIST_CHECKALL);
        EXPECT_EQ(editor.GetTitleLine().GetWindowText(), u"Camping*");
        editor.SendCommand(ID_FILE_SAVE);
        EXPECT_EQ(editor.GetTitleLine().GetWindowText(), u"Camping");
        EXPECT_FALSE(doc.IsModified());
    });
    EXPECT_EQ(Bytes(kListsFolder + u"Camping.crv"), TentList(1));
}

TEST_F(EditorFiles, SaveAsStoresInTheListsFolderWhateverFolderTheDialogShowed) {
    doc.SetTitle(u"Untitled");
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    std::u16string proposed;
    RunEditor(editor, [&] {
        editor.SendCommand(ID_LIST_CHECKALL);
        AnswerSaveDialog(u"\\My Documents\\Trip", &proposed);
        editor.SendCommand(ID_FILE_SAVE); // no path yet: Save is Save as
        EXPECT_EQ(editor.GetTitleLine().GetWindowText(), u"Trip");
    });
    EXPECT_EQ(proposed, u"Untitled");
    EXPECT_EQ(Bytes(kListsFolder + u"Trip.crv"), TentList(1));
    EXPECT_FALSE(std::filesystem::exists(Host(u"\\My Documents\\Trip.crv")));
    EXPECT_EQ(doc.GetPathName(), kListsFolder + u"Trip.crv");
    EXPECT_FALSE(doc.IsModified());
}

// A name typed with another extension gets the list extension too, or the document list, which
// shows only "*.crv", would never show the list.
TEST_F(EditorFiles, SaveAsGivesANameWithAnotherExtensionTheListExtension) {
    doc.SetTitle(u"Untitled");
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    RunEditor(editor, [&] {
        editor.SendCommand(ID_LIST_CHECKALL);
        AnswerSaveDialog(u"Trip.v2");
        editor.SendCommand(ID_FILE_SAVE_AS);
        AnswerSaveDialog(u"2ff -a.dd");
        editor.SendCommand(ID_FILE_SAVE_AS);
        AnswerSaveDialog(u"Tent.CRV");
        editor.SendCommand(ID_FILE_SAVE_AS);
    });
    EXPECT_EQ(Bytes(kListsFolder + u"Trip.v2.crv"), TentList(1));
    EXPECT_EQ(Bytes(kListsFolder + u"2ff -a.dd.crv"), TentList(1));
    EXPECT_EQ(Bytes(kListsFolder + u"Tent.CRV.crv"), TentList(1));
    EXPECT_FALSE(std::filesystem::exists(Host(kListsFolder + u"Trip.v2")));
    EXPECT_FALSE(std::filesystem::exists(Host(kListsFolder + u"2ff -a.dd")));
    EXPECT_EQ(doc.GetPathName(), kListsFolder + u"Tent.CRV.crv");
}

TEST_F(EditorFiles, SaveAsAsksBeforeReplacingAnotherListOfThatName) {
    doc.SetPathName(kListsFolder + u"Camping.crv");
    Write(kListsFolder + u"Trip.crv", "another list");
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    std::vector<uitest::ShownMessageBox> questions;
    RunEditor(editor, [&] {
        editor.SendCommand(ID_LIST_CHECKALL);
        {
            uitest::MessageBoxRecorder no([](const uitest::ShownMessageBox&) { return IDNO; });
            AnswerSaveDialog(u"\\My Documents\\Trip.crv");
            editor.SendCommand(ID_FILE_SAVE_AS);
            questions = no.Shown();
        }
        EXPECT_EQ(Bytes(kListsFolder + u"Trip.crv"), "another list");
        EXPECT_EQ(editor.GetTitleLine().GetWindowText(), u"Camping*");
        EXPECT_EQ(doc.GetPathName(), kListsFolder + u"Camping.crv");

        uitest::MessageBoxRecorder yes([](const uitest::ShownMessageBox&) { return IDYES; });
        AnswerSaveDialog(u"\\My Documents\\Trip.crv");
        editor.SendCommand(ID_FILE_SAVE_AS);
        EXPECT_EQ(editor.GetTitleLine().GetWindowText(), u"Trip");
    });
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].text, u"Trip.crv already exists.\nDo you want to replace it?");
    EXPECT_EQ(questions[0].type & MB_TYPEMASK, MB_YESNO);
    EXPECT_EQ(Bytes(kListsFolder + u"Trip.crv"), TentList(1));
}

TEST_F(EditorFiles, AFailedSaveKeepsTheChangesMarkedAndTheEditorOpenAtClose) {
    doc.SetPathName(kListsFolder + u"Gone\\Camping.crv"); // a folder that does not exist
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    bool stillOpen = false;
    std::vector<std::u16string> reports;
    ScopedErrorReportHandler collect(
        [&](std::u16string_view message, MessageIcon) { reports.emplace_back(message); });
    RunEditor(editor, [&] {
        editor.SendCommand(ID_LIST_CHECKALL);
        editor.SendCommand(ID_FILE_SAVE);
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(editor.GetTitleLine().GetWindowText(), u"Camping*");
        uitest::MessageBoxRecorder yes([](const uitest::ShownMessageBox&) { return IDYES; });
        editor.SendCommand(ID_FILE_CLOSE);
        stillOpen = editor.IsModalRunning();
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(reports.size(), 2u) << "each failed save is reported";
}

TEST_F(EditorFiles, CloseAndTheCaptionOkEndAtOnceWithoutChanges) {
    doc.SetPathName(kListsFolder + u"Camping.crv");
    uitest::MessageBoxRecorder boxes;
    CListEditorDlg byMenu(Device(), kListsFolder, &doc);
    EXPECT_EQ(RunEditor(byMenu, [&] { byMenu.SendCommand(ID_FILE_CLOSE); }), IDOK);
    CListEditorDlg byCaption(Device(), kListsFolder, &doc);
    EXPECT_EQ(RunEditor(byCaption, [&] { uitest::TapScreen(editortest::kCaptionOk); }), IDOK);
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_FALSE(std::filesystem::exists(Host(kListsFolder + u"Camping.crv")));
}

TEST_F(EditorFiles, CloseWithChangesAsksAndSavesOnlyOnYes) {
    doc.SetPathName(kListsFolder + u"Camping.crv");
    {
        uitest::MessageBoxRecorder no([](const uitest::ShownMessageBox&) { return IDNO; });
        CListEditorDlg editor(Device(), kListsFolder, &doc);
        EXPECT_EQ(RunEditor(editor,
                            [&] {
                                editor.SendCommand(ID_LIST_CHECKALL);
                                editor.SendCommand(ID_FILE_CLOSE);
                            }),
                  IDOK);
        ASSERT_EQ(no.Shown().size(), 1u);
        EXPECT_EQ(no.Shown()[0].text, kCampingQuestion);
        EXPECT_EQ(no.Shown()[0].type, MB_YESNO | MB_ICONQUESTION);
        EXPECT_FALSE(std::filesystem::exists(Host(kListsFolder + u"Camping.crv")));
    }
    uitest::MessageBoxRecorder yes([](const uitest::ShownMessageBox&) { return IDYES; });
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    EXPECT_EQ(RunEditor(editor, [&] { uitest::TapScreen(editortest::kCaptionOk); }), IDOK);
    EXPECT_EQ(yes.Shown().size(), 1u) << "the list was still modified";
    EXPECT_EQ(Bytes(kListsFolder + u"Camping.crv"), TentList(1));
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(EditorFiles, YesThenCancelInSaveAsKeepsTheEditorOpenAndTheChanges) {
    doc.SetTitle(u"Untitled");
    uitest::MessageBoxRecorder yes([](const uitest::ShownMessageBox&) { return IDYES; });
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    bool stillOpen = false;
    std::u16string proposed;
    RunEditor(editor, [&] {
        editor.SendCommand(ID_LIST_CHECKALL);
        AnswerSaveDialog(u"", &proposed);
        editor.SendCommand(ID_FILE_CLOSE);
        stillOpen = editor.IsModalRunning();
        EXPECT_EQ(editor.GetTitleLine().GetWindowText(), u"Untitled*");
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(proposed, u"Untitled");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.tree.root.ChildAt(0)->item.checked, 1);
}

TEST_F(EditorFiles, EscapeAndTheWindowsCloseAskLikeCloseWhenThereAreChanges) {
    doc.SetPathName(kListsFolder + u"Camping.crv");
    {
        uitest::MessageBoxRecorder boxes;
        CListEditorDlg editor(Device(), kListsFolder, &doc);
        EXPECT_EQ(RunEditor(editor, [&] { uitest::PressKey(VK_ESCAPE); }), IDCANCEL);
        CListEditorDlg closed(Device(), kListsFolder, &doc);
        EXPECT_EQ(RunEditor(closed, [&] { EXPECT_FALSE(uitest::CloseDeviceWindow()); }), IDCANCEL);
        EXPECT_TRUE(boxes.Shown().empty()) << "nothing to save, nothing to ask";
    }
    {
        uitest::MessageBoxRecorder no([](const uitest::ShownMessageBox&) { return IDNO; });
        CListEditorDlg editor(Device(), kListsFolder, &doc);
        EXPECT_EQ(RunEditor(editor,
                            [&] {
                                editor.SendCommand(ID_LIST_CHECKALL);
                                uitest::PressKey(VK_ESCAPE);
                            }),
                  IDCANCEL);
        ASSERT_EQ(no.Shown().size(), 1u);
        EXPECT_EQ(no.Shown()[0].text, kCampingQuestion);
        EXPECT_EQ(no.Shown()[0].type, MB_YESNOCANCEL | MB_ICONQUESTION);
    }
    uitest::MessageBoxRecorder yes([](const uitest::ShownMessageBox&) { return IDYES; });
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    EXPECT_EQ(RunEditor(editor, [&] { uitest::CloseDeviceWindow(); }), IDCANCEL);
    ASSERT_EQ(yes.Shown().size(), 1u);
    EXPECT_EQ(yes.Shown()[0].type, MB_YESNOCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(Bytes(kListsFolder + u"Camping.crv"), TentList(1));
}

// Escape pressed by mistake: Cancel in its question (as Escape there) goes back to the list as it
// was, for Escape and for the window's close alike.
TEST_F(EditorFiles, CancelInTheLeavingQuestionReturnsToTheListAndItsMark) {
    doc.SetPathName(kListsFolder + u"Camping.crv");
    uitest::MessageBoxRecorder cancel([](const uitest::ShownMessageBox&) { return IDCANCEL; });
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    std::vector<bool> stillOpen;
    RunEditor(editor, [&] {
        editor.SendCommand(ID_LIST_CHECKALL);
        uitest::PressKey(VK_ESCAPE);
        stillOpen.push_back(editor.IsModalRunning());
        EXPECT_FALSE(uitest::CloseDeviceWindow());
        stillOpen.push_back(editor.IsModalRunning());
        EXPECT_EQ(editor.GetTitleLine().GetWindowText(), u"Camping*");
    });
    EXPECT_EQ(stillOpen, (std::vector<bool>{true, true}));
    EXPECT_EQ(cancel.Shown().size(), 2u);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.tree.root.ChildAt(0)->item.checked, 1);
    EXPECT_FALSE(std::filesystem::exists(Host(kListsFolder + u"Camping.crv")));
}

// The real questions on the device: Enter answers neither Close's question nor Escape's; Escape in
// Escape's own question is its Cancel.
TEST_F(EditorFiles, EnterAnswersNoQuestionAndEscapeInEscapesQuestionGoesBack) {
    doc.SetPathName(kListsFolder + u"Camping.crv");
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    bool openAfterEscapes = false;
    const int result = RunEditor(editor, [&] {
        editor.SendCommand(ID_LIST_CHECKALL);
        uitest::Soon([] {
            uitest::PressKey(VK_RETURN);
            uitest::PressKey(VK_ESCAPE);
        });
        uitest::PressKey(VK_ESCAPE);
        openAfterEscapes = editor.IsModalRunning();
        // Close: Enter, then Tab to No and Space.
        uitest::Soon([] {
            uitest::PressKey(VK_RETURN);
            uitest::PressKey(VK_TAB);
            uitest::PressKey(VK_SPACE);
        });
        editor.SendCommand(ID_FILE_CLOSE);
    });
    EXPECT_TRUE(openAfterEscapes);
    EXPECT_EQ(result, IDOK);
    EXPECT_FALSE(std::filesystem::exists(Host(kListsFolder + u"Camping.crv"))) << "nothing was saved";
}

TEST_F(EditorFiles, TheWindowsCloseLeavesTheEditorOpenWhenItsSaveFails) {
    doc.SetPathName(kListsFolder + u"Gone\\Camping.crv");
    ScopedErrorReportHandler quiet([](std::u16string_view, MessageIcon) {});
    uitest::MessageBoxRecorder yes([](const uitest::ShownMessageBox&) { return IDYES; });
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    bool stillOpen = false;
    RunEditor(editor, [&] {
        editor.SendCommand(ID_LIST_CHECKALL);
        uitest::CloseDeviceWindow();
        stillOpen = editor.IsModalRunning();
    });
    EXPECT_TRUE(stillOpen);
}

TEST_F(EditorFiles, ADamagedListIsARecoveredCopyReplacedOnlyAfterTheQuestion) {
    const std::u16string path = kListsFolder + u"Broken.crv";
    const std::string damaged = Header(2) + RootItem() + U32(2) + Item(Wide(u"Tent"), 2, 0, 1) + Wide(u"") +
                                U32(0) + Item(Wide(u"Sto"), 1, 0, 1); // cut inside the second item
    Write(path, damaged);
    ScopedErrorReportHandler quiet([](std::u16string_view, MessageIcon) {});
    CCorvinaDoc recovered;
    recovered.SetHostPathMapping(Device().PathMapping());
    ASSERT_FALSE(recovered.OnOpenDocument(path));
    recovered.SetPathName(path);
    ASSERT_TRUE(recovered.IsRecoveredCopy());

    CListEditorDlg editor(Device(), kListsFolder, &recovered);
    std::u16string firstTitle;
    std::u16string proposed;
    bool openAfterNo = false;
    std::vector<uitest::ShownMessageBox> asked;
    const int result = RunEditor(editor, [&] {
        firstTitle = editor.GetTitleLine().GetWindowText();
        // Save proposes the list's own name; keeping it asks before the damaged file is replaced.
        {
            uitest::MessageBoxRecorder no([](const uitest::ShownMessageBox&) { return IDNO; });
            AnswerSaveDialog(u"Broken.crv", &proposed);
            editor.SendCommand(ID_FILE_SAVE);
            asked = no.Shown();
        }
        openAfterNo = editor.IsModalRunning();
        EXPECT_EQ(Bytes(path), damaged);
        uitest::MessageBoxRecorder yes([](const uitest::ShownMessageBox&) { return IDYES; });
        AnswerSaveDialog(u"Broken.crv");
        editor.SendCommand(ID_FILE_CLOSE);
    });
    EXPECT_EQ(firstTitle, u"Broken*");
    EXPECT_EQ(proposed, u"Broken.crv");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, u"Broken.crv already exists.\nDo you want to replace it?");
    EXPECT_TRUE(openAfterNo);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(Bytes(path), TentList(0));
    EXPECT_FALSE(recovered.IsRecoveredCopy());
}

} // namespace
