// Message boxes drawn inside the device window over the active screen: title bar with the program's
// name, icon, wrapped text and the buttons of the type; a modal loop of their own.
#include "platform/ui/MessageBox.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/MessageWrap.h"
#include "platform/ui/TestHooks.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/qt/DCBridge.h"
#include "platform/ui/qt/DeviceLook.h"
#include "platform/ui/qt/DeviceScreen.h"
#include "platform/ui/qt/DeviceWindow.h"
#include "platform/ui/qt/MessageBoxIcons.h"
#include "platform/ui/qt/ModalOverlay.h"
#include "platform/ui/qt/QtText.h"
#include "platform/ui/qt/TextLine.h"
#include "platform/ui/qt/WndWidget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include <algorithm>
#include <vector>

namespace platform {
namespace {
/// The box: 216 pixels wide, a 20-pixel title band, a 32-pixel icon column, 22-pixel buttons.
constexpr int kBoxWidth = 216;
constexpr int kTitleHeight = 20;
constexpr int kMargin = 8;
constexpr int kIconSize = 24;
constexpr int kButtonWidth = 52;
constexpr int kButtonHeight = 20;
constexpr int kButtonGap = 8;
/// The screen under the box is dimmed with this much black.
constexpr int kDimAlpha = 70;
/// A message taller than the screen scrolls; a thin bar beside it shows where.
constexpr int kScrollMarkWidth = 3;
constexpr int kWheelNotch = 120;
constexpr int kLinesPerWheelNotch = 3;

struct BoxButton {
    QString label;
    int result;
};

std::vector<BoxButton> ButtonsOf(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {{QStringLiteral("OK"), IDOK}, {QStringLiteral("Cancel"), IDCANCEL}};
    case MB_YESNOCANCEL:
        return {{QStringLiteral("Yes"), IDYES},
                {QStringLiteral("No"), IDNO},
                {QStringLiteral("Cancel"), IDCANCEL}};
    case MB_YESNO:
        return {{QStringLiteral("Yes"), IDYES}, {QStringLiteral("No"), IDNO}};
    default:
        return {{QStringLiteral("OK"), IDOK}};
    }
}

/// The answer when the box is closed without a button: by the program ending a tour, say.
int DismissResultOf(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
        return IDCANCEL;
    case MB_YESNO:
        return IDNO;
    default:
        return IDOK;
    }
}

/// Escape answers Cancel, or OK on a box with nothing else to answer; a Yes/No question has no
/// answer a stray key should give (No may discard a user's changes), so there it does nothing.
bool EscapeAnswers(UINT type) {
    return (type & MB_TYPEMASK) != MB_YESNO;
}

/// The dimmed cover over the device and the box on it.
class MessageBoxWidget : public ModalOverlay {
public:
    MessageBoxWidget(QString title, QString text, UINT type, QWidget* root)
        : ModalOverlay(root), m_title(std::move(title)), m_text(std::move(text)), m_type(type),
          m_buttons(ButtonsOf(type)) {
        setGeometry(root->rect());
        const bool hasIcon = (type & MB_ICONMASK) != 0;
        const int fullWidth = kBoxWidth - 3 * kMargin - (hasIcon ? kIconSize + kMargin : 0);
        const int chrome = kTitleHeight + kMargin + kMargin + kButtonHeight + kMargin;
        const int roomForText = height() - 2 * kMargin - chrome;
        m_visibleLines = std::max(1, roomForText / look::kBarFontCell);
        m_lines = Wrap(fullWidth);
        int textWidth = fullWidth;
        if (static_cast<int>(m_lines.size()) > m_visibleLines) {
            // Too long for the screen: the text scrolls, beside a mark of where it is.
            textWidth = fullWidth - kScrollMarkWidth - kMargin / 2;
            m_lines = Wrap(textWidth);
        }
        const int shownLines = std::min(static_cast<int>(m_lines.size()), m_visibleLines);
        const int bodyHeight = std::max(shownLines * look::kBarFontCell, hasIcon ? kIconSize : 0);
        const int boxHeight = chrome + bodyHeight;
        m_box = QRect((width() - kBoxWidth) / 2, (height() - boxHeight) / 2, kBoxWidth, boxHeight);
        m_textRect = QRect(m_box.left() + kMargin + (hasIcon ? kIconSize + kMargin : 0),
                           m_box.top() + kTitleHeight + kMargin, textWidth, bodyHeight);
    }

    int Run() {
        RunModal();
        return m_result;
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(0, 0, 0, kDimAlpha));
        painter.fillRect(m_box, look::kPaper);
        painter.fillRect(QRect(m_box.left(), m_box.top(), m_box.width(), kTitleHeight), look::kCaptionTop);
        painter.setPen(look::kInk);
        painter.drawRect(m_box.adjusted(0, 0, -1, -1));
        painter.setFont(look::CaptionFont());
        painter.setPen(look::kCaptionText);
        DrawTextLine(painter,
                     QRect(m_box.left() + kMargin, m_box.top(), m_box.width() - 2 * kMargin, kTitleHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, ViewOf(m_title));
        DrawMessageBoxIcon(painter, QRect(m_box.left() + kMargin, m_textRect.top(), kIconSize, kIconSize),
                           m_type);
        painter.setFont(look::BarFont());
        painter.setPen(look::kInk);
        PaintLines(painter);
        for (std::size_t i = 0; i < m_buttons.size(); ++i) {
            const QRect r = ButtonRect(static_cast<int>(i));
            const bool pressed = static_cast<int>(i) == m_pressed;
            painter.fillRect(r, pressed ? look::kHighlight : look::kPaper);
            painter.setPen(look::kInk);
            painter.drawRect(r.adjusted(0, 0, -1, -1));
            if (static_cast<int>(i) == m_focused) {
                // The focused button, which Space presses, wears a second frame.
                painter.drawRect(r.adjusted(1, 1, -2, -2));
            }
            painter.setPen(pressed ? look::kHighlightText : look::kInk);
            DrawTextLine(painter, r, Qt::AlignCenter, ViewOf(m_buttons[i].label));
        }
    }

private:
    std::vector<QString> Wrap(int width) const {
        const QFont font = look::BarFont();
        std::vector<QString> lines;
        for (const std::u16string& line :
             WrapMessage(m_text.toStdU16String(), width,
                         [&font](std::u16string_view piece) { return TextWidth(font, piece); })) {
            lines.push_back(QString::fromStdU16String(line));
        }
        return lines;
    }

    int LastFirstLine() const { return std::max(0, static_cast<int>(m_lines.size()) - m_visibleLines); }

    void ScrollLines(int lines) {
        const int first = std::clamp(m_firstLine + lines, 0, LastFirstLine());
        if (first != m_firstLine) {
            m_firstLine = first;
            repaint();
        }
    }

    void PaintLines(QPainter& painter) const {
        painter.save();
        painter.setClipRect(m_textRect);
        const int last = std::min(static_cast<int>(m_lines.size()), m_firstLine + m_visibleLines);
        for (int i = m_firstLine; i < last; ++i) {
            const QRect line(m_textRect.left(), m_textRect.top() + (i - m_firstLine) * look::kBarFontCell,
                             m_textRect.width(), look::kBarFontCell);
            DrawTextLine(painter, line, Qt::AlignLeft | Qt::AlignVCenter,
                         ViewOf(m_lines[static_cast<std::size_t>(i)]));
        }
        painter.restore();
        if (LastFirstLine() == 0) {
            return;
        }
        const QRect track(m_textRect.right() + 1 + kMargin / 2, m_textRect.top(), kScrollMarkWidth,
                          m_textRect.height());
        const int total = static_cast<int>(m_lines.size());
        const int markTop = track.top() + track.height() * m_firstLine / total;
        const int markHeight = std::max(kScrollMarkWidth, track.height() * m_visibleLines / total);
        painter.fillRect(track, look::kBarFill);
        painter.fillRect(QRect(track.left(), markTop, track.width(), markHeight), look::kBarRule);
    }

    QRect ButtonRect(int index) const {
        const int count = static_cast<int>(m_buttons.size());
        const int total = count * kButtonWidth + (count - 1) * kButtonGap;
        const int left = m_box.left() + (m_box.width() - total) / 2 + index * (kButtonWidth + kButtonGap);
        return QRect(left, m_box.bottom() + 1 - kMargin - kButtonHeight, kButtonWidth, kButtonHeight);
    }

    int ButtonAt(QPoint p) const {
        for (int i = 0; i < static_cast<int>(m_buttons.size()); ++i) {
            if (ButtonRect(i).contains(p)) {
                return i;
            }
        }
        return -1;
    }

    bool HandleMouse(QObject* watched, QMouseEvent* event) override {
        // Everything under the box is out of reach while it shows.
        if (watched != parentWidget()->windowHandle()) {
            return true;
        }
        const QPoint p = mapFrom(parentWidget(), event->position().toPoint());
        const int button = ButtonAt(p);
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
            m_sawPress = true;
            m_pressed = button;
            repaint();
        } else if (event->type() == QEvent::MouseButtonRelease) {
            if (!m_sawPress) {
                // The lift of a pen that was down before the box showed goes where it was going.
                return false;
            }
            m_sawPress = false;
            const int pressed = m_pressed;
            m_pressed = -1;
            repaint();
            if (pressed >= 0 && pressed == button) {
                Close(m_buttons[static_cast<std::size_t>(pressed)].result);
            }
        }
        return true;
    }

    void HandleWheel(QWheelEvent* event) override {
        ScrollLines(-event->angleDelta().y() * kLinesPerWheelNotch / kWheelNotch);
    }

    /// Enter is left to fall through to nothing: it is the program's Open command, so a key meant
    /// for the screen below never answers a question (deleting a list, say) for the user.
    bool HandleKey(QKeyEvent* event) override {
        switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
            ScrollLines(event->key() == Qt::Key_Up ? -1 : 1);
            break;
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            ScrollLines(event->key() == Qt::Key_PageUp ? -m_visibleLines : m_visibleLines);
            break;
        case Qt::Key_Escape:
            if (EscapeAnswers(m_type)) {
                Close(DismissResultOf(m_type));
            }
            break;
        case Qt::Key_Space:
            Close(m_buttons[static_cast<std::size_t>(m_focused)].result);
            break;
        case Qt::Key_Tab:
            MoveFocus((event->modifiers() & Qt::ShiftModifier) != 0 ? -1 : 1);
            break;
        case Qt::Key_Backtab:
            MoveFocus(-1);
            break;
        default:
            break;
        }
        return true;
    }

    void Dismiss() override { Close(DismissResultOf(m_type)); }

    void MoveFocus(int step) {
        const int count = static_cast<int>(m_buttons.size());
        m_focused = (m_focused + step + count) % count;
        repaint();
    }

    void Close(int result) {
        m_result = result;
        EndModal();
    }

    QString m_title;                  ///< the program's name
    QString m_text;                   ///< the message
    UINT m_type;                      ///< buttons and icon
    std::vector<BoxButton> m_buttons; ///< left to right
    QRect m_box;                      ///< the box inside the cover
    QRect m_textRect;                 ///< where the message's lines show
    std::vector<QString> m_lines;     ///< the message wrapped to the text's width
    int m_visibleLines = 1;           ///< how many lines the screen has room for
    int m_firstLine = 0;              ///< the first line shown, when the message scrolls
    int m_pressed = -1;               ///< button under the pen
    int m_focused = 0;                ///< button Space presses: the default (Yes, OK) first
    bool m_sawPress = false;          ///< the pen went down while the box showed
    int m_result = IDCANCEL;          ///< the answer
};

/// Gives the focus back to the screen under a closed box, as the device does.
void ReturnFocusToScreen() {
    if (!DeviceExists()) {
        return;
    }
    if (CDialog* top = Device().TopScreen()) {
        WndAccess::SetFocus(*top, nullptr);
    }
}
} // namespace
} // namespace platform

int AfxMessageBox(const std::u16string& text, UINT type) {
    const CWinApp* app = AfxGetApp();
    const std::u16string title = app != nullptr ? app->GetAppName() : std::u16string(u"Corvina");
    if (const platform::MessageBoxHook& hook = platform::CurrentMessageBoxHook()) {
        const int answer = hook(title, text, type);
        platform::ReturnFocusToScreen();
        return answer;
    }
    int answer = IDCANCEL;
    {
        platform::MessageBoxWidget box(QString::fromStdU16String(title), QString::fromStdU16String(text),
                                       type, &platform::Device());
        answer = box.Run();
    }
    platform::ReturnFocusToScreen();
    return answer;
}
