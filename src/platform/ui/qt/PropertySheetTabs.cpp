// The tab strip's layout, look and taps.
#include "platform/ui/qt/PropertySheetTabs.h"

#include "platform/ui/qt/DeviceLook.h"
#include "platform/ui/qt/QtText.h"
#include "platform/ui/qt/TextLine.h"

#include <QMouseEvent>
#include <QPainter>

namespace platform {
namespace {
/// The strip is 20 pixels high; each tab is its label plus 8 pixels each side, starting 2 pixels in.
constexpr int kStripHeight = 20;
constexpr int kLabelPadding = 8;
constexpr int kFirstTabLeft = 2;
} // namespace

PropertySheetTabs::PropertySheetTabs(std::vector<QString> labels, std::function<void(int)> chosen,
                                     QWidget* parent)
    : QWidget(parent), m_labels(std::move(labels)), m_chosen(std::move(chosen)) {
    if (parent != nullptr) {
        parent->installEventFilter(this);
    }
}

bool PropertySheetTabs::eventFilter(QObject* watched, QEvent* event) {
    // The sheet shrinks when the input panel comes up: the tabs stay along its bottom, above the
    // pages, where the pen can reach them.
    if (watched == parent() && event->type() == QEvent::Resize) {
        const QWidget* sheet = parentWidget();
        setGeometry(0, sheet->height() - kStripHeight, sheet->width(), kStripHeight);
        raise();
    }
    return QWidget::eventFilter(watched, event);
}

int PropertySheetTabs::StripHeight() {
    return kStripHeight;
}

void PropertySheetTabs::SetActive(int index) {
    m_active = index;
    repaint();
}

QRect PropertySheetTabs::TabRect(int index) const {
    const QFont font = look::BarFont();
    int x = kFirstTabLeft;
    for (int i = 0; i < static_cast<int>(m_labels.size()); ++i) {
        const int w = TextWidth(font, ViewOf(m_labels[static_cast<std::size_t>(i)])) + 2 * kLabelPadding;
        if (i == index) {
            return QRect(x, 0, w, height());
        }
        x += w;
    }
    return {};
}

void PropertySheetTabs::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), look::kBarFill);
    // The rule the tabs hang from; the front tab breaks it to join its page.
    painter.fillRect(0, 0, width(), 1, look::kInk);
    painter.setFont(look::BarFont());
    for (int i = 0; i < static_cast<int>(m_labels.size()); ++i) {
        const QRect tab = TabRect(i).adjusted(0, 0, 0, -2);
        const bool front = i == m_active;
        painter.fillRect(tab.adjusted(0, front ? 0 : 1, 0, 0), front ? look::kPaper : look::kBarFill);
        painter.setPen(look::kInk);
        painter.drawLine(tab.left(), tab.top() + 1, tab.left(), tab.bottom());
        painter.drawLine(tab.left(), tab.bottom(), tab.right(), tab.bottom());
        painter.drawLine(tab.right(), tab.top() + 1, tab.right(), tab.bottom());
        DrawTextLine(painter, tab, Qt::AlignCenter, ViewOf(m_labels[static_cast<std::size_t>(i)]));
    }
}

void PropertySheetTabs::mouseReleaseEvent(QMouseEvent* event) {
    for (int i = 0; i < static_cast<int>(m_labels.size()); ++i) {
        if (TabRect(i).contains(event->position().toPoint())) {
            m_chosen(i);
            return;
        }
    }
}

} // namespace platform
