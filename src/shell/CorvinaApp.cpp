// Start-up and the keyboard hook of the application.
#include "shell/CorvinaApp.h"

#include "platform/storage/ListsFolder.h"
#include "platform/ui/EndRequests.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Wnd.h"
#include "res/ResourceIds.h"
#include "shell/ListFilesDlg.h"
#include "shell/ListFolderListing.h"

namespace {

/// A list that cannot be read or written is reported where the user looks, not on standard error.
void ShowReport(std::u16string_view message, MessageIcon /*icon*/) {
    AfxMessageBox(std::u16string(message), MB_OK | MB_ICONSTOP);
}

} // namespace

CCorvinaApp::CCorvinaApp(const DeviceStorage& device)
    : CWinApp(std::u16string(kProgramName)), m_device(device), m_errorReports(ShowReport) {}

CCorvinaApp::~CCorvinaApp() = default;

std::u16string CCorvinaApp::GetListsFolder() const {
    return ::GetListsFolder(m_device);
}

bool CCorvinaApp::LoadShortcuts() {
    return m_accelerators.Load(IDR_ACCELERATORS);
}

bool CCorvinaApp::InitInstance() {
    // Without the table Enter simply reaches the screens' own key handling; nothing else depends on it.
    LoadShortcuts();
    // A shutdown or a closed terminal keeps the open list's unsaved changes instead of losing them.
    CatchEndRequests();
    const std::u16string pattern = LoadStringResource(IDS_LIST_PATTERN);
    CListFolderListing listing(m_device, GetListsFolder(), pattern);
    std::optional<CScreenTour> tour;
    if (m_screenshot) {
        tour.emplace(*m_screenshot, [this](bool written) { m_screenshotWritten = written; });
    }
    {
        CListFilesDlg screen(listing, nullptr);
        m_pMainWnd = &screen;
        screen.DoModal();
        m_pMainWnd = nullptr;
    }
    return false;
}

bool CCorvinaApp::PreTranslateMessage(MSG& msg) {
    CWnd* focused = msg.hwnd != nullptr ? msg.hwnd : CWnd::GetFocus();
    if (m_accelerators.Translate(focused, msg)) {
        return true;
    }
    return CWinApp::PreTranslateMessage(msg);
}
