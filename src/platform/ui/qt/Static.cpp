// CStatic: a picture at its top-left corner, or its text in its font, transparent over the screen.
#include "platform/ui/Static.h"

#include "platform/ui/ScopedSelect.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/qt/ControlWidgets.h"
#include "platform/ui/qt/DCBridge.h"
#include "platform/ui/qt/WindowClasses.h"

namespace {
constexpr COLORREF kStaticTextColour = RGB(0, 0, 0);

platform::StaticWidget* StaticOf(const CWnd& wnd) {
    return dynamic_cast<platform::StaticWidget*>(platform::WidgetOf(wnd));
}

unsigned AlignmentOf(DWORD style) {
    switch (style & SS_TYPEMASK) {
    case SS_CENTER:
        return DT_CENTER;
    case SS_RIGHT:
        return DT_RIGHT;
    default:
        return DT_LEFT;
    }
}
} // namespace

bool CStatic::SetBitmap(UINT bitmapId) {
    platform::StaticWidget* widget = StaticOf(*this);
    if (widget == nullptr) {
        return false;
    }
    QImage picture = LoadBitmapImage(bitmapId);
    if (picture.isNull()) {
        return false;
    }
    widget->picture = std::move(picture);
    RedrawWindow();
    return true;
}

bool CStatic::OnEraseBkgnd(CDC& /*dc*/) {
    // Labels and pictures sit on the screen's own background.
    return true;
}

void CStatic::OnPaint(CDC& dc) {
    platform::StaticWidget* widget = StaticOf(*this);
    if (widget == nullptr) {
        return;
    }
    if (!widget->picture.isNull()) {
        if (QPainter* painter = ActivePainter(dc)) {
            painter->drawImage(QPoint(0, 0), widget->picture);
        }
        return;
    }
    CRect client;
    GetClientRect(&client);
    const ScopedSelect font(dc, &platform::FontOf(*this));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(kStaticTextColour);
    dc.DrawText(GetWindowText(), client, DT_WORDBREAK | DT_NOPREFIX | AlignmentOf(GetStyle()));
}
