// Property sheets: pages made when first shown, tabs that switch only when the page in front lets
// go, accepting (validate the front page, then every shown page writes) and cancelling.
#include "FrameworkTables.h"

#include "platform/ui/CommandBar.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/testing/UiTest.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
using namespace frameworktest;

constexpr std::uint16_t kFirstPage = 930;
constexpr std::uint16_t kSecondPage = 931;
constexpr std::uint16_t kName = 1301;
constexpr std::uint16_t kCount = 1302;
constexpr std::uint16_t kText = 1303;
/// Device-screen points of the tabs: the strip is the screen's bottom 20 pixels, above the menu bar.
const CPoint kFirstTab(20, 26 + 268 - 10);
const CPoint kSecondTab(75, 26 + 268 - 10);

inline constexpr DialogItemTemplate kFirstItems[] = {
    {IDC_STATIC, kStaticClass, u"Name", 4, 4, 30, 8, WS_CHILD | WS_VISIBLE},
    {kName, kEditClass, u"", 40, 2, 90, 12, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP},
    {IDC_STATIC, kStaticClass, u"Count", 4, 20, 30, 8, WS_CHILD | WS_VISIBLE},
    {kCount, kEditClass, u"", 40, 18, 90, 12, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_NUMBER},
};
inline constexpr DialogItemTemplate kSecondItems[] = {
    {kText, kEditClass, u"", 3, 3, 132, 90,
     WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_MULTILINE | ES_WANTRETURN},
};
inline constexpr DialogTemplate kPageDialogs[] = {
    {kFirstPage, u"General", 152, 126, WS_CHILD, 0, u"System", 8, kFirstItems},
    {kSecondPage, u"Notes", 144, 126, WS_CHILD, 0, u"System", 8, kSecondItems},
};

/// The record the sheet edits.
struct Record {
    std::u16string name = u"Milk";
    std::u16string count = u"1";
    std::u16string text = u"semi-skimmed";
};

class FirstPage : public CPropertyPage {
public:
    explicit FirstPage(Record& record)
        : CPropertyPage(kFirstPage), name(record.name), count(record.count), m_record(record) {}
    std::u16string name;
    std::u16string count;
    int activations = 0;

    void OnOK() override {
        m_record.name = name;
        m_record.count = count;
    }
    bool OnSetActive() override {
        ++activations;
        return CPropertyPage::OnSetActive();
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, kName, name);
        pDX->PrepareEditCtrl(kCount);
        DDX_Text(pDX, kCount, count);
        if (pDX->m_bSaveAndValidate && count.empty()) {
            pDX->Fail();
        }
    }

private:
    Record& m_record;
};

class SecondPage : public CPropertyPage {
public:
    explicit SecondPage(Record& record) : CPropertyPage(kSecondPage), text(record.text), m_record(record) {}
    std::u16string text;
    void OnOK() override { m_record.text = text; }

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, kText, text); }

private:
    Record& m_record;
};

class RecordSheet : public CPropertySheet {
public:
    RecordSheet(Record& record, UINT startPage)
        : CPropertySheet(u"Item Details", nullptr, startPage), first(record), second(record) {
        AddPage(&first);
        AddPage(&second);
    }
    FirstPage first;
    SecondPage second;
};

class PropertySheetTest : public ::testing::Test {
protected:
    void SetUp() override { InstallResources(ResourceTables{{}, kPageDialogs, {}, {}, {}}); }
};

TEST_F(PropertySheetTest, OnlyTheStartPageIsMadeAndAcceptingWritesOnlyWhatWasShown) {
    Record record;
    RecordSheet sheet(record, 1);
    const int result = uitest::RunModal(sheet, [&] {
        EXPECT_EQ(sheet.GetWindowText(), u"Item Details");
        EXPECT_EQ(sheet.GetActivePage(), &sheet.second);
        EXPECT_FALSE(sheet.first.HasWindow()) << "a page never shown has no window";
        EXPECT_EQ(sheet.second.GetDlgItem(kText)->GetWindowText(), u"semi-skimmed");
        sheet.second.GetDlgItem(kText)->SetWindowText(u"whole");
        uitest::TapScreen(CPoint(222, 13));
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(record.text, u"whole");
    EXPECT_EQ(record.name, u"Milk") << "the first page was never shown";
}

TEST_F(PropertySheetTest, TabsSwitchPagesAndALaterActivationReloadsTheFields) {
    Record record;
    RecordSheet sheet(record, 0);
    uitest::RunModal(sheet, [&] {
        EXPECT_EQ(sheet.first.GetDlgItem(kName)->GetWindowText(), u"Milk");
        uitest::TapScreen(kSecondTab);
        EXPECT_EQ(sheet.GetActiveIndex(), 1);
        sheet.first.name = u"Bread";
        uitest::TapScreen(kFirstTab);
        EXPECT_EQ(sheet.GetActiveIndex(), 0);
        EXPECT_EQ(sheet.first.activations, 2);
        EXPECT_EQ(sheet.first.GetDlgItem(kName)->GetWindowText(), u"Bread");
    });
}

TEST_F(PropertySheetTest, APageThatRefusesItsFieldsStaysInFrontAndTheSheetStaysOpen) {
    Record record;
    RecordSheet sheet(record, 0);
    const int result = uitest::RunModal(sheet, [&] {
        sheet.first.GetDlgItem(kCount)->SetWindowText(u"");
        uitest::TapScreen(kSecondTab);
        EXPECT_EQ(sheet.GetActiveIndex(), 0) << "leaving is refused";
        EXPECT_EQ(CWnd::GetFocus(), sheet.first.GetDlgItem(kCount)) << "the refused field has the focus";
        sheet.SendCommand(IDOK);
        EXPECT_TRUE(sheet.IsModalRunning()) << "accepting is refused too";
        sheet.first.GetDlgItem(kCount)->SetWindowText(u"4");
        sheet.SendCommand(IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(record.count, u"4");
}

TEST_F(PropertySheetTest, CancelAndEscapeWriteNothing) {
    Record record;
    RecordSheet sheet(record, 0);
    const int result = uitest::RunModal(sheet, [&] {
        sheet.first.GetDlgItem(kName)->SetWindowText(u"Eggs");
        sheet.first.GetDlgItem(kName)->SetFocus();
        uitest::PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(record.name, u"Milk");
}

TEST_F(PropertySheetTest, APageCommandItDoesNotHandleReachesTheSheet) {
    Record record;
    RecordSheet sheet(record, 0);
    std::vector<UINT> seen;
    sheet.GetCommandMap().OnCommand(kCmdFirst, [&] { seen.push_back(kCmdFirst); });
    const int result = uitest::RunModal(sheet, [&] {
        sheet.first.SendCommand(kCmdFirst);
        sheet.first.SendCommand(IDOK);
    });
    EXPECT_EQ(seen, (std::vector<UINT>{kCmdFirst}));
    EXPECT_EQ(result, IDOK);
}

/// A sheet with a command bar of cancel and OK, as the item details sheet has.
class BarSheet : public RecordSheet {
public:
    explicit BarSheet(Record& record) : RecordSheet(record, 0) {
        GetCommandMap().OnCommand(kSheetOk, [this] { SendCommand(IDOK); });
    }
    static constexpr UINT kSheetOk = 32843;
    CCommandBar bar;
    bool added = false;

protected:
    bool OnInitDialog() override {
        bar.Create(this);
        // Picture 131 stands in for the two-image strip: its first two 22-pixel cells.
        const ToolButton buttons[] = {{IDCANCEL, 0, false}, {kSheetOk, 1, false}};
        added = bar.AddButtons(131, buttons);
        return RecordSheet::OnInitDialog();
    }
};

TEST_F(PropertySheetTest, ACommandBarOfCancelAndOkSitsInTheMenuBar) {
    InstallProgramResources();
    InstallResources(ResourceTables{ProgramResources().strings, kPageDialogs, {}, {}, {}});
    Record record;
    BarSheet sheet(record);
    const int result = uitest::RunModal(sheet, [&] {
        ASSERT_TRUE(sheet.added);
        sheet.first.GetDlgItem(kName)->SetWindowText(u"Butter");
        uitest::TapScreen(CPoint(30 + 15, 320 - 13)); // the second button: OK
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(record.name, u"Butter");
    CCommandBar detached;
    EXPECT_FALSE(detached.AddButtons(131, {}));
}

TEST_F(PropertySheetTest, ASheetRunsAgainWithFreshPages) {
    Record record;
    RecordSheet sheet(record, 0);
    uitest::RunModal(sheet, [&] { uitest::TapScreen(kSecondTab); });
    EXPECT_FALSE(sheet.second.HasBeenShown());
    uitest::RunModal(sheet, [&] {
        EXPECT_EQ(sheet.GetActiveIndex(), 0);
        EXPECT_TRUE(sheet.first.HasWindow());
        EXPECT_FALSE(sheet.second.HasWindow());
    });
}

} // namespace
