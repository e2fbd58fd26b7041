// File dialogs: filters, device path parts and default extensions; then the screen: the folder it
// starts in, what it lists, walking folders, file types, and the accept rules of open, save (with
// the overwrite question) and rename-and-move.
#include "platform/core/Strings.h"
#include "platform/storage/DeviceStorage.h"
#include "platform/storage/FileDialogPaths.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/testing/UiTest.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {
namespace fs = std::filesystem;
using platform::ParseFileFilter;

TEST(FileDialogFilters, PairsOfDescriptionAndPatternEndedByTwoBars) {
    const auto entries = ParseFileFilter(u"Text files (*.txt)|*.txt|All files (*.*)|*.*||");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].description, u"Text files (*.txt)");
    EXPECT_EQ(entries[0].patterns, (std::vector<std::u16string>{u"*.txt"}));
    EXPECT_EQ(entries[1].patterns, (std::vector<std::u16string>{u"*.*"}));
    EXPECT_EQ(ParseFileFilter(u"Lists|*.crv;*.txt||")[0].patterns.size(), 2u);
    const auto none = ParseFileFilter(u"");
    ASSERT_EQ(none.size(), 1u) << "no filter shows every file";
    EXPECT_TRUE(platform::MatchesFilePattern(u"anything", none[0].patterns[0]));
    EXPECT_EQ(ParseFileFilter(u"Broken|").size(), 1u) << "an entry without a pattern is dropped";
}

TEST(FileDialogFilters, PatternsMatchWithoutRegardToCase) {
    using platform::MatchesFilePattern;
    EXPECT_TRUE(MatchesFilePattern(u"Shop.TXT", u"*.txt"));
    EXPECT_TRUE(MatchesFilePattern(u"a.b.txt", u"*.txt"));
    EXPECT_FALSE(MatchesFilePattern(u"Shop.txt.bak", u"*.txt"));
    EXPECT_TRUE(MatchesFilePattern(u"noext", u"*.*"));
    EXPECT_TRUE(MatchesFilePattern(u"ab", u"a?"));
    EXPECT_FALSE(MatchesFilePattern(u"abc", u"a?"));
}

TEST(FileDialogPaths, FoldersNamesAndExtensions) {
    using namespace platform;
    EXPECT_EQ(DeviceFolderOf(u"\\Lists\\Shop.crv"), u"\\Lists");
    EXPECT_EQ(DeviceFolderOf(u"\\Shop.crv"), u"\\");
    EXPECT_EQ(DeviceFolderOf(u"Shop.crv"), u"");
    EXPECT_EQ(DeviceNameOf(u"\\Lists\\Shop.crv"), u"Shop.crv");
    EXPECT_EQ(JoinDevicePath(u"\\", u"a"), u"\\a");
    EXPECT_EQ(JoinDevicePath(u"\\Lists", u"a"), u"\\Lists\\a");
    EXPECT_EQ(ParentDeviceFolder(u"\\A\\B"), u"\\A");
    EXPECT_EQ(ParentDeviceFolder(u"\\A"), u"\\");
    EXPECT_EQ(ParentDeviceFolder(u"\\"), u"\\");
    EXPECT_EQ(WithDefaultExtension(u"Shop", u"txt"), u"Shop.txt");
    EXPECT_EQ(WithDefaultExtension(u"Shop.csv", u"txt"), u"Shop.csv");
    EXPECT_EQ(WithDefaultExtension(u"Shop", u""), u"Shop");
}

/// A device of the test's own: "\My Documents" with a folder and three files, and a storage card.
class FileDialogScreen : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(m_root / "device" / "My Documents" / "Trips");
        fs::create_directories(m_root / "card");
        for (const char* name : {"Shop.txt", "notes.TXT", "Shop.crv"}) {
            std::ofstream(m_root / "device" / "My Documents" / name) << "x";
        }
    }
    fs::path Host(const char* relative) const { return m_root / "device" / relative; }

    TestFolder m_folder;
    const fs::path m_root = m_folder.Path();
    const DeviceStorage m_device{{(m_root / "device").u16string(), (m_root / "card").u16string()}};
};

constexpr const char16_t* kImportFilter = u"Text files (*.txt)|*.txt|All files (*.*)|*.*||";
/// The caption's OK button on the device.
const CPoint kCaptionOk(222, 13);

TEST_F(FileDialogScreen, StartsInMyDocumentsListingFoldersThenMatchingFiles) {
    CFileDialog dialog(m_device, true, u"", u"", OFN_HIDEREADONLY, kImportFilter);
    uitest::RunModal(dialog, [&] {
        EXPECT_EQ(dialog.GetWindowText(), u"Open");
        EXPECT_EQ(dialog.GetFolderPath(), u"\\My Documents");
        EXPECT_EQ(dialog.ShownEntries(),
                  (std::vector<std::u16string>{u"[Trips]", u"notes.TXT", u"Shop.txt"}));
    });
}

TEST_F(FileDialogScreen, TheTypeButtonShowsTheNextFileType) {
    CFileDialog dialog(m_device, true, u"", u"", OFN_HIDEREADONLY, kImportFilter);
    uitest::RunModal(dialog, [&] {
        dialog.SendCommand(7);
        EXPECT_EQ(dialog.GetFilterIndex(), 1);
        EXPECT_EQ(dialog.ShownEntries().size(), 4u) << "all files now, the list file too";
    });
}

TEST_F(FileDialogScreen, WalkingIntoAFolderAndUpToTheRootWithTheStorageCard) {
    CFileDialog dialog(m_device, true, u"", u"", OFN_HIDEREADONLY, kImportFilter);
    uitest::RunModal(dialog, [&] {
        EXPECT_TRUE(dialog.ShowFolder(u"\\My Documents\\Trips"));
        EXPECT_TRUE(dialog.ShownEntries().empty());
        EXPECT_FALSE(dialog.ShowFolder(u"\\Nowhere"));
        dialog.SendCommand(5); // Up
        dialog.SendCommand(5);
        EXPECT_EQ(dialog.GetFolderPath(), u"\\");
        ASSERT_FALSE(dialog.ShownEntries().empty());
        EXPECT_EQ(dialog.ShownEntries().front(), u"[Storage Card]");
    });
}

TEST_F(FileDialogScreen, AnOpenDialogTakesOnlyAFileThatExists) {
    uitest::MessageBoxRecorder boxes;
    CFileDialog dialog(m_device, true, u"", u"", OFN_HIDEREADONLY, kImportFilter);
    const int result = uitest::RunModal(dialog, [&] {
        dialog.GetDlgItem(2)->SetWindowText(u"Missing.txt");
        uitest::TapScreen(kCaptionOk);
        EXPECT_TRUE(dialog.IsModalRunning());
        dialog.GetDlgItem(2)->SetWindowText(u"Shop.txt");
        uitest::TapScreen(kCaptionOk);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.GetPathName(), u"\\My Documents\\Shop.txt");
    EXPECT_EQ(dialog.GetFileExt(), u"txt");
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, u"Missing.txt was not found.");
}

TEST_F(FileDialogScreen, ASaveDialogAddsTheDefaultExtensionAndAsksBeforeReplacing) {
    int answer = IDNO;
    uitest::MessageBoxRecorder boxes([&](const uitest::ShownMessageBox&) { return answer; });
    CFileDialog dialog(m_device, false, u"txt", u"Shop", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       u"Text files (*.txt)|*.txt||");
    const int result = uitest::RunModal(dialog, [&] {
        EXPECT_EQ(dialog.GetWindowText(), u"Save As");
        EXPECT_EQ(dialog.GetDlgItem(2)->GetWindowText(), u"Shop") << "the proposed name";
        uitest::TapScreen(kCaptionOk);
        EXPECT_TRUE(dialog.IsModalRunning()) << "No keeps the dialog open";
        answer = IDYES;
        uitest::TapScreen(kCaptionOk);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.GetPathName(), u"\\My Documents\\Shop.txt");
    ASSERT_EQ(boxes.Shown().size(), 2u);
    EXPECT_EQ(boxes.Shown()[0].text, u"Shop.txt already exists.\nDo you want to replace it?");
    EXPECT_EQ(boxes.Shown()[0].type, MB_YESNO | MB_ICONEXCLAMATION);
}

TEST_F(FileDialogScreen, ANewNameIsTakenWithoutAQuestion) {
    uitest::MessageBoxRecorder boxes;
    CFileDialog dialog(m_device, false, u"txt", u"Fresh", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       u"Text files (*.txt)|*.txt||");
    EXPECT_EQ(uitest::RunModal(dialog, [&] { uitest::TapScreen(kCaptionOk); }), IDOK);
    EXPECT_EQ(dialog.GetPathName(), u"\\My Documents\\Fresh.txt");
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(FileDialogScreen, RenameAndMoveRenamesTheFileAndRefusesATakenName) {
    std::ofstream(Host("My Documents/Packing.crv")) << "packing";
    uitest::MessageBoxRecorder boxes;
    CFileDialog dialog(m_device, false, u"", u"\\My Documents\\Shop.crv",
                       OFN_RENAME_AND_MOVE | OFN_NOCHANGEDIR, u"");
    const int result = uitest::RunModal(dialog, [&] {
        EXPECT_EQ(dialog.GetWindowText(), u"Rename");
        EXPECT_EQ(dialog.GetDlgItem(2)->GetWindowText(), u"Shop.crv");
        dialog.GetDlgItem(2)->SetWindowText(u"Packing");
        uitest::TapScreen(kCaptionOk);
        EXPECT_TRUE(dialog.IsModalRunning()) << "the name is taken";
        dialog.GetDlgItem(2)->SetWindowText(u"\\My Documents\\Trips\\Groceries.crv");
        uitest::TapScreen(kCaptionOk);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_FALSE(fs::exists(Host("My Documents/Shop.crv")));
    EXPECT_TRUE(fs::exists(Host("My Documents/Trips/Groceries.crv")));
    EXPECT_EQ(ReadBytes(Host("My Documents/Packing.crv").string()), "packing");
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, u"Packing.crv already exists.\nChoose another name.");
}

// Names the device could not hold, or its folder views would hide, are refused with the reason, and
// so is a name another file has in any letter case; the file stays as it was. The list's own name in
// another case is a rename; its own name unchanged is accepted and changes nothing.
TEST_F(FileDialogScreen, RenameRefusesNamesThatWouldHideTheFileOrCannotBeHeld) {
    std::ofstream(Host("My Documents/Packing.crv")) << "packing";
    const std::u16string longName(300, u'a');
    const struct {
        std::u16string typed;
        std::u16string message;
    } refused[] = {
        {u"...", u"A file name cannot be made of dots only."},
        {u"Food.", u"A file name cannot end with a dot."},
        {u".Food", u"A file name cannot start with a dot: the file would be hidden."},
        {u"packing", u"Packing.crv already exists.\nChoose another name."},
        {u"PACKING.crv", u"Packing.crv already exists.\nChoose another name."},
        {longName, u"The name " + longName + u" is too long."},
        // 128 two-byte letters and ".crv": 260 bytes, more than a host file name holds.
        {std::u16string(128, u'\u00E9'), u"The name " + std::u16string(128, u'\u00E9') + u" is too long."},
    };
    for (const auto& name : refused) {
        uitest::MessageBoxRecorder boxes;
        CFileDialog dialog(m_device, false, u"", u"\\My Documents\\Shop.crv",
                           OFN_RENAME_AND_MOVE | OFN_NOCHANGEDIR, u"");
        uitest::RunModal(dialog, [&] {
            dialog.GetDlgItem(2)->SetWindowText(name.typed);
            uitest::TapScreen(kCaptionOk);
            EXPECT_TRUE(dialog.IsModalRunning()) << ToUtf8(name.typed);
            dialog.SendCommand(IDCANCEL);
        });
        ASSERT_EQ(boxes.Shown().size(), 1u) << ToUtf8(name.typed);
        EXPECT_EQ(boxes.Shown()[0].text, name.message);
        EXPECT_EQ(boxes.Shown()[0].type, MB_OK | MB_ICONEXCLAMATION);
        EXPECT_EQ(ReadBytes(Host("My Documents/Shop.crv").string()), "x") << ToUtf8(name.typed);
        EXPECT_EQ(ReadBytes(Host("My Documents/Packing.crv").string()), "packing");
        EXPECT_EQ(std::distance(fs::directory_iterator(Host("My Documents")), fs::directory_iterator()), 5)
            << ToUtf8(name.typed) << ": a file appeared";
    }
    for (const std::u16string unchanged : {u"Shop.crv", u"Shop"}) {
        uitest::MessageBoxRecorder boxes;
        CFileDialog dialog(m_device, false, u"", u"\\My Documents\\Shop.crv",
                           OFN_RENAME_AND_MOVE | OFN_NOCHANGEDIR, u"");
        EXPECT_EQ(uitest::RunModal(dialog,
                                   [&] {
                                       dialog.GetDlgItem(2)->SetWindowText(unchanged);
                                       uitest::TapScreen(kCaptionOk);
                                   }),
                  IDOK);
        EXPECT_TRUE(boxes.Shown().empty()) << ToUtf8(unchanged);
        EXPECT_EQ(ReadBytes(Host("My Documents/Shop.crv").string()), "x");
    }
    uitest::MessageBoxRecorder boxes;
    CFileDialog dialog(m_device, false, u"", u"\\My Documents\\Shop.crv",
                       OFN_RENAME_AND_MOVE | OFN_NOCHANGEDIR, u"");
    EXPECT_EQ(uitest::RunModal(dialog,
                               [&] {
                                   dialog.GetDlgItem(2)->SetWindowText(u"shop");
                                   uitest::TapScreen(kCaptionOk);
                               }),
              IDOK);
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_EQ(ReadBytes(Host("My Documents/shop.crv").string()), "x");
    EXPECT_FALSE(fs::exists(Host("My Documents/Shop.crv")));
}

// A name typed with another extension keeps the file's own: a list stays a list the document list
// shows.
TEST_F(FileDialogScreen, ARenamedFileKeepsItsExtension) {
    CFileDialog dialog(m_device, false, u"", u"\\My Documents\\Shop.crv",
                       OFN_RENAME_AND_MOVE | OFN_NOCHANGEDIR, u"");
    EXPECT_EQ(uitest::RunModal(dialog,
                               [&] {
                                   dialog.GetDlgItem(2)->SetWindowText(u"Trip.v2");
                                   uitest::TapScreen(kCaptionOk);
                               }),
              IDOK);
    EXPECT_EQ(dialog.GetPathName(), u"\\My Documents\\Trip.v2.crv");
    EXPECT_EQ(ReadBytes(Host("My Documents/Trip.v2.crv").string()), "x");
}

// A rename that cannot be done says why and leaves the file as it was: a character no file name may
// hold, or the file gone from under the dialog (with the cause and the path).
TEST_F(FileDialogScreen, RenameFailuresSayWhyAndKeepTheFile) {
    uitest::MessageBoxRecorder boxes;
    CFileDialog dialog(m_device, false, u"", u"\\My Documents\\Shop.crv",
                       OFN_RENAME_AND_MOVE | OFN_NOCHANGEDIR, u"");
    uitest::RunModal(dialog, [&] {
        dialog.GetDlgItem(2)->SetWindowText(u"Shop: old");
        uitest::TapScreen(kCaptionOk);
        EXPECT_TRUE(fs::exists(Host("My Documents/Shop.crv")));
        fs::remove(Host("My Documents/Shop.crv"));
        dialog.GetDlgItem(2)->SetWindowText(u"Groceries");
        uitest::TapScreen(kCaptionOk);
        EXPECT_TRUE(dialog.IsModalRunning());
    });
    EXPECT_FALSE(fs::exists(Host("My Documents/Groceries.crv")));
    ASSERT_EQ(boxes.Shown().size(), 2u);
    EXPECT_EQ(boxes.Shown()[0].text, u"A file name cannot contain any of these characters:\n/:*?\"<>|");
    EXPECT_EQ(boxes.Shown()[1].text,
              u"Shop.crv could not be renamed.\n\\My Documents\\Shop.crv was not found.");
    EXPECT_EQ(boxes.Shown()[1].type, MB_OK | MB_ICONSTOP);
}

TEST_F(FileDialogScreen, TappingAFolderRowWalksInAndAFileRowNamesIt) {
    CFileDialog dialog(m_device, true, u"", u"", OFN_HIDEREADONLY, kImportFilter);
    uitest::RunModal(dialog, [&] {
        CWnd* list = dialog.GetDlgItem(8);
        ASSERT_NE(list, nullptr);
        uitest::Tap(*list, CPoint(40, 25)); // the second row: notes.TXT
        EXPECT_EQ(dialog.GetDlgItem(2)->GetWindowText(), u"notes.TXT");
        uitest::Tap(*list, CPoint(40, 8)); // the first row: the Trips folder
        EXPECT_EQ(dialog.GetFolderPath(), u"\\My Documents\\Trips");
    });
}

TEST_F(FileDialogScreen, CancelAnswersCancelWithNoPath) {
    CFileDialog dialog(m_device, true, u"", u"", OFN_HIDEREADONLY, kImportFilter);
    EXPECT_EQ(uitest::RunModal(dialog, [&] { uitest::PressKey(VK_ESCAPE); }), IDCANCEL);
    EXPECT_TRUE(dialog.GetPathName().empty());
}

} // namespace
