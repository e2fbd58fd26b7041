// Edit fields: selection and replacement, digits-only fields, and which Enter makes a line break in a
// multi-line field.
#include "FrameworkTables.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "platform/ui/testing/UiTest.h"

#include <gtest/gtest.h>

namespace {
using namespace frameworktest;

constexpr std::uint16_t kFieldsScreen = 910;
constexpr std::uint16_t kDigits = 1101;
constexpr std::uint16_t kNotes = 1102;
constexpr std::uint16_t kPlainLines = 1103;

inline constexpr DialogItemTemplate kFieldItems[] = {
    {kDigits, kEditClass, u"", 4, 4, 60, 12, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_NUMBER},
    {kNotes, kEditClass, u"", 4, 20, 120, 40,
     WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN |
         ES_AUTOVSCROLL},
    {kPlainLines, kEditClass, u"", 4, 64, 120, 40,
     WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_MULTILINE},
};
inline constexpr DialogTemplate kFieldDialogs[] = {
    {kFieldsScreen, u"Fields", 140, 155, WS_POPUP, 0, u"System", 8, kFieldItems},
};

class EditTest : public ::testing::Test {
protected:
    void SetUp() override { InstallResources(ResourceTables{{}, kFieldDialogs, {}, {}, {}}); }
};

CEdit& EditOf(CDialog& screen, UINT id) {
    return dynamic_cast<CEdit&>(*screen.GetDlgItem(id));
}

TEST_F(EditTest, SelectionAndReplacementWorkOnTheText) {
    CDialog screen(kFieldsScreen);
    uitest::RunModal(screen, [&] {
        CEdit& notes = EditOf(screen, kNotes);
        notes.SetWindowText(u"Milk and bread");
        notes.SetSel(5, 8);
        int start = 0;
        int end = 0;
        notes.GetSel(&start, &end);
        EXPECT_EQ(start, 5);
        EXPECT_EQ(end, 8);
        notes.ReplaceSel(u"or");
        EXPECT_EQ(notes.GetWindowText(), u"Milk or bread");
        notes.SetSel(0, -1);
        notes.GetSel(&start, &end);
        EXPECT_EQ(end, 13) << "-1 selects to the end";
        notes.SetSel(40, 90);
        notes.GetSel(&start, &end);
        EXPECT_EQ(start, 13) << "out-of-range positions stop at the end";
    });
}

TEST_F(EditTest, ADigitsOnlyFieldRefusesOtherCharacters) {
    CDialog screen(kFieldsScreen);
    uitest::RunModal(screen, [&] {
        screen.GetDlgItem(kDigits)->SetFocus();
        uitest::TypeText(u"1a2-3 ");
        EXPECT_EQ(screen.GetDlgItem(kDigits)->GetWindowText(), u"123");
    });
}

TEST_F(EditTest, AFieldThatAcceptsEnterBreaksTheLineOnEnterAndControlEnter) {
    CDialog screen(kFieldsScreen);
    uitest::RunModal(screen, [&] {
        CWnd* notes = screen.GetDlgItem(kNotes);
        notes->SetFocus();
        uitest::TypeText(u"a");
        uitest::PressKey(VK_RETURN);
        uitest::TypeText(u"b");
        uitest::PressKey(VK_RETURN, MK_CONTROL);
        // A multi-line field holds its line breaks as CR LF pairs, as the device's fields do.
        EXPECT_EQ(notes->GetWindowText(), u"a\r\nb\r\n");
        EXPECT_TRUE(screen.IsModalRunning()) << "Enter stayed in the field";
        // Text set with CR LF pairs reads back as it was set, one line break each.
        notes->SetWindowText(u"x\r\ny");
        EXPECT_EQ(notes->GetWindowText(), u"x\r\ny");
    });
}

TEST_F(EditTest, AMultiLineFieldWithoutIttakesOnlyControlEnterAndPlainEnterIsTheScreens) {
    CDialog screen(kFieldsScreen);
    const int result = uitest::RunModal(screen, [&] {
        CWnd* lines = screen.GetDlgItem(kPlainLines);
        lines->SetFocus();
        uitest::PressKey(VK_RETURN, MK_CONTROL);
        EXPECT_EQ(lines->GetWindowText(), u"\r\n");
        uitest::PressKey(VK_RETURN);
    });
    EXPECT_EQ(result, IDOK) << "with no shortcut table, a plain Enter is the screen's OK";
}

} // namespace
