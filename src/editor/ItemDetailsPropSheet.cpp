// The item details sheet: its pages, its command bar and its keys.
#include "editor/ItemDetailsPropSheet.h"

#include "model/TaskItem.h"
#include "platform/ui/Resources.h"
#include "res/ResourceIds.h"

namespace {

/// The command bar: Cancel with the red cross, OK with the green check.
constexpr ToolButton kCommandBarButtons[] = {
    {IDCANCEL, 0, false},
    {ID_SHEET_OK, 1, false},
};

bool IsPlainEnterDown(const MSG& msg) {
    return msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && msg.lParam == 0;
}

} // namespace

CItemDetailsPropSheet::CItemDetailsPropSheet(TaskItem* item, CWnd* parent, UINT startPage)
    : CPropertySheet(LoadStringResource(IDS_ITEM_DETAILS), parent, startPage), m_item(item),
      m_generalPage(std::make_unique<CItemGeneralDetailsPage>(item)),
      m_notesPage(std::make_unique<CItemNotesPage>(item)) {
    AddPage(m_generalPage.get());
    AddPage(m_notesPage.get());
    // The command bar's OK is the sheet's OK, with its validation.
    GetCommandMap().OnCommand(ID_SHEET_OK, [this] { SendCommand(IDOK); });
}

CItemDetailsPropSheet::~CItemDetailsPropSheet() = default;

bool CItemDetailsPropSheet::OnInitDialog() {
    m_commandBar.Create(this);
    m_commandBar.AddButtons(IDB_SHEET_COMMANDBAR, kCommandBarButtons);
    return CPropertySheet::OnInitDialog();
}

bool CItemDetailsPropSheet::PreTranslateMessage(MSG& msg) {
    // The program's shortcut table takes a plain Enter before any window sees it; without the table
    // the sheet takes it here, so Enter behaves the same either way.
    if (IsPlainEnterDown(msg)) {
        return true;
    }
    return CPropertySheet::PreTranslateMessage(msg);
}
