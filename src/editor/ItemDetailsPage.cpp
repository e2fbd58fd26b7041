// The item details pages' shared look and input panel.
#include "editor/ItemDetailsPage.h"

#include "platform/ui/InputPanel.h"

namespace {

constexpr COLORREF kItemPageBackground = RGB(196, 222, 255);

} // namespace

CItemDetailsPage::CItemDetailsPage(UINT templateId)
    : CPropertyPage(templateId), m_background(kItemPageBackground) {}

bool CItemDetailsPage::OnSetActive() {
    RaiseInputPanel();
    return CPropertyPage::OnSetActive();
}

bool CItemDetailsPage::OnEraseBkgnd(CDC& dc) {
    CRect client;
    GetClientRect(&client);
    dc.FillRect(client, &m_background);
    return true;
}

void CItemDetailsPage::OnPaint(CDC& dc) {
    CPropertyPage::OnPaint(dc);
    RaiseInputPanel();
}

void CItemDetailsPage::OnDestroy() {
    // The sheet is closing: the panel it kept up goes down with it.
    LowerInputPanel();
    CPropertyPage::OnDestroy();
}
