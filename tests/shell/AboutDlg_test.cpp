// The about box: its texts, each in its own font, nothing reacting to a tap, and how it closes.
#include "support/DeviceRootFixture.h"

#include "platform/ui/Resources.h"
#include "platform/ui/testing/UiTest.h"
#include "shell/AboutDlg.h"
#include "shell/CorvinaApp.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct FontSeen {
    std::u16string face;
    int height = 0;
    int weight = 0;
    bool italic = true;
    bool operator==(const FontSeen&) const = default;
};

FontSeen FontOf(const CStatic& control) {
    const CFont* font = control.GetFont();
    if (font == nullptr) {
        return {};
    }
    const LOGFONT attributes = font->GetLogFont();
    return {attributes.lfFaceName, attributes.lfHeight, attributes.lfWeight,
            attributes.lfItalic != 0 || attributes.lfUnderline != 0 || attributes.lfStrikeOut != 0};
}

class AboutBoxTest : public shelltest::DeviceRootTest {
protected:
    void SetUp() override {
        DeviceRootTest::SetUp();
        InstallProgramResources();
    }
};

TEST_F(AboutBoxTest, EachTextHasItsOwnFont) {
    CAboutDlg about;
    uitest::RunModal(about, [&] {
        EXPECT_EQ(FontOf(about.GetProductName()), (FontSeen{u"Tahoma", 18, FW_BOLD, false}));
        EXPECT_EQ(FontOf(about.GetVersion()), (FontSeen{u"Tahoma", 14, FW_NORMAL, false}));
        EXPECT_EQ(FontOf(about.GetWebAddress()), (FontSeen{u"Tahoma", 14, FW_SEMIBOLD, false}));
        EXPECT_EQ(FontOf(about.GetCompanyLine()), (FontSeen{u"Tahoma", 12, FW_NORMAL, false}));
    });
}

TEST_F(AboutBoxTest, TappingTheTextsDoesNothing) {
    CAboutDlg about;
    bool stillRunning = false;
    uitest::RunModal(about, [&] {
        uitest::MenuRecorder menus;
        uitest::MessageBoxRecorder boxes;
        uitest::GestureOverride noHold(uitest::GestureAnswer::NoHold);
        for (CStatic* text : {&about.GetWebAddress(), &about.GetCompanyLine(), &about.GetProductName()}) {
            uitest::Tap(*text, {2, 2});
        }
        stillRunning = about.IsModalRunning();
        EXPECT_TRUE(menus.Shown().empty());
        EXPECT_TRUE(boxes.Shown().empty());
    });
    EXPECT_TRUE(stillRunning);
}

TEST_F(AboutBoxTest, EnterDoesNotCloseIt) {
    CCorvinaApp app(Device());
    ASSERT_TRUE(app.LoadShortcuts());
    CAboutDlg about;
    bool stillRunning = false;
    uitest::RunModal(about, [&] {
        uitest::PressKey(VK_RETURN);
        stillRunning = about.IsModalRunning();
    });
    EXPECT_TRUE(stillRunning);
}

TEST_F(AboutBoxTest, OkAndCancelBothCloseIt) {
    CAboutDlg about;
    EXPECT_EQ(uitest::RunModal(about, [&] { about.SendCommand(IDOK); }), IDOK);
    CAboutDlg again;
    EXPECT_EQ(uitest::RunModal(again, [&] { uitest::PressKey(VK_ESCAPE); }), IDCANCEL);
}

} // namespace
