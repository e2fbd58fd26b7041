// CButton painting: push button, radio button, check box and group box looks.
#include "platform/ui/Button.h"

#include "platform/ui/ScopedSelect.h"
#include "platform/ui/qt/ButtonKinds.h"
#include "platform/ui/qt/DCBridge.h"
#include "platform/ui/qt/WindowClasses.h"

namespace {
constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kPressedFill = RGB(10, 36, 106);
constexpr COLORREF kGroupFrame = RGB(128, 128, 128);
constexpr COLORREF kDisabledInk = RGB(128, 128, 128);
/// Radio circles and check squares are 11 pixels across, with the text 4 pixels after them.
constexpr int kMarkSize = 11;
constexpr int kMarkTextGap = 4;
/// The dot of a checked radio button and the fill of a checked box are 3 pixels in from the mark.
constexpr int kMarkInset = 3;
} // namespace

using platform::ButtonKindOf;
using platform::ButtonOf;
using platform::IsCheckBox;
using platform::IsPushButton;
using platform::IsRadioButton;

bool CButton::OnEraseBkgnd(CDC& /*dc*/) {
    return true;
}

void CButton::OnPaint(CDC& dc) {
    platform::ButtonWidget* button = ButtonOf(*this);
    if (button == nullptr) {
        return;
    }
    CRect client;
    GetClientRect(&client);
    const DWORD style = GetStyle();
    const COLORREF ink = IsWindowEnabled() ? kInk : kDisabledInk;
    const ScopedSelect font(dc, &platform::FontOf(*this));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(ink);
    const std::u16string text = GetWindowText();
    if (ButtonKindOf(style) == BS_GROUPBOX) {
        const int lineHeight = dc.GetTextMetrics().tmHeight;
        const CRect frame(client.left, client.top + lineHeight / 2, client.right, client.bottom);
        dc.FrameRect(frame, kGroupFrame);
        const CSize extent = dc.GetTextExtent(text);
        const CRect label(client.left + kMarkTextGap, client.top, client.left + 2 * kMarkTextGap + extent.cx,
                          client.top + lineHeight);
        dc.FillSolidRect(CRect(label.left, frame.top, label.right, frame.top + 1), kPaper);
        dc.DrawText(text, CRect(label.left + kMarkTextGap / 2, label.top, label.right, label.bottom),
                    DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    } else if (IsRadioButton(style) || IsCheckBox(style)) {
        const int markTop = client.top + (client.Height() - kMarkSize) / 2;
        const CRect mark(client.left, markTop, client.left + kMarkSize, markTop + kMarkSize);
        if (QPainter* painter = ActivePainter(dc); painter != nullptr && IsRadioButton(style)) {
            painter->save();
            painter->setRenderHint(QPainter::Antialiasing, true);
            painter->setPen(QPen(ToQColor(ink), 1));
            painter->setBrush(ToQColor(kPaper));
            painter->drawEllipse(QRectF(mark.left + 0.5, mark.top + 0.5, kMarkSize - 1, kMarkSize - 1));
            if (button->checked) {
                painter->setBrush(ToQColor(ink));
                painter->setPen(Qt::NoPen);
                painter->drawEllipse(QRectF(mark.left + kMarkInset, mark.top + kMarkInset,
                                            kMarkSize - 2 * kMarkInset, kMarkSize - 2 * kMarkInset));
            }
            painter->restore();
        } else {
            dc.FillSolidRect(mark, kPaper);
            dc.FrameRect(mark, ink);
            if (button->checked) {
                dc.FillSolidRect(CRect(mark.left + kMarkInset, mark.top + kMarkInset, mark.right - kMarkInset,
                                       mark.bottom - kMarkInset),
                                 ink);
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
}
