// Where a row's notes mark goes: after the title's last word when it fits on that line, otherwise on
// a strip of its own that the row grows by.
#pragma once

#include "platform/ui/Geometry.h"

namespace treectrl {

/// The row's final bottom and the notes mark's square, in content coordinates.
struct NotesPlacement {
    std::int32_t rowBottom = 0;
    CRect mark;
};

/// Places the notes mark for a row whose rectangle is `row` (its bottom already fitted to the
/// title) and whose title ends at textRect.right on its last line. The mark is 14 x 14 at the row's
/// bottom just after the title when the line has room for it left of the scroll bar's 13 pixels;
/// otherwise the row grows by 14 pixels and the mark sits at the title's left on that new strip.
NotesPlacement PlaceNotesMark(const CRect& row, const CRect& textRect);

/// The notes mark's square with its left edge at `left` on a row ending at `rowBottom`: wherever
/// the mark is placed, it sits on the row's bottom.
CRect NotesMarkRect(std::int32_t left, std::int32_t rowBottom);

} // namespace treectrl
