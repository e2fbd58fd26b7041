// The modal loop and the input capture that message boxes and popup menus share.
#include "platform/ui/qt/ModalOverlay.h"

#include <QApplication>
#include <QEventLoop>
#include <QPointer>
#include <QWindow>

namespace platform {

std::vector<ModalOverlay*> ModalOverlay::RunningOver(QWidget& root) {
    // The class has no meta-object of its own, so Qt's own child search would take every widget
    // for an overlay: each child is asked what it is.
    std::vector<ModalOverlay*> running;
    for (QObject* child : root.children()) {
        auto* overlay = dynamic_cast<ModalOverlay*>(child);
        if (overlay != nullptr && overlay->m_loop != nullptr) {
            running.push_back(overlay);
        }
    }
    return running;
}

bool ModalOverlay::DismissInnermost(QWidget& root) {
    // An overlay opened from inside another one (a message box from a menu's command) is made
    // later, so it comes later among the children.
    const std::vector<ModalOverlay*> running = RunningOver(root);
    if (running.empty()) {
        return false;
    }
    running.back()->Dismiss();
    return true;
}

bool ModalOverlay::AnyRunning(QWidget& root) {
    return !RunningOver(root).empty();
}

void ModalOverlay::RunModal() {
    const QPointer<QWidget> focusBefore = QApplication::focusWidget();
    show();
    raise();
    setFocus();
    qApp->installEventFilter(this);
    QEventLoop loop;
    m_loop = &loop;
    loop.exec();
    m_loop = nullptr;
    qApp->removeEventFilter(this);
    if (focusBefore) {
        focusBefore->setFocus(Qt::OtherFocusReason);
    }
}

void ModalOverlay::EndModal() {
    hide();
    if (m_loop != nullptr) {
        m_loop->exit();
    }
}

bool ModalOverlay::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
        return HandleMouse(watched, static_cast<QMouseEvent*>(event));
    case QEvent::KeyPress:
        return HandleKey(static_cast<QKeyEvent*>(event));
    case QEvent::KeyRelease:
        return true;
    case QEvent::Wheel:
        // Offered once, where the window system first delivers it, and kept from the windows below.
        if (watched == static_cast<QObject*>(parentWidget()->windowHandle())) {
            HandleWheel(static_cast<QWheelEvent*>(event));
        }
        return true;
    default:
        return false;
    }
}

} // namespace platform
