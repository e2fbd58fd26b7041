// The Qt side of the edit and list view controls: the editor inside an edit field, and the list
// view's scroll bar.
#include "platform/ui/qt/ControlWidgets.h"

#include "platform/ui/WindowStyles.h"
#include "platform/ui/qt/DCBridge.h"
#include "platform/ui/qt/WindowClasses.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>
#include <QScrollBar>

#include <algorithm>

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
    "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }"
    "QScrollBar:horizontal { height: 11px; background: #e8e8e8; border-top: 1px solid #808080; margin: 0 "
    "11px 0 "
    "11px; }"
    "QScrollBar::handle:horizontal { background: #c8d0e0; border: 1px solid #404060; min-width: 10px; }"
    "QScrollBar::add-line:horizontal { width: 11px; subcontrol-position: right; subcontrol-origin: margin;"
    " background: #d8d8d8; border: 1px solid #808080; }"
    "QScrollBar::sub-line:horizontal { width: 11px; subcontrol-position: left; subcontrol-origin: margin;"
    " background: #d8d8d8; border: 1px solid #808080; }"
    "QScrollBar::left-arrow:horizontal { width: 0px; height: 0px; border-top: 3px solid #d8d8d8;"
    " border-bottom: 3px solid #d8d8d8; border-right: 3px solid #000000; }"
    "QScrollBar::right-arrow:horizontal { width: 0px; height: 0px; border-top: 3px solid #d8d8d8;"
    " border-bottom: 3px solid #d8d8d8; border-left: 3px solid #000000; }"
    "QScrollBar::add-page:horizontal, QScrollBar::sub-page:horizontal { background: none; }";
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

// A multi-line field's text holds its line breaks as CR LF pairs, as the device's fields do; the
// editor underneath keeps plain line feeds.
void EditWidget::SetText(const std::u16string& text) {
    QString value = QString::fromStdU16String(text);
    if (m_multi != nullptr) {
        value.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        m_multi->setPlainText(value);
    } else {
        m_single->setText(value);
    }
}

std::u16string EditWidget::Text() const {
    if (m_multi == nullptr) {
        return m_single->text().toStdU16String();
    }
    return m_multi->toPlainText().replace(QStringLiteral("\n"), QStringLiteral("\r\n")).toStdU16String();
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
    const int length =
        static_cast<int>(m_multi != nullptr ? m_multi->toPlainText().size() : m_single->text().size());
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
    : WndWidget(WindowKind::ListView, parent), m_scrollBar(new QScrollBar(Qt::Vertical, this)),
      m_horizontalScrollBar(new QScrollBar(Qt::Horizontal, this)) {
    for (QScrollBar* bar : {m_scrollBar, m_horizontalScrollBar}) {
        bar->setStyleSheet(kScrollBarStyleSheet);
        bar->setFocusPolicy(Qt::NoFocus);
        bar->hide();
    }
    QObject::connect(m_scrollBar, &QScrollBar::valueChanged, this, [this](int topRow) {
        state.scrollTop = topRow * RowHeight();
        MarkInvalid(nullptr, true);
    });
    QObject::connect(m_horizontalScrollBar, &QScrollBar::valueChanged, this, [this](int left) {
        state.scrollLeft = left;
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

int ListViewWidget::RowsHeight() const {
    return m_horizontalScrollBar->isVisible() ? height() - kScrollBarWidth : height();
}

int ListViewWidget::RowsInView() const {
    return std::max(1, RowsHeight() / RowHeight());
}

void ListViewWidget::UpdateScrollBar() {
    const int rowHeight = RowHeight();
    const int rowCount = static_cast<int>(state.rows.size());
    const int columnsWidth = state.ColumnsWidth();
    // Each bar takes room from the other's direction, so whether one shows can decide the other.
    bool vertical = rowCount * rowHeight > height();
    bool horizontal = columnsWidth > width() - (vertical ? kScrollBarWidth : 0);
    vertical = rowCount * rowHeight > height() - (horizontal ? kScrollBarWidth : 0);
    horizontal = columnsWidth > width() - (vertical ? kScrollBarWidth : 0);
    const int viewWidth = width() - (vertical ? kScrollBarWidth : 0);
    const int viewHeight = height() - (horizontal ? kScrollBarWidth : 0);

    const int rowsInView = std::max(1, viewHeight / rowHeight);
    const int lastTopRow = std::max(0, rowCount - rowsInView);
    m_scrollBar->setGeometry(width() - kScrollBarWidth, 0, kScrollBarWidth, viewHeight);
    m_scrollBar->setRange(0, lastTopRow);
    m_scrollBar->setPageStep(rowsInView);
    m_scrollBar->setSingleStep(1);
    m_scrollBar->setVisible(vertical);
    const int topRow = std::min(state.scrollTop / rowHeight, lastTopRow);
    state.scrollTop = topRow * rowHeight;
    m_scrollBar->setValue(topRow);

    const int overflow = std::max(0, columnsWidth - viewWidth);
    m_horizontalScrollBar->setGeometry(0, height() - kScrollBarWidth, viewWidth, kScrollBarWidth);
    m_horizontalScrollBar->setRange(0, overflow);
    m_horizontalScrollBar->setPageStep(viewWidth);
    m_horizontalScrollBar->setSingleStep(rowHeight);
    m_horizontalScrollBar->setVisible(horizontal);
    state.scrollLeft = std::min(state.scrollLeft, overflow);
    m_horizontalScrollBar->setValue(state.scrollLeft);
}

void ListViewWidget::ScrollIntoView(int row) {
    const int topRow = m_scrollBar->value();
    if (row < topRow) {
        m_scrollBar->setValue(row);
    } else if (row >= topRow + RowsInView()) {
        m_scrollBar->setValue(row - RowsInView() + 1);
    }
}

void ListViewWidget::ScrollRows(int rows) {
    m_scrollBar->setValue(m_scrollBar->value() + rows);
}

void ListViewWidget::resizeEvent(QResizeEvent* event) {
    WndWidget::resizeEvent(event);
    UpdateScrollBar();
}

} // namespace platform
