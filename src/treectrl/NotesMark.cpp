// Placement of a row's notes mark.
#include "treectrl/NotesMark.h"

#include "treectrl/TreeCtrlMetrics.h"

namespace treectrl {

NotesPlacement PlaceNotesMark(const CRect& row, const CRect& textRect) {
    NotesPlacement placement;
    const std::int32_t roomOnLine = row.right - textRect.right - kScrollBarWidth;
    const bool stripOfItsOwn = roomOnLine < kNotesZoneSize;
    placement.rowBottom = stripOfItsOwn ? row.bottom + kNotesZoneSize : row.bottom;
    placement.mark = NotesMarkRect(stripOfItsOwn ? textRect.left : textRect.right, placement.rowBottom);
    return placement;
}

CRect NotesMarkRect(std::int32_t left, std::int32_t rowBottom) {
    return CRect(left, rowBottom - kNotesZoneSize, left + kNotesZoneSize, rowBottom);
}

} // namespace treectrl
