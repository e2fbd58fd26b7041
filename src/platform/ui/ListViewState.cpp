// Row geometry and selection of a list view.
#include "platform/ui/ListViewState.h"

namespace platform {
namespace {
/// Room above and below a line of text in a row; the 16-pixel icons set the minimum.
constexpr int kRowTextPadding = 4;
constexpr int kMinimumRowHeight = 17;
} // namespace

int ListViewState::RowHeight(int lineHeight) {
    return std::max(lineHeight + kRowTextPadding, kMinimumRowHeight);
}

int ListViewState::ColumnsWidth() const {
    int width = 0;
    for (const int column : columnWidths) {
        width += column;
    }
    return width;
}

CRect ListViewState::RowRect(int row, int rowHeight, int viewWidth) const {
    const int top = row * rowHeight - scrollTop;
    return CRect(0, top, viewWidth, top + rowHeight);
}

int ListViewState::RowAt(CPoint point, int rowHeight, int viewWidth) const {
    if (point.x < 0 || point.x >= viewWidth || point.y < 0 || rowHeight <= 0) {
        return -1;
    }
    const int row = (point.y + scrollTop) / rowHeight;
    return row < static_cast<int>(rows.size()) ? row : -1;
}

void ListViewState::SelectOnly(int row) {
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        rows[static_cast<std::size_t>(i)].selected = i == row;
    }
    if (row >= 0) {
        focusedRow = row;
    }
}

int ListViewState::FirstSelected(int after) const {
    for (int i = after + 1; i < static_cast<int>(rows.size()); ++i) {
        if (rows[static_cast<std::size_t>(i)].selected) {
            return i;
        }
    }
    return -1;
}

} // namespace platform
