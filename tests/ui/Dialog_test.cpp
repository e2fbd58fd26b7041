// Screens built from templates: controls and their pixel rectangles, the modal loop and its
// results, caption OK, dialog keys, data exchange and binding, and focus coming back to a screen.
#include "FrameworkTables.h"

#include "platform/ui/Button.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Icon.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Static.h"
#include "platform/ui/testing/PictureProbe.h"
#include "platform/ui/testing/UiTest.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
using namespace frameworktest;

/// The caption bar's OK button, in device-screen pixels.
const CPoint kCaptionOk(222, 13);

/// A screen that records what reaches it.
class RecordingScreen : public CDialog {
public:
    RecordingScreen() : CDialog(kScreen) {}
    std::vector<UINT> commands;
    int focusCount = 0;
    int importance = 1;
    std::u16string title = u"initial";
    CListCtrl list;
    bool bindList = true;
    bool bindListAsStatic = false;
    CStatic wrongKind;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        if (bindList) {
            DDX_Control(pDX, kList, list);
        }
        if (bindListAsStatic) {
            DDX_Control(pDX, kList, wrongKind);
        }
        DDX_Radio(pDX, kRadioFirst, importance);
        DDX_Text(pDX, kField, title);
    }
    bool OnCommand(UINT id) override {
        commands.push_back(id);
        return CDialog::OnCommand(id);
    }
    void OnSetFocus(CWnd* old) override {
        ++focusCount;
        CDialog::OnSetFocus(old);
    }
};

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { InstallFrameworkTables(); }
};

TEST_F(DialogTest, ControlsAreMadeFromTheTemplateInPixelsOfTheDialogUnits) {
    RecordingScreen screen;
    uitest::RunModal(screen, [&] {
        for (UINT id :
             {kLabel, kField, kButton, kRadioFirst, kRadioSecond, kRadioThird, kList, kCustomClassId}) {
            EXPECT_NE(screen.GetDlgItem(id), nullptr) << "control " << id;
        }
        CRect client;
        screen.GetClientRect(&client);
        EXPECT_EQ(client, CRect(0, 0, 240, 268)) << "a screen fills the space between the bars";
        CRect list;
        screen.GetDlgItem(kList)->GetWindowRect(&list);
        // 0,64 138 x 50 units: x * 240/140, y * 268/155, rounded.
        EXPECT_EQ(list, CRect(0, 26 + 111, 237, 26 + 197));
        EXPECT_EQ(screen.GetDlgItem(kLabel)->GetWindowText(), u"Title & more");
        EXPECT_EQ(screen.GetWindowText(), u"Framework");
        EXPECT_EQ(screen.GetDlgItem(kCustomClassId)->GetClassName(), kCustomClass);
    });
}

TEST_F(DialogTest, TheTemplateOfTheListEditorFillsTheScreenExactly) {
    EXPECT_EQ(CDialog::MapDialogRect(CRect(0, 0, 140, 155)), CRect(0, 0, 240, 268));
    EXPECT_EQ(CDialog::MapDialogRect(CRect(0, 16, 139, 154)).top, 28);
}

TEST_F(DialogTest, AMissingTemplateOrAnUnknownControlClassFailsWithMinusOne) {
    CDialog missing(4242);
    EXPECT_EQ(missing.DoModal(), -1);
    CDialog broken(kBrokenScreen);
    EXPECT_EQ(broken.DoModal(), -1);
    EXPECT_FALSE(broken.HasWindow());
}

TEST_F(DialogTest, EndDialogAnswersItsValueAndDestroysTheWindows) {
    RecordingScreen screen;
    EXPECT_EQ(uitest::RunModal(screen, [&] { screen.EndDialog(IDOK); }), IDOK);
    EXPECT_FALSE(screen.HasWindow());
    EXPECT_FALSE(screen.list.HasWindow()) << "bound controls lose their window with the screen";
}

TEST_F(DialogTest, TheCaptionOkButtonEndsTheScreenWithOk) {
    RecordingScreen screen;
    const int result = uitest::RunModal(screen, [&] { uitest::TapScreen(kCaptionOk); });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(screen.commands, (std::vector<UINT>{IDOK}));
}

TEST_F(DialogTest, WithoutItsOkButtonTheCaptionDoesNothing) {
    RecordingScreen screen;
    uitest::RunModal(screen, [&] {
        screen.ShowCaptionOkButton(false);
        uitest::TapScreen(kCaptionOk);
        EXPECT_TRUE(screen.IsModalRunning());
    });
    EXPECT_TRUE(screen.commands.empty());
}

TEST_F(DialogTest, EscapeCancelsAndEnterIsTheDefaultButtonWhenNoShortcutTakesIt) {
    RecordingScreen cancelled;
    EXPECT_EQ(uitest::RunModal(cancelled, [&] { uitest::PressKey(VK_ESCAPE); }), IDCANCEL);
    RecordingScreen accepted;
    EXPECT_EQ(uitest::RunModal(accepted, [&] { uitest::PressKey(VK_RETURN); }), IDOK);
}

TEST_F(DialogTest, DataExchangeFillsControlsAndReadsThemBack) {
    RecordingScreen screen;
    screen.importance = 2;
    screen.title = u"Milk";
    uitest::RunModal(screen, [&] {
        auto* low = dynamic_cast<CButton*>(screen.GetDlgItem(kRadioThird));
        ASSERT_NE(low, nullptr);
        EXPECT_EQ(low->GetCheck(), BST_CHECKED);
        EXPECT_EQ(screen.GetDlgItem(kField)->GetWindowText(), u"Milk");
        uitest::Tap(*screen.GetDlgItem(kRadioFirst), CPoint(3, 3));
        EXPECT_EQ(low->GetCheck(), BST_UNCHECKED) << "a radio button unchecks the rest of its group";
        screen.GetDlgItem(kField)->SetWindowText(u"Bread");
        EXPECT_TRUE(screen.UpdateData(true));
    });
    EXPECT_EQ(screen.importance, 0);
    EXPECT_EQ(screen.title, u"Bread");
}

TEST_F(DialogTest, BindingAControlToAnObjectOfAnotherKindIsRefused) {
    RecordingScreen screen;
    screen.bindList = false;
    screen.bindListAsStatic = true;
    EXPECT_THROW(screen.DoModal(), std::logic_error);
    EXPECT_FALSE(screen.HasWindow());
}

TEST_F(DialogTest, APushButtonSendsItsIdToTheScreen) {
    RecordingScreen screen;
    uitest::RunModal(screen, [&] { uitest::Tap(*screen.GetDlgItem(kButton), CPoint(5, 5)); });
    EXPECT_EQ(screen.commands, (std::vector<UINT>{kButton}));
}

TEST_F(DialogTest, TheScreenBelowGetsTheFocusWhenAScreenAboveOrAMessageBoxCloses) {
    RecordingScreen below;
    uitest::RunModal(below, [&] {
        const int before = below.focusCount;
        RecordingScreen above;
        uitest::RunModal(above, [&] { above.EndDialog(IDOK); });
        EXPECT_EQ(below.focusCount, before + 1);
        uitest::MessageBoxRecorder boxes;
        AfxMessageBox(u"Hello", MB_OK);
        EXPECT_EQ(below.focusCount, before + 2);
    });
}

TEST_F(DialogTest, TheDeviceWindowShowsTheIconsOfTheTopScreenOnly) {
    const HICON appIcon = LoadIconResource(128);
    ASSERT_NE(appIcon, nullptr);
    EXPECT_EQ(LoadIconResource(128), appIcon) << "loaded once and shared";
    EXPECT_EQ(LoadIconResource(129), nullptr) << "the program has no icon 129";
    RecordingScreen below;
    std::vector<bool> shown;
    HICON hadBefore = appIcon;
    HICON hadAfter = nullptr;
    uitest::RunModal(below, [&] {
        shown.push_back(uitest::DeviceIconOpacity().has_value());
        hadBefore = below.SetIcon(appIcon, false);
        hadAfter = below.SetIcon(appIcon, false);
        shown.push_back(uitest::DeviceIconOpacity().has_value());
        RecordingScreen above;
        uitest::RunModal(above, [&] {
            shown.push_back(uitest::DeviceIconOpacity().has_value());
            above.EndDialog(IDOK);
        });
        shown.push_back(uitest::DeviceIconOpacity().has_value());
        below.SetIcon(nullptr, false);
        shown.push_back(uitest::DeviceIconOpacity().has_value());
    });
    EXPECT_EQ(hadBefore, nullptr);
    EXPECT_EQ(hadAfter, appIcon) << "SetIcon answers the icon the window had";
    // none yet, its own, none under a screen without icons, its own again, none once taken back
    EXPECT_EQ(shown, (std::vector<bool>{false, true, false, true, false}));
}

TEST_F(DialogTest, TypingReachesTheFocusedFieldAndControlEnterLeavesASingleLineFieldAlone) {
    RecordingScreen screen;
    uitest::RunModal(screen, [&] {
        screen.GetDlgItem(kField)->SetWindowText(u"");
        screen.GetDlgItem(kField)->SetFocus();
        uitest::TypeText(u"Eggs");
        uitest::PressKey(VK_RETURN, MK_CONTROL);
        EXPECT_EQ(screen.GetDlgItem(kField)->GetWindowText(), u"Eggs");
        screen.EndDialog(IDCANCEL);
    });
}

} // namespace
