// The screen tour: taps delivered through the device window as real pen input is, one step per turn
// of whatever event loop runs (a tap may open a menu or a screen whose own loop then runs the next
// steps), then the picture, then the screens closed from the top.
#include "platform/ui/ScreenTour.h"

#include "platform/ui/qt/DeviceWindow.h"
#include "platform/ui/Dialog.h"

#include <QApplication>
#include <QByteArray>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QObject>
#include <QTimer>
#include <QWindow>

#include <memory>

namespace platform {
namespace {

constexpr const char* kDefaultImageFormat = "PNG";
/// Escape closes menus, message boxes and screens alike; a screen that keeps ignoring it this
/// often is ended directly.
constexpr int kEscapesPerScreen = 3;

}  // namespace

/// One tour in progress. Its steps are timers with the tour as their context, so none runs once
/// it is gone.
class ScreenTour : public QObject {
public:
    ScreenTour(ScreenTourPlan plan, std::function<void(bool)> finished)
        : m_plan(std::move(plan)), m_finished(std::move(finished)) {}

    void Start() { ScheduleNext(); }

private:
    enum class Stage { PenDown, PenUp, Picture, CloseScreens };

    /// Queues the next step before the current one acts, so it runs even when this step's tap
    /// blocks inside a menu's or a screen's own loop.
    void ScheduleNext() { QTimer::singleShot(0, this, [this] { Step(); }); }

    void Step() {
        switch (m_stage) {
        case Stage::PenDown:
            if (m_nextTap >= m_plan.taps.size()) {
                m_stage = Stage::Picture;
                ScheduleNext();
                return;
            }
            m_stage = Stage::PenUp;
            ScheduleNext();
            SendPen(QEvent::MouseButtonPress, m_plan.taps[m_nextTap]);
            return;
        case Stage::PenUp:
            m_stage = Stage::PenDown;
            ScheduleNext();
            SendPen(QEvent::MouseButtonRelease, m_plan.taps[m_nextTap++]);
            return;
        case Stage::Picture:
            m_stage = Stage::CloseScreens;
            ScheduleNext();
            m_finished(WritePicture());
            return;
        case Stage::CloseScreens:
            CloseTopScreen();
            return;
        }
    }

    /// Delivers a pen event to the device window, where real pen input arrives: open menus watch
    /// the window, and the window hands the event to the control under the point.
    static void SendPen(QEvent::Type type, const ScreenTourTap& tap) {
        QWindow* window = Device().windowHandle();
        if (window == nullptr) {
            return;
        }
        const QPointF local(tap.point.x, tap.point.y);
        const Qt::MouseButton button = tap.hold ? Qt::RightButton : Qt::LeftButton;
        const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
        QMouseEvent event(type, local, local, window->mapToGlobal(local), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &event);
    }

    bool WritePicture() const {
        DeviceWindow& device = Device();
        // At the display's enlargement (--scale), so a picture for people is as crisp as the window.
        const qreal ratio = device.devicePixelRatioF();
        QImage image(device.size() * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        device.render(&image);
        const QByteArray suffix = QFileInfo(QString::fromStdString(m_plan.imagePath)).suffix().toLower().toLatin1();
        const QByteArray format =
            QImageWriter::supportedImageFormats().contains(suffix) ? suffix : QByteArray(kDefaultImageFormat);
        return image.save(QString::fromStdString(m_plan.imagePath), format.constData());
    }

    /// Presses Escape, as a user leaving would: it closes the open menu or message box, else the top
    /// screen, whose loop returns so that the one below runs the next step, until no screen is left
    /// and the program's start-up returns.
    void CloseTopScreen() {
        CDialog* top = Device().TopScreen();
        if (top == nullptr) {
            return;
        }
        ScheduleNext();
        if (top != m_escapedScreen) {
            m_escapedScreen = top;
            m_escapes = 0;
        }
        if (++m_escapes > kEscapesPerScreen) {
            top->EndDialog(IDCANCEL);
            return;
        }
        SendKey(QEvent::KeyPress, Qt::Key_Escape);
        SendKey(QEvent::KeyRelease, Qt::Key_Escape);
    }

    static void SendKey(QEvent::Type type, Qt::Key key) {
        if (QWindow* window = Device().windowHandle()) {
            QKeyEvent event(type, key, Qt::NoModifier);
            QCoreApplication::sendEvent(window, &event);
        }
    }

    ScreenTourPlan m_plan;                  ///< taps and picture
    std::function<void(bool)> m_finished;   ///< told whether the picture was written
    Stage m_stage = Stage::PenDown;         ///< what the next step does
    std::size_t m_nextTap = 0;              ///< the tap the next pen down or up belongs to
    const CDialog* m_escapedScreen = nullptr;  ///< the top screen the latest Escape was meant for
    int m_escapes = 0;                      ///< Escapes sent while that screen stayed on top
};

}  // namespace platform

CScreenTour::CScreenTour(ScreenTourPlan plan, std::function<void(bool written)> finished)
    : m_tour(std::make_unique<platform::ScreenTour>(std::move(plan), std::move(finished))) {
    m_tour->Start();
}

CScreenTour::~CScreenTour() = default;
