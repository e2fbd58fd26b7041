// CButton: push buttons, radio buttons, check boxes and group boxes: their state, look and pen handling.
#include "platform/ui/Button.h"

#include "platform/ui/ControlWidgets.h"
#include "platform/ui/DCBridge.h"
#include "platform/ui/WindowClasses.h"
#include "platform/ui/WindowStyles.h"

namespace {
constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kPressedFill = RGB(10, 36, 106);
constexpr COLORREF kGroupFrame = RGB(128, 128, 128);
constexpr COLORREF kDisabledInk = RGB(128, 128, 128);
/// Radio circles and check squares are 11 pixels across, with the text 4 pixels after them.
constexpr int kMarkSize = 11;
constexpr int kMarkTextGap = 4;

platform::ButtonWidget* ButtonOf(const CWnd& wnd) { return dynamic_cast<platform::ButtonWidget*>(platform::WidgetOf(wnd)); }

DWORD KindOf(DWORD style) { return style & BS_TYPEMASK; }
bool IsRadio(DWORD style) { return KindOf(style) == BS_RADIOBUTTON || KindOf(style) == BS_AUTORADIOBUTTON; }
bool IsCheckBox(DWORD style) { return KindOf(style) == BS_CHECKBOX || KindOf(style) == BS_AUTOCHECKBOX; }
bool IsPush(DWORD style) { return KindOf(style) == BS_PUSHBUTTON || KindOf(style) == BS_DEFPUSHBUTTON; }

/// The radio buttons of `button`'s group: from the nearest WS_GROUP button at or before it up to the
/// next WS_GROUP control, in creation order.
std::vector<platform::ButtonWidget*> RadioGroupOf(platform::ButtonWidget* button) {
    std::vector<platform::ButtonWidget*> group;
    QWidget* parent = button->parentWidget();
    if (parent == nullptr) {
        return {button};
    }
    for (QObject* child : parent->children()) {
        auto* window = dynamic_cast<platform::WndWidget*>(child);
        if (window == nullptr) {
            continue;
        }
        const bool startsGroup = (window->style & WS_GROUP) != 0;
        if (startsGroup && window != button && std::find(group.begin(), group.end(), button) != group.end()) {
            break;
        }
        if (startsGroup) {
            group.clear();
        }
        auto* other = dynamic_cast<platform::ButtonWidget*>(window);
        if (other != nullptr && IsRadio(other->style)) {
            group.push_back(other);
        }
    }
    return group;
}
}  // namespace

int CButton::GetCheck() const {
    platform::ButtonWidget* button = ButtonOf(*this);
    return button != nullptr && button->checked ? BST_CHECKED : BST_UNCHECKED;
}

void CButton::SetCheck(int state) {
    platform::ButtonWidget* button = ButtonOf(*this);
    if (button == nullptr) {
        return;
    }
    button->checked = state == BST_CHECKED;
    RedrawWindow();
}

bool CButton::OnEraseBkgnd(CDC& /*dc*/) { return true; }

void CButton::OnPaint(CDC& dc) {
    platform::ButtonWidget* button = ButtonOf(*this);
    if (button == nullptr) {
        return;
    }
    CRect client;
    GetClientRect(&client);
    const DWORD style = GetStyle();
    const COLORREF ink = IsWindowEnabled() ? kInk : kDisabledInk;
    CFont* previous = dc.SelectObject(&platform::FontOf(*this));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(ink);
    const std::u16string text = GetWindowText();
    if (KindOf(style) == BS_GROUPBOX) {
        const int lineHeight = dc.GetTextMetrics().tmHeight;
        const CRect frame(client.left, client.top + lineHeight / 2, client.right, client.bottom);
        dc.FrameRect(frame, kGroupFrame);
        const CSize extent = dc.GetTextExtent(text);
        const CRect label(client.left + kMarkTextGap, client.top, client.left + 2 * kMarkTextGap + extent.cx, client.top + lineHeight);
        dc.FillSolidRect(CRect(label.left, frame.top, label.right, frame.top + 1), kPaper);
        dc.DrawText(text, CRect(label.left + kMarkTextGap / 2, label.top, label.right, label.bottom), DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    } else if (IsRadio(style) || IsCheckBox(style)) {
        const int markTop = client.top + (client.Height() - kMarkSize) / 2;
        const CRect mark(client.left, markTop, client.left + kMarkSize, markTop + kMarkSize);
        if (QPainter* painter = ActivePainter(dc); painter != nullptr && IsRadio(style)) {
            painter->save();
            painter->setRenderHint(QPainter::Antialiasing, true);
            painter->setPen(QPen(ToQColor(ink), 1));
            painter->setBrush(ToQColor(kPaper));
            painter->drawEllipse(QRectF(mark.left + 0.5, mark.top + 0.5, kMarkSize - 1, kMarkSize - 1));
            if (button->checked) {
                painter->setBrush(ToQColor(ink));
                painter->setPen(Qt::NoPen);
                painter->drawEllipse(QRectF(mark.left + 3, mark.top + 3, kMarkSize - 6, kMarkSize - 6));
            }
            painter->restore();
        } else {
            dc.FillSolidRect(mark, kPaper);
            dc.FrameRect(mark, ink);
            if (button->checked) {
                dc.FillSolidRect(CRect(mark.left + 3, mark.top + 3, mark.right - 3, mark.bottom - 3), ink);
            }
        }
        const CRect label(mark.right + kMarkTextGap, client.top, client.right, client.bottom);
        dc.DrawText(text, label, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    } else {
        const bool pressed = button->pressed;
        dc.FillSolidRect(client, pressed ? kPressedFill : kPaper);
        dc.FrameRect(client, ink);
        dc.SetTextColor(pressed ? kPaper : ink);
        dc.DrawText(text, client, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (previous != nullptr) {
        dc.SelectObject(previous);
    }
}

void CButton::OnLButtonDown(UINT /*flags*/, CPoint /*point*/) {
    platform::ButtonWidget* button = ButtonOf(*this);
    if (button == nullptr || KindOf(GetStyle()) == BS_GROUPBOX) {
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
    if (KindOf(style) == BS_AUTORADIOBUTTON) {
        for (platform::ButtonWidget* other : RadioGroupOf(button)) {
            other->checked = other == button;
            other->MarkInvalid(nullptr, true);
            other->PaintInvalidNow();
        }
    } else if (KindOf(style) == BS_AUTOCHECKBOX) {
        button->checked = !button->checked;
        RedrawWindow();
    }
    if (IsPush(style)) {
        if (CWnd* parent = GetParent()) {
            parent->SendCommand(GetDlgCtrlID());
        }
    }
}
