// CListCtrl painting: the background, then each row in view: highlight, icon and column texts.
#include "platform/ui/ListCtrl.h"

#include "platform/ui/ImageList.h"
#include "platform/ui/ScopedSelect.h"
#include "platform/ui/qt/ControlWidgets.h"
#include "platform/ui/qt/DCBridge.h"
#include "platform/ui/qt/WindowClasses.h"

namespace {
constexpr COLORREF kRowText = RGB(0, 0, 0);
constexpr COLORREF kSelectedFill = RGB(10, 36, 106);
constexpr COLORREF kSelectedText = RGB(255, 255, 255);
/// Room left of the icon, and between icon and text; text inside later columns starts after a gap.
constexpr int kIconLeft = 2;
constexpr int kIconTextGap = 4;
constexpr int kColumnTextGap = 3;

/// `text` cut to fit `width` pixels in the context's font, ending in "..." when it was cut.
std::u16string FitText(const CDC& dc, const std::u16string& text, int width) {
    if (dc.GetTextExtent(text).cx <= width) {
        return text;
    }
    static constexpr char16_t kEllipsis[] = u"...";
    std::u16string cut = text;
    while (!cut.empty() && dc.GetTextExtent(cut + kEllipsis).cx > width) {
        cut.pop_back();
    }
    return cut.empty() ? std::u16string() : cut + kEllipsis;
}
} // namespace

bool CListCtrl::OnEraseBkgnd(CDC& dc) {
    const COLORREF background = GetBkColor();
    if (background == CLR_NONE) {
        return false;
    }
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(client, background);
    return true;
}

void CListCtrl::OnPaint(CDC& dc) {
    auto* list = dynamic_cast<platform::ListViewWidget*>(platform::WidgetOf(*this));
    if (list == nullptr) {
        return;
    }
    const platform::ListViewState& state = list->state;
    const int rowHeight = list->RowHeight();
    const int width = list->RowsWidth();
    const bool fullRow = (state.extendedStyle & LVS_EX_FULLROWSELECT) != 0;
    CRect client;
    GetClientRect(&client);

    const ScopedSelect font(dc, &platform::FontOf(*this));
    dc.SetBkMode(TRANSPARENT);
    const CSize iconSize = state.smallImages != nullptr ? state.smallImages->GetImageSize() : CSize();
    for (int row = 0; row < static_cast<int>(state.rows.size()); ++row) {
        const CRect rowRect = state.RowRect(row, rowHeight, width);
        if (rowRect.bottom <= client.top) {
            continue;
        }
        if (rowRect.top >= client.bottom) {
            break;
        }
        const platform::ListRow& entry = state.rows[static_cast<std::size_t>(row)];
        // Columns scrolled sideways move left; the view keeps their widths.
        const int iconLeft = kIconLeft - state.scrollLeft;
        const int textLeft = iconLeft + iconSize.cx + kIconTextGap;
        if (entry.selected) {
            const int firstColumnEnd =
                state.columnWidths.empty() ? width : state.columnWidths.front() - state.scrollLeft;
            const CRect highlight =
                fullRow ? rowRect : CRect(textLeft - 1, rowRect.top, firstColumnEnd, rowRect.bottom);
            dc.FillSolidRect(highlight, kSelectedFill);
        }
        if (state.smallImages != nullptr && entry.image >= 0) {
            const int iconTop = rowRect.top + (rowHeight - iconSize.cy) / 2;
            state.smallImages->Draw(dc, entry.image, CPoint(iconLeft, iconTop));
        }
        dc.SetTextColor(entry.selected ? kSelectedText : kRowText);
        int columnLeft = -state.scrollLeft;
        for (std::size_t column = 0; column < state.columnWidths.size(); ++column) {
            const int columnRight = columnLeft + state.columnWidths[column];
            const bool asksParent = column < state.columnsAskParent.size() && state.columnsAskParent[column];
            const std::u16string text = asksParent ? GetItemText(row, static_cast<int>(column))
                                        : column < entry.texts.size() ? entry.texts[column]
                                                                      : std::u16string();
            if (!text.empty()) {
                const int left = column == 0 ? textLeft : columnLeft + kColumnTextGap;
                // A column keeps its width: what lies beyond the view is scrolled to, never cut off.
                const CRect cell(left, rowRect.top, columnRight - kColumnTextGap, rowRect.bottom);
                dc.DrawText(FitText(dc, text, cell.Width()), cell,
                            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
            }
            columnLeft = columnRight;
        }
    }
}
