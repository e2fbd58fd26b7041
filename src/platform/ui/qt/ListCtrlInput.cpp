// CListCtrl's own input: a tap selects the row under the pen and takes the focus; Up and Down move
// the selection and keep it in view.
#include "platform/ui/ListCtrl.h"

#include "platform/ui/qt/ControlWidgets.h"

#include <algorithm>

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

bool CListCtrl::OnKeyDown(UINT virtualKey) {
    platform::ListViewWidget* list = ListOf(*this);
    if (list == nullptr || list->state.rows.empty() || (virtualKey != VK_UP && virtualKey != VK_DOWN)) {
        return false;
    }
    const int last = static_cast<int>(list->state.rows.size()) - 1;
    const int from = list->state.focusedRow;
    const int to = from < 0 ? 0 : std::clamp(from + (virtualKey == VK_UP ? -1 : 1), 0, last);
    SetItemState(to, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EnsureVisible(to);
    UpdateWindow();
    return true;
}
