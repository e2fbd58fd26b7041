// CButton pen handling: pressed look while the pen is down; on the lift inside, an automatic radio
// button checks itself alone in its group, a check box toggles, a push button sends its id.
#include "platform/ui/Button.h"

#include "platform/ui/qt/ButtonKinds.h"

using platform::ButtonKindOf;
using platform::ButtonOf;
using platform::IsPushButton;

void CButton::OnLButtonDown(UINT /*flags*/, CPoint /*point*/) {
    platform::ButtonWidget* button = ButtonOf(*this);
    if (button == nullptr || ButtonKindOf(GetStyle()) == BS_GROUPBOX) {
        return;
    }
    button->pressed = true;
    if ((GetStyle() & WS_TABSTOP) != 0) {
        SetFocus();
    }
    RedrawWindow();
}

void CButton::OnLButtonUp(UINT /*flags*/, CPoint point) {
    platform::ButtonWidget* button = ButtonOf(*this);
    if (button == nullptr || !button->pressed) {
        return;
    }
    button->pressed = false;
    CRect client;
    GetClientRect(&client);
    RedrawWindow();
    if (!client.PtInRect(point)) {
        return;
    }
    const DWORD style = GetStyle();
    if (ButtonKindOf(style) == BS_AUTORADIOBUTTON) {
        for (platform::ButtonWidget* other : platform::RadioGroupOf(button)) {
            other->checked = other == button;
            other->MarkInvalid(nullptr, true);
            other->PaintInvalidNow();
        }
    } else if (ButtonKindOf(style) == BS_AUTOCHECKBOX) {
        button->checked = !button->checked;
        RedrawWindow();
    }
    if (IsPushButton(style)) {
        if (CWnd* parent = GetParent()) {
            parent->SendCommand(GetDlgCtrlID());
        }
    }
}
