// CListCtrl operations: columns, rows, texts, selection, hit testing, colours and styles.
#include "platform/ui/ListCtrl.h"

#include "platform/ui/qt/ControlWidgets.h"

namespace {
platform::ListViewWidget* ListOf(const CWnd& wnd) {
    return dynamic_cast<platform::ListViewWidget*>(platform::WidgetOf(wnd));
}

bool ValidRow(const platform::ListViewState& state, int row) {
    return row >= 0 && row < static_cast<int>(state.rows.size());
}

/// Rows or columns changed: the scroll bars follow and the view is repainted, unless redrawing is
/// off for now (SetRedraw), when that waits until it is turned on again.
void RowsChanged(CListCtrl& ctrl, platform::ListViewWidget& list) {
    if (list.state.redrawOff) {
        return;
    }
    list.UpdateScrollBar();
    ctrl.Invalidate();
}

bool AsksParent(const platform::ListViewState& state, int column) {
    return column < static_cast<int>(state.columnsAskParent.size()) &&
           state.columnsAskParent[static_cast<std::size_t>(column)];
}
} // namespace

int CListCtrl::InsertColumn(int column, const std::u16string& /*heading*/, int /*format*/, int width) {
    platform::ListViewWidget* list = ListOf(*this);
    if (list == nullptr || column < 0) {
        return -1;
    }
    auto& widths = list->state.columnWidths;
    const int at = std::min(column, static_cast<int>(widths.size()));
    widths.insert(widths.begin() + at, width);
    auto& askParent = list->state.columnsAskParent;
    askParent.insert(askParent.begin() + at, false);
    for (platform::ListRow& row : list->state.rows) {
        if (static_cast<int>(row.texts.size()) > at) {
            row.texts.insert(row.texts.begin() + at, std::u16string());
        }
    }
    RowsChanged(*this, *list);
    return at;
}

int CListCtrl::GetColumnCount() const {
    platform::ListViewWidget* list = ListOf(*this);
    return list != nullptr ? static_cast<int>(list->state.columnWidths.size()) : 0;
}

int CListCtrl::GetColumnWidth(int column) const {
    platform::ListViewWidget* list = ListOf(*this);
    if (list == nullptr || column < 0 || column >= static_cast<int>(list->state.columnWidths.size())) {
        return 0;
    }
    return list->state.columnWidths[static_cast<std::size_t>(column)];
}

int CListCtrl::InsertItem(int row, const std::u16string& text, int image) {
    platform::ListViewWidget* list = ListOf(*this);
    if (list == nullptr || row < 0) {
        return -1;
    }
    auto& rows = list->state.rows;
    const int at = std::min(row, static_cast<int>(rows.size()));
    platform::ListRow entry;
    entry.texts.push_back(text);
    entry.image = image;
    rows.insert(rows.begin() + at, std::move(entry));
    RowsChanged(*this, *list);
    return at;
}

bool CListCtrl::SetItemText(int row, int column, const std::u16string& text) {
    platform::ListViewWidget* list = ListOf(*this);
    if (list == nullptr || !ValidRow(list->state, row) || column < 0) {
        return false;
    }
    auto& texts = list->state.rows[static_cast<std::size_t>(row)].texts;
    if (static_cast<int>(texts.size()) <= column) {
        texts.resize(static_cast<std::size_t>(column) + 1);
    }
    texts[static_cast<std::size_t>(column)] = text;
    if (!list->state.redrawOff) {
        Invalidate();
    }
    return true;
}

std::u16string CListCtrl::GetItemText(int row, int column) const {
    platform::ListViewWidget* list = ListOf(*this);
    if (list == nullptr || !ValidRow(list->state, row) || column < 0) {
        return {};
    }
    if (AsksParent(list->state, column)) {
        std::u16string text;
        NMLVDISPINFO info{{nullptr, 0, LVN_GETDISPINFO}, row, column, &text};
        info.hdr.hwndFrom = const_cast<CListCtrl*>(this);
        info.hdr.idFrom = GetDlgCtrlID();
        // Asking changes nothing of the view; the parent only works out the text.
        const_cast<CListCtrl*>(this)->SendNotifyToParent(info.hdr);
        return text;
    }
    const auto& texts = list->state.rows[static_cast<std::size_t>(row)].texts;
    return column < static_cast<int>(texts.size()) ? texts[static_cast<std::size_t>(column)]
                                                   : std::u16string();
}

bool CListCtrl::SetColumnTextCallback(int column) {
    platform::ListViewWidget* list = ListOf(*this);
    if (list == nullptr || column < 0 || column >= static_cast<int>(list->state.columnsAskParent.size())) {
        return false;
    }
    list->state.columnsAskParent[static_cast<std::size_t>(column)] = true;
    Invalidate();
    return true;
}

bool CListCtrl::DeleteAllItems() {
    platform::ListViewWidget* list = ListOf(*this);
    if (list == nullptr) {
        return false;
    }
    list->state.rows.clear();
    list->state.focusedRow = -1;
    list->state.scrollTop = 0;
    RowsChanged(*this, *list);
    return true;
}

bool CListCtrl::DeleteItem(int row) {
    platform::ListViewWidget* list = ListOf(*this);
    if (list == nullptr || !ValidRow(list->state, row)) {
        return false;
    }
    list->state.rows.erase(list->state.rows.begin() + row);
    if (list->state.focusedRow >= static_cast<int>(list->state.rows.size())) {
        list->state.focusedRow = -1;
    }
    RowsChanged(*this, *list);
    return true;
}

int CListCtrl::GetItemCount() const {
    platform::ListViewWidget* list = ListOf(*this);
    return list != nullptr ? static_cast<int>(list->state.rows.size()) : 0;
}

bool CListCtrl::SetItemState(int row, UINT state, UINT mask) {
    platform::ListViewWidget* list = ListOf(*this);
    if (list == nullptr || !ValidRow(list->state, row)) {
        return false;
    }
    if ((mask & LVIS_SELECTED) != 0) {
        // Single selection: selecting a row deselects every other.
        if ((state & LVIS_SELECTED) != 0) {
            list->state.SelectOnly(row);
        } else {
            list->state.rows[static_cast<std::size_t>(row)].selected = false;
        }
    }
    if ((mask & LVIS_FOCUSED) != 0 && (state & LVIS_FOCUSED) != 0) {
        list->state.focusedRow = row;
    }
    Invalidate();
    return true;
}

UINT CListCtrl::GetItemState(int row, UINT mask) const {
    platform::ListViewWidget* list = ListOf(*this);
    if (list == nullptr || !ValidRow(list->state, row)) {
        return 0;
    }
    UINT state = 0;
    if (list->state.rows[static_cast<std::size_t>(row)].selected) {
        state |= LVIS_SELECTED;
    }
    if (list->state.focusedRow == row) {
        state |= LVIS_FOCUSED;
    }
    return state & mask;
}

int CListCtrl::GetNextItem(int start, UINT flags) const {
    platform::ListViewWidget* list = ListOf(*this);
    if (list == nullptr) {
        return -1;
    }
    if ((flags & LVNI_SELECTED) != 0) {
        return list->state.FirstSelected(start);
    }
    const int next = start + 1;
    return ValidRow(list->state, next) ? next : -1;
}

int CListCtrl::HitTest(CPoint point, UINT* flags) const {
    platform::ListViewWidget* list = ListOf(*this);
    const int row = list != nullptr ? list->state.RowAt(point, list->RowHeight(), list->RowsWidth()) : -1;
    if (flags != nullptr) {
        *flags = row >= 0 ? LVHT_ONITEM : LVHT_NOWHERE;
    }
    return row;
}

bool CListCtrl::GetItemRect(int row, CRect* rect) const {
    platform::ListViewWidget* list = ListOf(*this);
    if (list == nullptr || rect == nullptr || !ValidRow(list->state, row)) {
        return false;
    }
    *rect = list->state.RowRect(row, list->RowHeight(), list->RowsWidth());
    return true;
}

bool CListCtrl::SetBkColor(COLORREF colour) {
    platform::ListViewWidget* list = ListOf(*this);
    if (list == nullptr) {
        return false;
    }
    list->state.backgroundColour = colour;
    Invalidate();
    return true;
}

COLORREF CListCtrl::GetBkColor() const {
    platform::ListViewWidget* list = ListOf(*this);
    return list != nullptr ? list->state.backgroundColour : CLR_NONE;
}

DWORD CListCtrl::GetExtendedStyle() const {
    platform::ListViewWidget* list = ListOf(*this);
    return list != nullptr ? list->state.extendedStyle : 0;
}

DWORD CListCtrl::SetExtendedStyle(DWORD style) {
    platform::ListViewWidget* list = ListOf(*this);
    if (list == nullptr) {
        return 0;
    }
    const DWORD previous = list->state.extendedStyle;
    list->state.extendedStyle = style;
    Invalidate();
    return previous;
}

CImageList* CListCtrl::SetImageList(CImageList* images, int slot) {
    platform::ListViewWidget* list = ListOf(*this);
    if (list == nullptr || slot != LVSIL_SMALL) {
        return nullptr;
    }
    CImageList* previous = list->state.smallImages;
    list->state.smallImages = images;
    Invalidate();
    return previous;
}

void CListCtrl::SetRedraw(bool redraw) {
    platform::ListViewWidget* list = ListOf(*this);
    if (list == nullptr || list->state.redrawOff == !redraw) {
        return;
    }
    list->state.redrawOff = !redraw;
    RowsChanged(*this, *list);
}

int CListCtrl::GetCountPerPage() const {
    platform::ListViewWidget* list = ListOf(*this);
    return list != nullptr ? list->RowsInView() : 1;
}

bool CListCtrl::EnsureVisible(int row) {
    platform::ListViewWidget* list = ListOf(*this);
    if (list == nullptr || !ValidRow(list->state, row)) {
        return false;
    }
    list->ScrollIntoView(row);
    return true;
}
