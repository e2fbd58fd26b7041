// CVisualTreeCtrl layout: the display order, row geometry and word wrap, the zones the pen hits,
// and the scroll model.
#include "treectrl/VisualTreeCtrl.h"

#include "treectrl/NotesMark.h"
#include "treectrl/WordWrap.h"

#include <algorithm>

using namespace treectrl;

namespace {

/// A rectangle that is all zero stays all zero: it marks "no zone".
CRect MovedUp(const CRect& rect, std::int32_t dy) {
    if (rect.IsRectNull()) {
        return rect;
    }
    CRect moved = rect;
    moved.OffsetRect(0, -dy);
    return moved;
}

BYTE IsOddPosition(std::size_t displayIndex) {
    return displayIndex % 2 != 0 ? 1 : 0;
}

bool HasWords(std::u16string_view text) {
    return text.find_first_not_of(u' ') != std::u16string_view::npos;
}

} // namespace

void CVisualTreeCtrl::ForgetMeasurements() {
    m_tree.Walk([](VisualNode& node, std::size_t) { node.item.ForgetWrap(); });
    m_layoutDirty = 1;
}

int CVisualTreeCtrl::LevelLeft(int level) const {
    const int checkColumn = m_checkBoxesShown != 0 ? kCheckColumnWidth : 0;
    return checkColumn + kColumnPitch * static_cast<int>(m_columnCount) + m_indent * level;
}

CRect CVisualTreeCtrl::RowRect(const VisualNode* node) const {
    return CRect(0, node->item.rowTop, m_contentRect.Width(), node->item.rowBottom);
}

CRect CVisualTreeCtrl::NotesRect(const VisualNode* node) const {
    const VisualItem& item = node->item;
    return item.notesMarkPlaced != 0 ? NotesMarkRect(item.notesMarkLeft, item.rowBottom) : CRect();
}

CRect CVisualTreeCtrl::TextArea(const VisualNode* node) const {
    const CRect row = RowRect(node);
    return CRect(row.left + LevelLeft(node->item.level) + kTextLeft, row.top, row.right - kScrollBarWidth,
                 row.top + kProvisionalRowHeight);
}

CRect CVisualTreeCtrl::DrawWrappedText(const CRect& area, std::u16string_view text,
                                       const PlaceWordFn& place) {
    return WrapWords(area, text, *m_rowAdvances, m_lineHeight, place);
}

CVisualTreeCtrl::WrappedTitle CVisualTreeCtrl::WrapTitle(VisualNode* node, const CRect& area) {
    VisualItem& item = node->item;
    if (item.wrap.Holds(area.Width()) || m_rowAdvances == nullptr) {
        // Without the row font (before the first paint, after the window is gone) nothing can be
        // measured; the memo stays stale and the next layout measures.
        return {item.wrap.lines, item.wrap.lastLineEnd};
    }
    const CRect last = DrawWrappedText(area, item.text, {});
    const bool hasWords = HasWords(item.text);
    WrappedTitle wrapped;
    wrapped.lines = hasWords && m_lineHeight > 0 ? (last.top - area.top) / m_lineHeight + 1 : 0;
    // A text without words leaves the wrap's pen where it started, at the area's left edge.
    wrapped.lastLineEnd = hasWords ? last.left - area.left : 0;
    item.wrap.Remember(area.Width(), wrapped.lines, wrapped.lastLineEnd);
    return wrapped;
}

CRect CVisualTreeCtrl::CalcTextRect(const CRect& area, const WrappedTitle& wrapped) const {
    if (wrapped.lines == 0) {
        // No words: the wrap leaves its rectangle as it was, and the text ends where it starts.
        return CRect(area.left, area.top, area.left, area.bottom + 1);
    }
    const std::int32_t lastLineBottom = area.top + wrapped.lines * m_lineHeight;
    return CRect(area.left, area.top, area.left + wrapped.lastLineEnd, lastLineBottom + 1);
}

void CVisualTreeCtrl::CalcItemRect(VisualNode* node) {
    VisualItem& item = node->item;
    // The height is worked out afresh from the provisional one each time, so running this again on
    // a row never makes it grow.
    item.rowBottom = item.rowTop + kProvisionalRowHeight;
    const CRect area = TextArea(node);
    const WrappedTitle wrapped = WrapTitle(node, area);
    // Any text, even one of spaces only, is padded below its lines; a text without words measures
    // as the provisional line it started on. Only an empty title keeps the provisional height.
    if (!item.text.empty()) {
        const std::int32_t linesHeight =
            wrapped.lines > 0 ? wrapped.lines * m_lineHeight : kProvisionalRowHeight;
        item.rowBottom = item.rowTop + linesHeight + kRowTextPadding;
    }
    if (item.notes.empty()) {
        item.notesMarkPlaced = 0;
        return;
    }
    const NotesPlacement placement = PlaceNotesMark(RowRect(node), CalcTextRect(area, wrapped));
    item.rowBottom = placement.rowBottom;
    item.notesMarkLeft = placement.mark.left;
    item.notesMarkPlaced = 1;
}

void CVisualTreeCtrl::RecalcLayout() {
    if (m_layoutDirty == 0 || m_lineHeight <= 0) {
        return;
    }
    m_shownRows.clear();
    m_contentRect = CRect(0, 0, m_viewRect.Width(), 0);
    m_layoutComplete = 0;
    m_layoutDirty = 0;
    // Rows are rendered when they come into view; whatever the band held is stale now.
    m_band.Invalidate();
}

bool CVisualTreeCtrl::PlaceNextRow() {
    if (m_layoutDirty != 0 || m_layoutComplete != 0 || m_lineHeight <= 0) {
        return false;
    }
    // The row after the last one placed in display order: its first sub-row when it shows them,
    // else the next sibling of it or of its nearest ancestor that has one.
    VisualNode* node = m_tree.root.firstChild;
    std::int32_t level = 0;
    if (!m_shownRows.empty()) {
        const VisualNode* last = m_shownRows.back();
        level = last->item.level;
        if (last->item.expanded != 0 && last->firstChild != nullptr) {
            node = last->firstChild;
            ++level;
        } else {
            while (last != &m_tree.root && last->nextSibling == nullptr) {
                last = last->parent;
                --level;
            }
            node = last != &m_tree.root ? last->nextSibling : nullptr;
        }
    }
    if (node == nullptr) {
        m_layoutComplete = 1;
        return false;
    }
    VisualItem& item = node->item;
    item.level = level;
    item.rowTop = PlacedBottom();
    item.oddRow = IsOddPosition(m_shownRows.size());
    CalcItemRect(node);
    m_shownRows.push_back(node);
    m_contentRect.bottom += item.rowBottom - item.rowTop;
    return true;
}

std::int32_t CVisualTreeCtrl::PlacedBottom() const {
    return m_shownRows.empty() ? kFirstRowTop : m_shownRows.back()->item.rowBottom;
}

void CVisualTreeCtrl::PlaceRowsThrough(std::int32_t contentY) {
    while (PlacedBottom() < contentY && PlaceNextRow()) {
    }
}

bool CVisualTreeCtrl::PlaceThrough(const VisualNode* node) {
    if (IsShown(node)) {
        return true;
    }
    while (PlaceNextRow()) {
        if (m_shownRows.back() == node) {
            return true;
        }
    }
    return false;
}

void CVisualTreeCtrl::PlaceAllRows() {
    while (PlaceNextRow()) {
    }
}

bool CVisualTreeCtrl::ScrollBarSettled() {
    if (m_layoutComplete != 0) {
        return true;
    }
    // Scrolled away from the top, the thumb's place depends on the content's full height.
    if (m_scrollOffset != 0) {
        return false;
    }
    // At the top, rows placed until the thumb is as short as it gets fix the bar's picture: more
    // rows below would not change it.
    while (!ThumbIsShortestAtTop(m_viewRect, m_contentRect.Height())) {
        if (!PlaceNextRow()) {
            return true;
        }
    }
    return true;
}

bool CVisualTreeCtrl::CanAppendToLayout(const VisualNode* node) const {
    if (m_layoutDirty != 0 || m_lineHeight <= 0) {
        return false;
    }
    // The node is last in display order when it and each of its ancestors is the last child, and
    // every ancestor shows its sub-rows.
    for (const VisualNode* n = node; n->parent != nullptr; n = n->parent) {
        const bool lastChild = n->parent->lastChild == n;
        const bool parentShowsSubRows = n->parent == &m_tree.root || n->parent->item.expanded != 0;
        if (!lastChild || !parentShowsSubRows) {
            return false;
        }
    }
    return true;
}

void CVisualTreeCtrl::AppendToLayout(VisualNode* node) {
    VisualItem& item = node->item;
    VisualNode* parent = node->parent;
    const bool parentIsRow = parent != &m_tree.root;
    const bool parentGotFirstSubRow = parentIsRow && parent->firstChild == node;
    if (m_layoutComplete == 0) {
        // The layout has not reached the end yet: it places the new row when it gets there.
        if (parentGotFirstSubRow && IsShown(parent)) {
            DrawItem(parent);
        }
        return;
    }
    item.rowTop = m_shownRows.empty() ? kFirstRowTop : m_shownRows.back()->item.rowBottom;
    item.level = parentIsRow ? parent->item.level + 1 : 0;
    item.oddRow = IsOddPosition(m_shownRows.size());
    m_shownRows.push_back(node);
    CalcItemRect(node);
    DrawItem(node);
    m_contentRect.bottom += item.rowBottom - item.rowTop;
    // A row that just got its first sub-row now shows the expand square.
    if (parentGotFirstSubRow) {
        DrawItem(parent);
    }
}

void CVisualTreeCtrl::EnsureLayout() {
    UpdateLayout(false);
}

void CVisualTreeCtrl::EnsureWholeLayout() {
    UpdateLayout(true);
}

void CVisualTreeCtrl::UpdateLayout(bool whole) {
    CRect client;
    GetClientRect(&client);
    m_viewRect = CRect(client.left, client.top + kViewInsetTop, client.right - kViewInsetRight,
                       client.bottom - kViewInsetBottom);
    RecalcLayout();
    // The rows in view, and what the scroll bar's picture needs; the rest waits until it is needed.
    PlaceRowsThrough(m_scrollOffset + m_viewRect.Height());
    if (whole || !ScrollBarSettled()) {
        PlaceAllRows();
    }
    ClampScroll();
    m_scrollBar = ComputeScrollBar(m_viewRect, m_contentRect.Height(), m_scrollOffset, m_scrollBar.scale);
}

void CVisualTreeCtrl::CompleteLastLayout() {
    // A layout that stopped after the rows at the top goes on to the last row; the scroll bar's
    // picture stays, but its scale now comes from the content's full height.
    if (m_layoutDirty != 0 || m_layoutComplete != 0) {
        return;
    }
    PlaceAllRows();
    m_scrollBar = ComputeScrollBar(m_viewRect, m_contentRect.Height(), m_scrollOffset, m_scrollBar.scale);
}

const std::vector<VisualNode*>& CVisualTreeCtrl::GetShownRows() {
    CompleteLastLayout();
    return m_shownRows;
}

const CRect& CVisualTreeCtrl::GetContentRect() {
    CompleteLastLayout();
    return m_contentRect;
}

const ScrollBarGeometry& CVisualTreeCtrl::GetScrollBar() {
    CompleteLastLayout();
    return m_scrollBar;
}

void CVisualTreeCtrl::ClampScroll() {
    m_scrollOffset = ClampScrollOffset(m_scrollOffset, m_contentRect.Height(), m_viewRect.Height());
}

std::size_t CVisualTreeCtrl::FirstShownRowBelow(std::int32_t contentY) const {
    // Rows follow each other without gaps, so the bottoms increase with the display position.
    const auto found =
        std::upper_bound(m_shownRows.begin(), m_shownRows.end(), contentY,
                         [](std::int32_t y, const VisualNode* row) { return y < row->item.rowBottom; });
    return static_cast<std::size_t>(found - m_shownRows.begin());
}

bool CVisualTreeCtrl::IsShown(const VisualNode* node) const {
    const std::size_t index = FirstShownRowBelow(node->item.rowTop);
    return index < m_shownRows.size() && m_shownRows[index] == node;
}

CRect CVisualTreeCtrl::ItemRectOnWindow(const VisualNode* node) const {
    return MovedUp(RowRect(node), m_scrollOffset);
}

CRect CVisualTreeCtrl::CheckBoxRectOnWindow(const VisualNode* node) const {
    const CRect row = ItemRectOnWindow(node);
    return CRect(row.left, row.top, row.left + kCheckZoneSize, row.top + kCheckZoneSize);
}

CRect CVisualTreeCtrl::ExpanderRectOnWindow(const VisualNode* node) const {
    const CRect row = ItemRectOnWindow(node);
    const int left = row.left + LevelLeft(node->item.level) + kExpanderLeft;
    const int top = row.top + kExpanderTop;
    return CRect(left, top, left + kExpanderSize, top + kExpanderSize);
}

CRect CVisualTreeCtrl::NotesRectOnWindow(const VisualNode* node) const {
    return MovedUp(NotesRect(node), m_scrollOffset);
}

CRect CVisualTreeCtrl::GetItemRect(const VisualNode* node) {
    EnsureLayout();
    PlaceThrough(node);
    return ItemRectOnWindow(node);
}

CRect CVisualTreeCtrl::GetCheckBoxRect(const VisualNode* node) {
    EnsureLayout();
    PlaceThrough(node);
    return CheckBoxRectOnWindow(node);
}

CRect CVisualTreeCtrl::GetExpanderRect(const VisualNode* node) {
    EnsureLayout();
    PlaceThrough(node);
    return ExpanderRectOnWindow(node);
}

CRect CVisualTreeCtrl::GetNotesRect(const VisualNode* node) {
    EnsureLayout();
    PlaceThrough(node);
    return NotesRectOnWindow(node);
}

VisualNode* CVisualTreeCtrl::HitTest(CPoint point, UINT* flags) {
    EnsureLayout();
    if (flags != nullptr) {
        *flags = 0;
    }
    // The row under a point below the view may not be placed yet.
    PlaceRowsThrough(point.y + m_scrollOffset + 1);
    const std::size_t index = FirstShownRowBelow(point.y + m_scrollOffset);
    if (index >= m_shownRows.size()) {
        return nullptr;
    }
    VisualNode* row = m_shownRows[index];
    if (!ItemRectOnWindow(row).PtInRect(point)) {
        return nullptr;
    }
    if (flags != nullptr) {
        if (CheckBoxRectOnWindow(row).PtInRect(point)) {
            *flags |= VTHT_ONCHECKBOX;
        }
        if (ExpanderRectOnWindow(row).PtInRect(point)) {
            *flags |= VTHT_ONEXPANDER;
        }
        if (NotesRectOnWindow(row).PtInRect(point)) {
            *flags |= VTHT_ONNOTES;
        }
    }
    return row;
}
