// The document list screen: set-up, filling the rows, the focus refresh and the screen's commands.
#include "shell/ListFilesDlg.h"

#include "platform/storage/FileNameRules.h"
#include "platform/storage/HostNames.h"
#include "platform/storage/RecoveryCopies.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/MessageBox.h"
#include "res/ResourceIds.h"

#include <algorithm>

namespace {

// The row icon and the image list that holds it.
constexpr int kRowIconWidth = 13;
constexpr int kRowIconHeight = 16;
constexpr int kImageListInitialSize = 0;
constexpr int kImageListGrowBy = 8;
constexpr int kRowIconImage = 0;

// Column 0 shows the list's name with its icon; the listing's columns follow.
constexpr int kNameColumnWidth = 130;
constexpr int kExtraColumnWidth = 55;

// The list font.
constexpr int kListFontHeight = 13;

// Reading the rows' dates and headers: the rows in view, with the one cut by the bottom edge, at
// once; the rest in small steps, each short enough not to hold up a tap.
constexpr int kPartlyShownRows = 1;
constexpr std::size_t kDetailsReadPerStep = 64;
constexpr UINT kDetailsStepDelay = 0;

// Marks a refresh as running for as long as it lives.
class RefreshGuard {
public:
    explicit RefreshGuard(bool& running) : m_running(running) { m_running = true; }
    ~RefreshGuard() { m_running = false; }
    RefreshGuard(const RefreshGuard&) = delete;
    RefreshGuard& operator=(const RefreshGuard&) = delete;

private:
    bool& m_running;
};

} // namespace

CListFilesDlg::CListFilesDlg(CListFolderListing& listing, CWnd* parent)
    : CDialog(IDD_LISTFILES, parent), m_listing(listing),
      m_extension(platform::ExtensionOfPattern(listing.Pattern())) {
    m_rowIcon.LoadBitmap(IDB_LIST_ICON);
    m_images.Create(kRowIconWidth, kRowIconHeight, ILC_COLOR, kImageListInitialSize, kImageListGrowBy);
    m_images.Add(&m_rowIcon, nullptr);
    m_keys.Load(IDR_LISTFILES_KEYS);
    SetUpCommands();
}

CListFilesDlg::~CListFilesDlg() = default;

void CListFilesDlg::SetUpCommands() {
    CommandMap& commands = GetCommandMap();
    commands.OnCommand(ID_FILE_NEW, [this] { OnNew(); });
    commands.OnCommand(ID_DOCUMENT_IMPORT, [this] { OnImport(); });
    commands.OnCommand(ID_FILE_OPEN, [this] { OnOpen(); });
    commands.OnNotify(IDC_LISTFILES, NM_DBLCLK, [this](const NMHDR&, LRESULT*) { OnOpen(); });
    commands.OnNotify(IDC_LISTFILES, LVN_GETDISPINFO, [this](const NMHDR& hdr, LRESULT*) {
        const auto& info = reinterpret_cast<const NMLVDISPINFO&>(hdr);
        *info.pszText = DetailText(info.iItem, info.iSubItem);
    });
    commands.OnCommand(ID_DOCUMENT_RENAME, [this] { OnRename(); });
    commands.OnCommand(ID_DOCUMENT_EXPORT, [this] { OnExport(); });
    commands.OnCommand(ID_DOCUMENT_DELETE, [this] { OnDelete(); });
    commands.OnCommand(ID_VIEW_REFRESH, [this] { FillList(); });
    commands.OnCommand(ID_APP_ABOUT, [this] { OnAbout(); });
}

void CListFilesDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LISTFILES, m_list);
}

bool CListFilesDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    // The main screen has nothing to confirm: closing it ends the program.
    ShowCaptionOkButton(false);
    CreateMenuBar(IDR_LISTFILES_MENU);

    FitListToScreen();
    m_list.SetBkColor(CLR_NONE);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    m_list.SetImageList(&m_images, LVSIL_SMALL);
    SetUpColumns();
    m_listFont.CreateFont(kListFontHeight, FW_NORMAL, kDeviceFaceName);
    m_list.SetFont(&m_listFont, true);

    FillList();
    // The screen shows first, so that the question and an editor opened from it stand over it.
    if (FindRecoveryCopy(Device(), u"")) {
        SetTimer(kUntitledChangesTimer, 0);
    }
    return true;
}

void CListFilesDlg::OnTimer(UINT_PTR id) {
    if (id == kDetailsTimer) {
        ReadMoreDetails();
        return;
    }
    if (id != kUntitledChangesTimer) {
        CDialog::OnTimer(id);
        return;
    }
    KillTimer(kUntitledChangesTimer);
    OfferUntitledChanges();
}

void CListFilesDlg::FitListToScreen() {
    // The template's list stops a few pixels short of the screen's right and bottom edges with this
    // platform's dialog units; on the device the rows and their ruled background reach the edges.
    CRect screen;
    GetClientRect(&screen);
    CRect list;
    m_list.GetWindowRect(&list);
    CPoint topLeft = list.TopLeft();
    ScreenToClient(&topLeft);
    m_list.MoveWindow(
        CRect(topLeft.x, topLeft.y, std::max(screen.right, topLeft.x), std::max(screen.bottom, topLeft.y)));
}

void CListFilesDlg::SetUpColumns() {
    m_list.InsertColumn(0, u"", LVCFMT_LEFT, kNameColumnWidth);
    for (int column = 1; column <= m_listing.GetColumnCount(); ++column) {
        m_list.InsertColumn(column, u"", LVCFMT_LEFT, kExtraColumnWidth);
        m_list.SetColumnTextCallback(column);
    }
}

void CListFilesDlg::OnSetFocus(CWnd* oldWnd) {
    CDialog::OnSetFocus(oldWnd);
    FillList();
}

void CListFilesDlg::FillList() {
    // A message box of this refresh hands the focus back when it closes; that must not start
    // another refresh inside this one.
    if (m_filling) {
        return;
    }
    RefreshGuard guard(m_filling);
    KillTimer(kDetailsTimer);
    m_list.SetRedraw(false);
    m_list.DeleteAllItems();
    m_rowFileNames.clear();
    // A missing or unreadable folder lists nothing, which is what the user sees; nothing to report.
    m_listing.ScanNames();
    int row = 0;
    for (const FileRecord& record : m_listing.Records()) {
        m_list.InsertItem(row++, DisplayName(record.fileName), kRowIconImage);
        m_rowFileNames.push_back(record.fileName);
    }
    m_list.SetRedraw(true);
    // The date and count columns ask DetailText; the first screen's rows are read before it shows.
    if (m_listing.ReadMoreDetails(static_cast<std::size_t>(m_list.GetCountPerPage() + kPartlyShownRows))) {
        ReportUnreadableFiles();
    } else {
        SetTimer(kDetailsTimer, kDetailsStepDelay);
    }
}

void CListFilesDlg::ReadMoreDetails() {
    // Under another screen the rows wait: the refresh when this screen gets the focus back starts over.
    if (m_filling || !IsWindowVisible()) {
        KillTimer(kDetailsTimer);
        return;
    }
    if (!m_listing.ReadMoreDetails(kDetailsReadPerStep)) {
        return;
    }
    KillTimer(kDetailsTimer);
    const RefreshGuard guard(m_filling);
    ReportUnreadableFiles();
}

std::u16string CListFilesDlg::DetailText(int row, int column) {
    if (row < 0 || row >= static_cast<int>(m_listing.Records().size()) || column < 1) {
        return {};
    }
    const std::vector<std::u16string>& texts = m_listing.ReadDetails(static_cast<std::size_t>(row)).columns;
    const auto index = static_cast<std::size_t>(column - 1);
    return index < texts.size() ? texts[index] : std::u16string();
}

void CListFilesDlg::ReportUnreadableFiles() {
    const std::u16string report =
        CUnreadableReports::Compose(m_reported.TakeUnreported(m_listing.Unreadable()));
    if (!report.empty()) {
        AfxMessageBox(report, MB_OK | MB_ICONSTOP);
    }
}

std::u16string CListFilesDlg::DisplayName(const std::u16string& fileName) const {
    std::u16string name = ReadableName(fileName);
    if (!m_extension.empty() && name.ends_with(m_extension)) {
        name.resize(name.size() - m_extension.size());
    }
    return name;
}

std::optional<int> CListFilesDlg::GetSelectedRow() const {
    const int row = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0) {
        return std::nullopt;
    }
    return row;
}

std::u16string CListFilesDlg::GetRowName(int row) const {
    return m_list.GetItemText(row, 0);
}

std::u16string CListFilesDlg::GetRowFileName(int row) const {
    if (row < 0 || row >= static_cast<int>(m_rowFileNames.size())) {
        return {};
    }
    return m_rowFileNames[static_cast<std::size_t>(row)];
}

bool CListFilesDlg::PreTranslateMessage(MSG& msg) {
    return m_keys.TranslateEnabled(this, msg) || CDialog::PreTranslateMessage(msg);
}
