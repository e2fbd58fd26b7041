// The menu bar's layout, look and taps: drop-downs open their popup above the bar, tool buttons
// send their command, the keyboard button raises or lowers the input panel.
#include "platform/ui/qt/MenuBarWidget.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/qt/DeviceLook.h"
#include "platform/ui/qt/DeviceScreen.h"
#include "platform/ui/qt/DeviceWindow.h"
#include "platform/ui/qt/DialogState.h"
#include "platform/ui/qt/PopupMenu.h"
#include "platform/ui/qt/TextLine.h"

#include <QMouseEvent>
#include <QPainter>

namespace platform {
namespace {
/// A drop-down button is its label plus 7 pixels each side; a tool button holds a 16-pixel image
/// with 4 pixels each side; a gap is 6 pixels.
constexpr int kLabelPadding = 7;
constexpr int kToolPadding = 4;
constexpr int kGapWidth = 6;
constexpr int kKeyboardButtonWidth = 28;

const MenuBarModel* ModelOf(CDialog* screen) {
    return screen != nullptr ? &WndAccess::StateOf(*screen).menuBar : nullptr;
}

/// The keyboard glyph: a 17 x 11 frame holding two rows of six 1-pixel keys (2 pixels apart, with a
/// wider gap after the third) and an 8-pixel space bar along the bottom.
constexpr int kGlyphWidth = 17;
constexpr int kGlyphHeight = 11;
constexpr int kGlyphKeyRows = 2;
constexpr int kGlyphKeysPerRow = 6;
constexpr int kGlyphKeyPitch = 2;
constexpr int kGlyphInset = 2;
constexpr int kGlyphSpaceBarLeft = 4;
constexpr int kGlyphSpaceBarWidth = 8;

void DrawKeyboardGlyph(QPainter& painter, const QRect& box, const QColor& ink) {
    const QRect body(box.center().x() - kGlyphWidth / 2, box.center().y() - kGlyphHeight / 2, kGlyphWidth,
                     kGlyphHeight);
    painter.setPen(ink);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(body.adjusted(0, 0, -1, -1));
    for (int row = 0; row < kGlyphKeyRows; ++row) {
        for (int col = 0; col < kGlyphKeysPerRow; ++col) {
            const int halfGap = col >= kGlyphKeysPerRow / 2 ? 1 : 0;
            painter.fillRect(body.left() + kGlyphInset + col * kGlyphKeyPitch + halfGap,
                             body.top() + kGlyphInset + row * kGlyphKeyPitch, 1, 1, ink);
        }
    }
    painter.fillRect(body.left() + kGlyphSpaceBarLeft, body.bottom() - kGlyphInset, kGlyphSpaceBarWidth, 1,
                     ink);
}
} // namespace

MenuBarWidget::MenuBarWidget(QWidget* parent) : QWidget(parent) {}

void MenuBarWidget::ShowScreen(CDialog* screen) {
    m_screen = screen;
    m_pressed = -1;
    update();
}

std::vector<QRect> MenuBarWidget::ButtonRects() const {
    std::vector<QRect> rects;
    const MenuBarModel* model = ModelOf(m_screen);
    if (model == nullptr) {
        return rects;
    }
    const QFont font = look::BarFont();
    int x = 0;
    for (const MenuBarButton& button : model->buttons) {
        int w = kGapWidth;
        if (button.type == MenuBarButton::Type::DropDown) {
            w = TextWidth(font, button.label) + 2 * kLabelPadding;
        } else if (button.type == MenuBarButton::Type::Tool) {
            w = button.image.width() + 2 * kToolPadding;
        }
        rects.emplace_back(x, 1, w, height() - 1);
        x += w;
    }
    return rects;
}

QRect MenuBarWidget::KeyboardButtonRect() const {
    return QRect(width() - kKeyboardButtonWidth, 1, kKeyboardButtonWidth, height() - 1);
}

void MenuBarWidget::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), look::kBarFill);
    painter.fillRect(0, 0, width(), 1, look::kBarRule);
    painter.setFont(look::BarFont());
    const MenuBarModel* model = ModelOf(m_screen);
    if (model != nullptr) {
        const std::vector<QRect> rects = ButtonRects();
        for (std::size_t i = 0; i < rects.size(); ++i) {
            const MenuBarButton& button = model->buttons[i];
            const bool pressed = static_cast<int>(i) == m_pressed;
            if (button.type == MenuBarButton::Type::Gap) {
                continue;
            }
            if (pressed) {
                painter.fillRect(rects[i], look::kHighlight);
            }
            if (button.type == MenuBarButton::Type::DropDown) {
                painter.setPen(pressed ? look::kHighlightText : look::kBarText);
                DrawTextLine(painter, rects[i], Qt::AlignCenter, button.label);
            } else {
                const QPoint at(rects[i].left() + kToolPadding,
                                rects[i].top() + (rects[i].height() - button.image.height()) / 2);
                painter.drawImage(at, button.image);
            }
        }
    }
    const QRect keyboard = KeyboardButtonRect();
    const bool raised = Device().IsInputPanelRaised();
    if (raised) {
        painter.fillRect(keyboard, look::kHighlight);
    }
    painter.fillRect(keyboard.left(), keyboard.top() + 3, 1, keyboard.height() - 6, look::kBarRule);
    DrawKeyboardGlyph(painter, keyboard, raised ? look::kHighlightText : look::kBarText);
}

void MenuBarWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (KeyboardButtonRect().contains(p)) {
        Device().SetInputPanelRaised(!Device().IsInputPanelRaised());
        repaint();
        return;
    }
    const MenuBarModel* model = ModelOf(m_screen);
    if (model == nullptr) {
        return;
    }
    const std::vector<QRect> rects = ButtonRects();
    for (std::size_t i = 0; i < rects.size(); ++i) {
        if (!rects[i].contains(p) || model->buttons[i].type == MenuBarButton::Type::Gap) {
            continue;
        }
        m_pressed = static_cast<int>(i);
        repaint();
        if (model->buttons[i].type == MenuBarButton::Type::DropDown) {
            OpenDropDown(static_cast<int>(i));
        }
        return;
    }
}

void MenuBarWidget::mouseReleaseEvent(QMouseEvent* event) {
    const MenuBarModel* model = ModelOf(m_screen);
    const int pressed = m_pressed;
    if (model == nullptr || pressed < 0 || pressed >= static_cast<int>(model->buttons.size())) {
        return;
    }
    m_pressed = -1;
    repaint();
    const MenuBarButton& button = model->buttons[static_cast<std::size_t>(pressed)];
    if (button.type == MenuBarButton::Type::Tool &&
        ButtonRects()[static_cast<std::size_t>(pressed)].contains(event->position().toPoint())) {
        // Tool buttons are never updated by enabling rules: they always send.
        m_screen->SendCommand(button.commandId);
    }
}

void MenuBarWidget::OpenDropDown(int index) {
    CDialog* screen = m_screen;
    const MenuBarModel* model = ModelOf(screen);
    const MenuBarButton& button = model->buttons[static_cast<std::size_t>(index)];
    if (button.popup == nullptr) {
        return;
    }
    const QRect at = ButtonRects()[static_cast<std::size_t>(index)];
    const QPoint anchor = mapTo(window(), at.topLeft());
    const UINT command = RunPopupMenu(*button.popup, anchor, PopupAnchor::BottomLeft, screen);
    m_pressed = -1;
    repaint();
    if (command != 0 && Device().TopScreen() == screen) {
        screen->SendCommand(command);
    }
}

} // namespace platform
