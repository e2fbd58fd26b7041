// The application object and the keys a program injects.
#include "FrameworkTables.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/KeyInjection.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/testing/UiTest.h"

#include <gtest/gtest.h>

namespace {
using namespace frameworktest;

TEST(AppObject, OnlyTheLatestApplicationIsCurrentAndNoneAfterItGoes) {
    {
        CWinApp app(u"Corvina");
        EXPECT_EQ(AfxGetApp(), &app);
        EXPECT_EQ(app.GetAppName(), u"Corvina");
    }
    EXPECT_EQ(AfxGetApp(), nullptr);
}

TEST(KeyInjection, ControlEnterInjectedArrivesAfterTheHandlerAndBreaksTheLine) {
    InstallFrameworkTables();
    CDialog screen(kScreen);
    uitest::RunModal(screen, [&] {
        CWnd* field = screen.GetDlgItem(kField);
        field->SetWindowText(u"");
        field->SetFocus();
        keybd_event(static_cast<BYTE>('A'), 0, 0, 0);
        keybd_event(static_cast<BYTE>('A'), 0, KEYEVENTF_KEYUP, 0);
        EXPECT_EQ(field->GetWindowText(), u"") << "queued, not delivered at once";
        keybd_event(VK_CONTROL, 0, 0, 0);
        keybd_event(VK_RETURN, 0, 0, 0);
        keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
        uitest::ProcessEvents();
        EXPECT_EQ(field->GetWindowText(), u"a");
        EXPECT_TRUE(screen.IsModalRunning()) << "Control+Enter is not the dialog's Enter";
    });
}

} // namespace
