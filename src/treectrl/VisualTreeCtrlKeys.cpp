// CVisualTreeCtrl keyboard: moving the selection among the shown rows, expanding, collapsing and
// checking with the keys of a desktop keyboard (the device had none for the control).
#include "treectrl/VisualTreeCtrl.h"

#include <algorithm>

using namespace treectrl;

namespace {

bool IsMoveKey(UINT virtualKey) {
    return virtualKey == VK_UP || virtualKey == VK_DOWN || virtualKey == VK_HOME || virtualKey == VK_END ||
           virtualKey == VK_PRIOR || virtualKey == VK_NEXT;
}

} // namespace

VisualNode* CVisualTreeCtrl::RowForMoveKey(UINT virtualKey) const {
    const std::vector<VisualNode*>& rows = m_shownRows;
    const auto place = std::find(rows.begin(), rows.end(), m_selected);
    if (place == rows.end()) {
        // Without a selection every key starts at an end of the list.
        return virtualKey == VK_END || virtualKey == VK_UP ? rows.back() : rows.front();
    }
    const std::size_t index = static_cast<std::size_t>(place - rows.begin());
    const std::int32_t page = m_viewRect.Height();
    const std::int32_t top = (*place)->item.rowTop;
    switch (virtualKey) {
    case VK_UP:
        return rows[index > 0 ? index - 1 : 0];
    case VK_DOWN:
        return rows[std::min(index + 1, rows.size() - 1)];
    case VK_HOME:
        return rows.front();
    case VK_END:
        return rows.back();
    case VK_PRIOR:
        return rows[std::min(FirstShownRowBelow(top - page), index)];
    default: // VK_NEXT
        return rows[std::clamp(FirstShownRowBelow(top + page), index, rows.size() - 1)];
    }
}

void CVisualTreeCtrl::ScrollIntoView(const VisualNode* row) {
    const CRect shown = GetItemRect(row);
    if (shown.top < m_viewRect.top) {
        ScrollBy(shown.top - m_viewRect.top);
    } else if (shown.bottom > m_viewRect.bottom) {
        // A row taller than the view shows its top.
        ScrollBy(std::min(shown.bottom - m_viewRect.bottom, shown.top - m_viewRect.top));
    }
}

void CVisualTreeCtrl::SelectItem(VisualNode* node) {
    VisualNode* previous = m_selected;
    m_selected = node;
    if (previous != nullptr && previous != node) {
        RedrawItem(previous);
    }
    if (node == nullptr) {
        return;
    }
    EnsureLayout();
    RedrawItem(node);
    if (PlaceThrough(node)) {
        ScrollIntoView(node);
    }
}

bool CVisualTreeCtrl::OnKeyDown(UINT virtualKey) {
    EnsureWholeLayout(); // the keys act on the rows as they are now, to the last one
    if (m_shownRows.empty()) {
        return IsMoveKey(virtualKey);
    }
    if (IsMoveKey(virtualKey)) {
        VisualNode* row = RowForMoveKey(virtualKey);
        SelectRow(row);
        ScrollIntoView(row);
        return true;
    }
    VisualNode* row = m_selected;
    if (row == nullptr) {
        return false;
    }
    switch (virtualKey) {
    case VK_SPACE:
        SetCheck(row, GetCheck(row) != 0 ? 0 : 1, false);
        return true;
    case VK_RIGHT:
        Expand(row, true);
        ScrollIntoView(row);
        return true;
    case VK_LEFT:
        if (row->HasChildren() && row->item.expanded != 0) {
            Expand(row, false);
        } else if (row->parent != nullptr && row->parent != &m_tree.root) {
            SelectRow(row->parent);
        }
        ScrollIntoView(m_selected);
        return true;
    default:
        return false;
    }
}
