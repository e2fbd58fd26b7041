// The item details sheet as a user meets it: its pages and command bar, the light-blue pages, the
// input panel, the quantity's validation on OK and on switching tabs, what accepting writes (only
// the pages shown) and what cancelling keeps, and the Enter key in each field.
#include "EditorTestSupport.h"

#include "platform/ui/Button.h"
#include "platform/ui/Edit.h"
#include "platform/ui/InputPanel.h"
#include "platform/ui/MessageBox.h"
#include "res/ResourceIds.h"

namespace {

/// The command bar's buttons in the device's menu bar: Cancel first, then OK, 24 pixels each.
const CPoint kCancelButton(12, 307);
const CPoint kOkButton(36, 307);
/// The Notes tab while the input panel is up: the sheet ends 26 + 268 - 80 pixels down the screen.
const CPoint kNotesTabOverPanel(85, 205);
constexpr COLORREF kPageBlue = RGB(196, 222, 255);
const std::u16string kRefusal = u"Please enter a positive integer.";

class ItemSheet : public editortest::EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        item.title = u"Tent";
        item.quantity = 2;
        item.importance = TaskItem::kHighImportance;
        item.notes = u"Poles\r\nPegs";
    }
    static CWnd& Field(CItemDetailsPropSheet& sheet, UINT id) {
        return *sheet.GetActivePage()->GetDlgItem(id);
    }

    TaskItem item;
};

TEST_F(ItemSheet, ShowsItsPagesOnLightBlueWithTheInputPanelUpAndItsOwnButtons) {
    CItemDetailsPropSheet sheet(&item);
    bool panelUp = false;
    std::u16string caption;
    COLORREF pageCorner = 0;
    COLORREF besideRadioText = 0;
    const int result = uitest::RunModal(sheet, [&] {
        caption = sheet.GetWindowText();
        panelUp = IsInputPanelRaised();
        CPropertyPage& general = *sheet.GetActivePage();
        const uitest::GrabbedImage image = uitest::Grab(general);
        pageCorner = image.Pixel(2, 2);
        CRect radio;
        general.GetDlgItem(IDC_IMPORTANCE_LOW)->GetWindowRect(&radio);
        CPoint inPage(radio.right - 3, (radio.top + radio.bottom) / 2);
        general.ScreenToClient(&inPage);
        besideRadioText = image.Pixel(inPage.x, inPage.y);
        EXPECT_EQ(dynamic_cast<CButton*>(general.GetDlgItem(IDC_IMPORTANCE_HIGH))->GetCheck(), 1);
        EXPECT_EQ(general.GetDlgItem(IDC_ITEM_QUANTITY)->GetWindowText(), u"2");
        // With the panel up the tabs still run along the sheet's bottom, above the panel.
        uitest::TapScreen(kNotesTabOverPanel);
        EXPECT_EQ(sheet.GetActiveIndex(), 1);
        uitest::TapScreen(kOkButton);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(caption, u"Item Details");
    EXPECT_TRUE(panelUp);
    EXPECT_FALSE(IsInputPanelRaised()) << "the panel goes down with the sheet";
    EXPECT_EQ(pageCorner, kPageBlue);
    EXPECT_EQ(besideRadioText, kPageBlue) << "radio buttons draw on the page's blue";

    CItemDetailsPropSheet notesFirst(&item, nullptr, CItemDetailsPropSheet::kNotesPage);
    COLORREF notesCorner = 0;
    EXPECT_EQ(uitest::RunModal(notesFirst,
                               [&] {
                                   EXPECT_EQ(notesFirst.GetActiveIndex(), 1);
                                   EXPECT_EQ(Field(notesFirst, IDC_ITEM_NOTES).GetWindowText(),
                                             u"Poles\r\nPegs");
                                   notesCorner = uitest::Grab(*notesFirst.GetActivePage()).Pixel(1, 1);
                                   uitest::TapScreen(kCancelButton);
                               }),
              IDCANCEL);
    EXPECT_EQ(notesCorner, kPageBlue);
}

// A user who lowers the panel while the sheet is open gets it back as soon as the page repaints,
// which the smaller screen area it leaves already brings about.
TEST_F(ItemSheet, EachPageRaisesTheInputPanelAgainWhenItRepaints) {
    for (const UINT page : {CItemDetailsPropSheet::kGeneralPage, CItemDetailsPropSheet::kNotesPage}) {
        CItemDetailsPropSheet sheet(&item, nullptr, page);
        bool loweredByUser = false;
        bool upAfterRepaint = false;
        uitest::RunModal(sheet, [&] {
            LowerInputPanel();
            loweredByUser = !IsInputPanelRaised();
            uitest::ProcessEvents();
            upAfterRepaint = IsInputPanelRaised();
            sheet.EndDialog(IDCANCEL);
        });
        EXPECT_TRUE(loweredByUser) << page;
        EXPECT_TRUE(upAfterRepaint) << page;
        EXPECT_FALSE(IsInputPanelRaised()) << page << ": the panel goes down with the sheet";
    }
}

TEST_F(ItemSheet, RefusesAQuantityThatIsNoUnsignedNumberOnOkAndOnSwitchingTabs) {
    const std::vector<std::u16string> refused = {u"", u"  ", u"-1", u"12a", u"1 2", u"+3", u"4294967296"};
    for (const std::u16string& text : refused) {
        for (const bool bySwitching : {false, true}) {
            TaskItem edited = item;
            CItemDetailsPropSheet sheet(&edited);
            uitest::MessageBoxRecorder boxes;
            int selStart = -1;
            int selEnd = -1;
            CWnd* focus = nullptr;
            uitest::RunModal(sheet, [&] {
                Field(sheet, IDC_ITEM_QUANTITY).SetWindowText(text);
                if (bySwitching) {
                    EXPECT_FALSE(sheet.SetActivePage(1));
                } else {
                    sheet.SendCommand(ID_SHEET_OK);
                }
                EXPECT_TRUE(sheet.IsModalRunning());
                EXPECT_EQ(sheet.GetActiveIndex(), 0);
                focus = CWnd::GetFocus();
                dynamic_cast<CEdit&>(Field(sheet, IDC_ITEM_QUANTITY)).GetSel(&selStart, &selEnd);
                EXPECT_EQ(focus, &Field(sheet, IDC_ITEM_QUANTITY));
            });
            const std::string which(text.begin(), text.end());
            ASSERT_EQ(boxes.Shown().size(), 1u) << which;
            EXPECT_EQ(boxes.Shown()[0].text, kRefusal) << which;
            EXPECT_EQ(boxes.Shown()[0].type & 0x0Fu, MB_OK) << which;
            EXPECT_EQ(selStart, 0) << which;
            EXPECT_EQ(selEnd, static_cast<int>(text.size())) << which;
            EXPECT_EQ(edited, item) << which;
        }
    }
}

TEST_F(ItemSheet, AcceptsZeroTheLargestQuantityAndSpacesAroundIt) {
    const std::vector<std::pair<std::u16string, std::uint32_t>> accepted = {
        {u"0", 0u}, {u"4294967295", 4294967295u}, {u" \t17 ", 17u}, {u"007", 7u}};
    for (const auto& [text, quantity] : accepted) {
        TaskItem edited = item;
        CItemDetailsPropSheet sheet(&edited);
        uitest::MessageBoxRecorder boxes;
        EXPECT_EQ(uitest::RunModal(sheet,
                                   [&] {
                                       Field(sheet, IDC_ITEM_QUANTITY).SetWindowText(text);
                                       sheet.SendCommand(ID_SHEET_OK);
                                   }),
                  IDOK);
        EXPECT_TRUE(boxes.Shown().empty());
        EXPECT_EQ(edited.quantity, quantity);
    }
}

TEST_F(ItemSheet, WritesOnlyThePagesShownAndOnlyOnAccept) {
    // Accepting on the Notes page without visiting General keeps even a stored importance that is
    // no code.
    item.importance = 7;
    TaskItem edited = item;
    CItemDetailsPropSheet notesOnly(&edited, nullptr, CItemDetailsPropSheet::kNotesPage);
    uitest::RunModal(notesOnly, [&] {
        Field(notesOnly, IDC_ITEM_NOTES).SetWindowText(u"Mallet");
        notesOnly.SendCommand(IDOK);
    });
    TaskItem expected = item;
    expected.notes = u"Mallet";
    EXPECT_EQ(edited, expected);

    // The General page offers Normal for such an item, so accepting stores a valid code.
    CItemDetailsPropSheet general(&edited);
    int normalChecked = 0;
    uitest::RunModal(general, [&] {
        normalChecked =
            dynamic_cast<CButton*>(general.GetActivePage()->GetDlgItem(IDC_IMPORTANCE_NORMAL))->GetCheck();
        general.SendCommand(ID_SHEET_OK);
    });
    EXPECT_EQ(normalChecked, 1);
    EXPECT_EQ(edited.importance, TaskItem::kNormalImportance);

    // Cancel after changing every field on both pages leaves the item as it was, byte for byte.
    const TaskItem before = edited;
    CItemDetailsPropSheet cancelled(&edited);
    uitest::RunModal(cancelled, [&] {
        Field(cancelled, IDC_ITEM_TITLE).SetWindowText(u"Other");
        Field(cancelled, IDC_ITEM_QUANTITY).SetWindowText(u"9");
        ASSERT_TRUE(cancelled.SetActivePage(1));
        Field(cancelled, IDC_ITEM_NOTES).SetWindowText(u"Other");
        ASSERT_TRUE(cancelled.SetActivePage(0));
        uitest::TapScreen(kCancelButton);
    });
    EXPECT_EQ(edited, before);
}

TEST_F(ItemSheet, EnterNeverAcceptsAndGivesOneLineBreakPerPressOnlyInTheNotes) {
    TaskItem edited = item;
    CItemDetailsPropSheet sheet(&edited);
    bool openAfterEnters = false;
    std::u16string notes;
    uitest::RunModal(sheet, [&] {
        for (UINT field : {IDC_ITEM_TITLE, IDC_ITEM_QUANTITY}) {
            Field(sheet, field).SetFocus();
            uitest::PressKey(VK_RETURN);
            uitest::ProcessEvents();
        }
        EXPECT_EQ(Field(sheet, IDC_ITEM_TITLE).GetWindowText(), u"Tent");
        EXPECT_EQ(Field(sheet, IDC_ITEM_QUANTITY).GetWindowText(), u"2");
        ASSERT_TRUE(sheet.SetActivePage(1));
        CEdit& notesField = dynamic_cast<CEdit&>(Field(sheet, IDC_ITEM_NOTES));
        notesField.SetFocus();
        notesField.SetSel(5, 5); // after "Poles"
        for (int press = 0; press < 2; ++press) {
            uitest::PressKey(VK_RETURN);
            uitest::ProcessEvents();
        }
        uitest::TypeText(u"x");
        openAfterEnters = sheet.IsModalRunning();
        notes = notesField.GetWindowText();
        sheet.SendCommand(ID_SHEET_OK);
    });
    EXPECT_TRUE(openAfterEnters);
    EXPECT_EQ(notes, u"Poles\r\n\r\nx\r\nPegs");
    EXPECT_EQ(edited.notes, u"Poles\r\n\r\nx\r\nPegs");
    EXPECT_EQ(edited.title, u"Tent");
}

} // namespace
