// Recovery of unsaved changes as a user meets it: the copy the editor keeps while a list has
// changes, the question when the list is next opened (or, for a list without a file, when the
// program starts) with its two answers, and a program killed or asked to end while it edits.
#include "ListFilesFixture.h"

#include "editor/ListEditorDlg.h"
#include "model/CorvinaDoc.h"
#include "platform/core/ErrorReport.h"
#include "platform/ui/EndRequests.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/testing/UiTest.h"
#include "res/ResourceIds.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

extern char** environ;

namespace {

using shelltest::Day;
using shelltest::kLists;
using shelltest::ListFilesScreenTest;

/// Where the copies lie: the recovery folder in the device's hidden system folder.
constexpr const char* kRecoveryFolder = ".system/Recovery";
/// The day the list file was last saved, and a later and an earlier day for its copy.
constexpr Day kListDay = {2004, 3, 5};
constexpr Day kCopyDay = {2026, 12, 7};
constexpr Day kOlderCopyDay = {2004, 1, 1};
/// The restore question for a copy written on kCopyDay (noon, UTC).
constexpr std::u16string_view kShopQuestion =
    u"Unsaved changes to 'Shop' were kept at 2026-12-07 12:00.\nWould you like to restore them?";
constexpr UINT kQuestionType = MB_YESNO | MB_ICONQUESTION;

// The child program of the kill and end tests: its device root, what it does, and the descriptor on
// which it says it has made its change.
constexpr const char* kChildRootVariable = "CORVINA_RECOVERY_CHILD_ROOT";
constexpr const char* kChildModeVariable = "CORVINA_RECOVERY_CHILD_MODE";
constexpr int kChildReadyFd = 3;
constexpr char kReady = 'r';
constexpr int kChildWaitMs = 60'000;
/// What the child does after it has ticked every item.
enum class ChildMode : char {
    Edit = 'e',          ///< nothing more
    KeepCopy = 'k',      ///< lets its recovery timer tick and waits until the copy is stored
    EditAfterTick = 'a', ///< lets the timer tick, then adds the item Eggs at once
    EndSession = 's',    ///< ends the desktop session itself
};
/// No signal: the child ends of its own accord.
constexpr int kNoSignal = 0;

TaskItem Item(std::u16string title, BYTE checked) {
    TaskItem item;
    item.title = std::move(title);
    item.checked = checked;
    return item;
}

std::size_t TopLevelRows(CListEditorDlg& editor) {
    std::size_t rows = 0;
    CVisualTreeCtrl& tree = editor.GetTreeCtrl();
    for (VisualNode* row = tree.GetFirstItem(); row != nullptr; row = tree.GetNextSiblingItem(row)) {
        ++rows;
    }
    return rows;
}

class RecoveryTest : public ListFilesScreenTest {
protected:
    void SetUp() override {
        ListFilesScreenTest::SetUp();
        // The question shows local time: UTC makes the copy's noon read as 12:00.
        setenv("TZ", "UTC", 1);
        tzset();
        SaveList(Path(u"Shop.crv"), {Item(u"Milk", 0), Item(u"Bread", 0)});
        SetLastWrite(Host(Path(u"Shop.crv")), kListDay);
    }

    /// Saves a list of top-level items at a device or host path.
    void SaveList(const std::u16string& path, const std::vector<TaskItem>& items) const {
        CCorvinaDoc document;
        document.SetHostPathMapping(Device().PathMapping());
        for (const TaskItem& item : items) {
            document.tree.AddItem(item);
        }
        ASSERT_TRUE(document.OnSaveDocument(path));
    }

    std::filesystem::path CopyOf(const std::string& name) const { return m_root / kRecoveryFolder / name; }

    /// Puts a recovery copy of the given items in place, last written on `day`.
    void WriteCopy(const std::string& name, const std::vector<TaskItem>& items, Day day) const {
        std::filesystem::create_directories(m_root / kRecoveryFolder);
        SaveList(FromUtf8OrCp1252(CopyOf(name).string()), items);
        SetLastWrite(CopyOf(name), day);
    }

    static std::string Bytes(const std::filesystem::path& host) {
        std::ifstream in(host, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    /// The bytes a list of these items is saved as.
    std::string ListBytes(const std::vector<TaskItem>& items) const {
        const std::filesystem::path path = m_root / "expected.crv";
        SaveList(FromUtf8OrCp1252(path.string()), items);
        return Bytes(path);
    }

    /// Opens the only list from the document list and runs `inEditor` on its editor, which is then
    /// ended without a question when it still runs.
    void OpenList(const std::function<void(CListEditorDlg&)>& inEditor) {
        CListFilesDlg screen(*m_listing);
        uitest::RunModal(screen, [&] {
            uitest::GestureOverride noHold(uitest::GestureAnswer::NoHold);
            uitest::Tap(screen.GetListCtrl(), RowPoint(screen, 0));
            RunOnEditor(inEditor);
            screen.SendCommand(ID_FILE_OPEN);
        });
    }

    /// Runs `inEditor` on the editor once it is the screen on top.
    static void RunOnEditor(const std::function<void(CListEditorDlg&)>& inEditor) {
        uitest::WhenScreenRuns([inEditor](CDialog& top) {
            auto* editor = dynamic_cast<CListEditorDlg*>(&top);
            ASSERT_NE(editor, nullptr) << "no editor opened";
            inEditor(*editor);
            if (editor->IsModalRunning()) {
                editor->EndDialog(IDCANCEL);
            }
        });
    }

    /// Starts this test program again as a child that opens Shop, ticks every item and does what
    /// `mode` says; once it says so, sends it `signal`. Answers its wait status, or -1 when it never
    /// got that far or did not end.
    int RunChildUntil(int signal, ChildMode mode) const {
        int ready[2];
        if (::pipe(ready) != 0) {
            return -1;
        }
        std::vector<std::string> environment;
        for (char** variable = environ; *variable != nullptr; ++variable) {
            environment.emplace_back(*variable);
        }
        environment.push_back(std::string(kChildRootVariable) + "=" + m_root.string());
        environment.push_back(std::string(kChildModeVariable) + "=" + static_cast<char>(mode));
        std::vector<char*> environmentPointers;
        for (std::string& variable : environment) {
            environmentPointers.push_back(variable.data());
        }
        environmentPointers.push_back(nullptr);
        const std::string program = std::filesystem::read_symlink("/proc/self/exe").string();
        std::string filter = "--gtest_filter=RecoveryChild.DISABLED_EditsUntilEnded";
        std::string disabled = "--gtest_also_run_disabled_tests";
        char* arguments[] = {const_cast<char*>(program.c_str()), filter.data(), disabled.data(), nullptr};

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, ready[1], kChildReadyFd);
        posix_spawn_file_actions_addclose(&actions, ready[0]);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        pid_t child = 0;
        const int spawned =
            posix_spawn(&child, program.c_str(), &actions, nullptr, arguments, environmentPointers.data());
        posix_spawn_file_actions_destroy(&actions);
        ::close(ready[1]);
        if (spawned != 0) {
            ::close(ready[0]);
            return -1;
        }
        char said = 0;
        pollfd watch{ready[0], POLLIN, 0};
        const bool isReady =
            ::poll(&watch, 1, kChildWaitMs) == 1 && ::read(ready[0], &said, 1) == 1 && said == kReady;
        ::kill(child, isReady ? signal : SIGKILL);
        // The child's end closes the pipe; one that lingers is killed and counts as not ended.
        const bool ended = ::poll(&watch, 1, kChildWaitMs) == 1 && ::read(ready[0], &said, 1) == 0;
        if (!ended) {
            ::kill(child, SIGKILL);
        }
        ::close(ready[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        return isReady && ended ? status : -1;
    }
};

TEST_F(RecoveryTest, AChangeIsKeptWhenTheTimerTicksAndSaveRemovesTheCopy) {
    bool timerBeforeChange = true;
    bool timerAfterChange = false;
    bool copyBeforeTick = true;
    std::string copy;
    bool copyAfterSave = true;
    OpenList([&](CListEditorDlg& editor) {
        timerBeforeChange = editor.IsTimerRunning(CListEditorDlg::kRecoveryTimer);
        editor.SendCommand(ID_LIST_CHECKALL);
        timerAfterChange = editor.IsTimerRunning(CListEditorDlg::kRecoveryTimer);
        copyBeforeTick = std::filesystem::exists(CopyOf("Shop.crv"));
        EXPECT_TRUE(uitest::FireTimer(editor, CListEditorDlg::kRecoveryTimer));
        EXPECT_FALSE(editor.IsTimerRunning(CListEditorDlg::kRecoveryTimer)) << "one copy per change";
        editor.FinishRecoveryCopy();
        copy = Bytes(CopyOf("Shop.crv"));
        editor.SendCommand(ID_FILE_SAVE);
        copyAfterSave = std::filesystem::exists(CopyOf("Shop.crv"));
    });
    EXPECT_FALSE(timerBeforeChange) << "an unchanged list keeps no copy";
    EXPECT_TRUE(timerAfterChange);
    EXPECT_FALSE(copyBeforeTick);
    EXPECT_EQ(copy, ListBytes({Item(u"Milk", 1), Item(u"Bread", 1)})) << "the copy is the list file's bytes";
    EXPECT_FALSE(copyAfterSave);
    EXPECT_EQ(Bytes(Host(Path(u"Shop.crv"))), copy);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Host(kLists)), {}), 1)
        << "no copy among the lists";
}

TEST_F(RecoveryTest, DiscardingTheChangesOrUndoingThemRemovesTheCopy) {
    uitest::MessageBoxRecorder boxes([](const uitest::ShownMessageBox&) { return IDNO; });
    std::vector<bool> copyThere;
    OpenList([&](CListEditorDlg& editor) {
        editor.SendCommand(ID_LIST_CHECKALL);
        uitest::FireTimer(editor, CListEditorDlg::kRecoveryTimer);
        editor.FinishRecoveryCopy();
        copyThere.push_back(std::filesystem::exists(CopyOf("Shop.crv")));
        editor.SendCommand(ID_EDIT_UNDO); // back to the list as saved
        copyThere.push_back(std::filesystem::exists(CopyOf("Shop.crv")));
        copyThere.push_back(editor.IsTimerRunning(CListEditorDlg::kRecoveryTimer));
        editor.SendCommand(ID_LIST_CHECKALL);
        uitest::FireTimer(editor, CListEditorDlg::kRecoveryTimer);
        editor.FinishRecoveryCopy();
        copyThere.push_back(std::filesystem::exists(CopyOf("Shop.crv")));
        editor.SendCommand(ID_FILE_CLOSE); // No: the changes go
        copyThere.push_back(std::filesystem::exists(CopyOf("Shop.crv")));
    });
    EXPECT_EQ(copyThere, (std::vector<bool>{true, false, false, true, false}));
    EXPECT_EQ(Bytes(Host(Path(u"Shop.crv"))), ListBytes({Item(u"Milk", 0), Item(u"Bread", 0)}));
}

TEST_F(RecoveryTest, ANewListKeepsItsCopyUnderItsOwnNameUntilItsChangesAreDiscarded) {
    uitest::MessageBoxRecorder boxes([](const uitest::ShownMessageBox&) { return IDNO; });
    CListFilesDlg screen(*m_listing);
    std::vector<bool> copyThere;
    uitest::RunModal(screen, [&] {
        RunOnEditor([&](CListEditorDlg& editor) {
            editor.AppendItem(Item(u"Tent", 0), nullptr);
            uitest::FireTimer(editor, CListEditorDlg::kRecoveryTimer);
            editor.FinishRecoveryCopy();
            copyThere.push_back(std::filesystem::exists(CopyOf(".Untitled.crv")));
            editor.SendCommand(ID_FILE_CLOSE);
            copyThere.push_back(std::filesystem::exists(CopyOf(".Untitled.crv")));
        });
        screen.SendCommand(ID_FILE_NEW);
    });
    EXPECT_EQ(copyThere, (std::vector<bool>{true, false}));
}

// The recovery folder's place taken by a file: the copy cannot be written, which is said once, naming
// the folder, and not again at every later tick.
TEST_F(RecoveryTest, ACopyThatCannotBeWrittenIsReportedOnce) {
    std::filesystem::create_directories(m_root / ".system");
    std::ofstream(m_root / kRecoveryFolder) << "not a folder";
    std::vector<std::u16string> reports;
    ScopedErrorReportHandler recorder(
        [&](std::u16string_view message, MessageIcon) { reports.emplace_back(message); });
    OpenList([&](CListEditorDlg& editor) {
        for (int tick = 0; tick < 2; ++tick) {
            editor.SendCommand(ID_LIST_CHECKALL);
            EXPECT_TRUE(uitest::FireTimer(editor, CListEditorDlg::kRecoveryTimer));
        }
    });
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find(FromUtf8OrCp1252((m_root / kRecoveryFolder).string())), std::u16string::npos)
        << ToUtf8(reports[0]);
}

TEST_F(RecoveryTest, YesRestoresTheCopyModifiedUnderTheListsNameAndSaveWritesTheList) {
    const std::vector<TaskItem> changed = {Item(u"Milk", 1), Item(u"Bread", 0), Item(u"Eggs", 0)};
    WriteCopy("Shop.crv", changed, kCopyDay);
    uitest::MessageBoxRecorder boxes([](const uitest::ShownMessageBox&) { return IDYES; });
    std::u16string title;
    std::size_t items = 0;
    OpenList([&](CListEditorDlg& editor) {
        title = editor.GetTitleLine().GetWindowText();
        items = TopLevelRows(editor);
        editor.SendCommand(ID_FILE_SAVE); // a file dialog here would end the test's screen instead
    });
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, kShopQuestion);
    EXPECT_EQ(boxes.Shown()[0].type, kQuestionType);
    EXPECT_EQ(title, u"Shop*");
    EXPECT_EQ(items, 3u);
    EXPECT_EQ(Bytes(Host(Path(u"Shop.crv"))), ListBytes(changed));
    EXPECT_FALSE(std::filesystem::exists(CopyOf("Shop.crv")));
}

TEST_F(RecoveryTest, NoRemovesTheCopyAndOpensTheListAsSaved) {
    WriteCopy("Shop.crv", {Item(u"Eggs", 1)}, kCopyDay);
    uitest::MessageBoxRecorder boxes([](const uitest::ShownMessageBox&) { return IDNO; });
    std::u16string title;
    std::size_t items = 0;
    OpenList([&](CListEditorDlg& editor) {
        title = editor.GetTitleLine().GetWindowText();
        items = TopLevelRows(editor);
    });
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, kShopQuestion);
    EXPECT_EQ(title, u"Shop");
    EXPECT_EQ(items, 2u);
    EXPECT_FALSE(std::filesystem::exists(CopyOf("Shop.crv")));
}

TEST_F(RecoveryTest, ACopyOlderThanTheListIsNotOffered) {
    WriteCopy("Shop.crv", {Item(u"Eggs", 1)}, kOlderCopyDay);
    uitest::MessageBoxRecorder boxes;
    std::u16string title;
    OpenList([&](CListEditorDlg& editor) { title = editor.GetTitleLine().GetWindowText(); });
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_EQ(title, u"Shop");
}

TEST_F(RecoveryTest, TheCopyOfAListWithoutAFileIsOfferedAtStartAndYesEditsItAsUntitled) {
    {
        CListFilesDlg screen(*m_listing);
        bool offered = true;
        uitest::RunModal(screen,
                         [&] { offered = screen.IsTimerRunning(CListFilesDlg::kUntitledChangesTimer); });
        EXPECT_FALSE(offered) << "nothing to offer without a copy";
    }
    WriteCopy(".Untitled.crv", {Item(u"Tent", 0)}, kCopyDay);
    uitest::MessageBoxRecorder boxes([](const uitest::ShownMessageBox&) { return IDYES; });
    CListFilesDlg screen(*m_listing);
    std::u16string title;
    std::size_t items = 0;
    uitest::RunModal(screen, [&] {
        RunOnEditor([&](CListEditorDlg& editor) {
            title = editor.GetTitleLine().GetWindowText();
            items = TopLevelRows(editor);
        });
        EXPECT_TRUE(uitest::FireTimer(screen, CListFilesDlg::kUntitledChangesTimer));
    });
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(
        boxes.Shown()[0].text,
        u"Unsaved changes to 'Untitled' were kept at 2026-12-07 12:00.\nWould you like to restore them?");
    EXPECT_EQ(title, u"Untitled*");
    EXPECT_EQ(items, 1u);
}

TEST_F(RecoveryTest, AKilledProgramLeavesTheCopyOfItsLastTickAndTheNextOpenRestoresIt) {
    const int status = RunChildUntil(SIGKILL, ChildMode::KeepCopy);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "wait status " << status;
    const std::string ticked = ListBytes({Item(u"Milk", 1), Item(u"Bread", 1)});
    EXPECT_EQ(Bytes(CopyOf("Shop.crv")), ticked);
    uitest::MessageBoxRecorder boxes([](const uitest::ShownMessageBox&) { return IDYES; });
    OpenList([](CListEditorDlg& editor) { editor.SendCommand(ID_FILE_SAVE); });
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_TRUE(boxes.Shown()[0].text.starts_with(u"Unsaved changes to 'Shop' were kept at "));
    EXPECT_EQ(Bytes(Host(Path(u"Shop.crv"))), ticked);
}

TEST_F(RecoveryTest, AProgramAskedToEndKeepsItsChangesAtOnceAndEndsWithZeroAskingNothing) {
    const std::string ticked = ListBytes({Item(u"Milk", 1), Item(u"Bread", 1)});
    for (int signal : {SIGTERM, SIGHUP, SIGINT}) {
        SCOPED_TRACE(signal);
        std::filesystem::remove(CopyOf("Shop.crv"));
        // A child that asked anything would wait for an answer and never end.
        const int status = RunChildUntil(signal, ChildMode::Edit);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "wait status " << status;
        EXPECT_EQ(Bytes(CopyOf("Shop.crv")), ticked);
    }
    uitest::MessageBoxRecorder boxes([](const uitest::ShownMessageBox&) { return IDNO; });
    std::u16string title;
    OpenList([&](CListEditorDlg& editor) { title = editor.GetTitleLine().GetWindowText(); });
    EXPECT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(title, u"Shop");
    EXPECT_FALSE(std::filesystem::exists(CopyOf("Shop.crv")));
}

// A copy on its way to storage when the list is ended by an end request, saved, or given up: the
// end request writes the list as it stands, and a late copy never lands after a save or a discard.
TEST_F(RecoveryTest, ACopyOnItsWayNeverLandsOverANewerListOrAfterASaveOrADiscard) {
    const int status = RunChildUntil(SIGTERM, ChildMode::EditAfterTick);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "wait status " << status;
    EXPECT_EQ(Bytes(CopyOf("Shop.crv")), ListBytes({Item(u"Milk", 1), Item(u"Bread", 1), Item(u"Eggs", 0)}))
        << "the change made while the tick's copy was written is kept";
    std::filesystem::remove(CopyOf("Shop.crv"));

    uitest::MessageBoxRecorder boxes([](const uitest::ShownMessageBox&) { return IDNO; });
    std::vector<bool> copyThere;
    OpenList([&](CListEditorDlg& editor) {
        // Each change is ticked and at once undone, saved or given up, while its copy is written.
        const auto tickThen = [&](UINT change, UINT then) {
            editor.SendCommand(change);
            uitest::FireTimer(editor, CListEditorDlg::kRecoveryTimer);
            editor.SendCommand(then);
            editor.FinishRecoveryCopy();
            copyThere.push_back(std::filesystem::exists(CopyOf("Shop.crv")));
        };
        tickThen(ID_LIST_CHECKALL, ID_EDIT_UNDO);
        tickThen(ID_LIST_CHECKALL, ID_FILE_SAVE);
        tickThen(ID_LIST_UNCHECKALL, ID_FILE_CLOSE); // No: the changes go
    });
    EXPECT_EQ(copyThere, (std::vector<bool>{false, false, false}));
    EXPECT_EQ(Bytes(Host(Path(u"Shop.crv"))), ListBytes({Item(u"Milk", 1), Item(u"Bread", 1)}));
}

// The desktop session asks for what must be kept before it ends: the copy is written at once with
// nothing asked, and the editor goes on, since the session may yet be called off. When it ends, the
// program ends with status 0.
TEST_F(RecoveryTest, TheEndOfTheDesktopSessionKeepsTheChangesAtOnceAskingNothing) {
    uitest::MessageBoxRecorder boxes;
    bool copyBefore = true;
    std::string copy;
    bool stillEditing = false;
    OpenList([&](CListEditorDlg& editor) {
        editor.AppendItem(Item(u"Eggs", 0), nullptr);
        copyBefore = std::filesystem::exists(CopyOf("Shop.crv"));
        KeepUnsavedNow();
        copy = Bytes(CopyOf("Shop.crv"));
        stillEditing = editor.IsModalRunning();
    });
    EXPECT_FALSE(copyBefore);
    EXPECT_EQ(copy, ListBytes({Item(u"Milk", 0), Item(u"Bread", 0), Item(u"Eggs", 0)}));
    EXPECT_TRUE(stillEditing);
    EXPECT_TRUE(boxes.Shown().empty());

    std::filesystem::remove(CopyOf("Shop.crv"));
    const int status = RunChildUntil(kNoSignal, ChildMode::EndSession);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "wait status " << status;
    EXPECT_EQ(Bytes(CopyOf("Shop.crv")), ListBytes({Item(u"Milk", 1), Item(u"Bread", 1)}));
}

// The copy follows its list: renamed, the list is offered its changes under the new name (and a copy
// the new name had, of no list, goes); deleted, its copy goes with it and is never offered to a new
// list of that name.
TEST_F(RecoveryTest, RenamingAListMovesItsCopyAndDeletingItRemovesIt) {
    const std::vector<TaskItem> changed = {Item(u"Milk", 1), Item(u"Eggs", 0)};
    WriteCopy("Shop.crv", changed, kCopyDay);
    WriteCopy("Groceries.crv", {Item(u"Stale", 0)}, kCopyDay);
    const std::string shopCopy = Bytes(CopyOf("Shop.crv"));
    const CPoint captionOk(222, 13);
    constexpr int kNameField = 2;
    {
        CListFilesDlg screen(*m_listing);
        uitest::RunModal(screen, [&] {
            uitest::GestureOverride noHold(uitest::GestureAnswer::NoHold);
            uitest::Tap(screen.GetListCtrl(), RowPoint(screen, 0));
            uitest::WhenScreenRuns([&](CDialog& top) {
                top.GetDlgItem(kNameField)->SetWindowText(u"Groceries");
                uitest::TapScreen(captionOk);
            });
            screen.SendCommand(ID_DOCUMENT_RENAME);
        });
    }
    EXPECT_FALSE(std::filesystem::exists(CopyOf("Shop.crv")));
    EXPECT_EQ(Bytes(CopyOf("Groceries.crv")), shopCopy);
    {
        uitest::MessageBoxRecorder boxes([](const uitest::ShownMessageBox&) { return IDYES; });
        std::size_t items = 0;
        OpenList([&](CListEditorDlg& editor) { items = TopLevelRows(editor); });
        ASSERT_EQ(boxes.Shown().size(), 1u);
        EXPECT_EQ(boxes.Shown()[0].text, u"Unsaved changes to 'Groceries' were kept at 2026-12-07 "
                                         u"12:00.\nWould you like to restore them?");
        EXPECT_EQ(items, 2u);
    }

    std::vector<bool> copyThere;
    {
        int answer = IDCANCEL;
        uitest::MessageBoxRecorder boxes([&](const uitest::ShownMessageBox&) { return answer; });
        CListFilesDlg screen(*m_listing);
        uitest::RunModal(screen, [&] {
            uitest::GestureOverride noHold(uitest::GestureAnswer::NoHold);
            uitest::Tap(screen.GetListCtrl(), RowPoint(screen, 0));
            screen.SendCommand(ID_DOCUMENT_DELETE);
            copyThere.push_back(std::filesystem::exists(CopyOf("Groceries.crv")));
            answer = IDOK;
            uitest::Tap(screen.GetListCtrl(), RowPoint(screen, 0));
            screen.SendCommand(ID_DOCUMENT_DELETE);
            copyThere.push_back(std::filesystem::exists(CopyOf("Groceries.crv")));
        });
        EXPECT_EQ(boxes.Shown().size(), 2u) << "only the two delete questions";
    }
    EXPECT_EQ(copyThere, (std::vector<bool>{true, false}));
    SaveList(Path(u"Groceries.crv"), {Item(u"Tea", 0)});
    SetLastWrite(Host(Path(u"Groceries.crv")), kListDay);
    uitest::MessageBoxRecorder boxes;
    OpenList([](CListEditorDlg&) {});
    EXPECT_TRUE(boxes.Shown().empty()) << "a new list of the deleted one's name is offered nothing";
}

// The child program of the tests above, run only by them: it edits Shop in the device root it is
// given until it is killed or asked to end.
TEST(RecoveryChild, DISABLED_EditsUntilEnded) {
    const char* root = std::getenv(kChildRootVariable);
    ASSERT_NE(root, nullptr) << "run only as the child of the recovery tests";
    const char* mode = std::getenv(kChildModeVariable);
    ASSERT_NE(mode, nullptr);
    InstallProgramResources();
    const DeviceStorage device({FromUtf8OrCp1252(root), {}});
    device.CreateRoot();
    CatchEndRequests();
    const std::u16string lists = std::u16string(kLists) + u"\\";
    CCorvinaDoc document;
    document.SetHostPathMapping(device.PathMapping());
    document.SetPathName(lists + u"Shop.crv");
    ASSERT_TRUE(document.OnOpenDocument(document.GetPathName()));
    CListEditorDlg editor(device, lists, &document);
    uitest::Soon([&] {
        editor.SendCommand(ID_LIST_CHECKALL);
        switch (static_cast<ChildMode>(*mode)) {
        case ChildMode::Edit:
            break;
        case ChildMode::KeepCopy:
            uitest::FireTimer(editor, CListEditorDlg::kRecoveryTimer);
            editor.FinishRecoveryCopy();
            break;
        case ChildMode::EditAfterTick:
            uitest::FireTimer(editor, CListEditorDlg::kRecoveryTimer);
            editor.AppendItem(Item(u"Eggs", 0), nullptr);
            break;
        case ChildMode::EndSession:
            ASSERT_EQ(::write(kChildReadyFd, &kReady, 1), 1);
            uitest::EndSession();
            ADD_FAILURE() << "the program went on after the session ended";
            return;
        }
        ASSERT_EQ(::write(kChildReadyFd, &kReady, 1), 1);
    });
    editor.DoModal();
    ADD_FAILURE() << "the editor ended before the program";
}

} // namespace
