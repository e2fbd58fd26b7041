// CWnd: creation, relations, geometry, text, icons, focus, invalidation, timers, commands and the default
// message handlers.
#include "platform/ui/Wnd.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/qt/DCBridge.h"
#include "platform/ui/qt/DeviceScreen.h"
#include "platform/ui/qt/DeviceWindow.h"
#include "platform/ui/qt/WindowClasses.h"
#include "platform/ui/qt/WndWidget.h"

#include <QApplication>

#include <utility>

using platform::WndAccess;
using platform::WndWidget;

namespace {
/// Screens and controls are white unless they paint otherwise.
constexpr COLORREF kWindowBackground = RGB(255, 255, 255);

/// The window below `widget` (itself excluded) whose control id is `id`, depth first.
WndWidget* FindControl(QWidget* widget, UINT id) {
    for (QObject* child : widget->children()) {
        auto* window = dynamic_cast<WndWidget*>(child);
        if (window == nullptr) {
            continue;
        }
        if (window->controlId == id) {
            return window;
        }
        if (WndWidget* inner = FindControl(window, id)) {
            return inner;
        }
    }
    return nullptr;
}

/// Maps a widget point to the device screen (or the desktop for windows outside the device).
QPoint ToScreen(const QWidget* widget, QPoint p) {
    QWidget* top = widget->window();
    if (platform::DeviceExists() && top == platform::DeviceRoot()) {
        return widget->mapTo(top, p);
    }
    return widget->mapToGlobal(p);
}

QPoint FromScreen(const QWidget* widget, QPoint p) {
    QWidget* top = widget->window();
    if (platform::DeviceExists() && top == platform::DeviceRoot()) {
        return widget->mapFrom(top, p);
    }
    return widget->mapFromGlobal(p);
}
} // namespace

CWnd::CWnd() = default;

CWnd::~CWnd() {
    if (m_widget != nullptr) {
        WndWidget* widget = m_widget;
        widget->SetOwner(nullptr);
        delete widget;
    }
}

bool CWnd::Create(const std::u16string& className, const std::u16string& text, DWORD style, const CRect& rect,
                  CWnd* parent, UINT id) {
    const auto kind = platform::KindOfClass(className);
    if (!kind || m_widget != nullptr) {
        return false;
    }
    QWidget* parentWidget = nullptr;
    if (parent != nullptr) {
        parentWidget = parent->m_widget;
        if (parentWidget == nullptr) {
            return false;
        }
    }
    if (!platform::ObjectFitsKind(*this, *kind)) {
        return false;
    }
    WndWidget* widget = platform::CreateWindowWidget(*kind, style, parentWidget);
    widget->className = className;
    widget->controlId = id;
    widget->setGeometry(ToQRect(rect));
    widget->SetOwner(this);
    widget->SetText(text);
    widget->setVisible((style & WS_VISIBLE) != 0);
    return true;
}

bool CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    if (parent == nullptr || parent->m_widget == nullptr) {
        return false;
    }
    WndWidget* control = FindControl(parent->m_widget, id);
    if (control == nullptr || !platform::ObjectFitsKind(*this, control->Kind())) {
        return false;
    }
    control->SetOwner(this);
    control->FontChanged();
    return true;
}

void CWnd::DestroyWindow() {
    if (m_widget == nullptr) {
        return;
    }
    WndWidget* widget = m_widget;
    widget->NotifyDestroyTree();
    delete widget;
}

UINT CWnd::GetDlgCtrlID() const {
    return m_widget != nullptr ? m_widget->controlId : 0;
}

DWORD CWnd::GetStyle() const {
    return m_widget != nullptr ? m_widget->style : 0;
}

std::u16string CWnd::GetClassName() const {
    return m_widget != nullptr ? m_widget->className : std::u16string();
}

CWnd* CWnd::GetParent() const {
    if (m_widget == nullptr) {
        return nullptr;
    }
    return platform::OwnerOf(m_widget->parentWidget());
}

CWnd* CWnd::GetDlgItem(UINT id) const {
    if (m_widget == nullptr) {
        return nullptr;
    }
    WndWidget* control = FindControl(m_widget, id);
    return control != nullptr ? control->Owner() : nullptr;
}

void CWnd::GetClientRect(CRect* rect) const {
    if (rect == nullptr) {
        return;
    }
    *rect = m_widget != nullptr ? CRect(0, 0, m_widget->width(), m_widget->height()) : CRect();
}

void CWnd::GetWindowRect(CRect* rect) const {
    if (rect == nullptr) {
        return;
    }
    if (m_widget == nullptr) {
        *rect = CRect();
        return;
    }
    const QPoint topLeft = ToScreen(m_widget, QPoint(0, 0));
    *rect = CRect(CPoint(topLeft.x(), topLeft.y()), CSize(m_widget->width(), m_widget->height()));
}

void CWnd::ClientToScreen(CPoint* point) const {
    if (point == nullptr || m_widget == nullptr) {
        return;
    }
    const QPoint p = ToScreen(m_widget, QPoint(point->x, point->y));
    *point = CPoint(p.x(), p.y());
}

void CWnd::ScreenToClient(CPoint* point) const {
    if (point == nullptr || m_widget == nullptr) {
        return;
    }
    const QPoint p = FromScreen(m_widget, QPoint(point->x, point->y));
    *point = CPoint(p.x(), p.y());
}

void CWnd::MoveWindow(const CRect& rect, bool repaint) {
    if (m_widget == nullptr) {
        return;
    }
    m_widget->setGeometry(ToQRect(rect));
    if (repaint) {
        RedrawWindow();
    }
}

void CWnd::ShowWindow(int command) {
    if (m_widget != nullptr) {
        m_widget->setVisible(command != SW_HIDE);
    }
}

bool CWnd::IsWindowVisible() const {
    return m_widget != nullptr && m_widget->isVisible();
}

bool CWnd::IsWindowEnabled() const {
    return m_widget != nullptr && m_widget->isEnabled();
}

void CWnd::SetWindowText(const std::u16string& text) {
    if (m_widget != nullptr) {
        m_widget->SetText(text);
    }
}

std::u16string CWnd::GetWindowText() const {
    return m_widget != nullptr ? m_widget->Text() : std::u16string();
}

void CWnd::SetFont(CFont* font, bool redraw) {
    m_font = font;
    if (m_widget == nullptr) {
        return;
    }
    m_widget->FontChanged();
    if (redraw) {
        RedrawWindow();
    }
}

HICON CWnd::SetIcon(HICON icon, bool big) {
    const HICON previous = std::exchange(big ? m_bigIcon : m_smallIcon, icon);
    if (platform::DeviceExists() && platform::Device().TopScreen() == this) {
        platform::Device().RefreshBars();
    }
    return previous;
}

CWnd* CWnd::SetFocus() {
    CWnd* previous = GetFocus();
    if (m_widget != nullptr) {
        m_widget->setFocus(Qt::OtherFocusReason);
    }
    return previous;
}

CWnd* CWnd::GetFocus() {
    return platform::OwnerOf(QApplication::focusWidget());
}

void CWnd::Invalidate(bool erase) {
    InvalidateRect(nullptr, erase);
}

void CWnd::InvalidateRect(const CRect* rect, bool erase) {
    if (m_widget == nullptr) {
        return;
    }
    if (rect == nullptr) {
        m_widget->MarkInvalid(nullptr, erase);
        return;
    }
    const QRect area = ToQRect(*rect);
    m_widget->MarkInvalid(&area, erase);
}

void CWnd::UpdateWindow() {
    if (m_widget != nullptr) {
        m_widget->PaintInvalidNow();
    }
}

void CWnd::RedrawWindow() {
    Invalidate(true);
    UpdateWindow();
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapseMs) {
    if (m_widget == nullptr) {
        return 0;
    }
    m_widget->StartTimer(id, elapseMs);
    return id;
}

bool CWnd::KillTimer(UINT_PTR id) {
    return m_widget != nullptr && m_widget->StopTimer(id);
}

bool CWnd::IsTimerRunning(UINT_PTR id) const {
    return m_widget != nullptr && m_widget->HasTimer(id);
}

bool CWnd::SendCommand(UINT id) {
    return OnCommand(id);
}

LRESULT CWnd::NotifyParent(UINT code) {
    NMHDR hdr{this, GetDlgCtrlID(), code};
    return SendNotifyToParent(hdr);
}

LRESULT CWnd::SendNotifyToParent(NMHDR& hdr) {
    return SendNotifyTo(GetParent(), hdr);
}

LRESULT CWnd::SendNotifyTo(CWnd* parent, NMHDR& hdr) {
    if (parent == nullptr) {
        return 0;
    }
    LRESULT result = 0;
    parent->OnNotify(hdr, &result);
    return result;
}

bool CWnd::IsCommandEnabled(UINT id) const {
    for (const CWnd* w = this; w != nullptr; w = w->GetParent()) {
        if (w->m_commandMap.HasRule(id) || w->m_commandMap.HasHandler(id)) {
            return w->m_commandMap.IsEnabled(id);
        }
    }
    return false;
}

bool CWnd::PreTranslateMessage(MSG& /*msg*/) {
    return false;
}

void CWnd::OnPaint(CDC& /*dc*/) {}

bool CWnd::OnEraseBkgnd(CDC& dc) {
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(client, kWindowBackground);
    return true;
}

void CWnd::OnLButtonDown(UINT /*flags*/, CPoint /*point*/) {}

void CWnd::OnLButtonDblClk(UINT flags, CPoint point) {
    OnLButtonDown(flags, point);
}
void CWnd::OnLButtonUp(UINT /*flags*/, CPoint /*point*/) {}
void CWnd::OnMouseMove(UINT /*flags*/, CPoint /*point*/) {}
bool CWnd::OnMouseWheel(UINT /*flags*/, int /*delta*/, CPoint /*point*/) {
    return false;
}
bool CWnd::OnKeyDown(UINT /*virtualKey*/) {
    return false;
}
void CWnd::OnTimer(UINT_PTR /*id*/) {}
void CWnd::OnDestroy() {}
void CWnd::OnSetFocus(CWnd* /*oldWnd*/) {}
void CWnd::OnKillFocus(CWnd* /*newWnd*/) {}

bool CWnd::OnNotify(const NMHDR& hdr, LRESULT* result) {
    return m_commandMap.DispatchNotify(hdr, result);
}

bool CWnd::OnCommand(UINT id) {
    if (m_commandMap.DispatchCommand(id)) {
        return true;
    }
    CWnd* parent = GetParent();
    return parent != nullptr && parent->OnCommand(id);
}
