// A widget drawn over the device screen that holds all input until it closes: the shape message
// boxes and popup menus share (platform-internal; includes Qt).
#pragma once

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

#include <vector>

class QEventLoop;

namespace platform {

/// An overlay that runs its own event loop and sees every pen and key event of the application first.
class ModalOverlay : public QWidget {
public:
    using QWidget::QWidget;

    /// Closes the innermost overlay running over `root` as if it had been left without a choice (a
    /// menu picks nothing, a message box gives its closing answer). False when none runs.
    static bool DismissInnermost(QWidget& root);
    /// True while a menu or message box runs over `root`.
    static bool AnyRunning(QWidget& root);

protected:
    /// Shows the overlay with the focus, runs until `EndModal`, then gives the focus back to the
    /// widget that had it.
    void RunModal();
    /// Hides the overlay and ends the loop `RunModal` runs.
    void EndModal();

    /// A pen event anywhere in the application; `watched` is the object it was sent to. True eats it.
    virtual bool HandleMouse(QObject* watched, QMouseEvent* event) = 0;
    /// A key press anywhere in the application. True eats it.
    virtual bool HandleKey(QKeyEvent* event) = 0;
    /// A wheel turn anywhere in the application; the windows under the overlay get none.
    virtual void HandleWheel(QWheelEvent* /*event*/) {}
    /// Ends the overlay without a choice. The base just ends the loop.
    virtual void Dismiss() { EndModal(); }

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// The overlays running over `root`, oldest first.
    static std::vector<ModalOverlay*> RunningOver(QWidget& root);

    QEventLoop* m_loop = nullptr; ///< the running loop, while `RunModal` runs
};

} // namespace platform
