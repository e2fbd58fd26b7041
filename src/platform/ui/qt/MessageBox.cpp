// Message boxes drawn inside the device window over the active screen: title bar with the program's
// name, icon, wrapped text and the buttons of the type; a modal loop of their own.
#include "platform/ui/MessageBox.h"

#include "platform/ui/qt/DCBridge.h"
#include "platform/ui/qt/DeviceLook.h"
#include "platform/ui/qt/ModalOverlay.h"
#include "platform/ui/qt/DeviceScreen.h"
#include "platform/ui/qt/DeviceWindow.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/qt/MessageBoxIcons.h"
#include "platform/ui/TestHooks.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/qt/WndWidget.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

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

struct BoxButton {
    QString label;
    int result;
};

std::vector<BoxButton> ButtonsOf(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {{QStringLiteral("OK"), IDOK}, {QStringLiteral("Cancel"), IDCANCEL}};
    case MB_YESNO:
        return {{QStringLiteral("Yes"), IDYES}, {QStringLiteral("No"), IDNO}};
    default:
        return {{QStringLiteral("OK"), IDOK}};
    }
}

/// The answer when the box is closed without a button.
int DismissResultOf(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return IDCANCEL;
    case MB_YESNO:
        return IDNO;
    default:
        return IDOK;
    }
}

/// The dimmed cover over the device and the box on it.
class MessageBoxWidget : public ModalOverlay {
public:
    MessageBoxWidget(QString title, QString text, UINT type, QWidget* root)
        : ModalOverlay(root), m_title(std::move(title)), m_text(std::move(text)), m_type(type),
          m_buttons(ButtonsOf(type)) {
        setGeometry(root->rect());
        const QFontMetrics metrics(look::BarFont());
        const int textWidth = kBoxWidth - 3 * kMargin - ((type & MB_ICONMASK) != 0 ? kIconSize + kMargin : 0);
        const QRect needed = metrics.boundingRect(QRect(0, 0, textWidth, 1000), Qt::TextWordWrap, m_text);
        const int bodyHeight = std::max(needed.height(), (type & MB_ICONMASK) != 0 ? kIconSize : 0);
        const int boxHeight = kTitleHeight + kMargin + bodyHeight + kMargin + kButtonHeight + kMargin;
        m_box = QRect((width() - kBoxWidth) / 2, (height() - boxHeight) / 2, kBoxWidth, boxHeight);
        m_textRect = QRect(m_box.left() + kMargin + ((type & MB_ICONMASK) != 0 ? kIconSize + kMargin : 0),
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
        DrawTextLine(
            painter, QRect(m_box.left() + kMargin, m_box.top(), m_box.width() - 2 * kMargin, kTitleHeight),
            Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_title);
        DrawMessageBoxIcon(painter, QRect(m_box.left() + kMargin, m_textRect.top(), kIconSize, kIconSize),
                           m_type);
        painter.setFont(look::BarFont());
        painter.setPen(look::kInk);
        painter.drawText(m_textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, m_text);
        for (std::size_t i = 0; i < m_buttons.size(); ++i) {
            const QRect r = ButtonRect(static_cast<int>(i));
            const bool pressed = static_cast<int>(i) == m_pressed;
            painter.fillRect(r, pressed ? look::kHighlight : look::kPaper);
            painter.setPen(look::kInk);
            painter.drawRect(r.adjusted(0, 0, -1, -1));
            painter.setPen(pressed ? look::kHighlightText : look::kInk);
            painter.drawText(r, Qt::AlignCenter, m_buttons[i].label);
        }
    }

private:
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

    bool HandleKey(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape) {
            Close(DismissResultOf(m_type));
        } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            Close(m_buttons.front().result);
        }
        return true;
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
    QRect m_textRect;                 ///< where the message wraps
    int m_pressed = -1;               ///< button under the pen
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
