// The message box icons, drawn at any size: a red disc with a white cross, a blue disc with "?" or
// "i", a yellow triangle with "!".
#include "platform/ui/qt/MessageBoxIcons.h"

#include "platform/ui/MessageBox.h"
#include "platform/ui/qt/DeviceLook.h"
#include "platform/ui/qt/TextLine.h"

#include <QPolygonF>

namespace platform {
namespace {
const QColor kStopRed(0xD0, 0x10, 0x10);
const QColor kQuestionBlue(0x1E, 0x5A, 0xC8);
const QColor kWarningYellow(0xF0, 0xC0, 0x10);
/// The disc's rim is its fill this much darker (percent).
constexpr int kRimDarkness = 130;
/// The stop cross: 3-pixel strokes reaching this far from the centre.
constexpr int kCrossStroke = 3;
constexpr double kCrossReach = 5.0;
/// The "!" sits this far below the triangle's centre, where the triangle is wide.
constexpr int kMarkDrop = 6;
/// Half a pixel: outlines on pixel centres stay crisp.
constexpr double kHalfPixel = 0.5;

void DrawTriangle(QPainter& painter, const QRect& box) {
    const QPolygonF triangle({QPointF(box.center().x() + kHalfPixel, box.top() + 1.0),
                              QPointF(box.right() + kHalfPixel, box.bottom() + kHalfPixel),
                              QPointF(box.left() + kHalfPixel, box.bottom() + kHalfPixel)});
    painter.setPen(QPen(look::kInk, 1));
    painter.setBrush(kWarningYellow);
    painter.drawPolygon(triangle);
    painter.setPen(look::kInk);
    DrawTextLine(painter, box.adjusted(0, kMarkDrop, 0, 0), Qt::AlignCenter, u"!");
}

void DrawDisc(QPainter& painter, const QRect& box, const QColor& fill) {
    painter.setPen(QPen(fill.darker(kRimDarkness), 1));
    painter.setBrush(fill);
    painter.drawEllipse(QRectF(box).adjusted(kHalfPixel, kHalfPixel, -kHalfPixel, -kHalfPixel));
}
} // namespace

void DrawMessageBoxIcon(QPainter& painter, const QRect& box, UINT type) {
    const UINT icon = type & MB_ICONMASK;
    if (icon == 0) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setFont(look::CaptionFont());
    if (icon == MB_ICONEXCLAMATION) {
        DrawTriangle(painter, box);
    } else if (icon == MB_ICONHAND) {
        DrawDisc(painter, box, kStopRed);
        painter.setPen(QPen(look::kPaper, kCrossStroke));
        const QPointF c = QRectF(box).center();
        painter.drawLine(c + QPointF(-kCrossReach, -kCrossReach), c + QPointF(kCrossReach, kCrossReach));
        painter.drawLine(c + QPointF(kCrossReach, -kCrossReach), c + QPointF(-kCrossReach, kCrossReach));
    } else {
        DrawDisc(painter, box, kQuestionBlue);
        painter.setPen(look::kPaper);
        DrawTextLine(painter, box, Qt::AlignCenter, icon == MB_ICONQUESTION ? u"?" : u"i");
    }
    painter.restore();
}

} // namespace platform
