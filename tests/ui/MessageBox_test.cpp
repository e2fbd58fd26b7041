// Message boxes: titled with the program's name, the buttons of their type answering as pressed,
// Escape, Space and Tab (never Enter), and nothing under the box reachable while it shows.
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
            uitest::GrabDevice(); // the box is painted, as a user sees it, before the tap
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
// key never answers No for the user. Space presses the focused button.
TEST_F(MessageBoxTest, KeysAnswerTheBoxAndNeverReachTheScreenUnderIt) {
    CDialog screen(kScreen);
    uitest::RunModal(screen, [&] {
        uitest::Soon([] {
            uitest::PressKey(VK_ESCAPE);
            uitest::PressKey(VK_SPACE);
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
            uitest::PressKey(VK_SPACE);
        });
        EXPECT_EQ(AfxMessageBox(u"'Shop' contents have been changed.\nWould you like to save changes?",
                                MB_YESNO | MB_ICONQUESTION),
                  IDNO);
        EXPECT_EQ(framed, (std::vector<std::pair<bool, bool>>{
                              {true, false}, {false, true}, {true, false}, {false, true}}));
    });
}

// Enter is the program's Open command, never an answer: after it the focus is still on the default
// button of a box that is still open, so Tab and Space answer with the second button. The screen
// under the box does not get it either.
TEST_F(MessageBoxTest, EnterAnswersNothing) {
    CDialog screen(kScreen);
    uitest::RunModal(screen, [&] {
        for (const auto& [type, second] :
             {std::pair{MB_YESNO, IDNO}, std::pair{MB_OKCANCEL, IDCANCEL}, std::pair{MB_YESNOCANCEL, IDNO}}) {
            uitest::Soon([] {
                uitest::PressKey(VK_RETURN);
                uitest::PressKey(VK_TAB);
                uitest::PressKey(VK_SPACE);
            });
            EXPECT_EQ(AfxMessageBox(u"Delete 'Shop'?", type | MB_ICONQUESTION), second) << type;
        }
        EXPECT_TRUE(screen.IsModalRunning());
    });
}

// The question that can also take the user back: Yes, No and Cancel left to right, Yes focused;
// Escape is Cancel, as is closing the box without a button.
TEST_F(MessageBoxTest, AYesNoCancelQuestionAnswersEachButtonAndEscapeIsCancel) {
    CDialog screen(kScreen);
    const std::u16string question = u"'Shop' contents have been changed.\nWould you like to save changes?";
    uitest::RunModal(screen, [&] {
        for (const auto& [button, answer] :
             {std::pair{0, IDYES}, std::pair{1, IDNO}, std::pair{2, IDCANCEL}}) {
            uitest::Soon([button = button] {
                uitest::GrabDevice();
                uitest::TapScreen(ButtonCentre(button, 3));
            });
            EXPECT_EQ(AfxMessageBox(question, MB_YESNOCANCEL | MB_ICONQUESTION), answer) << button;
        }
        uitest::Soon([] { uitest::PressKey(VK_ESCAPE); });
        EXPECT_EQ(AfxMessageBox(question, MB_YESNOCANCEL | MB_ICONQUESTION), IDCANCEL);
        uitest::Soon([] { uitest::PressKey(VK_SPACE); });
        EXPECT_EQ(AfxMessageBox(question, MB_YESNOCANCEL | MB_ICONQUESTION), IDYES);
        uitest::Soon([] {
            uitest::PressKey(VK_TAB, MK_SHIFT); // back from Yes wraps round to Cancel
            uitest::PressKey(VK_SPACE);
        });
        EXPECT_EQ(AfxMessageBox(question, MB_YESNOCANCEL | MB_ICONQUESTION), IDCANCEL);
        EXPECT_TRUE(screen.IsModalRunning());
    });
}

// The window's close while a question is open waits for its answer: the screen under it is not asked
// to close meanwhile (it would ask its own question over this one).
TEST_F(MessageBoxTest, TheWindowsCloseWaitsForTheOpenQuestion) {
    class CancelCounting : public CDialog {
    public:
        CancelCounting() : CDialog(kScreen) {}
        int cancelRequests = 0;

    protected:
        void OnCancel() override { ++cancelRequests; }
    } screen;
    uitest::RunModal(screen, [&] {
        uitest::Soon([] {
            EXPECT_FALSE(uitest::CloseDeviceWindow());
            uitest::PressKey(VK_SPACE);
        });
        EXPECT_EQ(AfxMessageBox(u"Sure?", MB_YESNO), IDYES);
        EXPECT_EQ(screen.cancelRequests, 0);
        EXPECT_FALSE(uitest::CloseDeviceWindow());
        EXPECT_EQ(screen.cancelRequests, 1) << "without a question, the close is the screen's";
    });
}

TEST_F(MessageBoxTest, ATapBesideTheBoxDoesNothing) {
    CDialog screen(kScreen);
    uitest::RunModal(screen, [&] {
        uitest::Soon([] {
            uitest::TapScreen(CPoint(222, 13)); // the caption's OK, under the cover
            uitest::PressKey(VK_SPACE);
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
            uitest::PressKey(VK_SPACE);
        });
        AfxMessageBox(u"An attempt was made to access an unnamed file past its end.", MB_OK | MB_ICONSTOP);
    });
}

/// The rows of the device (from the top) where the box's title band shows in the middle column.
std::pair<int, int> TitleBandRows(const uitest::GrabbedImage& device) {
    int first = -1;
    int last = -1;
    for (int y = 0; y < device.Height(); ++y) {
        if (device.Pixel(120, y) == kTitleBand) {
            first = first < 0 ? y : first;
            last = y;
        }
    }
    return {first, last};
}

/// How many pixels differ between two grabs of the device.
int DifferentPixels(const uitest::GrabbedImage& a, const uitest::GrabbedImage& b) {
    int different = 0;
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            different += a.Pixel(x, y) != b.Pixel(x, y) ? 1 : 0;
        }
    }
    return different;
}

TEST_F(MessageBoxTest, ALongPathWrapsWithinTheBoxWhichGrowsForIt) {
    CDialog screen(kScreen);
    int shortBoxTop = -1;
    int pathBoxTop = -1;
    int inkInTheRightMargin = -1;
    uitest::RunModal(screen, [&] {
        uitest::Soon([&] {
            shortBoxTop = TitleBandRows(uitest::GrabDevice()).first;
            uitest::PressKey(VK_SPACE);
        });
        AfxMessageBox(u"Stop", MB_OK | MB_ICONSTOP);
        uitest::Soon([&] {
            const uitest::GrabbedImage device = uitest::GrabDevice();
            pathBoxTop = TitleBandRows(device).first;
            // The box spans x = 12 to 228; its text ends 8 + 24 + 8 + 160 pixels in, at x = 212.
            inkInTheRightMargin = 0;
            for (int y = pathBoxTop + 20; y < pathBoxTop + 80; ++y) {
                for (int x = 213; x < 227; ++x) {
                    inkInTheRightMargin += device.Pixel(x, y) == RGB(255, 255, 255) ? 0 : 1;
                }
            }
            uitest::PressKey(VK_SPACE);
        });
        AfxMessageBox(
            u"Access to \\Storage_Card\\Corvina_Lists_From_The_Old_Device\\Locked_Shopping.crv was denied.",
            MB_OK | MB_ICONSTOP);
    });
    EXPECT_EQ(inkInTheRightMargin, 0) << "nothing runs past the text's edge";
    // "Stop" needs the 24-pixel icon's height; the path four lines of 13 (52): the box is 28 pixels
    // taller and, centred, starts 14 higher.
    EXPECT_EQ(shortBoxTop - pathBoxTop, 14);
}

TEST_F(MessageBoxTest, AMessageTallerThanTheScreenFitsItAndScrolls) {
    std::u16string message;
    for (int line = 1; line <= 40; ++line) {
        message += u"Line " + std::u16string(1, static_cast<char16_t>(u'A' + line % 26)) + u"\n";
    }
    CDialog screen(kScreen);
    uitest::RunModal(screen, [&] {
        uitest::Soon([&] {
            const uitest::GrabbedImage top = uitest::GrabDevice();
            EXPECT_GE(TitleBandRows(top).first, 0) << "the box starts on the screen";
            const CPoint ok = ButtonCentre(0, 1);
            EXPECT_GT(ok.y, 0) << "and its button shows";
            uitest::PressKey(VK_DOWN);
            const uitest::GrabbedImage scrolled = uitest::GrabDevice();
            EXPECT_GT(DifferentPixels(top, scrolled), 0) << "Down scrolls the text a line";
            uitest::PressKey(VK_UP);
            EXPECT_EQ(DifferentPixels(top, uitest::GrabDevice()), 0) << "and Up back";
            uitest::TapScreen(ok);
        });
        EXPECT_EQ(AfxMessageBox(message, MB_OK), IDOK);
    });
}

} // namespace
