// The application's keyboard hook: a plain Enter becomes Open for the focused window; every other
// key goes on to the windows' own handling.
#include "platform/ui/Resources.h"
#include "platform/ui/Wnd.h"
#include "res/ResourceIds.h"
#include "shell/CorvinaApp.h"

#include <gtest/gtest.h>

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

class CorvinaAppTest : public ::testing::Test {
protected:
    void SetUp() override {
        InstallProgramResources();
        ASSERT_TRUE(m_app.LoadShortcuts());
    }
    CCorvinaApp m_app;
    CommandSink m_sink;
};

TEST_F(CorvinaAppTest, PlainEnterIsConsumedAsOpen) {
    MSG enter = Key(&m_sink, WM_KEYDOWN, VK_RETURN);
    EXPECT_TRUE(m_app.PreTranslateMessage(enter));
    EXPECT_EQ(m_sink.received, std::vector<UINT>{ID_FILE_OPEN});
}

TEST_F(CorvinaAppTest, EnterWithAModifierOrOtherKeysPassOn) {
    for (MSG msg : {Key(&m_sink, WM_KEYDOWN, VK_RETURN, MK_SHIFT), Key(&m_sink, WM_KEYDOWN, VK_RETURN, MK_CONTROL),
                    Key(&m_sink, WM_KEYDOWN, VK_RETURN, kAltDown), Key(&m_sink, WM_KEYDOWN, VK_ESCAPE),
                    Key(&m_sink, WM_KEYDOWN, VK_DOWN), Key(&m_sink, WM_KEYUP, VK_RETURN)}) {
        EXPECT_FALSE(m_app.PreTranslateMessage(msg)) << msg.wParam << " " << msg.lParam;
    }
    EXPECT_TRUE(m_sink.received.empty());
}

TEST_F(CorvinaAppTest, TheApplicationIsNamedForMessageBoxes) {
    EXPECT_EQ(m_app.GetAppName(), u"Corvina");
    EXPECT_EQ(AfxGetApp(), &m_app);
}

}  // namespace
