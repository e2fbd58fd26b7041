// Injected key events, queued like a keyboard's, with the modifiers the injection holds down.
#include "platform/ui/KeyInjection.h"

#include "platform/ui/qt/DeviceScreen.h"
#include "platform/ui/qt/WndWidget.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

namespace {
Qt::KeyboardModifiers& HeldModifiers() {
    static Qt::KeyboardModifiers held;
    return held;
}

Qt::KeyboardModifier ModifierOf(UINT virtualKey) {
    switch (virtualKey) {
    case VK_SHIFT:
        return Qt::ShiftModifier;
    case VK_CONTROL:
        return Qt::ControlModifier;
    case VK_MENU:
        return Qt::AltModifier;
    default:
        return Qt::NoModifier;
    }
}

QString TextOf(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (qtKey == Qt::Key_Return) {
        return QStringLiteral("\r");
    }
    if ((modifiers & Qt::ControlModifier) != 0 || qtKey < Qt::Key_Space || qtKey > Qt::Key_AsciiTilde) {
        return {};
    }
    const QChar c(qtKey);
    return (modifiers & Qt::ShiftModifier) != 0 ? QString(c) : QString(c.toLower());
}
} // namespace

void keybd_event(BYTE virtualKey, BYTE /*scanCode*/, DWORD flags, UINT_PTR /*extraInfo*/) {
    const int qtKey = platform::QtKeyOf(virtualKey);
    if (qtKey == 0) {
        return;
    }
    const bool release = (flags & KEYEVENTF_KEYUP) != 0;
    const Qt::KeyboardModifier modifier = ModifierOf(virtualKey);
    if (modifier != Qt::NoModifier) {
        HeldModifiers().setFlag(modifier, !release);
    }
    const Qt::KeyboardModifiers held = HeldModifiers();
    // Delivered from the queue, after the handler that injected it has returned.
    QTimer::singleShot(0, qApp, [qtKey, release, held] {
        QWidget* target = QApplication::focusWidget();
        if (target == nullptr && platform::DeviceExists()) {
            target = platform::DeviceRoot();
        }
        if (target == nullptr) {
            return;
        }
        QKeyEvent event(release ? QEvent::KeyRelease : QEvent::KeyPress, qtKey, held, TextOf(qtKey, held));
        QApplication::sendEvent(target, &event);
    });
}
