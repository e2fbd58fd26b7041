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

COLORREF RowColourAt(std::size_t displayIndex) {
    return displayIndex % 2 == 0 ? kEvenRowColour : kOddRowColour;
}

bool HasWords(std::u16string_view text) {
    return text.find_first_not_of(u' ') != std::u16string_view::npos;
}

}  // namespace

CSize CVisualTreeCtrl::RowFontMeasure::MeasureLine(std::u16string_view text) {
    return dc->GetTextExtent(text);
}

void CVisualTreeCtrl::ForgetMeasurements() {
    wordMeasures_.Clear();
    tree_.Walk([](VisualNode& node, std::size_t) { node.item.ForgetWrap(); });
    layoutDirty_ = 1;
}

int CVisualTreeCtrl::LevelLeft(int level) const {
    const int checkColumn = checkBoxesShown_ != 0 ? kCheckColumnWidth : 0;
    return checkColumn + kColumnPitch * static_cast<int>(columnCount_) + indent_ * level;
}

CRect CVisualTreeCtrl::TextArea(const VisualNode* node) const {
    const CRect& row = node->item.rowRect;
    return CRect(row.left + LevelLeft(node->item.level) + kTextLeft, row.top, row.right - kScrollBarWidth,
                 row.top + kProvisionalRowHeight);
}

CRect CVisualTreeCtrl::DrawWrappedText(const CRect& area, std::u16string_view text, const PlaceWordFn& place) {
    return WrapWords(area, text, wordMeasures_, place);
}

void CVisualTreeCtrl::EnsureWrapped(VisualNode* node, const CRect& area) {
    VisualItem& item = node->item;
    if (item.wrapWidth == area.Width() || rowFontMeasure_.dc == nullptr) {
        // Without the row font (before the first paint, after the window is gone) nothing can be
        // measured; the memo stays stale and the next layout measures.
        return;
    }
    const CRect last = DrawWrappedText(area, item.text, {});
    const bool hasWords = HasWords(item.text);
    item.wrapLines = hasWords && lineHeight_ > 0 ? (last.top - area.top) / lineHeight_ + 1 : 0;
    // A text without words leaves the wrap's pen where it started, at the area's left edge.
    item.wrapLastLineEnd = hasWords ? last.left - area.left : 0;
    item.wrapWidth = area.Width();
}

CRect CVisualTreeCtrl::CalcTextRect(VisualNode* node) {
    const CRect area = TextArea(node);
    EnsureWrapped(node, area);
    const VisualItem& item = node->item;
    if (item.wrapLines == 0) {
        // No words: the wrap leaves its rectangle as it was, and the text ends where it starts.
        return CRect(area.left, area.top, area.left, area.bottom + 1);
    }
    const std::int32_t lastLineBottom = area.top + item.wrapLines * lineHeight_;
    return CRect(area.left, area.top, area.left + item.wrapLastLineEnd, lastLineBottom + 1);
}

CRect CVisualTreeCtrl::CalcItemRect(VisualNode* node) {
    VisualItem& item = node->item;
    // The height is worked out afresh from the provisional one each time, so running this again on
    // a row never makes it grow.
    item.rowRect.bottom = item.rowRect.top + kProvisionalRowHeight;
    const CRect textRect = CalcTextRect(node);
    // Any text, even one of spaces only, is padded below its lines; a text without words measures
    // as the provisional line it started on. Only an empty title keeps the provisional height.
    if (!item.text.empty()) {
        const std::int32_t linesHeight = item.wrapLines > 0 ? item.wrapLines * lineHeight_ : kProvisionalRowHeight;
        item.rowRect.bottom = item.rowRect.top + linesHeight + kRowTextPadding;
    }
    if (item.notes.empty()) {
        item.notesRect = CRect();
        return item.rowRect;
    }
    const NotesPlacement placement = PlaceNotesMark(item.rowRect, textRect);
    item.rowRect.bottom = placement.rowBottom;
    item.notesRect = placement.mark;
    return item.rowRect;
}

void CVisualTreeCtrl::RecalcLayout() {
    if (layoutDirty_ == 0 || lineHeight_ <= 0) {
        return;
    }
    shownRows_.clear();
    const std::int32_t width = viewRect_.Width();
    contentRect_ = CRect(0, 0, width, 0);
    std::int32_t cursorTop = kFirstRowTop;
    tree_.Walk([&](VisualNode& node, std::size_t depth) {
        VisualItem& item = node.item;
        item.level = static_cast<std::int32_t>(depth);
        item.rowRect = CRect(0, cursorTop, width, cursorTop + kProvisionalRowHeight);
        item.background = RowColourAt(shownRows_.size());
        CalcItemRect(&node);
        shownRows_.push_back(&node);
        contentRect_.bottom += item.rowRect.Height();
        cursorTop += item.rowRect.Height();
        return item.expanded != 0;
    });
    layoutDirty_ = 0;
    // Rows are rendered when they come into view; whatever the band held is stale now.
    band_.Invalidate();
}

bool CVisualTreeCtrl::CanAppendToLayout(const VisualNode* node) const {
    if (layoutDirty_ != 0 || lineHeight_ <= 0) {
        return false;
    }
    // The node is last in display order when it and each of its ancestors is the last child, and
    // every ancestor shows its sub-rows.
    for (const VisualNode* n = node; n->parent != nullptr; n = n->parent) {
        const bool lastChild = n->parent->children.back() == n;
        const bool parentShowsSubRows = n->parent == &tree_.root || n->parent->item.expanded != 0;
        if (!lastChild || !parentShowsSubRows) {
            return false;
        }
    }
    return true;
}

void CVisualTreeCtrl::AppendToLayout(VisualNode* node) {
    VisualItem& item = node->item;
    VisualNode* parent = node->parent;
    const bool parentIsRow = parent != &tree_.root;
    const std::int32_t top = shownRows_.empty() ? kFirstRowTop : shownRows_.back()->item.rowRect.bottom;
    item.level = parentIsRow ? parent->item.level + 1 : 0;
    item.rowRect = CRect(0, top, contentRect_.Width(), top + kProvisionalRowHeight);
    item.background = RowColourAt(shownRows_.size());
    shownRows_.push_back(node);
    CalcItemRect(node);
    DrawItem(node);
    contentRect_.bottom += item.rowRect.Height();
    // A row that just got its first sub-row now shows the expand square.
    if (parentIsRow && parent->children.size() == 1) {
        DrawItem(parent);
    }
}

void CVisualTreeCtrl::EnsureLayout() {
    CRect client;
    GetClientRect(&client);
    viewRect_ = CRect(client.left, client.top + kViewInsetTop, client.right - kViewInsetRight,
                      client.bottom - kViewInsetBottom);
    RecalcLayout();
    ClampScroll();
    scrollBar_ = ComputeScrollBar(viewRect_, contentRect_.Height(), scrollOffset_, scrollBar_.scale);
}

void CVisualTreeCtrl::ClampScroll() {
    scrollOffset_ = ClampScrollOffset(scrollOffset_, contentRect_.Height(), viewRect_.Height());
}

std::size_t CVisualTreeCtrl::FirstShownRowBelow(std::int32_t contentY) const {
    // Rows follow each other without gaps, so the bottoms increase with the display position.
    const auto found = std::upper_bound(shownRows_.begin(), shownRows_.end(), contentY,
                                        [](std::int32_t y, const VisualNode* row) { return y < row->item.rowRect.bottom; });
    return static_cast<std::size_t>(found - shownRows_.begin());
}

bool CVisualTreeCtrl::IsShown(const VisualNode* node) const {
    const std::size_t index = FirstShownRowBelow(node->item.rowRect.top);
    return index < shownRows_.size() && shownRows_[index] == node;
}

CRect CVisualTreeCtrl::ItemRectOnWindow(const VisualNode* node) const {
    return MovedUp(node->item.rowRect, scrollOffset_);
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
    return MovedUp(node->item.notesRect, scrollOffset_);
}

CRect CVisualTreeCtrl::GetItemRect(const VisualNode* node) {
    EnsureLayout();
    return ItemRectOnWindow(node);
}

CRect CVisualTreeCtrl::GetCheckBoxRect(const VisualNode* node) {
    EnsureLayout();
    return CheckBoxRectOnWindow(node);
}

CRect CVisualTreeCtrl::GetExpanderRect(const VisualNode* node) {
    EnsureLayout();
    return ExpanderRectOnWindow(node);
}

CRect CVisualTreeCtrl::GetNotesRect(const VisualNode* node) {
    EnsureLayout();
    return NotesRectOnWindow(node);
}

VisualNode* CVisualTreeCtrl::HitTest(CPoint point, UINT* flags) {
    EnsureLayout();
    if (flags != nullptr) {
        *flags = 0;
    }
    const std::size_t index = FirstShownRowBelow(point.y + scrollOffset_);
    if (index >= shownRows_.size()) {
        return nullptr;
    }
    VisualNode* row = shownRows_[index];
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
