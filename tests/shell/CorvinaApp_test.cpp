// The application's keyboard hook: a plain Enter becomes Open for the focused window; every other
// key goes on to the windows' own handling.
#include "support/DeviceRootFixture.h"

#include "model/CorvinaDoc.h"
#include "platform/storage/Registry.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/testing/PictureProbe.h"
#include "platform/ui/testing/UiTest.h"
#include "res/ResourceIds.h"
#include "shell/CorvinaApp.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// A window that records the commands it receives.
class CommandSink : public CWnd {
public:
    std::vector<UINT> received;

protected:
    bool OnCommand(UINT id) override {
        received.push_back(id);
        return true;
    }
};

MSG Key(CWnd* target, UINT message, UINT key, LPARAM modifiers = 0) {
    MSG msg;
    msg.hwnd = target;
    msg.message = message;
    msg.wParam = key;
    msg.lParam = modifiers;
    return msg;
}

class CorvinaAppTest : public shelltest::DeviceRootTest {
protected:
    void SetUp() override {
        DeviceRootTest::SetUp();
        InstallProgramResources();
        ASSERT_TRUE(m_app.LoadShortcuts());
    }
    CCorvinaApp m_app{Device()};
    CommandSink m_sink;
};

TEST_F(CorvinaAppTest, PlainEnterIsConsumedAsOpen) {
    MSG enter = Key(&m_sink, WM_KEYDOWN, VK_RETURN);
    EXPECT_TRUE(m_app.PreTranslateMessage(enter));
    EXPECT_EQ(m_sink.received, std::vector<UINT>{ID_FILE_OPEN});
}

TEST_F(CorvinaAppTest, EnterWithAModifierOrOtherKeysPassOn) {
    for (MSG msg :
         {Key(&m_sink, WM_KEYDOWN, VK_RETURN, MK_SHIFT), Key(&m_sink, WM_KEYDOWN, VK_RETURN, MK_CONTROL),
          Key(&m_sink, WM_KEYDOWN, VK_RETURN, kAltDown), Key(&m_sink, WM_KEYDOWN, VK_ESCAPE),
          Key(&m_sink, WM_KEYDOWN, VK_DOWN), Key(&m_sink, WM_KEYUP, VK_RETURN)}) {
        EXPECT_FALSE(m_app.PreTranslateMessage(msg)) << msg.wParam << " " << msg.lParam;
    }
    EXPECT_TRUE(m_sink.received.empty());
}

// Start-up as a whole: the Lists folder from the registry, created on the first start, the document
// list screen as the main window, and the program's end when that screen is closed (here by the
// picture tour's Escape).
class StartUpTest : public shelltest::DeviceRootTest {
protected:
    void SetUp() override {
        DeviceRootTest::SetUp();
        InstallProgramResources();
    }
};

TEST_F(StartUpTest, RunsTheDocumentListOnTheInstalledListsFolderAndEndsWhenItCloses) {
    MakeFolder(u"\\Apps");
    ASSERT_EQ(WriteRegistryString(Device(), RegistryRoot::LocalMachine, u"SOFTWARE\\Tarrow\\Corvina",
                                  u"InstallDir", u"\\Apps"),
              RegistryError::None);
    const std::filesystem::path picture = m_root / "start.png";
    CCorvinaApp app(Device());
    app.SetScreenshot({{}, picture.string()});
    EXPECT_FALSE(app.InitInstance());
    EXPECT_TRUE(app.ScreenshotWritten());
    // The picture is the device screen as drawn: caption bar on top, menu bar with its rule below.
    const CBitmap shot = uitest::ReadPngBitmap(picture.string());
    EXPECT_EQ(shot.GetSize(), CSize(240, 320));
    EXPECT_EQ(shot.GetPixel(0, 0), RGB(0x0B, 0x24, 0x6B));
    EXPECT_EQ(shot.GetPixel(120, 320 - 26), RGB(0x80, 0x80, 0x80));
    EXPECT_EQ(shot.GetPixel(120, 320 - 25), RGB(0xEC, 0xEC, 0xEC));
    EXPECT_TRUE(std::filesystem::is_directory(Host(u"\\Apps\\Lists")));
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}

// The picture is a plain PNG of the screen's size, 8-bit RGB; a picture that cannot be written is
// reported as not written, and the program still ends as it would.
TEST_F(StartUpTest, ThePictureIsAnRgbPngAndOneThatCannotBeWrittenIsReportedSo) {
    const std::filesystem::path picture = m_root / "start.png";
    {
        CCorvinaApp app(Device());
        app.SetScreenshot({{}, picture.string()});
        EXPECT_FALSE(app.InitInstance());
        EXPECT_TRUE(app.ScreenshotWritten());
    }
    std::ifstream in(picture, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    // The signature, then the header chunk: length 13, "IHDR", width, height (big-endian), bit
    // depth 8 and colour type 2 (RGB).
    const std::string head = std::string("\x89PNG\r\n\x1a\n", 8) + std::string("\0\0\0\x0dIHDR", 8) +
                             std::string("\0\0\0\xf0\0\0\x01\x40\x08\x02", 10);
    ASSERT_GE(bytes.size(), head.size());
    EXPECT_EQ(bytes.substr(0, head.size()), head);

    CCorvinaApp unwritable(Device());
    unwritable.SetScreenshot({{}, (m_root / "no such folder" / "start.png").string()});
    EXPECT_FALSE(unwritable.InitInstance());
    EXPECT_FALSE(unwritable.ScreenshotWritten());
}

// While the program runs, a list that cannot be saved (or read) is reported on screen, in the
// framework's words, in a message box titled with the program's name and the stop icon.
TEST_F(StartUpTest, AFailedSaveIsReportedInAMessageBoxWithTheStopIcon) {
    uitest::MessageBoxRecorder boxes;
    CCorvinaDoc doc;
    doc.SetHostPathMapping(Device().PathMapping());
    {
        CCorvinaApp app(Device());
        EXPECT_FALSE(doc.OnSaveDocument(u"\\Gone\\Shop.crv"));
    }
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].title, u"Corvina");
    EXPECT_EQ(boxes.Shown()[0].type, MB_OK | MB_ICONSTOP);
    EXPECT_EQ(boxes.Shown()[0].text, u"\\Gone\\Shop.crv was not found.");
}

} // namespace
