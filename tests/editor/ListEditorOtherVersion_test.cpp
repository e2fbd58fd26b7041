// Saving a list that another program wrote while it was open in the editor: Save (and a Close that
// saves) asks before replacing that version, No keeps it and the changes, and a list deleted
// meanwhile is written again. Another program's write is told by the file's time to the nanosecond,
// its length or its being another file, never by the editor's own saves.
#include "EditorTestSupport.h"

#include "platform/ui/MessageBox.h"
#include "res/ResourceIds.h"
#include "support/ListBytes.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

using editortest::EditorTest;
using editortest::kListsFolder;
using namespace list_bytes;

const std::u16string kPath = kListsFolder + u"Camping.crv";
const std::u16string kQuestion = u"'Camping' has been changed by another program.\nDo you want to replace "
                                 u"the version it saved with yours?";

/// A list of one item, Tent, quantity 2, checked or not.
std::string TentList(std::uint32_t checked) {
    return Header(1) + RootItem() + U32(1) + Item(Wide(u"Tent"), 2, checked, 1) + Wide(u"") + U32(0);
}
/// The version the other program writes: one item, Stove.
const std::string kOtherVersion =
    Header(1) + RootItem() + U32(1) + Item(Wide(u"Stove"), 1, 0, 1) + Wide(u"") + U32(0);

/// Answers every message box with `answer` and keeps what was asked.
struct Answering {
    explicit Answering(int answer) : recorder([answer](const uitest::ShownMessageBox&) { return answer; }) {}
    uitest::MessageBoxRecorder recorder;
    const std::vector<uitest::ShownMessageBox>& Shown() const { return recorder.Shown(); }
};

class OtherVersion : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        Write(TentList(0));
        // As the Open command loads a list.
        doc.SetPathName(kPath);
        doc.SetModifiedFlag(false);
        ASSERT_TRUE(doc.OnOpenDocument(kPath));
    }

    std::filesystem::path HostPath() const { return Host(kPath); }

    std::string Bytes() const {
        std::ifstream in(HostPath(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    /// Writes the list file in place, as a program that does not save safely does.
    void Write(const std::string& bytes) const {
        std::ofstream(HostPath(), std::ios::binary | std::ios::trunc) << bytes;
    }
    /// Writes a new file beside the list and renames it over the list, as a safe save or a file
    /// sync does: the list is then another file.
    void Replace(const std::string& bytes) const {
        const std::filesystem::path beside = HostPath().string() + ".new";
        std::ofstream(beside, std::ios::binary) << bytes;
        std::filesystem::rename(beside, HostPath());
    }
    /// The list file's last write, as the file system keeps it.
    timespec Modified() const {
        struct stat status {};
        EXPECT_EQ(::stat(HostPath().c_str(), &status), 0);
        return status.st_mtim;
    }
    void SetModified(timespec when) const {
        const timespec times[2] = {when, when};
        EXPECT_EQ(::utimensat(AT_FDCWD, HostPath().c_str(), times, 0), 0);
    }
    /// Opens the list as it was loaded (Tent, written at `loaded`), checks every item, lets
    /// `otherProgram` write and saves, answering No: the questions that Save asked.
    std::size_t QuestionsOnSave(timespec loaded, const std::function<void()>& otherProgram) {
        Write(TentList(0));
        SetModified(loaded);
        CCorvinaDoc opened;
        opened.SetHostPathMapping(Device().PathMapping());
        opened.SetPathName(kPath);
        EXPECT_TRUE(opened.OnOpenDocument(kPath));
        Answering no(IDNO);
        CListEditorDlg editor(Device(), kListsFolder, &opened);
        RunEditor(editor, [&] {
            editor.SendCommand(ID_LIST_CHECKALL);
            otherProgram();
            editor.SendCommand(ID_FILE_SAVE);
        });
        return no.Shown().size();
    }
};

TEST_F(OtherVersion, SaveAsksNamingTheListAndNoKeepsTheOtherVersionAndTheChanges) {
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    std::vector<uitest::ShownMessageBox> asked;
    bool openAfterNo = false;
    RunEditor(editor, [&] {
        editor.SendCommand(ID_LIST_CHECKALL);
        Replace(kOtherVersion);
        {
            Answering no(IDNO);
            editor.SendCommand(ID_FILE_SAVE);
            asked = no.Shown();
        }
        openAfterNo = editor.IsModalRunning();
        EXPECT_EQ(Bytes(), kOtherVersion);
        EXPECT_EQ(editor.GetTitleLine().GetWindowText(), u"Camping*");
        EXPECT_TRUE(doc.IsModified());

        Answering yes(IDYES);
        editor.SendCommand(ID_FILE_SAVE);
        EXPECT_EQ(yes.Shown().size(), 1u);
        EXPECT_EQ(Bytes(), TentList(1));
        EXPECT_EQ(editor.GetTitleLine().GetWindowText(), u"Camping");
    });
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, kQuestion);
    EXPECT_EQ(asked[0].type, MB_YESNO | MB_ICONQUESTION);
    EXPECT_TRUE(openAfterNo);
}

// The editor's own saves move what it remembers along: saving again asks nothing.
TEST_F(OtherVersion, TheEditorsOwnSavesAreNotAnotherProgramsVersion) {
    Answering any(IDNO);
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    RunEditor(editor, [&] {
        editor.SendCommand(ID_LIST_CHECKALL);
        editor.SendCommand(ID_FILE_SAVE);
        editor.SendCommand(ID_LIST_UNCHECKALL);
        editor.SendCommand(ID_FILE_SAVE);
        editor.SendCommand(ID_LIST_CHECKALL);
        editor.SendCommand(ID_FILE_CLOSE); // Yes/No asked; No
    });
    EXPECT_EQ(any.Shown().size(), 1u) << "only Close's own question";
    EXPECT_EQ(Bytes(), TentList(0));
}

// Close, Yes to saving, then No to replacing: the screen stays open with the changes, so the user
// can keep them under another name.
TEST_F(OtherVersion, ACloseThatSavesAsksTooAndNoKeepsTheEditorOpen) {
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    std::vector<uitest::ShownMessageBox> asked;
    bool stillOpen = false;
    {
        uitest::MessageBoxRecorder answers(
            [](const uitest::ShownMessageBox& box) { return box.text == kQuestion ? IDNO : IDYES; });
        RunEditor(editor, [&] {
            editor.SendCommand(ID_LIST_CHECKALL);
            Replace(kOtherVersion);
            editor.SendCommand(ID_FILE_CLOSE);
            stillOpen = editor.IsModalRunning();
            EXPECT_EQ(editor.GetTitleLine().GetWindowText(), u"Camping*");
        });
        asked = answers.Shown();
    }
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].text, u"'Camping.crv' contents have been changed.\nWould you like to save changes?");
    EXPECT_EQ(asked[1].text, kQuestion);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(Bytes(), kOtherVersion);
}

TEST_F(OtherVersion, AListDeletedMeanwhileIsSimplyWrittenAgain) {
    Answering none(IDNO);
    CListEditorDlg editor(Device(), kListsFolder, &doc);
    RunEditor(editor, [&] {
        editor.SendCommand(ID_LIST_CHECKALL);
        std::filesystem::remove(HostPath());
        editor.SendCommand(ID_FILE_SAVE);
        EXPECT_EQ(editor.GetTitleLine().GetWindowText(), u"Camping");
    });
    EXPECT_TRUE(none.Shown().empty());
    EXPECT_EQ(Bytes(), TentList(1));
}

// Each part of what tells the versions apart counts alone: a write one nanosecond later of as many
// bytes, a write of another length that puts the old time back, and another file with the same
// bytes and time put in its place.
TEST_F(OtherVersion, ATimeOneNanosecondLaterAnotherLengthOrAnotherFileIsAnotherVersion) {
    const timespec loaded = Modified();
    const std::vector<std::pair<const char*, std::function<void()>>> otherPrograms = {
        {"one nanosecond later",
         [&] {
             Write(TentList(1));
             timespec later = loaded;
             if (++later.tv_nsec == 1'000'000'000) {
                 later.tv_nsec = 0;
                 ++later.tv_sec;
             }
             SetModified(later);
         }},
        {"another length, the old time",
         [&] {
             Write(TentList(0) + "x");
             SetModified(loaded);
         }},
        {"another file, the same bytes and time",
         [&] {
             Replace(TentList(0));
             SetModified(loaded);
         }},
    };
    for (const auto& [what, otherProgram] : otherPrograms) {
        EXPECT_EQ(QuestionsOnSave(loaded, otherProgram), 1u) << what;
    }
    // And the same file, written back exactly as it was read, is the same version.
    EXPECT_EQ(QuestionsOnSave(loaded,
                              [&] {
                                  Write(TentList(0));
                                  SetModified(loaded);
                              }),
              0u);
    EXPECT_EQ(Bytes(), TentList(1));
}

} // namespace
