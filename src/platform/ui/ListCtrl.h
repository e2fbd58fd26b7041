// CListCtrl: the report-style list view: columns, rows with a small icon, single selection, hit
// testing, transparent background and full-row selection.
#pragma once

#include "platform/ui/Wnd.h"

#include <string>

class CImageList;

/// Notification of a list view: a double tap on its rows (the header's code).
constexpr UINT NM_DBLCLK = static_cast<UINT>(-3);
/// Notification of a list view asking its parent for the text of a cell in a column that takes its
/// texts from the parent (SetColumnTextCallback); the record is NMLVDISPINFO.
constexpr UINT LVN_GETDISPINFO = static_cast<UINT>(-177);
/// Column alignment.
constexpr int LVCFMT_LEFT = 0;
/// Row state bit: selected.
constexpr UINT LVIS_SELECTED = 0x0002;
constexpr UINT LVIS_FOCUSED = 0x0001;
/// GetNextItem search: the next row in the selected state.
constexpr UINT LVNI_SELECTED = 0x0002;
/// Extended style: the whole row is highlighted and hit, not only its first column's text.
constexpr DWORD LVS_EX_FULLROWSELECT = 0x0020;
/// Image list slot for the rows' small icons.
constexpr int LVSIL_SMALL = 1;
/// SetBkColor value: no background colour, the erase handler's drawing shows through.
constexpr COLORREF CLR_NONE = 0xFFFFFFFF;
/// Hit-test result flag: on a row (icon, text or the rest of the row).
constexpr UINT LVHT_ONITEM = 0x000E;
constexpr UINT LVHT_NOWHERE = 0x0001;

/// The LVN_GETDISPINFO record: the header, the cell asked for, and where the parent puts its text.
struct NMLVDISPINFO {
    NMHDR hdr;
    int iItem = 0;                     ///< the row
    int iSubItem = 0;                  ///< the column
    std::u16string* pszText = nullptr; ///< receives the text; left empty, the cell shows nothing
};

/// A list view in report mode. Its own pen handling (which an override may skip) selects the row
/// under the pen and takes the focus; the arrow, Home, End and page keys move the selection; rows
/// scroll by whole rows with a scroll bar and the wheel when they do not fit, and the columns keep
/// their widths, with a horizontal scroll bar when they are wider than the view.
class CListCtrl : public CWnd {
public:
    /// Appends a column before `column` (or at the end); answers its index.
    int InsertColumn(int column, const std::u16string& heading, int format, int width);
    int GetColumnCount() const;
    int GetColumnWidth(int column) const;
    /// Inserts a row before `row` (or at the end) with its first column's text and small icon.
    int InsertItem(int row, const std::u16string& text, int image);
    bool SetItemText(int row, int column, const std::u16string& text);
    /// The text of a cell; for a column that takes its texts from the parent, the parent's answer.
    std::u16string GetItemText(int row, int column) const;
    /// Makes column `column` hold no texts of its own: every row's text there is asked from the
    /// parent with LVN_GETDISPINFO whenever it is painted or read, so a parent with many rows need
    /// only work out the texts that are looked at.
    bool SetColumnTextCallback(int column);
    bool DeleteAllItems();
    bool DeleteItem(int row);
    int GetItemCount() const;
    /// Sets the state bits of row `row` named by `mask`; selecting a row deselects the others.
    bool SetItemState(int row, UINT state, UINT mask);
    UINT GetItemState(int row, UINT mask) const;
    /// The first row after `start` (-1: from the top) with the flags `LVNI_SELECTED`, or -1.
    int GetNextItem(int start, UINT flags) const;
    /// The row under `point` (client coordinates), or -1; `flags` gets LVHT_ONITEM or LVHT_NOWHERE.
    int HitTest(CPoint point, UINT* flags = nullptr) const;
    /// The rectangle of row `row` in client coordinates; false when there is no such row.
    bool GetItemRect(int row, CRect* rect) const;
    /// The background colour, or CLR_NONE for the erase handler's background.
    bool SetBkColor(COLORREF colour);
    COLORREF GetBkColor() const;
    DWORD GetExtendedStyle() const;
    DWORD SetExtendedStyle(DWORD style);
    /// Gives the rows their icons (not owned); answers the previous list.
    CImageList* SetImageList(CImageList* images, int slot);
    /// Off, rows and columns change without the scroll bars following or the view repainting each
    /// time, as when a whole list of rows is put in; turned on again, both catch up at once.
    void SetRedraw(bool redraw);
    /// How many rows fit the view whole (at least one).
    int GetCountPerPage() const;
    /// Scrolls so that row `row` is fully visible.
    bool EnsureVisible(int row);

protected:
    void OnPaint(CDC& dc) override;
    /// Fills with the background colour; with CLR_NONE draws nothing and answers false.
    bool OnEraseBkgnd(CDC& dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    /// Up, Down, Home, End, Page Up and Page Down move the selection and keep it in view.
    bool OnKeyDown(UINT virtualKey) override;
    /// A notch of the wheel scrolls the rows three rows.
    bool OnMouseWheel(UINT flags, int delta, CPoint point) override;
};
