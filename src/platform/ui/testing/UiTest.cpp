// The UI test helpers: pen and key input through the window layer, timer ticks, stand-ins for the
// user at message boxes and menus, running a screen, and grabbing pixels.
#define QTEST_QPA_MOUSE_HANDLING
#include "platform/ui/testing/UiTest.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/GestureState.h"
#include "platform/ui/TestHooks.h"
#include "platform/ui/qt/DCBridge.h"
#include "platform/ui/qt/DeviceScreen.h"
#include "platform/ui/qt/DeviceWindow.h"
#include "platform/ui/qt/ModalOverlay.h"
#include "platform/ui/qt/WndWidget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QImage>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <stdexcept>

namespace uitest {
namespace {
/// Steps a drag takes between its ends.
constexpr int kDragSteps = 4;

QWidget* WidgetOrThrow(CWnd& wnd) {
    QWidget* widget = platform::WidgetOf(wnd);
    if (widget == nullptr) {
        throw std::logic_error("the window has no on-screen window to give input to");
    }
    return widget;
}

QPoint Q(CPoint p) {
    return QPoint(p.x, p.y);
}

/// Sets the recogniser's forced answer for a scope, unless a test already chose one.
class DefaultAnswer {
public:
    explicit DefaultAnswer(bool hold) : m_set(!platform::GestureOverride().has_value()) {
        if (m_set) {
            platform::SetGestureOverride(hold);
        }
    }
    ~DefaultAnswer() {
        if (m_set) {
            platform::SetGestureOverride(std::nullopt);
        }
    }

private:
    bool m_set;
};

QWidget* KeyReceiver() {
    if (QWidget* focus = QApplication::focusWidget()) {
        return focus;
    }
    return platform::DeviceRoot();
}
} // namespace

void PenDown(CWnd& wnd, CPoint point) {
    QTest::mousePress(WidgetOrThrow(wnd), Qt::LeftButton, {}, Q(point));
}
void PenUp(CWnd& wnd, CPoint point) {
    QTest::mouseRelease(WidgetOrThrow(wnd), Qt::LeftButton, {}, Q(point));
}
void PenMove(CWnd& wnd, CPoint point) {
    QTest::mouseMove(WidgetOrThrow(wnd), Q(point));
}

void Tap(CWnd& wnd, CPoint point) {
    DefaultAnswer noHold(false);
    QWidget* widget = WidgetOrThrow(wnd);
    QTest::mousePress(widget, Qt::LeftButton, {}, Q(point));
    // The press may have closed the window (a command it sent ended the screen).
    if (QWidget* still = platform::WidgetOf(wnd)) {
        QTest::mouseRelease(still, Qt::LeftButton, {}, Q(point));
    }
}

void DoubleTap(CWnd& wnd, CPoint point) {
    DefaultAnswer noHold(false);
    // Down, up, down, up at one instant: the window system makes the second down a double tap.
    QTest::mouseDClick(WidgetOrThrow(wnd), Qt::LeftButton, {}, Q(point));
}

void Drag(CWnd& wnd, CPoint from, CPoint to) {
    DefaultAnswer noHold(false);
    QWidget* widget = WidgetOrThrow(wnd);
    QTest::mousePress(widget, Qt::LeftButton, {}, Q(from));
    for (int step = 1; step <= kDragSteps; ++step) {
        const QPoint at(from.x + (to.x - from.x) * step / kDragSteps,
                        from.y + (to.y - from.y) * step / kDragSteps);
        QTest::mouseMove(widget, at);
    }
    QTest::mouseRelease(widget, Qt::LeftButton, {}, Q(to));
}

void TapScreen(CPoint screenPoint) {
    DefaultAnswer noHold(false);
    QWidget* root = platform::DeviceRoot();
    QTest::mousePress(root, Qt::LeftButton, {}, Q(screenPoint));
    QTest::mouseRelease(root, Qt::LeftButton, {}, Q(screenPoint));
}

void TurnWheel(CWnd& wnd, CPoint point, int notches) {
    QWidget* widget = WidgetOrThrow(wnd);
    const QPointF at(point.x, point.y);
    QWheelEvent wheel(at, widget->mapToGlobal(at), QPoint(), QPoint(0, notches * WHEEL_DELTA), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &wheel);
}

void Hold(CWnd& wnd, CPoint point) {
    platform::SetGestureOverride(true);
    QWidget* widget = WidgetOrThrow(wnd);
    QTest::mousePress(widget, Qt::LeftButton, {}, Q(point));
    platform::SetGestureOverride(std::nullopt);
    if (QWidget* still = platform::WidgetOf(wnd)) {
        QTest::mouseRelease(still, Qt::LeftButton, {}, Q(point));
    }
}

void RightClick(CWnd& wnd, CPoint point) {
    QWidget* widget = WidgetOrThrow(wnd);
    QTest::mousePress(widget, Qt::RightButton, {}, Q(point));
    if (QWidget* still = platform::WidgetOf(wnd)) {
        QTest::mouseRelease(still, Qt::RightButton, {}, Q(point));
    }
}

void PressKey(UINT virtualKey, UINT modifiers) {
    const int key = platform::QtKeyOf(virtualKey);
    if (key == 0) {
        throw std::invalid_argument("no key for virtual key " + std::to_string(virtualKey));
    }
    QTest::keyPress(KeyReceiver(), static_cast<Qt::Key>(key), platform::QtModifiersOf(modifiers));
    QTest::keyRelease(KeyReceiver(), static_cast<Qt::Key>(key), platform::QtModifiersOf(modifiers));
}

void TypeText(const std::u16string& text) {
    QTest::keyClicks(KeyReceiver(), QString::fromStdU16String(text));
}

void Soon(std::function<void()> action) {
    QTimer::singleShot(0, qApp, std::move(action));
}

namespace {
/// How many turns of the event loop WhenPopupShown waits for a popup.
constexpr int kPopupTurns = 20;

void WhenPopupShownWithin(std::function<void()> action, int turnsLeft) {
    Soon([action = std::move(action), turnsLeft]() mutable {
        if (dynamic_cast<platform::ModalOverlay*>(QApplication::focusWidget()) == nullptr) {
            if (turnsLeft > 0) {
                WhenPopupShownWithin(std::move(action), turnsLeft - 1);
            }
            return;
        }
        action();
    });
}
} // namespace

void WhenPopupShown(std::function<void()> action) {
    WhenPopupShownWithin(std::move(action), kPopupTurns);
}

bool FireTimer(CWnd& wnd, UINT_PTR id) {
    platform::WndWidget* widget = platform::WidgetOf(wnd);
    return widget != nullptr && widget->FireTimer(id);
}

void ProcessEvents() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void EndSession() {
    QEvent quit(QEvent::Quit);
    QCoreApplication::sendEvent(QCoreApplication::instance(), &quit);
}

GestureOverride::GestureOverride(GestureAnswer answer) {
    platform::SetGestureOverride(answer == GestureAnswer::Hold);
}
GestureOverride::~GestureOverride() {
    platform::SetGestureOverride(std::nullopt);
}

MessageBoxRecorder::MessageBoxRecorder(std::function<int(const ShownMessageBox&)> answer)
    : m_answer(std::move(answer)) {
    platform::SetMessageBoxHook([this](const std::u16string& title, const std::u16string& text, UINT type) {
        m_shown.push_back({title, text, type});
        return m_answer ? m_answer(m_shown.back()) : IDOK;
    });
}
MessageBoxRecorder::~MessageBoxRecorder() {
    platform::SetMessageBoxHook({});
}

MenuRecorder::MenuRecorder(std::function<UINT(const ShownMenu&)> choose) : m_choose(std::move(choose)) {
    platform::SetMenuHook([this](const std::vector<platform::MenuEntryView>& entries, CPoint point) -> UINT {
        ShownMenu menu;
        menu.screenPoint = point;
        for (const platform::MenuEntryView& e : entries) {
            menu.entries.push_back({e.text, e.commandId, e.separator, e.enabled});
        }
        m_shown.push_back(std::move(menu));
        return m_choose ? m_choose(m_shown.back()) : 0;
    });
}
MenuRecorder::~MenuRecorder() {
    platform::SetMenuHook({});
}

int RunModal(CDialog& dialog, const std::function<void()>& whileRunning) {
    QTimer starter;
    starter.setSingleShot(true);
    QObject::connect(&starter, &QTimer::timeout, [&dialog, &whileRunning] {
        if (!dialog.IsModalRunning()) {
            return;
        }
        whileRunning();
        if (dialog.IsModalRunning()) {
            dialog.EndDialog(IDCANCEL);
        }
    });
    starter.start(0);
    return dialog.DoModal();
}

CDialog* TopScreen() {
    return platform::DeviceExists() ? platform::Device().TopScreen() : nullptr;
}

void WhenScreenRuns(std::function<void(CDialog& screen)> action) {
    Soon([action = std::move(action)] {
        if (CDialog* screen = TopScreen()) {
            action(*screen);
        }
    });
}

struct GrabbedImage::Data {
    QImage image;
};

GrabbedImage::GrabbedImage() : data(std::make_unique<Data>()) {}
GrabbedImage::~GrabbedImage() = default;
GrabbedImage::GrabbedImage(GrabbedImage&&) noexcept = default;
GrabbedImage& GrabbedImage::operator=(GrabbedImage&&) noexcept = default;

int GrabbedImage::Width() const {
    return data->image.width();
}
int GrabbedImage::Height() const {
    return data->image.height();
}

COLORREF GrabbedImage::Pixel(int x, int y) const {
    if (!data->image.valid(x, y)) {
        return 0xFFFFFFFF;
    }
    return FromQRgb(data->image.pixel(x, y));
}

bool GrabbedImage::SavePng(const std::string& path) const {
    return data->image.save(QString::fromStdString(path), "PNG");
}

namespace {
GrabbedImage Render(QWidget* widget, int scale = 1) {
    GrabbedImage grabbed;
    grabbed.data->image = QImage(widget->size() * scale, QImage::Format_RGB32);
    grabbed.data->image.setDevicePixelRatio(scale);
    grabbed.data->image.fill(Qt::white);
    widget->render(&grabbed.data->image);
    return grabbed;
}
} // namespace

GrabbedImage Grab(CWnd& wnd) {
    return Render(WidgetOrThrow(wnd));
}
GrabbedImage GrabDevice(int scale) {
    return Render(platform::DeviceRoot(), scale);
}

bool CloseDeviceWindow() {
    QCloseEvent event;
    QApplication::sendEvent(platform::DeviceRoot(), &event);
    return event.isAccepted();
}

} // namespace uitest
