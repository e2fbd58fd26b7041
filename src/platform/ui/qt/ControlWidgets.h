// The widgets of the framework's standard controls: static, edit, button and list view.
// Platform-internal.
#pragma once

#include "platform/ui/ListViewState.h"
#include "platform/ui/qt/WndWidget.h"

#include <QImage>

class QLineEdit;
class QPlainTextEdit;
class QScrollBar;

namespace platform {

/// A static control: text, or a picture when it has one.
class StaticWidget : public WndWidget {
public:
    explicit StaticWidget(QWidget* parent) : WndWidget(WindowKind::Static, parent) {}
    QImage picture; ///< shown at the top-left corner when not null
};

/// An edit control: a Qt line or text editor filling the window.
class EditWidget : public WndWidget {
public:
    EditWidget(DWORD style, QWidget* parent);
    void SetText(const std::u16string& text) override;
    std::u16string Text() const override;
    void FontChanged() override;
    void SetSelection(int start, int end);
    void Selection(int* start, int* end) const;
    void ReplaceSelection(const std::u16string& text);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_single = nullptr;     ///< the editor of a single-line field
    QPlainTextEdit* m_multi = nullptr; ///< the editor of a multi-line field
};

/// A button control's state.
class ButtonWidget : public WndWidget {
public:
    explicit ButtonWidget(QWidget* parent) : WndWidget(WindowKind::Button, parent) {}
    bool checked = false; ///< radio button or check box is on
    bool pressed = false; ///< the pen is down on it
};

/// A list view's widget: its state and its scroll bars. The columns keep their widths: when they
/// are wider than the room, a horizontal scroll bar shows along the bottom. Rows scroll by whole rows,
/// so the top row is never cut.
class ListViewWidget : public WndWidget {
public:
    explicit ListViewWidget(QWidget* parent);
    ListViewState state;
    /// Row height for the current font.
    int RowHeight() const;
    /// Width the rows use (the client width less the vertical scroll bar when it shows).
    int RowsWidth() const;
    /// Height the rows use (the client height less the horizontal scroll bar when it shows).
    int RowsHeight() const;
    /// How many rows fit the view whole (at least one).
    int RowsInView() const;
    /// Shows, hides and ranges the scroll bars after rows, columns or size changed.
    void UpdateScrollBar();
    /// Scrolls so that `row` is fully in view.
    void ScrollIntoView(int row);
    /// Scrolls the rows by `rows` whole rows (negative: up), within their range.
    void ScrollRows(int rows);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QScrollBar* m_scrollBar;           ///< vertical, in whole rows; shown when the rows do not fit
    QScrollBar* m_horizontalScrollBar; ///< in pixels; shown when the columns are wider than the view
};

} // namespace platform
