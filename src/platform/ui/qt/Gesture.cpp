// The tap-and-hold recogniser: watches the pen in a loop of its own until it is lifted, moves away
// or has been held long enough; a right click is a hold at once.
#include "platform/ui/Gesture.h"

#include "platform/ui/GestureState.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/qt/WndWidget.h"

#include <QApplication>
#include <QEventLoop>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QWindow>

#include <memory>
#include <vector>

namespace platform {
namespace {
struct RecogniserState {
    bool rightClick = false;          ///< the pen down being handled is a right click
    std::optional<bool> forcedAnswer; ///< test override: hold or not, at once
};
RecogniserState& State() {
    static RecogniserState state;
    return state;
}

/// Watches the pen while the recogniser waits. Pen events are held back and given back to their
/// windows afterwards, so the window that asked sees them after its pen-down handler has finished.
class HoldWatcher : public QObject {
public:
    HoldWatcher(QPoint downInWindow, QEventLoop& loop) : m_down(downInWindow), m_loop(loop) {}
    ~HoldWatcher() override = default;

    bool released = false; ///< the pen was lifted or moved away: no hold

    /// Re-delivers the held-back pen events in their order.
    void Replay() {
        for (auto& held : m_held) {
            if (held.target) {
                QCoreApplication::postEvent(held.target, held.event.release());
            }
        }
        m_held.clear();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto type = event->type();
        if (type != QEvent::MouseButtonRelease && type != QEvent::MouseMove) {
            return false;
        }
        auto* window = qobject_cast<QWindow*>(watched);
        if (window == nullptr) {
            return false;
        }
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint at = mouse->position().toPoint();
        const bool movedAway = (at - m_down).manhattanLength() > kHoldTolerancePixels;
        if (type == QEvent::MouseMove && !movedAway) {
            return true; // the pen is still held still
        }
        m_held.push_back({QPointer<QObject>(watched), std::unique_ptr<QEvent>(mouse->clone())});
        released = true;
        m_loop.exit();
        return true;
    }

private:
    struct Held {
        QPointer<QObject> target;
        std::unique_ptr<QEvent> event;
    };
    QPoint m_down;            ///< the pen-down point in window coordinates
    QEventLoop& m_loop;       ///< the recogniser's loop
    std::vector<Held> m_held; ///< pen events to give back
};

/// Sends the hold notification to the client's parent.
void NotifyParentOfHold(const SHRGINFO& info) {
    CWnd* client = info.hwndClient;
    CPoint screen = info.ptDown;
    client->ClientToScreen(&screen);
    NMRGINFO record;
    record.hdr.hwndFrom = client;
    record.hdr.idFrom = client->GetDlgCtrlID();
    record.hdr.code = GN_CONTEXTMENU;
    record.ptAction = screen;
    client->SendNotifyToParent(record.hdr);
}

bool WaitForHold(const SHRGINFO& info) {
    WndWidget* widget = WidgetOf(*info.hwndClient);
    if (widget == nullptr || widget->window()->windowHandle() == nullptr) {
        return false;
    }
    const QPoint downInWindow = widget->mapTo(widget->window(), QPoint(info.ptDown.x, info.ptDown.y));
    QEventLoop loop;
    HoldWatcher watcher(downInWindow, loop);
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    qApp->installEventFilter(&watcher);
    timer.start(kHoldMilliseconds);
    loop.exec();
    qApp->removeEventFilter(&watcher);
    watcher.Replay();
    return !watcher.released;
}
} // namespace

void SetPenDownIsRightClick(bool rightClick) {
    State().rightClick = rightClick;
}
bool PenDownIsRightClick() {
    return State().rightClick;
}
void SetGestureOverride(std::optional<bool> hold) {
    State().forcedAnswer = hold;
}
std::optional<bool> GestureOverride() {
    return State().forcedAnswer;
}

} // namespace platform

UINT SHRecognizeGesture(const SHRGINFO& info) {
    if (info.hwndClient == nullptr) {
        return 0;
    }
    bool held = false;
    if (platform::PenDownIsRightClick()) {
        held = true;
    } else if (const auto forced = platform::GestureOverride()) {
        held = *forced;
    } else {
        held = platform::WaitForHold(info);
    }
    if (!held) {
        return 0;
    }
    if ((info.dwFlags & SHRG_NOTIFYPARENT) != 0) {
        platform::NotifyParentOfHold(info);
    }
    return GN_CONTEXTMENU;
}
