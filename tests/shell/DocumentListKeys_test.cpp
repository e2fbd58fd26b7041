// The document list on a desktop keyboard: Ctrl+N, F2, Delete, F5, Ctrl+I and Ctrl+E each do what
// their command does (its question included), nothing without the list a command needs, and the
// host window keeps the program's name.
#include "ListFilesFixture.h"

#include "editor/ListEditorDlg.h"
#include "platform/ui/DesktopKeys.h"
#include "platform/ui/HostWindow.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/testing/UiTest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

using shelltest::ListFilesScreenTest;

class DocumentListKeys : public ListFilesScreenTest {
protected:
    void SetUp() override {
        ListFilesScreenTest::SetUp();
        MakeFolder(u"\\My Documents");
    }
    /// Presses the key and answers the caption of the screen it opened over the list ("" for none),
    /// which is then cancelled.
    static std::u16string ScreenOfKey(CListFilesDlg& screen, UINT key, UINT modifiers) {
        std::u16string caption;
        uitest::WhenScreenRuns([&](CDialog& top) {
            if (&top != &screen) {
                caption = dynamic_cast<CListEditorDlg*>(&top) != nullptr ? u"(editor)" : top.GetWindowText();
                top.EndDialog(IDCANCEL);
            }
        });
        uitest::PressKey(key, modifiers);
        uitest::ProcessEvents();
        return caption;
    }
    void Select(CListFilesDlg& screen, int row) {
        uitest::GestureOverride noHold(uitest::GestureAnswer::NoHold);
        uitest::Tap(screen.GetListCtrl(), RowPoint(screen, row));
    }
};

TEST_F(DocumentListKeys, EachKeyRunsItsCommandOnTheSelectedList) {
    WriteList(Path(u"Shop.crv"), 2);
    uitest::MessageBoxRecorder boxes([](const uitest::ShownMessageBox&) { return IDCANCEL; });
    CListFilesDlg screen(*m_listing);
    uitest::RunModal(screen, [&] {
        EXPECT_EQ(GetHostWindowTitle(), u"Corvina");
        EXPECT_EQ(ScreenOfKey(screen, 'N', MK_CONTROL), u"(editor)");
        EXPECT_EQ(ScreenOfKey(screen, 'I', MK_CONTROL), u"Open") << "Ctrl+I picks a text file to import";
        Select(screen, 0);
        EXPECT_EQ(ScreenOfKey(screen, VK_F2, 0), u"Rename");
        Select(screen, 0);
        EXPECT_EQ(ScreenOfKey(screen, 'E', MK_CONTROL), u"Save As") << "Ctrl+E picks the text file";
        Select(screen, 0);
        uitest::PressKey(VK_DELETE);
        ASSERT_EQ(boxes.Shown().size(), 1u) << "Delete asks, as the command does";
        EXPECT_EQ(boxes.Shown()[0].text, u"Delete 'Shop'?");
        EXPECT_TRUE(std::filesystem::exists(Host(Path(u"Shop.crv")))) << "answered Cancel";

        WriteList(Path(u"Packing.crv"), 1);
        EXPECT_EQ(Rows(screen).size(), 1u);
        uitest::PressKey(VK_F5);
        EXPECT_EQ(Rows(screen).size(), 2u) << "F5 read the folder again";
    });
}

TEST_F(DocumentListKeys, KeysOfCommandsOnAListDoNothingWithoutOne) {
    WriteList(Path(u"Shop.crv"), 2);
    uitest::MessageBoxRecorder boxes;
    CListFilesDlg screen(*m_listing);
    uitest::RunModal(screen, [&] {
        ASSERT_EQ(screen.GetSelectedRow(), std::nullopt);
        EXPECT_EQ(ScreenOfKey(screen, VK_F2, 0), u"");
        EXPECT_EQ(ScreenOfKey(screen, 'E', MK_CONTROL), u"");
        uitest::PressKey(VK_DELETE);
    });
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_TRUE(std::filesystem::exists(Host(Path(u"Shop.crv"))));
    EXPECT_TRUE(std::filesystem::is_empty(Host(u"\\My Documents")));
}

} // namespace
