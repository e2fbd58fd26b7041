// The on-screen keyboard's layout, look and typing.
#include "platform/ui/qt/InputPanelWidget.h"

#include "platform/ui/qt/DeviceLook.h"
#include "platform/ui/qt/QtText.h"
#include "platform/ui/qt/TextLine.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace platform {
namespace {
/// Five rows of 16 pixels; a plain key is 20 pixels wide, so twelve fill the 240-pixel row.
constexpr int kRowHeight = 16;
constexpr int kKeyUnit = 20;

/// One key cap of the panel: what it shows, what it types, the key it sends and its width in key
/// units.
struct KeyCap {
    const char* label;
    const char* text;
    int qtKey;
    double units;
};

/// The panel's rows of key caps, top to bottom.
const std::vector<std::vector<KeyCap>>& KeyRows() {
    static const std::vector<std::vector<KeyCap>> rows = {
        {{"1", "1", Qt::Key_1, 1},
         {"2", "2", Qt::Key_2, 1},
         {"3", "3", Qt::Key_3, 1},
         {"4", "4", Qt::Key_4, 1},
         {"5", "5", Qt::Key_5, 1},
         {"6", "6", Qt::Key_6, 1},
         {"7", "7", Qt::Key_7, 1},
         {"8", "8", Qt::Key_8, 1},
         {"9", "9", Qt::Key_9, 1},
         {"0", "0", Qt::Key_0, 1},
         {"-", "-", Qt::Key_Minus, 1},
         {"\u2190", "", Qt::Key_Backspace, 1}},
        {{"q", "q", Qt::Key_Q, 1},
         {"w", "w", Qt::Key_W, 1},
         {"e", "e", Qt::Key_E, 1},
         {"r", "r", Qt::Key_R, 1},
         {"t", "t", Qt::Key_T, 1},
         {"y", "y", Qt::Key_Y, 1},
         {"u", "u", Qt::Key_U, 1},
         {"i", "i", Qt::Key_I, 1},
         {"o", "o", Qt::Key_O, 1},
         {"p", "p", Qt::Key_P, 1},
         {"(", "(", Qt::Key_ParenLeft, 1},
         {")", ")", Qt::Key_ParenRight, 1}},
        {{"a", "a", Qt::Key_A, 1.5},
         {"s", "s", Qt::Key_S, 1},
         {"d", "d", Qt::Key_D, 1},
         {"f", "f", Qt::Key_F, 1},
         {"g", "g", Qt::Key_G, 1},
         {"h", "h", Qt::Key_H, 1},
         {"j", "j", Qt::Key_J, 1},
         {"k", "k", Qt::Key_K, 1},
         {"l", "l", Qt::Key_L, 1},
         {"'", "'", Qt::Key_Apostrophe, 1},
         {"\u21b5", "", Qt::Key_Return, 1.5}},
        {{"\u21e7", "", Qt::Key_Shift, 2},
         {"z", "z", Qt::Key_Z, 1},
         {"x", "x", Qt::Key_X, 1},
         {"c", "c", Qt::Key_C, 1},
         {"v", "v", Qt::Key_V, 1},
         {"b", "b", Qt::Key_B, 1},
         {"n", "n", Qt::Key_N, 1},
         {"m", "m", Qt::Key_M, 1},
         {",", ",", Qt::Key_Comma, 1},
         {".", ".", Qt::Key_Period, 1}},
        {{"&", "&", Qt::Key_Ampersand, 1},
         {"/", "/", Qt::Key_Slash, 1},
         {"", " ", Qt::Key_Space, 6},
         {"?", "?", Qt::Key_Question, 1},
         {"!", "!", Qt::Key_Exclam, 1},
         {":", ":", Qt::Key_Colon, 1},
         {"*", "*", Qt::Key_Asterisk, 1}},
    };
    return rows;
}
} // namespace

InputPanelWidget::InputPanelWidget(QWidget* parent) : QWidget(parent) {
    // Tapping a key must never take the focus from the field being typed into.
    setFocusPolicy(Qt::NoFocus);
    BuildKeys();
}

void InputPanelWidget::BuildKeys() {
    int y = 0;
    for (const auto& row : KeyRows()) {
        double x = 0;
        for (const KeyCap& cap : row) {
            const int left = static_cast<int>(x * kKeyUnit);
            x += cap.units;
            const int right = static_cast<int>(x * kKeyUnit);
            m_keys.push_back({QString::fromUtf8(cap.label), QString::fromUtf8(cap.text), cap.qtKey,
                              QRect(left, y, right - left, kRowHeight)});
        }
        y += kRowHeight;
    }
}

void InputPanelWidget::PressKey(int index) {
    if (index < 0 || index >= static_cast<int>(m_keys.size())) {
        return;
    }
    const Key& key = m_keys[static_cast<std::size_t>(index)];
    if (key.qtKey == Qt::Key_Shift) {
        m_shift = !m_shift;
        repaint();
        return;
    }
    QWidget* target = QApplication::focusWidget();
    if (target == nullptr) {
        return;
    }
    const QString text = key.qtKey == Qt::Key_Return      ? QStringLiteral("\r")
                         : key.qtKey == Qt::Key_Backspace ? QStringLiteral("\b")
                         : m_shift                        ? key.text.toUpper()
                                                          : key.text;
    const int qtKey = key.qtKey;
    QKeyEvent press(QEvent::KeyPress, qtKey, m_shift ? Qt::ShiftModifier : Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    if (QWidget* still = QApplication::focusWidget()) {
        QKeyEvent release(QEvent::KeyRelease, qtKey, m_shift ? Qt::ShiftModifier : Qt::NoModifier, text);
        QApplication::sendEvent(still, &release);
    }
    if (m_shift) {
        m_shift = false;
        repaint();
    }
}

void InputPanelWidget::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), look::kPanelFill);
    painter.setFont(look::KeyFont());
    for (std::size_t i = 0; i < m_keys.size(); ++i) {
        const Key& key = m_keys[i];
        const QRect face = key.rect.adjusted(1, 1, -1, -1);
        const bool down = static_cast<int>(i) == m_pressed || (key.qtKey == Qt::Key_Shift && m_shift);
        painter.fillRect(face, down ? look::kHighlight : look::kKeyFill);
        painter.setPen(look::kKeyOutline);
        painter.drawRect(face.adjusted(0, 0, -1, -1));
        painter.setPen(down ? look::kHighlightText : look::kInk);
        const QString label =
            m_shift && key.text.size() == 1 && key.text.at(0).isLetter() ? key.label.toUpper() : key.label;
        DrawTextLine(painter, face, Qt::AlignCenter, ViewOf(label));
    }
}

void InputPanelWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    for (std::size_t i = 0; i < m_keys.size(); ++i) {
        if (m_keys[i].rect.contains(p)) {
            m_pressed = static_cast<int>(i);
            repaint();
            return;
        }
    }
}

void InputPanelWidget::mouseReleaseEvent(QMouseEvent* event) {
    const int pressed = m_pressed;
    m_pressed = -1;
    repaint();
    if (pressed >= 0 &&
        m_keys[static_cast<std::size_t>(pressed)].rect.contains(event->position().toPoint())) {
        PressKey(pressed);
    }
}

} // namespace platform
