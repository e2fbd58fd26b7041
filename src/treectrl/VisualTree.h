// The check-tree control's own row tree: what one row shows (VisualItem) on the generic tree shape
// the list model uses, with the layout's per-row results kept beside the row's data.
#pragma once

#include "platform/core/Tree.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/WinTypes.h"
#include "treectrl/ColumnTexts.h"
#include "treectrl/RowText.h"
#include "treectrl/TreeCtrlMetrics.h"

#include <cstdint>
#include <limits>
#include <type_traits>

/// The memo of a title's wrap for one text-area width: the number of lines and how far from the
/// area's left the last line's words end. Each figure is kept in 16 bits; a wrap whose figures do
/// not fit is not remembered, and is worked out again whenever it is needed.
struct WrapMemo {
    /// The width of a memo that holds nothing; no remembered width is ever this one.
    static constexpr std::int16_t kNoWidth = std::numeric_limits<std::int16_t>::min();

    std::int16_t width = kNoWidth;
    std::int16_t lines = 0;
    std::int16_t lastLineEnd = 0;

    /// True when the memo holds the wrap for a text area `areaWidth` wide.
    bool Holds(std::int32_t areaWidth) const { return width != kNoWidth && width == areaWidth; }
    /// Remembers a wrap, or forgets the memo when a figure does not fit.
    void Remember(std::int32_t areaWidth, std::int32_t lineCount, std::int32_t end) {
        constexpr std::int32_t least = kNoWidth + 1;
        constexpr std::int32_t most = std::numeric_limits<std::int16_t>::max();
        const auto fits = [](std::int32_t value) { return value >= least && value <= most; };
        if (!fits(areaWidth) || !fits(lineCount) || !fits(end)) {
            Forget();
            return;
        }
        width = static_cast<std::int16_t>(areaWidth);
        lines = static_cast<std::int16_t>(lineCount);
        lastLineEnd = static_cast<std::int16_t>(end);
    }
    void Forget() { width = kNoWidth; }
};

/// The display record of one row: the owner's data first, then what the last layout found.
/// Narrow fields, packed without gaps, since a long list has a record per item.
struct VisualItem {
    /// The title, word-wrapped on screen: the owner's, read in place, or the control's copy.
    RowText text;
    /// The notes, as the title; when not empty the row shows the notes mark.
    RowText notes;
    /// The column cells' texts; only the first column-count ones are shown.
    ColumnTexts columnTexts;
    /// The owner's value (the editor keeps the row's item node here); the control never uses it.
    UINT_PTR itemData = 0;
    /// The owner's checked flag for this row; null means never shown checked and never checkable.
    BYTE* checkedFlag = nullptr;
    /// Index into the owner's icon array when the row is not selected, and when it is.
    std::int32_t image = 0;
    std::int32_t selectedImage = 0;

    /// The row's top and bottom in content coordinates, set by the layout; a row spans the whole
    /// width of the content.
    std::int32_t rowTop = 0;
    std::int32_t rowBottom = 0;
    /// Depth below the top level (0 for top-level rows), as the last layout found it.
    std::int32_t level = 0;
    /// The left edge of the notes mark, in content coordinates, while `notesMarkPlaced`; the mark
    /// sits on the row's bottom.
    std::int32_t notesMarkLeft = 0;
    /// The title's wrap for the text-area width it was last laid out in.
    WrapMemo wrap;
    /// The sub-rows are shown.
    BYTE expanded = 1;
    /// The last layout placed a notes mark on the row.
    BYTE notesMarkPlaced : 1 = 0;
    /// The last layout put the row at an odd display position.
    BYTE oddRow : 1 = 0;

    /// The row's background colour, from its display position.
    COLORREF Background() const { return oddRow != 0 ? treectrl::kOddRowColour : treectrl::kEvenRowColour; }
    /// Forgets the wrap memo, after the title changed.
    void ForgetWrap() { wrap.Forget(); }
};

// A row holds nothing of its own to free (its texts are the owner's or the control's arena's), so a
// control of a million rows lets them all go at once, without a walk over them.
static_assert(std::is_trivially_destructible_v<VisualItem>);

/// One row node: the item, the parent link and the sub-rows first to last.
using VisualNode = TreeNode<VisualItem>;
/// The rows under a hidden root whose item keeps the defaults and is never shown.
using VisualTree = Tree<VisualItem>;
