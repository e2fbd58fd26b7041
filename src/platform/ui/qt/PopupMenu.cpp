// A popup menu inside the device window: entries with enabling, the pen and keys, its own modal loop.
#include "platform/ui/qt/PopupMenu.h"

#include "platform/ui/Resources.h"
#include "platform/ui/TestHooks.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/qt/DeviceLook.h"
#include "platform/ui/qt/DeviceScreen.h"
#include "platform/ui/qt/ModalOverlay.h"
#include "platform/ui/qt/TextLine.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <QWindow>

namespace platform {
namespace {
/// Entries are 18 pixels high with the text 14 pixels in; separators 7 pixels with a centred rule.
constexpr int kEntryHeight = 18;
constexpr int kSeparatorHeight = 7;
constexpr int kTextLeft = 14;
constexpr int kTextRightRoom = 14;
constexpr int kMinimumWidth = 90;

std::vector<MenuEntryView> EntriesOf(const CMenu& menu, const CWnd* owner) {
    std::vector<MenuEntryView> entries;
    for (const CMenu::Item& item : menu.Items()) {
        MenuEntryView view;
        view.text = StripMenuAmpersands(item.text);
        view.commandId = item.commandId;
        view.separator = item.separator;
        // Enabling rules are consulted just before the popup opens; separators are skipped.
        view.enabled = !item.separator && item.popup == nullptr && owner != nullptr &&
                       owner->IsCommandEnabled(item.commandId);
        entries.push_back(std::move(view));
    }
    return entries;
}

/// Takes the next pen lift at `window` out of the event stream, then goes away.
class ReleaseEater : public QObject {
public:
    explicit ReleaseEater(QWindow* window) : m_window(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_window || event->type() != QEvent::MouseButtonRelease) {
            return false;
        }
        deleteLater();
        qApp->removeEventFilter(this);
        return true;
    }

private:
    QWindow* m_window;
};

void EatNextRelease(QWindow* window) {
    if (window == nullptr || QGuiApplication::mouseButtons() == Qt::NoButton) {
        return;
    }
    auto* eater = new ReleaseEater(window);
    eater->setParent(qApp);
    qApp->installEventFilter(eater);
}

class PopupMenuWidget : public ModalOverlay {
public:
    PopupMenuWidget(std::vector<MenuEntryView> entries, QWidget* parent)
        : ModalOverlay(parent), m_entries(std::move(entries)) {
        const QFont font = look::BarFont();
        int width = kMinimumWidth;
        int height = 2;
        for (const MenuEntryView& e : m_entries) {
            width = std::max(width, TextWidth(font, e.text) + kTextLeft + kTextRightRoom);
            height += e.separator ? kSeparatorHeight : kEntryHeight;
        }
        resize(width, height);
        setFocusPolicy(Qt::StrongFocus);
    }

    UINT Run(QPoint anchor, PopupAnchor corner) {
        QWidget* root = parentWidget();
        QPoint topLeft = corner == PopupAnchor::TopLeft ? anchor : anchor - QPoint(0, height());
        topLeft.setX(std::clamp(topLeft.x(), 0, std::max(0, root->width() - width())));
        topLeft.setY(std::clamp(topLeft.y(), 0, std::max(0, root->height() - height())));
        move(topLeft);
        RunModal();
        if (m_eatRelease) {
            EatNextRelease(parentWidget()->windowHandle());
        }
        return m_chosen;
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        painter.fillRect(rect(), look::kPaper);
        painter.setPen(look::kInk);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        painter.setFont(look::BarFont());
        for (std::size_t i = 0; i < m_entries.size(); ++i) {
            const QRect r = EntryRect(static_cast<int>(i));
            const MenuEntryView& e = m_entries[i];
            if (e.separator) {
                painter.fillRect(r.left() + 3, r.center().y(), r.width() - 6, 1, look::kBarRule);
                continue;
            }
            const bool hot = static_cast<int>(i) == m_hot && e.enabled;
            if (hot) {
                painter.fillRect(r, look::kHighlight);
            }
            painter.setPen(!e.enabled ? look::kDisabledText : hot ? look::kHighlightText : look::kInk);
            DrawTextLine(painter, r.adjusted(kTextLeft, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, e.text);
        }
    }

private:
    QRect EntryRect(int index) const {
        int y = 1;
        for (int i = 0; i < index; ++i) {
            y += m_entries[static_cast<std::size_t>(i)].separator ? kSeparatorHeight : kEntryHeight;
        }
        const int h = m_entries[static_cast<std::size_t>(index)].separator ? kSeparatorHeight : kEntryHeight;
        return QRect(1, y, width() - 2, h);
    }

    int EntryAt(QPoint p) const {
        for (int i = 0; i < static_cast<int>(m_entries.size()); ++i) {
            if (EntryRect(i).contains(p)) {
                return i;
            }
        }
        return -1;
    }

    void Close(UINT chosen) {
        m_chosen = chosen;
        EndModal();
    }

    bool HandleMouse(QObject* watched, QMouseEvent* event) override {
        // Pen events are taken at the window level, before any widget sees them, so nothing under
        // the menu reacts while it is open.
        if (watched != parentWidget()->windowHandle()) {
            return true;
        }
        const QPoint inMenu = mapFrom(parentWidget(), event->position().toPoint());
        const bool inside = rect().contains(inMenu);
        const int entry = inside ? EntryAt(inMenu) : -1;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (!inside) {
                // The tap that closes the menu is the menu's: its lift is eaten too.
                m_eatRelease = true;
                Close(0);
                return true;
            }
            m_armed = true;
            SetHot(entry);
            return true;
        case QEvent::MouseMove:
            if ((event->buttons() & Qt::LeftButton) == 0) {
                return true;
            }
            if (inside || m_armed) {
                m_armed = true;
                SetHot(entry);
                return true;
            }
            return false;
        case QEvent::MouseButtonRelease:
            if (!m_armed) {
                // The lift of the pen that was down when the menu opened (a hold, a menu-bar
                // button) goes on to where it was going.
                return false;
            }
            if (entry >= 0 && m_entries[static_cast<std::size_t>(entry)].enabled) {
                Close(m_entries[static_cast<std::size_t>(entry)].commandId);
            }
            return true;
        default:
            return true;
        }
    }

    bool HandleKey(QKeyEvent* event) override {
        switch (event->key()) {
        case Qt::Key_Escape:
            Close(0);
            break;
        case Qt::Key_Up:
            Step(-1);
            break;
        case Qt::Key_Down:
            Step(1);
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (m_hot >= 0 && m_entries[static_cast<std::size_t>(m_hot)].enabled) {
                Close(m_entries[static_cast<std::size_t>(m_hot)].commandId);
            }
            break;
        default:
            break;
        }
        return true;
    }

    void Step(int direction) {
        const int count = static_cast<int>(m_entries.size());
        int next = m_hot;
        for (int tries = 0; tries < count; ++tries) {
            next = (next + direction + count) % count;
            if (m_entries[static_cast<std::size_t>(next)].enabled) {
                SetHot(next);
                return;
            }
        }
    }

    void SetHot(int entry) {
        if (entry != m_hot) {
            m_hot = entry;
            repaint();
        }
    }

    std::vector<MenuEntryView> m_entries; ///< what is shown, enabling applied
    int m_hot = -1;                       ///< highlighted entry
    bool m_armed = false;                 ///< the pen went down (or moved) inside: a lift picks
    bool m_eatRelease = false;            ///< a tap outside closed the menu: its lift is eaten
    UINT m_chosen = 0;                    ///< the command picked
};
} // namespace

UINT RunPopupMenu(const CMenu& menu, QPoint anchor, PopupAnchor corner, const CWnd* owner) {
    std::vector<MenuEntryView> entries = EntriesOf(menu, owner);
    if (const MenuHook& hook = CurrentMenuHook()) {
        const UINT chosen = hook(entries, CPoint(anchor.x(), anchor.y()));
        const auto pickable = [chosen](const MenuEntryView& e) { return e.enabled && e.commandId == chosen; };
        return std::any_of(entries.begin(), entries.end(), pickable) ? chosen : 0;
    }
    PopupMenuWidget popup(std::move(entries), DeviceRoot());
    return popup.Run(anchor, corner);
}

} // namespace platform
