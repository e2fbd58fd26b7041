// The device window as a user sees it: the caption bar with its bold caption and OK button, the menu
// bar built from the document list's menu with its drop-downs, the input panel that types into the
// focused field. Pictures of each land in /tmp for a look.
#include "FrameworkTables.h"

#include "platform/ui/Bitmap.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/InputPanel.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/testing/UiTest.h"
#include "res/ResourceIds.h"

#include <gtest/gtest.h>

namespace {
using namespace frameworktest;

constexpr COLORREF kCaptionTop = RGB(0x0B, 0x24, 0x6B);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBarFill = RGB(0xEC, 0xEC, 0xEC);
constexpr COLORREF kBarRule = RGB(0x80, 0x80, 0x80);
constexpr int kMenuBarTop = 320 - 26;

/// The document list's template and menu bar, with a few rows, as the framework shows them.
class DocumentListLook : public CDialog {
public:
    DocumentListLook() : CDialog(IDD_LISTFILES) {}
    CListCtrl list;
    CBitmap icon;
    CImageList images;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_LISTFILES, list); }
    bool OnInitDialog() override {
        CDialog::OnInitDialog();
        ShowCaptionOkButton(false);
        CreateMenuBar(IDR_LISTFILES_MENU);
        GetCommandMap().OnCommand(ID_VIEW_REFRESH, [] {});
        icon.LoadBitmap(136);
        images.Create(13, 16, ILC_COLOR, 0, 8);
        images.Add(&icon, nullptr);
        list.SetImageList(&images, LVSIL_SMALL);
        list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
        list.InsertColumn(0, u"", LVCFMT_LEFT, 130);
        list.InsertColumn(1, u"", LVCFMT_LEFT, 55);
        list.InsertColumn(2, u"", LVCFMT_LEFT, 55);
        const char16_t* names[] = {u"Shopping", u"Packing", u"Garden"};
        for (int i = 0; i < 3; ++i) {
            list.InsertItem(i, names[i], 0);
            list.SetItemText(i, 1, u"3/5/04");
            list.SetItemText(i, 2, u"12 items");
        }
        list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
        return true;
    }
};

TEST(DeviceWindowLook, CaptionBarAndMenuBarOfTheDocumentList) {
    InstallProgramResources();
    DocumentListLook screen;
    uitest::RunModal(screen, [&] {
        const uitest::GrabbedImage device = uitest::GrabDevice();
        EXPECT_EQ(device.Width(), 240);
        EXPECT_EQ(device.Height(), 320);
        EXPECT_EQ(device.Pixel(0, 0), kCaptionTop);
        bool captionText = false;
        for (int x = 8; x < 60 && !captionText; ++x) {
            captionText = device.Pixel(x, 13) == kWhite || device.Pixel(x, 12) == kWhite;
        }
        EXPECT_TRUE(captionText) << "the caption is drawn in white";
        EXPECT_EQ(device.Pixel(120, kMenuBarTop), kBarRule) << "a 1-pixel rule tops the menu bar";
        EXPECT_EQ(device.Pixel(120, kMenuBarTop + 1), kBarFill);

        uitest::MenuRecorder menus;
        uitest::TapScreen(CPoint(20, kMenuBarTop + 13));
        ASSERT_EQ(menus.Shown().size(), 1u);
        EXPECT_EQ(menus.Shown()[0].entries[0].text, u"Create New List");
        EXPECT_FALSE(menus.Shown()[0].entries[0].enabled) << "no handler yet";
    });
}

TEST(DeviceWindowLook, TheViewMenuOpensAboveItsButton) {
    InstallProgramResources();
    DocumentListLook screen;
    uitest::RunModal(screen, [&] {
        // "New" and "Document" come first; "View" starts after them.
        uitest::Soon([] { uitest::PressKey(VK_ESCAPE); });
        uitest::TapScreen(CPoint(126, kMenuBarTop + 13));
        EXPECT_TRUE(screen.IsModalRunning()) << "Escape closed the menu, not the screen";
    });
}

/// The framework's own screen with every kind of control, under the document list's menu bar.
class FieldsLook : public CDialog {
public:
    FieldsLook() : CDialog(kScreen) {}

protected:
    bool OnInitDialog() override {
        CDialog::OnInitDialog();
        CreateMenuBar(IDR_LISTFILES_MENU);
        return true;
    }
};

TEST(DeviceWindowLook, TheInputPanelTypesIntoTheFocusedField) {
    InstallProgramResources();
    const ResourceTables& program = ProgramResources();
    InstallResources(ResourceTables{program.strings, kDialogs, program.menus, program.menuBars, {}});
    RegisterWindowClass(kCustomClass);
    FieldsLook screen;
    uitest::RunModal(screen, [&] {
        CWnd* field = screen.GetDlgItem(kField);
        field->SetWindowText(u"");
        field->SetFocus();
        EXPECT_FALSE(IsInputPanelRaised()) << "screens start with the panel lowered";
        uitest::TapScreen(CPoint(230, kMenuBarTop + 13));
        ASSERT_TRUE(IsInputPanelRaised()) << "the keyboard button raises it";
        CRect client;
        screen.GetClientRect(&client);
        EXPECT_EQ(client.Height(), 268 - 80) << "the screen makes room for the panel";
        // Keys are 20 x 16 from the panel's top-left: the shift key, then "m" and "i" typed.
        const int panelTop = 26 + 268 - 80;
        uitest::TapScreen(CPoint(10, panelTop + 3 * 16 + 8));
        uitest::TapScreen(CPoint(40 + 6 * 20 + 10, panelTop + 3 * 16 + 8));
        uitest::TapScreen(CPoint(7 * 20 + 10, panelTop + 16 + 8));
        EXPECT_EQ(field->GetWindowText(), u"Mi");
        LowerInputPanel();
        EXPECT_FALSE(IsInputPanelRaised());
    });
}

} // namespace
