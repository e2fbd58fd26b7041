// The "Notes" page: one item's notes, on a light-blue background, with Enter turned into line breaks.
#include "editor/ItemNotesPage.h"

#include "model/TaskItem.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/KeyInjection.h"
#include "platform/ui/WindowStyles.h"
#include "res/ResourceIds.h"

#include <algorithm>

namespace {

constexpr std::u16string_view kEditClassName = u"edit";

bool IsEditClass(std::u16string name) {
    std::transform(name.begin(), name.end(), name.begin(), [](char16_t c) {
        return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
    });
    return name == kEditClassName;
}

/// The focused window takes Enter as a line break.
bool FocusAcceptsEnter() {
    const CWnd* focus = CWnd::GetFocus();
    return focus != nullptr && IsEditClass(focus->GetClassName()) && (focus->GetStyle() & ES_WANTRETURN) != 0;
}

} // namespace

CItemNotesPage::CItemNotesPage(TaskItem* item)
    : CItemDetailsPage(IDD_ITEM_NOTES), m_notes(item->notes), m_item(item) {}

CItemNotesPage::~CItemNotesPage() = default;

void CItemNotesPage::DoDataExchange(CDataExchange* pDX) {
    CItemDetailsPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_ITEM_NOTES, m_notes);
}

void CItemNotesPage::OnOK() {
    m_item->notes = m_notes;
}

bool CItemNotesPage::PreTranslateMessage(MSG& msg) {
    // The key-down of Enter is the program's shortcut, taken before any window; its release is ours.
    if (msg.message == WM_KEYUP && msg.wParam == VK_RETURN && FocusAcceptsEnter()) {
        keybd_event(static_cast<BYTE>(VK_CONTROL), 0, 0, 0);
        keybd_event(static_cast<BYTE>(VK_RETURN), 0, 0, 0);
        keybd_event(static_cast<BYTE>(VK_CONTROL), 0, KEYEVENTF_KEYUP, 0);
    }
    return false;
}
