// Qt events of a window's widget, forwarded to its owner's message handlers.
#include "platform/ui/qt/WndWidget.h"

#include "platform/ui/DesktopKeys.h"
#include "platform/ui/GestureState.h"
#include "platform/ui/qt/DCBridge.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QWheelEvent>

namespace platform {

WndWidget::WndWidget(WindowKind kind, QWidget* parent) : QWidget(parent), m_kind(kind) {}

WndWidget::~WndWidget() {
    m_timers.clear();
    if (m_owner != nullptr) {
        WndAccess::SetWidget(*m_owner, nullptr);
    }
}

void WndWidget::SetOwner(CWnd* owner) {
    if (m_owner == owner) {
        return;
    }
    if (m_owner != nullptr) {
        WndAccess::SetWidget(*m_owner, nullptr);
    }
    m_owner = owner;
    if (owner != nullptr) {
        if (WndWidget* previous = WndAccess::Widget(*owner); previous != nullptr && previous != this) {
            previous->m_owner = nullptr;
        }
        WndAccess::SetWidget(*owner, this);
    }
}

void WndWidget::SetText(const std::u16string& text) {
    m_text = text;
    MarkInvalid(nullptr, true);
}

void WndWidget::MarkInvalid(const QRect* rect, bool erase) {
    const QRect area = rect != nullptr ? *rect : QRect(QPoint(0, 0), size());
    m_invalid += area;
    m_eraseNext = m_eraseNext || erase;
    update(area);
}

void WndWidget::PaintInvalidNow() {
    if (m_invalid.isEmpty() || !isVisible()) {
        return;
    }
    repaint(m_invalid);
}

void WndWidget::paintEvent(QPaintEvent* event) {
    // A paint Qt starts on its own (first show, uncovering) always erases; one we asked for erases
    // only when the invalidation said so.
    const bool exposedBySystem = !(event->region() - m_invalid).isEmpty();
    const bool erase = m_eraseNext || exposedBySystem;
    m_invalid -= event->region();
    if (m_invalid.isEmpty()) {
        m_eraseNext = false;
    }
    if (m_owner == nullptr) {
        return;
    }
    QPainter painter(this);
    painter.setClipRegion(event->region());
    CDC dc;
    AttachPainter(dc, &painter, CSize(width(), height()));
    if (erase) {
        WndAccess::EraseBackground(*m_owner, dc);
    }
    WndAccess::Paint(*m_owner, dc);
}

static CPoint PointOf(const QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    return CPoint(p.x(), p.y());
}

void WndWidget::mousePressEvent(QMouseEvent* event) {
    DeliverPenDown(event, false);
}

void WndWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    // A quick second tap is a second pen down; windows that care learn it was the second.
    DeliverPenDown(event, true);
}

void WndWidget::DeliverPenDown(QMouseEvent* event, bool secondOfDouble) {
    if (m_owner == nullptr) {
        return;
    }
    const bool rightClick = event->button() == Qt::RightButton;
    if (!rightClick && event->button() != Qt::LeftButton) {
        return;
    }
    SetPenDownIsRightClick(rightClick);
    m_inPenDown = true;
    const QPointer<WndWidget> alive(this);
    const UINT flags = MK_LBUTTON | PenFlags(Qt::NoButton, event->modifiers());
    if (secondOfDouble && !rightClick) {
        WndAccess::PenDoubleDown(*m_owner, flags, PointOf(event));
    } else {
        WndAccess::PenDown(*m_owner, flags, PointOf(event));
    }
    if (alive) {
        m_inPenDown = false;
    }
    SetPenDownIsRightClick(false);
}

void WndWidget::mouseReleaseEvent(QMouseEvent* event) {
    // A lift that comes while this window's own pen-down handler still runs belongs to what that
    // handler opened (a context menu took the pen), not to this window.
    if (m_owner == nullptr || m_inPenDown) {
        return;
    }
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) {
        return;
    }
    WndAccess::PenUp(*m_owner, PenFlags(Qt::NoButton, event->modifiers()), PointOf(event));
}

void WndWidget::mouseMoveEvent(QMouseEvent* event) {
    if (m_owner == nullptr || m_inPenDown) {
        return;
    }
    WndAccess::PenMove(*m_owner, PenFlags(event->buttons(), event->modifiers()), PointOf(event));
}

void WndWidget::wheelEvent(QWheelEvent* event) {
    const QPoint p = event->position().toPoint();
    const bool handled =
        m_owner != nullptr && WndAccess::MouseWheel(*m_owner, PenFlags(event->buttons(), event->modifiers()),
                                                    event->angleDelta().y(), CPoint(p.x(), p.y()));
    // Unhandled turns go on to the parent window, as Qt does with an ignored event.
    event->setAccepted(handled);
}

void WndWidget::keyPressEvent(QKeyEvent* event) {
    if (m_owner != nullptr && WndAccess::KeyDown(*m_owner, VirtualKeyOf(event->key()))) {
        return;
    }
    QWidget::keyPressEvent(event);
}

void WndWidget::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    // A screen is told of the focus by the framework, when what covered it goes away.
    if (m_owner != nullptr && m_kind != WindowKind::Screen) {
        WndAccess::SetFocus(*m_owner, nullptr);
    }
}

void WndWidget::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    if (m_owner != nullptr) {
        WndAccess::KillFocus(*m_owner, OwnerOf(QApplication::focusWidget()));
    }
}

void WndWidget::StartTimer(UINT_PTR id, UINT periodMs) {
    auto& timer = m_timers[id];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        // Repeat periods are part of the program's rules (a scroll step every 70 ms), so they must
        // not be coarsened.
        timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer.get(), &QTimer::timeout, this, [this, id] { FireTimer(id); });
    }
    timer->start(static_cast<int>(periodMs));
}

bool WndWidget::StopTimer(UINT_PTR id) {
    auto it = m_timers.find(id);
    if (it == m_timers.end() || !it->second->isActive()) {
        return false;
    }
    it->second->stop();
    return true;
}

bool WndWidget::HasTimer(UINT_PTR id) const {
    auto it = m_timers.find(id);
    return it != m_timers.end() && it->second->isActive();
}

bool WndWidget::FireTimer(UINT_PTR id) {
    if (!HasTimer(id) || m_owner == nullptr) {
        return false;
    }
    WndAccess::Timer(*m_owner, id);
    return true;
}

void WndWidget::NotifyDestroyTree() {
    for (auto& [id, timer] : m_timers) {
        timer->stop();
    }
    if (m_owner != nullptr) {
        WndAccess::Destroy(*m_owner);
    }
    for (QObject* child : children()) {
        if (auto* window = dynamic_cast<WndWidget*>(child)) {
            window->NotifyDestroyTree();
        }
    }
}

CWnd* OwnerOf(QWidget* widget) {
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (auto* window = dynamic_cast<WndWidget*>(w)) {
            return window->Owner();
        }
    }
    return nullptr;
}

UINT PenFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    UINT flags = 0;
    if (buttons & Qt::LeftButton) {
        flags |= MK_LBUTTON;
    }
    if (buttons & Qt::RightButton) {
        flags |= MK_RBUTTON;
    }
    if (modifiers & Qt::ShiftModifier) {
        flags |= MK_SHIFT;
    }
    if (modifiers & Qt::ControlModifier) {
        flags |= MK_CONTROL;
    }
    return flags;
}

namespace {
struct KeyPair {
    int qtKey;
    UINT virtualKey;
};
constexpr KeyPair kKeys[] = {
    {Qt::Key_Backspace, VK_BACK}, {Qt::Key_Tab, VK_TAB},       {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN},   {Qt::Key_Shift, VK_SHIFT},   {Qt::Key_Control, VK_CONTROL},
    {Qt::Key_Alt, VK_MENU},       {Qt::Key_Escape, VK_ESCAPE}, {Qt::Key_Space, VK_SPACE},
    {Qt::Key_Left, VK_LEFT},      {Qt::Key_Up, VK_UP},         {Qt::Key_Right, VK_RIGHT},
    {Qt::Key_Down, VK_DOWN},      {Qt::Key_Delete, VK_DELETE}, {Qt::Key_PageUp, VK_PRIOR},
    {Qt::Key_PageDown, VK_NEXT},  {Qt::Key_Home, VK_HOME},     {Qt::Key_End, VK_END},
    {Qt::Key_Insert, VK_INSERT},
};
/// F1 to F12 follow each other in both codes.
constexpr int kFunctionKeys = VK_F12 - VK_F1 + 1;
} // namespace

UINT VirtualKeyOf(int qtKey) {
    for (const KeyPair& k : kKeys) {
        if (k.qtKey == qtKey) {
            return k.virtualKey;
        }
    }
    // Letters and digits share their codes with the virtual keys.
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)) {
        return static_cast<UINT>(qtKey);
    }
    if (qtKey >= Qt::Key_F1 && qtKey < Qt::Key_F1 + kFunctionKeys) {
        return VK_F1 + static_cast<UINT>(qtKey - Qt::Key_F1);
    }
    return 0;
}

int QtKeyOf(UINT virtualKey) {
    for (const KeyPair& k : kKeys) {
        if (k.virtualKey == virtualKey) {
            return k.qtKey;
        }
    }
    if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z')) {
        return static_cast<int>(virtualKey);
    }
    if (virtualKey >= VK_F1 && virtualKey <= VK_F12) {
        return Qt::Key_F1 + static_cast<int>(virtualKey - VK_F1);
    }
    return 0;
}

Qt::KeyboardModifiers QtModifiersOf(UINT modifiers) {
    Qt::KeyboardModifiers result;
    if ((modifiers & MK_SHIFT) != 0) {
        result |= Qt::ShiftModifier;
    }
    if ((modifiers & MK_CONTROL) != 0) {
        result |= Qt::ControlModifier;
    }
    if ((modifiers & static_cast<UINT>(kAltDown)) != 0) {
        result |= Qt::AltModifier;
    }
    return result;
}

} // namespace platform
