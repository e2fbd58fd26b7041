// CListCtrl's own input: a tap selects the row under the pen and takes the focus; the navigation
// keys move the selection and keep it in view; the wheel scrolls the rows.
#include "platform/ui/ListCtrl.h"

#include "platform/ui/qt/ControlWidgets.h"

#include <algorithm>
#include <optional>

namespace {
platform::ListViewWidget* ListOf(const CWnd& wnd) {
    return dynamic_cast<platform::ListViewWidget*>(platform::WidgetOf(wnd));
}
} // namespace

void CListCtrl::OnLButtonDown(UINT /*flags*/, CPoint point) {
    const int row = HitTest(point);
    if (row >= 0) {
        SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    SetFocus();
    UpdateWindow();
}

namespace {
/// Rows a notch of the wheel scrolls, as the device's list view does.
constexpr int kRowsPerWheelNotch = 3;

/// Where a navigation key moves the selection from `from` (-1: none yet) among rows 0 to `last`,
/// with `page` rows in view; nothing for another key.
std::optional<int> KeyTarget(UINT virtualKey, int from, int last, int page) {
    const int current = std::max(from, 0);
    switch (virtualKey) {
    case VK_UP:
        return from < 0 ? 0 : std::max(current - 1, 0);
    case VK_DOWN:
        return from < 0 ? 0 : std::min(current + 1, last);
    case VK_HOME:
        return 0;
    case VK_END:
        return last;
    case VK_PRIOR:
        return std::max(current - (page - 1), 0);
    case VK_NEXT:
        return std::min(current + (page - 1), last);
    default:
        return std::nullopt;
    }
}
} // namespace

bool CListCtrl::OnKeyDown(UINT virtualKey) {
    platform::ListViewWidget* list = ListOf(*this);
    if (list == nullptr || list->state.rows.empty()) {
        return false;
    }
    const int last = static_cast<int>(list->state.rows.size()) - 1;
    const std::optional<int> to =
        KeyTarget(virtualKey, list->state.focusedRow, last, std::max(list->RowsInView(), 2));
    if (!to) {
        return false;
    }
    SetItemState(*to, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EnsureVisible(*to);
    UpdateWindow();
    return true;
}

bool CListCtrl::OnMouseWheel(UINT /*flags*/, int delta, CPoint /*point*/) {
    platform::ListViewWidget* list = ListOf(*this);
    if (list == nullptr) {
        return false;
    }
    // A turn away from the user (positive) shows the rows above.
    list->ScrollRows(-delta * kRowsPerWheelNotch / WHEEL_DELTA);
    UpdateWindow();
    return true;
}
