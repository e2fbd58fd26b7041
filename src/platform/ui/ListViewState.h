// Everything a list view holds: columns, rows, selection, colours and scroll position, with the
// row geometry that painting and hit testing share. Platform-internal.
#pragma once

#include "platform/ui/Geometry.h"
#include "platform/ui/WinTypes.h"

#include <string>
#include <vector>

class CImageList;

namespace platform {

/// One row: its texts (column 0 first) and icon.
struct ListRow {
    std::vector<std::u16string> texts; ///< one per column; missing ones are empty
    int image = -1;                    ///< small-icon index, -1 for none
    bool selected = false;
};

/// The state of one list view.
struct ListViewState {
    std::vector<int> columnWidths;          ///< pixel widths, first column first
    std::vector<bool> columnsAskParent;     ///< per column: its texts come from the parent
    std::vector<ListRow> rows;              ///< in display order
    COLORREF backgroundColour = 0x00FFFFFF; ///< CLR_NONE: the erase handler draws the background
    DWORD extendedStyle = 0;                ///< LVS_EX_... bits
    CImageList* smallImages = nullptr;      ///< row icons; not owned
    int scrollTop = 0;                      ///< pixels of rows scrolled out above the view: whole rows
    int scrollLeft = 0;                     ///< pixels of the columns scrolled out to the left
    int focusedRow = -1;                    ///< the row Up and Down move from
    bool redrawOff = false;                 ///< SetRedraw(false): scroll bars and repaint wait

    /// Pixel height of one row for a font line height.
    static int RowHeight(int lineHeight);
    /// The width of all columns together.
    int ColumnsWidth() const;
    /// Row `row`'s rectangle in client coordinates for a view `viewWidth` wide: the visible part of
    /// the row, from the view's left edge.
    CRect RowRect(int row, int rowHeight, int viewWidth) const;
    /// The row under a client point, or -1.
    int RowAt(CPoint point, int rowHeight, int viewWidth) const;
    /// Selects `row` alone (-1: none).
    void SelectOnly(int row);
    int FirstSelected(int after) const;
};

} // namespace platform
