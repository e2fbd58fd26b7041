// The screen tour: taps and keys delivered through the device window as real input is, one event per turn
// of whatever event loop runs (a tap may open a menu or a screen whose own loop then runs the next
// steps), then the picture, then the screens closed from the top.
#include "platform/ui/ScreenTour.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/qt/DeviceWindow.h"
#include "platform/ui/qt/ModalOverlay.h"
#include "platform/ui/qt/PngFile.h"
#include "platform/ui/qt/WndWidget.h"

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

/// The picture's format unless its suffix names another that Qt writes.
constexpr const char* kPngSuffix = "png";
/// Escape closes menus, message boxes and screens alike; a screen that stays on top through this
/// many is ended directly (a Yes/No question ignores Escape on purpose, and the save question's
/// Cancel keeps its screen open).
constexpr int kEscapesPerScreen = 3;

/// One event of the window system's input: a pen event at a device-screen point or a key event.
struct TourInput {
    enum class Kind { Pen, Key };
    Kind kind = Kind::Pen;
    QEvent::Type type = QEvent::None;
    QPointF point;                           ///< pen events
    Qt::MouseButton button = Qt::LeftButton; ///< pen events
    int key = 0;                             ///< key events: the Qt key
    QString text;                            ///< key events: the text it types
    Qt::KeyboardModifiers modifiers;         ///< key events
};

TourInput Pen(QEvent::Type type, CPoint point, Qt::MouseButton button = Qt::LeftButton) {
    TourInput input;
    input.type = type;
    input.point = QPointF(point.x, point.y);
    input.button = button;
    return input;
}

/// A key's press and release with the text a keyboard gives with it.
void AppendKey(std::vector<TourInput>& inputs, int key, QString text, Qt::KeyboardModifiers modifiers = {}) {
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        TourInput input;
        input.kind = TourInput::Kind::Key;
        input.type = type;
        input.key = key;
        input.text = text;
        input.modifiers = modifiers;
        inputs.push_back(input);
    }
}

/// The text a keyboard gives with a named key: control characters for the editing keys that have
/// one, the lower-case letter or the digit for those keys, nothing for the others.
QString TextOfKey(int key) {
    switch (key) {
    case Qt::Key_Return:
        return QStringLiteral("\r");
    case Qt::Key_Tab:
        return QStringLiteral("\t");
    case Qt::Key_Space:
        return QStringLiteral(" ");
    default:
        break;
    }
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) {
        return QString(QChar(key)).toLower();
    }
    return {};
}

/// The key a keyboard reports for character `c`: its upper-case form, as Qt names character keys.
void AppendCharacter(std::vector<TourInput>& inputs, const QString& character) {
    if (character == QStringLiteral("\n")) {
        AppendKey(inputs, Qt::Key_Return, QStringLiteral("\r"));
        return;
    }
    const QChar first = character.front();
    const int key = character.size() == 1 ? static_cast<int>(first.toUpper().unicode())
                                          : static_cast<int>(Qt::Key_unknown);
    const Qt::KeyboardModifiers modifiers = first.isUpper() ? Qt::ShiftModifier : Qt::NoModifier;
    AppendKey(inputs, key, character, modifiers);
}

std::vector<TourInput> InputsOf(const std::vector<ScreenTourStep>& steps) {
    std::vector<TourInput> inputs;
    for (const ScreenTourStep& step : steps) {
        switch (step.kind) {
        case ScreenTourStep::Kind::Tap:
        case ScreenTourStep::Kind::Hold: {
            const Qt::MouseButton button =
                step.kind == ScreenTourStep::Kind::Hold ? Qt::RightButton : Qt::LeftButton;
            inputs.push_back(Pen(QEvent::MouseButtonPress, step.point, button));
            inputs.push_back(Pen(QEvent::MouseButtonRelease, step.point, button));
            break;
        }
        case ScreenTourStep::Kind::DoubleTap:
            // What the window system makes of two quick taps.
            inputs.push_back(Pen(QEvent::MouseButtonPress, step.point));
            inputs.push_back(Pen(QEvent::MouseButtonRelease, step.point));
            inputs.push_back(Pen(QEvent::MouseButtonDblClick, step.point));
            inputs.push_back(Pen(QEvent::MouseButtonRelease, step.point));
            break;
        case ScreenTourStep::Kind::Key: {
            const int key = QtKeyOf(step.virtualKey);
            const Qt::KeyboardModifiers modifiers = QtModifiersOf(step.modifiers);
            // With Ctrl or Alt held a key types nothing; with Shift a letter types its capital.
            const bool types = (modifiers & (Qt::ControlModifier | Qt::AltModifier)) == 0;
            QString text = types ? TextOfKey(key) : QString();
            if ((modifiers & Qt::ShiftModifier) != 0) {
                text = text.toUpper();
            }
            AppendKey(inputs, key, text, modifiers);
            break;
        }
        case ScreenTourStep::Kind::Type: {
            const QString text = QString::fromStdU16String(step.text);
            for (int i = 0; i < text.size(); ++i) {
                const int length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
                AppendCharacter(inputs, text.mid(i, length));
                i += length - 1;
            }
            break;
        }
        }
    }
    return inputs;
}

} // namespace

/// One tour in progress. Its steps are timers with the tour as their context, so none runs once
/// it is gone.
class ScreenTour : public QObject {
public:
    ScreenTour(ScreenTourPlan plan, std::function<void(bool)> finished)
        : m_inputs(InputsOf(plan.steps)), m_imagePath(std::move(plan.imagePath)),
          m_finished(std::move(finished)) {}

    void Start() { ScheduleNext(); }

private:
    enum class Stage { Input, Picture, CloseScreens };

    /// Queues the next step before the current one acts, so it runs even when this step's input
    /// blocks inside a menu's or a screen's own loop.
    void ScheduleNext() {
        QTimer::singleShot(0, this, [this] { Step(); });
    }

    void Step() {
        switch (m_stage) {
        case Stage::Input:
            if (m_nextInput >= m_inputs.size()) {
                m_stage = Stage::Picture;
                ScheduleNext();
                return;
            }
            ScheduleNext();
            Send(m_inputs[m_nextInput++]);
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

    /// Delivers an input event to the device window, where real input arrives: open menus and
    /// message boxes watch the window, which hands pen events to the control under the point and
    /// keys to the focused one.
    static void Send(const TourInput& input) {
        QWindow* window = Device().windowHandle();
        if (window == nullptr) {
            return;
        }
        if (input.kind == TourInput::Kind::Key) {
            QKeyEvent event(input.type, input.key, input.modifiers, input.text);
            QCoreApplication::sendEvent(window, &event);
            return;
        }
        const bool down = input.type != QEvent::MouseButtonRelease;
        const Qt::MouseButtons held = down ? Qt::MouseButtons(input.button) : Qt::NoButton;
        QMouseEvent event(input.type, input.point, input.point, window->mapToGlobal(input.point),
                          input.button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &event);
    }

    bool WritePicture() const {
        DeviceWindow& device = Device();
        // At the display's enlargement (--scale), so a picture for people is as crisp as the window.
        const qreal ratio = device.devicePixelRatioF();
        QImage image(device.size() * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        device.render(&image);
        const QString path = QString::fromStdString(m_imagePath);
        const QByteArray suffix = QFileInfo(path).suffix().toLower().toLatin1();
        // Asking Qt which formats it writes loads every image-format plugin: only another suffix asks.
        if (suffix != kPngSuffix && QImageWriter::supportedImageFormats().contains(suffix)) {
            return image.save(path, suffix.constData());
        }
        return WritePngFile(image, m_imagePath);
    }

    /// Presses Escape, as a user leaving would: it closes the open menu or message box, else the top
    /// screen, whose loop returns so that the one below runs the next step, until no screen is left
    /// and the program's start-up returns. A screen that stays on top through that many Escapes (one
    /// that asks again each time, or a question that ignores Escape) has its open box closed without
    /// a choice, a question answered No or Cancel, and is then ended without asking, so leaving a
    /// tour saves nothing.
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
            // The count stays past the limit: once the box is gone, the next step ends the screen.
            if (!ModalOverlay::DismissInnermost(Device())) {
                top->EndDialog(IDCANCEL);
            }
            return;
        }
        std::vector<TourInput> escape;
        AppendKey(escape, Qt::Key_Escape, {});
        for (const TourInput& input : escape) {
            Send(input);
        }
    }

    std::vector<TourInput> m_inputs;          ///< every input event of the plan, in order
    std::string m_imagePath;                  ///< the picture to write
    std::function<void(bool)> m_finished;     ///< told whether the picture was written
    Stage m_stage = Stage::Input;             ///< what the next step does
    std::size_t m_nextInput = 0;              ///< the input the next step sends
    const CDialog* m_escapedScreen = nullptr; ///< the top screen the latest Escape was meant for
    int m_escapes = 0;                        ///< Escapes sent while that screen stayed on top
};

} // namespace platform

CScreenTour::CScreenTour(ScreenTourPlan plan, std::function<void(bool written)> finished)
    : m_tour(std::make_unique<platform::ScreenTour>(std::move(plan), std::move(finished))) {
    m_tour->Start();
}

CScreenTour::~CScreenTour() = default;
