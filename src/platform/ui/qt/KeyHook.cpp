// The keyboard hook: turns Qt key events into key messages for the pre-translation chain.
#include "platform/ui/KeyHook.h"

#include "platform/ui/WinApp.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/qt/WndWidget.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWindow>

namespace platform {
namespace {

LPARAM ModifierWord(Qt::KeyboardModifiers modifiers) {
    LPARAM word = 0;
    if ((modifiers & Qt::ShiftModifier) != 0) {
        word |= MK_SHIFT;
    }
    if ((modifiers & Qt::ControlModifier) != 0) {
        word |= MK_CONTROL;
    }
    if ((modifiers & Qt::AltModifier) != 0) {
        word |= kAltDown;
    }
    return word;
}

/// The windows' own pre-translation, from the focused window up to its screen.
bool WindowsPreTranslate(MSG& msg) {
    for (CWnd* w = msg.hwnd; w != nullptr; w = w->GetParent()) {
        if (w->PreTranslateMessage(msg)) {
            return true;
        }
    }
    return false;
}

class KeyHook : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) {
            return false;
        }
        // A key reaches the window system first at its top-level window and then at the focused
        // widget; it is offered to the hook once, at the widget.
        if (qobject_cast<QWindow*>(watched) != nullptr) {
            return false;
        }
        auto* key = static_cast<QKeyEvent*>(event);
        MSG msg;
        msg.hwnd = CWnd::GetFocus();
        msg.message = event->type() == QEvent::KeyPress ? WM_KEYDOWN : WM_KEYUP;
        msg.wParam = VirtualKeyOf(key->key());
        msg.lParam = ModifierWord(key->modifiers());
        QWidget* receiver = QApplication::focusWidget();
        if (receiver == nullptr) {
            // With nothing focused the key goes to the active window itself.
            auto* widget = qobject_cast<QWidget*>(watched);
            receiver = widget != nullptr && widget->isWindow() ? widget : nullptr;
        }
        if (msg.wParam == 0 || watched != receiver) {
            return false;
        }
        CWinApp* app = AfxGetApp();
        return app != nullptr ? app->PreTranslateMessage(msg) : WindowsPreTranslate(msg);
    }
};
} // namespace

void InstallKeyHook() {
    static KeyHook* hook = nullptr;
    if (hook == nullptr) {
        hook = new KeyHook();
        hook->setParent(qApp);
        qApp->installEventFilter(hook);
    }
}

bool RunWindowsPreTranslate(MSG& msg) {
    return WindowsPreTranslate(msg);
}

} // namespace platform
