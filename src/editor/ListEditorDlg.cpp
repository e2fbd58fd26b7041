// The list editor's set-up, title line, enabling rules and the notifications of its rows.
#include "editor/ListEditorDlg.h"

#include "editor/EditorRows.h"
#include "model/CorvinaDoc.h"
#include "platform/core/Strings.h"
#include "platform/storage/FileNameRules.h"
#include "platform/storage/HostNames.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/HostWindow.h"
#include "platform/ui/Icon.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Resources.h"
#include "res/ResourceIds.h"

namespace {

/// The title line's font.
constexpr int kTitleFontHeight = 16;
constexpr int kTitleFontWeight = FW_SEMIBOLD;
/// What the title line ends with while there are unsaved changes.
constexpr char16_t kModifiedMark = u'*';

/// The importance marks by importance code: high, normal (nothing to see), low.
constexpr UINT kImportanceBitmaps[CListEditorDlg::kImportanceCount] = {
    IDB_IMPORTANCE_HIGH, IDB_IMPORTANCE_NORMAL, IDB_IMPORTANCE_LOW};

/// The tool buttons after the List and Item buttons, with their cells of the toolbar strip.
constexpr ToolButton kToolButtons[] = {
    {ID_LIST_ADDITEM, 0, false},
    {0, -1, true},
    {ID_ITEM_MOVEUP, 1, false},
    {ID_ITEM_MOVEDOWN, 2, false},
};

/// The commands that act on the selected row, enabled only with one.
constexpr UINT kRowCommands[] = {ID_ITEM_ADDSUBITEM, ID_ITEM_EDIT, ID_ITEM_DELETE, ID_ITEM_MOVEUP,
                                 ID_ITEM_MOVEDOWN};

/// The details sheet's pages.
constexpr int kGeneralPage = 0;
constexpr int kNotesPage = 1;

} // namespace

CListEditorDlg::CListEditorDlg(const DeviceStorage& device, const std::u16string& listsFolder,
                               CCorvinaDoc* document, CWnd* parent)
    : CDialog(IDD_LISTEDITOR, parent), m_appIcon(LoadIconResource(IDR_MAINFRAME)), m_document(document),
      m_device(device), m_listsFolder(listsFolder),
      m_extension(platform::ExtensionOfPattern(LoadStringResource(IDS_LIST_PATTERN))),
      m_history(document->tree, m_tree),
      // A copy's path comes from the device root, whose name keeps bytes that are not UTF-8.
      m_recoveryWriter([](const std::u16string& copyPath, const std::string& bytes) {
          WriteWholeFileSafelyAt(HostBytesFromName(copyPath), copyPath, bytes);
      }) {
    for (std::size_t code = 0; code < kImportanceCount; ++code) {
        m_importanceMarks[code].LoadBitmap(kImportanceBitmaps[code]);
    }
    m_document->SetHostPathMapping(m_device.PathMapping());
    m_keys.Load(IDR_EDITOR_KEYS);
    SetUpCommands();
    SetUpNotifications();
}

bool CListEditorDlg::PreTranslateMessage(MSG& msg) {
    return m_keys.TranslateEnabled(this, msg) || CDialog::PreTranslateMessage(msg);
}

CListEditorDlg::~CListEditorDlg() = default;

void CListEditorDlg::OnDestroy() {
    m_endKeeper.reset();
    SetHostWindowTitle(kHostWindowTitle); // the other screens leave the window its own name
    CDialog::OnDestroy();
}

void CListEditorDlg::SetUpCommands() {
    CommandMap& commands = GetCommandMap();
    commands.OnCommand(ID_LIST_ADDITEM, [this] { OnAddItem(false); });
    commands.OnCommand(ID_ITEM_ADDSUBITEM, [this] { OnAddItem(true); });
    commands.OnCommand(ID_ITEM_EDIT, [this] { OnEditItem(kGeneralPage); });
    commands.OnCommand(ID_ITEM_DELETE, [this] { OnDeleteItem(); });
    commands.OnCommand(ID_ITEM_MOVEUP, [this] { OnMoveItem(true); });
    commands.OnCommand(ID_ITEM_MOVEDOWN, [this] { OnMoveItem(false); });
    commands.OnCommandRange(ID_LIST_CHECKALL, ID_LIST_UNCHECKALL,
                            [this](UINT id) { CheckAllItems(id == ID_LIST_CHECKALL ? 1 : 0); });
    commands.OnCommand(ID_FILE_SAVE, [this] { Save(); });
    commands.OnCommand(ID_FILE_SAVE_AS, [this] { SaveAs(); });
    commands.OnCommand(ID_FILE_CLOSE, [this] { OnClose(); });
    commands.OnCommand(ID_EDIT_UNDO, [this] { Undo(); });
    commands.OnUpdate(ID_EDIT_UNDO, [this] { return m_history.CanUndo(); });
    commands.OnCommand(ID_EDIT_REDO, [this] { Redo(); });
    commands.OnUpdate(ID_EDIT_REDO, [this] { return m_history.CanRedo(); });
    for (UINT id : kRowCommands) {
        commands.OnUpdate(id, [this] { return HasSelectedRow(); });
    }
}

void CListEditorDlg::SetUpNotifications() {
    CommandMap& commands = GetCommandMap();
    commands.OnNotify(IDC_TASKS, VTN_CHECKCHANGED, [this](const NMHDR& hdr, LRESULT* result) {
        OnCheckChanged(reinterpret_cast<const NMVTCHECK&>(hdr));
        *result = 0;
    });
    commands.OnNotify(IDC_TASKS, VTN_NOTESCLICKED, [this](const NMHDR&, LRESULT* result) {
        OnEditItem(kNotesPage);
        *result = 0;
    });
    commands.OnNotify(IDC_TASKS, GN_CONTEXTMENU, [this](const NMHDR& hdr, LRESULT* result) {
        ShowItemMenu(hdr);
        *result = 0;
    });
}

void CListEditorDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TITLE, m_title);
    DDX_Control(pDX, IDC_TASKS, m_tree);
}

bool CListEditorDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetIcon(m_appIcon, true);
    SetIcon(m_appIcon, false);
    CreateMenuBar(IDR_LISTEDITOR_MENU);
    AddToolButtons(IDB_EDITOR_TOOLBAR, kToolButtons);
    m_tree.SetImageList(m_importanceMarks);
    m_tree.AddColumn();
    RefillRows();
    m_titleFont.CreateFont(kTitleFontHeight, kTitleFontWeight, kDeviceFaceName);
    m_title.SetFont(&m_titleFont, true);
    // A list that arrives modified (a recovered copy) shows so from the start.
    m_title.SetWindowText(DisplayTitle());
    m_titleMarked = false;
    if (m_document->IsModified()) {
        m_history.ForgetSaved(); // no undo brings back a file this list is not
    }
    MarkModified(m_document->IsModified());
    StartRecovery();
    return true;
}

void CListEditorDlg::RefillRows() {
    // Hidden while it fills, the control lays the rows out once, at its next paint, instead of
    // repainting after every row.
    m_tree.ShowWindow(SW_HIDE);
    m_history.Clear(); // its steps name rows that are about to go
    m_checkedCount = editor::FillRows(m_tree, m_document->tree);
    m_tree.ShowWindow(SW_SHOW);
}

std::u16string CListEditorDlg::DisplayTitle() const {
    const std::u16string& title = m_document->GetTitle();
    if (!m_extension.empty() && title.ends_with(m_extension)) {
        return title.substr(0, title.size() - m_extension.size());
    }
    return title;
}

void CListEditorDlg::MarkModified(bool modified) {
    m_document->SetModifiedFlag(modified);
    modified ? ScheduleRecoveryCopy() : DiscardRecoveryCopy();
    // Check all sends one change per item: only a change of the mark touches the title line. The
    // editor knows whether it added the mark, so a title that itself ends in "*" keeps its own.
    if (modified != m_titleMarked) {
        m_titleMarked = modified;
        std::u16string text = m_title.GetWindowText();
        if (modified) {
            text += kModifiedMark;
        } else if (!text.empty()) {
            text.pop_back();
        }
        m_title.SetWindowText(text);
    }
    // Check all and its undo title the window once, when they are through.
    if (!m_history.CheckingAll() && !m_history.Replaying()) {
        UpdateHostTitle();
    }
}

void CListEditorDlg::UpdateHostTitle() {
    const std::u16string progress = u" (" + Widen(std::to_string(m_checkedCount)) + u"/" +
                                    Widen(std::to_string(m_document->tree.Count())) + u") - ";
    SetHostWindowTitle(m_title.GetWindowText() + progress + kHostWindowTitle);
}

void CListEditorDlg::CountCheckedItems() {
    m_checkedCount = 0;
    m_document->tree.Walk(
        [this](const TaskNode& node, std::size_t) { m_checkedCount += node.item.checked != 0; });
}

void CListEditorDlg::ShowItemMenu(const NMHDR& hdr) {
    const CPoint screenPoint = reinterpret_cast<const NMRGINFO&>(hdr).ptAction;
    CPoint clientPoint = screenPoint;
    m_tree.ScreenToClient(&clientPoint);
    if (m_tree.HitTest(clientPoint) == nullptr) {
        return;
    }
    TrackResourcePopupMenu(IDR_LISTEDITOR_MENU, kListEditorItemPopup, screenPoint, this);
}
