// The check-tree control's own row tree: what one row shows (VisualItem) on the generic tree shape
// the list model uses, with the layout's per-row results kept beside the row's data.
#pragma once

#include "platform/core/Tree.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/WinTypes.h"

#include <cstdint>
#include <string>
#include <vector>

/// The display record of one row.
struct VisualItem {
    /// The title, word-wrapped on screen.
    std::u16string text;
    /// The notes; when not empty the row shows the notes mark.
    std::u16string notes;
    /// The column cells' texts; only the first column-count ones are shown. Grown on demand, so a
    /// row keeps only the cells it was given.
    std::vector<std::u16string> columnTexts;
    /// Index into the owner's icon array when the row is not selected, and when it is.
    std::int32_t image = 0;
    std::int32_t selectedImage = 0;
    /// The owner's value (the editor keeps the row's item node here); the control never uses it.
    UINT_PTR itemData = 0;
    /// The owner's checked flag for this row; null means never shown checked and never checkable.
    BYTE* checkedFlag = nullptr;
    /// The row's area in content coordinates, set by the layout.
    CRect rowRect;
    /// The notes mark's area in content coordinates; all zero when the row has no notes.
    CRect notesRect;
    /// The row's background colour, set by the layout from its display position.
    COLORREF background = 0;
    /// The sub-rows are shown.
    BYTE expanded = 1;

    /// Depth below the top level (0 for top-level rows), as the last layout found it.
    std::int32_t level = 0;
    /// Memo of the title's wrap: the text-area width it was wrapped for (-1: not wrapped yet), the
    /// number of lines and how far from the area's left the last line's words end.
    std::int32_t wrapWidth = -1;
    std::int32_t wrapLines = 0;
    std::int32_t wrapLastLineEnd = 0;

    /// Forgets the wrap memo, after the title changed.
    void ForgetWrap() { wrapWidth = -1; }
};

/// One row node: the item, the parent link and the sub-rows first to last.
using VisualNode = TreeNode<VisualItem>;
/// The rows under a hidden root whose item keeps the defaults and is never shown.
using VisualTree = Tree<VisualItem>;
