// The caption bar's look and its OK button.
#include "platform/ui/qt/CaptionBar.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/qt/DCBridge.h"
#include "platform/ui/qt/DeviceLook.h"
#include "platform/ui/qt/TextLine.h"

#include <QMouseEvent>
#include <QPainter>

namespace platform {
namespace {
/// The caption starts this far from the left edge.
constexpr int kCaptionLeft = 8;
/// The OK button: 28 x 18, 4 pixels from the right edge, centred in the bar.
constexpr int kOkWidth = 28;
constexpr int kOkHeight = 18;
constexpr int kOkRightMargin = 4;
} // namespace

CaptionBar::CaptionBar(QWidget* parent) : QWidget(parent) {}

void CaptionBar::ShowScreen(CDialog* screen) {
    m_screen = screen;
    m_okPressed = false;
    update();
}

QRect CaptionBar::OkButtonRect() const {
    if (m_screen == nullptr || !m_screen->HasCaptionOkButton()) {
        return {};
    }
    return QRect(width() - kOkRightMargin - kOkWidth, (height() - kOkHeight) / 2, kOkWidth, kOkHeight);
}

void CaptionBar::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    // A vertical blend drawn line by line keeps every row one flat colour.
    for (int y = 0; y < height(); ++y) {
        const double t = height() > 1 ? static_cast<double>(y) / (height() - 1) : 0.0;
        const QColor row(static_cast<int>(look::kCaptionTop.red() +
                                          t * (look::kCaptionBottom.red() - look::kCaptionTop.red())),
                         static_cast<int>(look::kCaptionTop.green() +
                                          t * (look::kCaptionBottom.green() - look::kCaptionTop.green())),
                         static_cast<int>(look::kCaptionTop.blue() +
                                          t * (look::kCaptionBottom.blue() - look::kCaptionTop.blue())));
        painter.fillRect(0, y, width(), 1, row);
    }
    if (m_screen == nullptr) {
        return;
    }
    const QRect ok = OkButtonRect();
    const int textRight = ok.isNull() ? width() - kCaptionLeft : ok.left() - kCaptionLeft;
    painter.setFont(look::CaptionFont());
    painter.setPen(look::kCaptionText);
    const QRect textRect(kCaptionLeft, 0, textRight - kCaptionLeft, height());
    DrawTextLine(painter, textRect, Qt::AlignLeft | Qt::AlignVCenter,
                 ElidedText(painter.font(), m_screen->GetWindowText(), textRect.width() - 1));
    if (ok.isNull()) {
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(look::kCaptionText, 1));
    painter.setBrush(m_okPressed ? QBrush(look::kCaptionText) : QBrush(Qt::NoBrush));
    painter.drawRoundedRect(QRectF(ok).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(m_okPressed ? look::kCaptionTop : look::kCaptionText);
    DrawTextLine(painter, ok, Qt::AlignCenter, u"ok");
}

void CaptionBar::mousePressEvent(QMouseEvent* event) {
    if (OkButtonRect().contains(event->position().toPoint())) {
        m_okPressed = true;
        repaint();
    }
}

void CaptionBar::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_okPressed) {
        return;
    }
    m_okPressed = false;
    repaint();
    if (m_screen != nullptr && OkButtonRect().contains(event->position().toPoint())) {
        m_screen->SendCommand(IDOK);
    }
}

} // namespace platform
