// The Qt side of the edit and list view controls: the editor inside an edit field, and the list
// view's scroll bar.
#include "platform/ui/qt/ControlWidgets.h"

#include "platform/ui/qt/DCBridge.h"
#include "platform/ui/qt/WindowClasses.h"
#include "platform/ui/WindowStyles.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>
#include <QScrollBar>

namespace platform {
namespace {
/// A field's look: a 1-pixel black frame on white, the text 2 pixels in from the frame.
const char* const kEditStyleSheet =
    "QLineEdit, QPlainTextEdit { border: 1px solid #000000; background: #ffffff; color: #000000;"
    " padding: 0px 1px; selection-background-color: #0a246a; selection-color: #ffffff; }";
/// The list view's scroll bar: 11 pixels wide, flat, with a 1-pixel frame.
const char* const kScrollBarStyleSheet =
    "QScrollBar:vertical { width: 11px; background: #e8e8e8; border-left: 1px solid #808080; margin: 11px 0 "
    "11px 0; }"
    "QScrollBar::handle:vertical { background: #c8d0e0; border: 1px solid #404060; min-height: 10px; }"
    "QScrollBar::add-line:vertical { height: 11px; subcontrol-position: bottom; subcontrol-origin: margin;"
    " background: #d8d8d8; border: 1px solid #808080; }"
    "QScrollBar::sub-line:vertical { height: 11px; subcontrol-position: top; subcontrol-origin: margin;"
    " background: #d8d8d8; border: 1px solid #808080; }"
    "QScrollBar::up-arrow:vertical { width: 0px; height: 0px; border-left: 3px solid #d8d8d8;"
    " border-right: 3px solid #d8d8d8; border-bottom: 3px solid #000000; }"
    "QScrollBar::down-arrow:vertical { width: 0px; height: 0px; border-left: 3px solid #d8d8d8;"
    " border-right: 3px solid #d8d8d8; border-top: 3px solid #000000; }"
    "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }";
constexpr int kScrollBarWidth = 11;
} // namespace

EditWidget::EditWidget(DWORD style, QWidget* parent) : WndWidget(WindowKind::Edit, parent) {
    QWidget* editor = nullptr;
    if ((style & ES_MULTILINE) != 0) {
        m_multi = new QPlainTextEdit(this);
        m_multi->setVerticalScrollBarPolicy((style & WS_VSCROLL) != 0 ? Qt::ScrollBarAsNeeded
                                                                      : Qt::ScrollBarAlwaysOff);
        m_multi->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_multi->verticalScrollBar()->setStyleSheet(kScrollBarStyleSheet);
        m_multi->setTabChangesFocus(true);
        editor = m_multi;
    } else {
        m_single = new QLineEdit(this);
        if ((style & ES_NUMBER) != 0) {
            m_single->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), m_single));
        }
        editor = m_single;
    }
    editor->setStyleSheet(kEditStyleSheet);
    editor->setFont(ToQFont(DialogFont()));
    editor->installEventFilter(this);
    if (m_multi != nullptr) {
        m_multi->setReadOnly((style & ES_READONLY) != 0);
    } else {
        m_single->setReadOnly((style & ES_READONLY) != 0);
    }
    setFocusProxy(editor);
}

void EditWidget::SetText(const std::u16string& text) {
    const QString value = QString::fromStdU16String(text);
    if (m_multi != nullptr) {
        m_multi->setPlainText(value);
    } else {
        m_single->setText(value);
    }
}

std::u16string EditWidget::Text() const {
    return (m_multi != nullptr ? m_multi->toPlainText() : m_single->text()).toStdU16String();
}

void EditWidget::FontChanged() {
    const QFont font = Owner() != nullptr ? ToQFont(FontOf(*Owner())) : ToQFont(DialogFont());
    if (m_multi != nullptr) {
        m_multi->setFont(font);
    } else {
        m_single->setFont(font);
    }
}

void EditWidget::SetSelection(int start, int end) {
    const int length = static_cast<int>(Text().size());
    const int from = std::clamp(start, 0, length);
    const int to = end < 0 ? length : std::clamp(end, from, length);
    if (m_multi != nullptr) {
        QTextCursor cursor = m_multi->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        m_multi->setTextCursor(cursor);
    } else {
        m_single->setSelection(from, to - from);
    }
}

void EditWidget::Selection(int* start, int* end) const {
    int from = 0;
    int to = 0;
    if (m_multi != nullptr) {
        const QTextCursor cursor = m_multi->textCursor();
        from = cursor.selectionStart();
        to = cursor.selectionEnd();
    } else if (m_single->hasSelectedText()) {
        from = m_single->selectionStart();
        to = from + static_cast<int>(m_single->selectedText().size());
    } else {
        from = to = m_single->cursorPosition();
    }
    if (start != nullptr) {
        *start = from;
    }
    if (end != nullptr) {
        *end = to;
    }
}

void EditWidget::ReplaceSelection(const std::u16string& text) {
    const QString value = QString::fromStdU16String(text);
    if (m_multi != nullptr) {
        m_multi->insertPlainText(value);
    } else {
        m_single->insert(value);
    }
}

void EditWidget::resizeEvent(QResizeEvent* event) {
    WndWidget::resizeEvent(event);
    QWidget* editor = m_multi != nullptr ? static_cast<QWidget*>(m_multi) : m_single;
    editor->setGeometry(rect());
}

bool EditWidget::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || m_multi == nullptr || watched != m_multi) {
        return WndWidget::eventFilter(watched, event);
    }
    // A multi-line field takes a line break from Ctrl+Enter always, from a plain Enter only when
    // its style accepts Enter; otherwise Enter belongs to the screen.
    auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (!enter) {
        return false;
    }
    if ((key->modifiers() & Qt::ControlModifier) != 0 || (style & ES_WANTRETURN) != 0) {
        m_multi->insertPlainText(QStringLiteral("\n"));
        return true;
    }
    key->ignore();
    return true;
}

ListViewWidget::ListViewWidget(QWidget* parent)
    : WndWidget(WindowKind::ListView, parent), m_scrollBar(new QScrollBar(Qt::Vertical, this)) {
    m_scrollBar->setStyleSheet(kScrollBarStyleSheet);
    m_scrollBar->setFocusPolicy(Qt::NoFocus);
    m_scrollBar->hide();
    QObject::connect(m_scrollBar, &QScrollBar::valueChanged, this, [this](int value) {
        state.scrollTop = value;
        MarkInvalid(nullptr, true);
    });
}

int ListViewWidget::RowHeight() const {
    const CFont& font = Owner() != nullptr ? FontOf(*Owner()) : DialogFont();
    return ListViewState::RowHeight(font.GetTextMetrics().tmHeight);
}

int ListViewWidget::RowsWidth() const {
    return m_scrollBar->isVisible() ? width() - kScrollBarWidth : width();
}

void ListViewWidget::UpdateScrollBar() {
    const int contentHeight = static_cast<int>(state.rows.size()) * RowHeight();
    const int overflow = std::max(0, contentHeight - height());
    m_scrollBar->setGeometry(width() - kScrollBarWidth, 0, kScrollBarWidth, height());
    m_scrollBar->setRange(0, overflow);
    m_scrollBar->setPageStep(height());
    m_scrollBar->setSingleStep(RowHeight());
    m_scrollBar->setVisible(overflow > 0);
    state.scrollTop = std::min(state.scrollTop, overflow);
    m_scrollBar->setValue(state.scrollTop);
}

void ListViewWidget::ScrollIntoView(int row) {
    const int rowHeight = RowHeight();
    const int top = row * rowHeight;
    if (top < state.scrollTop) {
        m_scrollBar->setValue(top);
    } else if (top + rowHeight > state.scrollTop + height()) {
        m_scrollBar->setValue(top + rowHeight - height());
    }
}

void ListViewWidget::resizeEvent(QResizeEvent* event) {
    WndWidget::resizeEvent(event);
    UpdateScrollBar();
}

} // namespace platform
