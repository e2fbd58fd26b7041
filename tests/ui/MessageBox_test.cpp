// Message boxes: titled with the program's name, the buttons of their type answering as pressed,
// Escape and Enter, and nothing under the box reachable while it shows.
#include "FrameworkTables.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/testing/UiTest.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {
using namespace frameworktest;

constexpr COLORREF kTitleBand = RGB(0x0B, 0x24, 0x6B);

class MessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override { InstallFrameworkTables(); }
};

/// The centre of button `index` of `count` at the bottom of a box on the device, found from the
/// grabbed pixels: the box's lowest row of the button frames.
CPoint ButtonCentre(int index, int count) {
    const uitest::GrabbedImage device = uitest::GrabDevice();
    // Buttons are 52 wide with 8 between, centred across the 240-pixel screen.
    const int total = count * 52 + (count - 1) * 8;
    const int left = (240 - total) / 2 + index * 60;
    for (int y = device.Height() - 1; y > 0; --y) {
        if (device.Pixel(left, y) == RGB(0, 0, 0) && device.Pixel(left + 26, y) == RGB(0, 0, 0)) {
            return CPoint(left + 26, y - 10);
        }
    }
    return CPoint(-1, -1);
}

TEST_F(MessageBoxTest, TheTitleIsTheProgramsNameAndTheAnswerIsTheRecordersChoice) {
    uitest::MessageBoxRecorder boxes([](const uitest::ShownMessageBox&) { return IDCANCEL; });
    EXPECT_EQ(AfxMessageBox(u"Delete 'Shop'?", MB_OKCANCEL | MB_ICONQUESTION), IDCANCEL);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].title, u"Corvina");
    EXPECT_EQ(boxes.Shown()[0].text, u"Delete 'Shop'?");
    EXPECT_EQ(boxes.Shown()[0].type, MB_OKCANCEL | MB_ICONQUESTION);
}

TEST_F(MessageBoxTest, TheApplicationsNameTitlesTheBox) {
    CWinApp app(u"Checklist");
    uitest::MessageBoxRecorder boxes;
    EXPECT_EQ(AfxMessageBox(u"x"), IDOK);
    EXPECT_EQ(boxes.Shown().at(0).title, u"Checklist");
}

TEST_F(MessageBoxTest, TheRealBoxAnswersTheButtonTapped) {
    CDialog screen(kScreen);
    uitest::RunModal(screen, [&] {
        uitest::Soon([] {
            const uitest::GrabbedImage device = uitest::GrabDevice();
            device.SavePng("/tmp/windows-messagebox.png");
            uitest::TapScreen(ButtonCentre(1, 2));
        });
        EXPECT_EQ(AfxMessageBox(u"'Shop' contents have been changed.\nWould you like to save changes?",
                                MB_YESNO | MB_ICONQUESTION),
                  IDNO);
        uitest::Soon([] { uitest::TapScreen(ButtonCentre(0, 2)); });
        EXPECT_EQ(AfxMessageBox(u"Delete 'Shop'?", MB_OKCANCEL | MB_ICONQUESTION), IDOK);
    });
}

// Escape answers Cancel, or OK where OK is all there is; a Yes/No question ignores it, so a stray
// key never answers No for the user. Enter and Space press the focused button.
TEST_F(MessageBoxTest, KeysAnswerTheBoxAndNeverReachTheScreenUnderIt) {
    CDialog screen(kScreen);
    uitest::RunModal(screen, [&] {
        uitest::Soon([] {
            uitest::PressKey(VK_ESCAPE);
            uitest::PressKey(VK_RETURN);
        });
        EXPECT_EQ(AfxMessageBox(u"Sure?", MB_YESNO), IDYES);
        uitest::Soon([] { uitest::PressKey(VK_ESCAPE); });
        EXPECT_EQ(AfxMessageBox(u"Delete 'Shop'?", MB_OKCANCEL | MB_ICONQUESTION), IDCANCEL);
        uitest::Soon([] { uitest::PressKey(VK_ESCAPE); });
        EXPECT_EQ(AfxMessageBox(u"File deletion failed", MB_OK | MB_ICONSTOP), IDOK);
        uitest::Soon([] { uitest::PressKey(VK_SPACE); });
        EXPECT_EQ(AfxMessageBox(u"Delete 'Shop'?", MB_OKCANCEL | MB_ICONQUESTION), IDOK);
        EXPECT_TRUE(screen.IsModalRunning()) << "no key reached the screen";
    });
}

// The focused button wears a second frame one pixel inside its own; Tab moves it right, wrapping,
// and Shift+Tab back.
TEST_F(MessageBoxTest, TheDefaultButtonHasTheFocusAndTabMovesIt) {
    constexpr COLORREF kInk = RGB(0, 0, 0);
    // Two 52-pixel buttons with 8 between, centred on the 240-pixel screen.
    constexpr int kLeftButtonLeft = 64;
    constexpr int kRightButtonLeft = 124;
    CDialog screen(kScreen);
    uitest::RunModal(screen, [&] {
        std::vector<std::pair<bool, bool>> framed;
        uitest::Soon([&] {
            const int y = ButtonCentre(0, 2).y;
            auto record = [&] {
                const uitest::GrabbedImage device = uitest::GrabDevice();
                framed.emplace_back(device.Pixel(kLeftButtonLeft + 1, y) == kInk,
                                    device.Pixel(kRightButtonLeft + 1, y) == kInk);
            };
            record();
            uitest::PressKey(VK_TAB);
            record();
            uitest::PressKey(VK_TAB);
            record();
            uitest::PressKey(VK_TAB, MK_SHIFT);
            record();
            uitest::PressKey(VK_RETURN);
        });
        EXPECT_EQ(AfxMessageBox(u"'Shop' contents have been changed.\nWould you like to save changes?",
                                MB_YESNO | MB_ICONQUESTION),
                  IDNO);
        EXPECT_EQ(framed, (std::vector<std::pair<bool, bool>>{{true, false}, {false, true}, {true, false}, {false, true}}));
    });
}

TEST_F(MessageBoxTest, ATapBesideTheBoxDoesNothing) {
    CDialog screen(kScreen);
    uitest::RunModal(screen, [&] {
        uitest::Soon([] {
            uitest::TapScreen(CPoint(222, 13)); // the caption's OK, under the cover
            uitest::PressKey(VK_RETURN);
        });
        EXPECT_EQ(AfxMessageBox(u"Stop", MB_OK | MB_ICONSTOP), IDOK);
        EXPECT_TRUE(screen.IsModalRunning());
    });
}

TEST_F(MessageBoxTest, TheBoxHasATitleBandInTheCaptionColour) {
    CDialog screen(kScreen);
    uitest::RunModal(screen, [&] {
        uitest::Soon([] {
            const uitest::GrabbedImage device = uitest::GrabDevice();
            bool found = false;
            for (int y = 40; y < 300 && !found; ++y) {
                found = device.Pixel(120, y) == kTitleBand;
            }
            EXPECT_TRUE(found);
            uitest::PressKey(VK_RETURN);
        });
        AfxMessageBox(u"An attempt was made to access an unnamed file past its end.", MB_OK | MB_ICONSTOP);
    });
}

} // namespace
